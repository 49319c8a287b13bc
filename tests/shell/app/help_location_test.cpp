// The help that ヘルプファイルを開く(&H) opens is where the menu looks for it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "shell/app/help_location.h"
#include "support/recording_messages.h"

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

// Help that cannot be opened, because the file is missing or no program opens
// it, is said in a warning naming the file; help that opens says nothing.
TEST(HelpLocation, HelpThatCannotBeOpenedIsSaidWithTheFileName) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString present = folder.filePath(QStringLiteral("help.html"));
    QFile file(present);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString missing = folder.filePath(QStringLiteral("missing.html"));

    struct Case {
        QString path;
        bool desktopOpens;
        bool warned;
    };
    for (const Case& c :
         {Case{present, true, false}, Case{present, false, true}, Case{missing, true, true}}) {
        RecordingMessages messages;
        QList<QUrl> opened;
        openHelpFile(c.path, messages, [&](const QUrl& url) {
            opened.push_back(url);
            return c.desktopOpens;
        });
        ASSERT_EQ(messages.shown.size(), c.warned ? 1U : 0U) << c.path.toStdString();
        if (c.warned) {
            EXPECT_EQ(messages.shown[0].first, MessageKind::Warning);
            EXPECT_TRUE(messages.shown[0].second.contains(QDir::toNativeSeparators(c.path)));
        }
        EXPECT_EQ(opened.size(), c.path == missing ? 0 : 1);
    }
}

}  // namespace
}  // namespace ruv::testing
