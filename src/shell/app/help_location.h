#pragma once

#include <QString>

#include <functional>

class QUrl;

namespace ruv {

class UserMessages;

// The help file that ヘルプファイルを開く(&H) opens, in the program's folder:
// the compiled help on Windows; elsewhere, where readers of compiled help are
// rare, the same pages as HTML for the browser.
QString helpFileBeside(const QString& programFolder);

// Asks the desktop to open the help file; when the file is missing or the
// desktop cannot open it, a warning names the file.
using UrlOpener = std::function<bool(const QUrl&)>;
void openHelpFile(const QString& path, UserMessages& messages, const UrlOpener& open);

}  // namespace ruv
