#pragma once
// The main window as the log session's display: status bar, caption,
// the File menu's attach commands and warning boxes.

#include "core/app/status_bar_share.h"
#include "core/log/log_session_ports.h"

class QWidget;

namespace ruv {

struct MenuActions;
class UserMessages;

class WindowLogDisplay final : public LogSessionDisplay {
  public:
    WindowLogDisplay(QWidget& window, const MenuActions& menu, UserMessages& messages,
                     StatusBarShare& statusBar)
        : window_(window), menu_(menu), messages_(messages), statusBar_(statusBar) {}

    void showStatus(StatusPanel panel, std::string_view cp932) override;
    void showTidyProgress(std::string_view cp932) override;
    void endTidyProgress(std::string_view attachState) override;
    void showCaption(WindowCaption caption) override;
    void showAttachMenu(const AttachMenu& menu) override;
    void showWarning(std::string_view cp932) override;

  private:
    QWidget& window_;
    const MenuActions& menu_;
    UserMessages& messages_;
    StatusBarShare& statusBar_;
};

}  // namespace ruv
