#include "shell/views/view_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace ruv {

std::optional<ViewSaveChoice> QtViewSaveDialog::chooseFile(const QString& suggestedName) {
    const QString utf8 = QStringLiteral("テキスト UTF-8 (*.txt)");
    const QString shiftJis = QStringLiteral("テキスト Shift-JIS (*.txt)");
    QString chosenFilter = utf8;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(
        parent_, QStringLiteral("このタブを保存"), QDir(folder).filePath(suggestedName),
        utf8 + QStringLiteral(";;") + shiftJis, &chosenFilter);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return ViewSaveChoice{
        path, chosenFilter == shiftJis ? TextFileEncoding::ShiftJis : TextFileEncoding::Utf8};
}

}  // namespace ruv
