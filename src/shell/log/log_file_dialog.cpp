#include "shell/log/log_file_dialog.h"

#include <QFileDialog>

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

}  // namespace ruv
