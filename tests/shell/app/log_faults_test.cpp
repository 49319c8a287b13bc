// The window following a log that misbehaves: replaced by a shorter file, its
// folder removed, turned into a folder, a line of megabytes, and chat text that
// looks like markup. Each case ends with one clear outcome and the window still
// following.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "core/lines/log_reader.h"
#include "core/log/log_session.h"
#include "core/platform/native_path.h"
#include "core/views/ng_lists.h"
#include "loggen/log_generator.h"
#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"
#include "shell/log/live_log.h"
#include "shell/views/channel_view.h"
#include "shell/views/ng_dialog.h"
#include "support/recording_messages.h"

namespace ruv::testing {
namespace {

const QString kSizeUnavailable = QStringLiteral("ファイルサイズを取得できません。");

class LogFaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = std::filesystem::path(dir.path().toStdString()) / "logs";
        std::filesystem::create_directories(folder);
        log = folder / "MHChatLog_2024_05_01.html";
        std::ofstream(log, std::ios::binary) << generator.header();
        AppEnvironment environment;
        environment.messages = &messages;
        window = std::make_unique<MainWindow>(environment);
    }

    static void write(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    void append(const std::string& bytes) const {
        std::ofstream(log, std::ios::binary | std::ios::app) << bytes;
    }
    std::string chatLine(Colour colour, const std::string& cp932Body) {
        return generator.makeLine(colour, loggen::TagBlockForm::BlankBefore, cp932Body).bytes +
               "\n";
    }
    // Bytes that make a file of `from` bytes exactly `to` bytes long, ending in a
    // line feed, as a line no channel takes.
    static std::string fillerUpTo(std::int64_t from, std::int64_t to) {
        EXPECT_GE(to - from, 1);
        return std::string(static_cast<std::size_t>(to - from - 1), 'x') + "\n";
    }
    std::int64_t logSize() const {
        return static_cast<std::int64_t>(std::filesystem::file_size(log));
    }
    void attachAtEnd() { window->liveLog().attach(log, ByteOffset{logSize()}); }
    std::int64_t lines(ChatChannel channel) const {
        return window->view(channel)->lineCount().value;
    }
    static std::int64_t occurrences(const std::string& text, const std::string& needle) {
        std::int64_t count = 0;
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
            ++count;
        }
        return count;
    }
    std::int64_t occurrences(ChatChannel channel, const std::string& needle) const {
        return occurrences(window->view(channel)->text(), needle);
    }
    int sizeMessages() const {
        int count = 0;
        for (const auto& shown : messages.shown) {
            count += shown.second == kSizeUnavailable ? 1 : 0;
        }
        return count;
    }

    QTemporaryDir dir;
    std::filesystem::path folder;
    std::filesystem::path log;
    loggen::LogGenerator generator{5};
    RecordingMessages messages;
    std::unique_ptr<MainWindow> window;
};

// --- The file replaced, removed or turned into a folder ----------------------

