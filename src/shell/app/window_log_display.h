#pragma once
// The main window as the log session's display: views, status bar, caption,
// the File menu's attach commands and warning boxes.

#include "core/log/log_session_ports.h"

namespace ruv {

class TForm1;
class UserMessages;

class WindowLogDisplay final : public LogSessionDisplay {
  public:
    WindowLogDisplay(TForm1& window, UserMessages& messages)
        : window_(window), messages_(messages) {}

    void clearView(ChatChannel view) override;
    void resetUnreadForAttach() override;
    void appendLine(ChatChannel view, std::string_view text, Colour colour) override;
    void showStatus(StatusPanel panel, std::string_view cp932) override;
    void showCaption(WindowCaption caption) override;
    void showAttachMenu(const AttachMenu& menu) override;
    void showWarning(std::string_view cp932) override;

  private:
    TForm1& window_;
    UserMessages& messages_;
};

}  // namespace ruv
