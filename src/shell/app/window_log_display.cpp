#include "shell/app/window_log_display.h"

#include <QAction>
#include <QWidget>

#include <array>

#include "shell/app/menu_actions.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"

namespace ruv {

namespace {

void showOffer(QAction* item, const LogOffer& offer, bool enabled) {
    if (!offer.caption.empty()) {
        // Shown as it is: "&" would otherwise mark a mnemonic.
        item->setText(fromCp932(offer.caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
    }
    item->setEnabled(enabled);
}

}  // namespace

void WindowLogDisplay::showStatus(StatusPanel panel, std::string_view cp932) {
    statusBar_.showAttachStatus(panel, cp932);
}

void WindowLogDisplay::showTidyProgress(std::string_view cp932) {
    statusBar_.showTidyProgress(cp932);
}

void WindowLogDisplay::endTidyProgress(std::string_view attachState) {
    statusBar_.endTidy(attachState);
}

void WindowLogDisplay::showCaption(WindowCaption caption) {
    window_.setWindowTitle(caption == WindowCaption::Tidying
                               ? QStringLiteral("DIrararezuvero 過去ログ整頓中・・・")
                               : QStringLiteral("DIrararezuvero"));
}

void WindowLogDisplay::showAttachMenu(const AttachMenu& menu) {
    const bool commands = menu.commands == CommandState::Enabled;
    const MenuActions& entries = menu_;
    entries.attachLog->setEnabled(commands);
    entries.addAttach->setEnabled(commands);
    showOffer(entries.todaysLog, menu.today, menu.enabled(menu.today));
    showOffer(entries.yesterdaysLog, menu.yesterday, menu.enabled(menu.yesterday));
    for (std::size_t i = 0; i < entries.history.size(); ++i) {
        showOffer(entries.history[i], menu.history[i], menu.enabled(menu.history[i]));
    }
}

void WindowLogDisplay::showWarning(std::string_view cp932) {
    messages_.show(MessageKind::Warning, fromCp932(cp932));
}

}  // namespace ruv