TEST_F(LogFaultsTest, ShorterFileRenamedOverTheLogIsFollowedFromItsFirstLine) {
    attachAtEnd();
    append(chatLine(colours::kTeam, "Ren : first"));
    append(chatLine(colours::kTeam, "Ren : second"));
    window->liveLog().catchUp();
    ASSERT_EQ(lines(ChatChannel::Team), 2);
    const std::int64_t oldEnd = logSize();

    const std::filesystem::path replacement = folder / "replacement.tmp";
    write(replacement, generator.header() + chatLine(colours::kTeam, "Ren : third"));
    std::filesystem::rename(replacement, log);
    ASSERT_LT(logSize(), oldEnd);
    window->liveLog().catchUp();
    EXPECT_EQ(occurrences(ChatChannel::Team, "Ren : third"), 1);

    append(fillerUpTo(logSize(), oldEnd + 10));
    append(chatLine(colours::kShout, "Kai : after the swap"));
    window->liveLog().catchUp();
    EXPECT_EQ(lines(ChatChannel::Team), 3);
    EXPECT_EQ(occurrences(ChatChannel::Shout, "Kai : after the swap"), 1);
    EXPECT_EQ(lines(ChatChannel::Normal), 4);
    EXPECT_EQ(window->liveLog().tail().consumed().value, logSize());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LogFaultsTest, RemovedFolderIsReportedOnceAndLinesResumeWhenItIsBack) {
    attachAtEnd();
    append(chatLine(colours::kClub, "Ren : before"));
    window->liveLog().catchUp();
    ASSERT_EQ(lines(ChatChannel::Club), 1);
    const std::int64_t oldEnd = logSize();

    QSignalSpy noticed(&window->liveLog().watcher(), &LogWatcher::sizeMayHaveChanged);
    std::filesystem::remove_all(folder);
    for (int i = 0; i < 3; ++i) {
        window->liveLog().catchUp();
    }
    // The watcher noticed the removal too; its slice is the catch-up below.
    ASSERT_TRUE(noticed.count() > 0 || noticed.wait(5000));
    window->liveLog().catchUp();
    EXPECT_EQ(sizeMessages(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(window->liveLog().tail().consumed().value, oldEnd);

    std::filesystem::create_directories(folder);
    write(log, generator.header());
    append(fillerUpTo(logSize(), oldEnd));
    append(chatLine(colours::kClub, "Ren : back again"));
    window->liveLog().catchUp();
    EXPECT_EQ(lines(ChatChannel::Club), 2);
    EXPECT_EQ(occurrences(ChatChannel::Club, "Ren : before"), 1);
    EXPECT_EQ(occurrences(ChatChannel::Club, "Ren : back again"), 1);
    EXPECT_EQ(messages.shown.size(), 1u);

    // A second loss after the recovery is reported again, once.
    std::filesystem::remove_all(folder);
    window->liveLog().catchUp();
    window->liveLog().catchUp();
    EXPECT_EQ(sizeMessages(), 2);
}

TEST_F(LogFaultsTest, FolderInPlaceOfTheLogIsReportedOnceAndFollowingResumesAfterIt) {
    attachAtEnd();
    const std::int64_t oldEnd = logSize();

    std::filesystem::remove(log);
    std::filesystem::create_directory(log);
    window->liveLog().catchUp();
    window->liveLog().catchUp();
    EXPECT_EQ(sizeMessages(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(window->liveLog().tail().consumed().value, oldEnd);
    EXPECT_EQ(lines(ChatChannel::Normal), 0);

    std::filesystem::remove(log);
    write(log, generator.header());
    append(chatLine(colours::kWhis, "Mika : file again"));
    window->liveLog().catchUp();
    EXPECT_EQ(lines(ChatChannel::Whis), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

// --- A line of megabytes -------------------------------------------------------

TEST_F(LogFaultsTest, MegabyteLineWithoutLineFeedIsCutInBlocksAndLaterLinesStillArrive) {
    attachAtEnd();
    QSignalSpy routed(&window->liveLog(), &LiveLog::linesRouted);
    const std::string huge = generator
                                 .makeLine(colours::kOpenWhite, loggen::TagBlockForm::BlankBefore,
                                           "Big : " + std::string(5 * 1024 * 1024, 'a'))
                                 .bytes;
    // Written at once, so every block the reader takes is a whole one.
    append(huge + "\n" + chatLine(colours::kTeam, "Ren : after the flood") +
           chatLine(colours::kShout, "Kai : still here"));

    // Followed through the watcher, slice by slice on the event loop.
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines(ChatChannel::Shout) == 1; }, 20000));
    EXPECT_EQ(lines(ChatChannel::Team), 1);
    EXPECT_EQ(occurrences(ChatChannel::Team, "Ren : after the flood"), 1);
    EXPECT_EQ(window->liveLog().tail().consumed().value, logSize());

    const auto block = static_cast<std::size_t>(kLogBlockBytes);
    const std::size_t pieces = (huge.size() + block - 1) / block;
    qint64 total = 0;
    for (const auto& signal : routed) {
        total += signal.at(0).toLongLong();
    }
    EXPECT_EQ(total, static_cast<qint64>(pieces + 2));

    // Every line a view holds is a piece of at most one block.
    const std::string normal = window->view(ChatChannel::Normal)->text();
    std::size_t start = 0;
    for (;;) {
        const auto end = normal.find("\r\n", start);
        EXPECT_LE((end == std::string::npos ? normal.size() : end) - start, block);
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    EXPECT_TRUE(normal.ends_with("Kai : still here"));
    EXPECT_EQ(occurrences(normal, "Ren : after the flood"), 1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(window->errorLog()->toPlainText().isEmpty());
}

// --- Text that looks like markup is shown as it is ------------------------------

const char* const kMarkup[] = {"<b>bold</b>", "<img src=x>", "<a href=y>z</a>"};

TEST_F(LogFaultsTest, MarkupInChatLinesReachesTheViewsByteForByte) {
    attachAtEnd();
    for (const char* markup : kMarkup) {
        append(chatLine(colours::kOpenWhite, std::string("Mika : ") + markup));
    }
    window->liveLog().catchUp();
    ASSERT_EQ(lines(ChatChannel::Open), 3);
    ASSERT_EQ(lines(ChatChannel::Normal), 3);
    for (const char* markup : kMarkup) {
        EXPECT_EQ(occurrences(ChatChannel::Open, std::string("Mika : ") + markup), 1) << markup;
        EXPECT_EQ(occurrences(ChatChannel::Normal, std::string("Mika : ") + markup), 1) << markup;
    }
}

TEST_F(LogFaultsTest, MarkupInTheLogsFileNameShowsLiterallyInTheStatusBar) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names cannot hold < and >";
#endif
    const std::filesystem::path odd = folder / "<b>MHChatLog_2024_05_01.html";
    write(odd, generator.header());
    const std::string path = platform::fromNativePath(odd).value();
    window->logSession().recordHistory(path);
    window->menu().history[0]->trigger();

    ASSERT_EQ(window->attachedLogPath(), path);
    const QString expected = QString::fromStdString(odd.string());
    EXPECT_EQ(window->statusText(StatusPanel::Path), expected);
    auto* panel = window->statusBar()->findChild<QLabel*>(QStringLiteral("StatusBar01Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->textFormat(), Qt::PlainText);
    EXPECT_EQ(panel->text(), expected);
    EXPECT_EQ(window->menu().history[0]->text(), QStringLiteral("&1 ") + expected);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LogFaultsTest, MarkupEntriesRoundTripThroughTheNgDialogLiterally) {
    window->ngLists().users = {"<b>Troll</b>"};
    window->ngLists().words = {"<img src=x>", "<a href=y>z</a>"};
    window->ngSettingsButton()->click();
    NgDialog* dialog = window->ngDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->userMemo()->toPlainText(), QStringLiteral("<b>Troll</b>\n"));
    EXPECT_EQ(dialog->wordMemo()->toPlainText(), QStringLiteral("<img src=x>\n<a href=y>z</a>\n"));

    dialog->userMemo()->setPlainText(QStringLiteral("<b>Troll</b>\n<i>Other</i>\n"));
    dialog->okClicked();
    EXPECT_EQ(window->ngLists().users, (std::vector<std::string>{"<b>Troll</b>", "<i>Other</i>"}));
    EXPECT_EQ(window->ngLists().words,
              (std::vector<std::string>{"<img src=x>", "<a href=y>z</a>"}));
    EXPECT_TRUE(messages.shown.empty());

    // The stored entry still matches the raw name in a chat line.
    window->ngUserSwitch()->setChecked(true);
    window->setActiveTab(Tab::Open);
    attachAtEnd();
    append(chatLine(colours::kOpenWhite, "<i>Other</i> : hidden"));
    window->liveLog().catchUp();
    EXPECT_EQ(lines(ChatChannel::NG), 1);
    EXPECT_EQ(lines(ChatChannel::Normal), 0);
}

}  // namespace
}  // namespace ruv::testing
