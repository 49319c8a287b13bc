// The help that ヘルプファイルを開く(&H) opens is where the menu looks for it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "shell/app/help_location.h"

namespace ruv::testing {
namespace {

// On Windows the help is the compiled file that the package builds; the build
// places the HTML pages beside the program everywhere else.
#ifndef _WIN32
TEST(HelpLocation, TheHelpTheMenuOpensLiesBesideTheBuiltProgramWithThePagesItLinks) {
    const QFileInfo help(helpFileBeside(QStringLiteral(RUVIVUVAZ_PROGRAM_DIR)));
    ASSERT_TRUE(help.isFile()) << help.filePath().toStdString();

    QFile page(help.filePath());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const QRegularExpression link(QStringLiteral(R"(href="([^"#:]+))"));
    int links = 0;
    for (const auto& match : link.globalMatch(html)) {
        ++links;
        EXPECT_TRUE(help.dir().exists(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GT(links, 1);
}
#endif

}  // namespace
}  // namespace ruv::testing
