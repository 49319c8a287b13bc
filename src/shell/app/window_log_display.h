#pragma once
// The main window as the log session's display: status bar, caption,
// the File menu's attach commands and warning boxes.

#include "core/app/status_bar_share.h"
#include "core/log/log_session_ports.h"

namespace ruv {

class TForm1;
class UserMessages;

class WindowLogDisplay final : public LogSessionDisplay {
  public:
    WindowLogDisplay(TForm1& window, UserMessages& messages, StatusBarShare& statusBar)
        : window_(window), messages_(messages), statusBar_(statusBar) {}

    void showStatus(StatusPanel panel, std::string_view cp932) override;
    void showTidyProgress(std::string_view cp932) override;
    void endTidyProgress(std::string_view attachState) override;
    void showCaption(WindowCaption caption) override;
    void showAttachMenu(const AttachMenu& menu) override;
    void showWarning(std::string_view cp932) override;

  private:
    TForm1& window_;
    UserMessages& messages_;
    StatusBarShare& statusBar_;
};

}  // namespace ruv
