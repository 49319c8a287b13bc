#include "shell/app/window_log_display.h"

#include <QAction>
#include <QWidget>

#include <array>

#include "shell/app/menu_actions.h"
#include "shell/app/menu_captions.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"

namespace ruv {

namespace {

// caption: the offer's caption with the item's mnemonic.
template <typename Caption>
void showOffer(QAction* item, const LogOffer& offer, bool enabled, const Caption& caption) {
    if (!offer.caption.empty()) {
        item->setText(caption(fromCp932(offer.caption)));
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
    showOffer(entries.todaysLog, menu.today, menu.enabled(menu.today),
              [](const QString& name) { return withMnemonicAfter(name, kTodaysLogMnemonic); });
    showOffer(entries.yesterdaysLog, menu.yesterday, menu.enabled(menu.yesterday),
              [](const QString& name) { return withMnemonicAfter(name, kYesterdaysLogMnemonic); });
    for (std::size_t i = 0; i < entries.history.size(); ++i) {
        showOffer(entries.history[i], menu.history[i], menu.enabled(menu.history[i]),
                  [i](const QString& path) { return historyCaption(i, path); });
    }
}

void WindowLogDisplay::showWarning(std::string_view cp932) {
    messages_.show(MessageKind::Warning, fromCp932(cp932));
}

}  // namespace ruv
