#include "shell/log/log_file_dialog.h"

#include <QDir>
#include <QFileDialog>

#include "core/platform/native_path.h"
#include "core/text/cp932.h"
#include "shell/platform/qt_text.h"

namespace ruv {

QString logFileFilter() {
    // Qt reads the patterns from the last parentheses; the details are hidden,
    // so the user sees the description alone.
    return QStringLiteral("HTML文書(*.html;*.htm) (*.html *.htm)");
}

std::optional<QString> QtLogFileDialog::chooseLog(const QString& initialFolder) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(logFileFilter());
    if (!initialFolder.isEmpty()) {
        dialog.setDirectory(initialFolder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

ChosenLog DialogLogChooser::chooseLog(std::string_view cp932InitialFolder) {
    const QString folder = toQString(platform::toNativePath(cp932InitialFolder).value_or(""));
    const std::optional<QString> chosen = dialog_->chooseLog(folder);
    if (!chosen) {
        return {ChoiceOutcome::Cancelled, {}};
    }
    const auto path = cp932::fromUtf16(QDir::toNativeSeparators(*chosen).toStdU16String());
    if (!path) {
        return {ChoiceOutcome::Unrepresentable, {}};
    }
    return {ChoiceOutcome::Chosen, *path};
}

}  // namespace ruv
