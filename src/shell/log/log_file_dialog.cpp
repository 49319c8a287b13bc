#include "shell/log/log_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "core/platform/native_path.h"
#include "core/text/cp932.h"
#include "shell/platform/qt_text.h"

namespace ruv {

QString logFileFilter() {
    // Qt reads the patterns from the last parentheses; the details are hidden,
    // so the user sees the description alone.
    return QStringLiteral("HTML文書(*.html;*.htm) (*.html *.htm)");
}

bool isLogFileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return suffix.compare(QLatin1String("html"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("htm"), Qt::CaseInsensitive) == 0;
}

ChosenLog namedLog(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const auto cp932Path = cp932::fromUtf16(QDir::toNativeSeparators(absolute).toStdU16String());
    if (!cp932Path) {
        return {ChoiceOutcome::Unrepresentable, {}};
    }
    return {ChoiceOutcome::Chosen, *cp932Path};
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
    return namedLog(*chosen);
}

}  // namespace ruv
