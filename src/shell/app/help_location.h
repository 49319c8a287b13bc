#pragma once

#include <QString>

namespace ruv {

// The help file that ヘルプファイルを開く(&H) opens, in the program's folder:
// the compiled help on Windows; elsewhere, where readers of compiled help are
// rare, the same pages as HTML for the browser.
QString helpFileBeside(const QString& programFolder);

}  // namespace ruv
