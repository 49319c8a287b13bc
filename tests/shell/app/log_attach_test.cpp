// Attaching logs through the window's commands, with real log files in a
// temporary folder: the dialog, past-log tidying, the recent-log list and its
// file, Today's and Yesterday's logs.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fstream>
#include <functional>
#include <optional>
#include <vector>

#include "core/log/log_session.h"
#include "core/platform/clock.h"
#include "core/platform/native_path.h"
#include "loggen/log_generator.h"
#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"
#include "shell/log/live_log.h"
#include "shell/log/log_file_dialog.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"
#include "shell/search/search_window.h"
#include "shell/views/channel_view.h"

namespace ruv::testing {
namespace {

class ScriptedDialog final : public LogFileDialog {
  public:
    std::optional<QString> chooseLog(const QString& initialFolder) override {
        foldersAsked.push_back(initialFolder);
        return answer;
    }
    std::optional<QString> answer;
    std::vector<QString> foldersAsked;
};

class RecordedMessages final : public UserMessages {
  public:
    void show(MessageKind, const QString& text) override { shown.push_back(text); }
    Answer ask(const QString&, const QString&) override { return Answer::No; }
    std::vector<QString> shown;
};

class RecordedExpAttach final : public ExpAttachEvents {
  public:
    void ResetForAttach() override {
        ++resets;
        if (onReset) {
            onReset();
        }
    }
    void AddDayGain(std::int64_t amount, std::string_view) override { gains.push_back(amount); }
    void SetAttachedLogPath(std::string_view cp932Path) override { paths.emplace_back(cp932Path); }
    void StartNewDayChart() override {}
    std::function<void()> onReset;
    int resets = 0;
    std::vector<std::int64_t> gains;
    std::vector<std::string> paths;
};

constexpr platform::LocalDateTime kNow{2024, 3, 1, 0, 5, 0};

class LogAttachTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Native separators throughout, as the program keeps its paths.
        const auto base = std::filesystem::path(dir.path().toStdU16String()).make_preferred();
        settings = base / "settings";
        logs = base / "logs";
        std::filesystem::create_directories(settings);
        std::filesystem::create_directories(logs);
        window = std::make_unique<MainWindow>(AppEnvironment{settings, &clock, &messages, &exp});
        window->session().logChooser.use(&dialog);
    }

    std::filesystem::path writeLog(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = logs / std::u8string(name.begin(), name.end());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static void append(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::app) << bytes;
    }
    std::string line(Colour colour, const char* utf8Body) {
        return generator.makeLine(colour, loggen::TagBlockForm::BlankBefore, sj(utf8Body)).bytes +
               "\n";
    }
    static std::string textOf(const std::filesystem::path& path) {
        return platform::fromNativePath(path).value();
    }
    void chooseInDialog(const std::filesystem::path& path) {
        dialog.answer = QString::fromStdString(path.string());
    }
    void setOption(const char* name, bool on) const {
        window->findChild<QAction*>(QString::fromLatin1(name))->setChecked(on);
    }
    std::int64_t lines(ChatChannel channel) const {
        return window->view(channel)->lineCount().value;
    }
    std::int64_t occurrences(ChatChannel channel, const std::string& needle) const {
        const std::string text = window->view(channel)->text();
        std::int64_t count = 0;
        for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
            ++count;
        }
        return count;
    }
    void waitForTidying() const {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window->tidyingPastLog(); }, 10000));
    }
    QStringList errorLines() const {
        return window->errorLog()->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    QAction* entry(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    // Drags files over the window, or over one of its widgets; true when it would take them.
    bool dragOver(const QList<QUrl>& urls, QWidget* target = nullptr) const {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.constFirst().toString());  // as file managers offer them
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target != nullptr ? target : window.get(), &enter);
        return enter.isAccepted();
    }
    // Drops one file on the window, or on one of its widgets; true when it was taken.
    bool drop(const std::filesystem::path& path, QWidget* target = nullptr) const {
        QMimeData data;
        data.setUrls({fileUrl(path)});
        data.setText(fileUrl(path).toString());
        QDropEvent dropped(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target != nullptr ? target : window.get(), &dropped);
        return dropped.isAccepted();
    }
    static QUrl fileUrl(const std::filesystem::path& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path.string()));
    }

    QTemporaryDir dir;
    std::filesystem::path settings;
    std::filesystem::path logs;
    platform::ManualClock clock{kNow};
    RecordedMessages messages;
    ScriptedDialog dialog;
    RecordedExpAttach exp;
    loggen::LogGenerator generator{11, loggen::LogDate{2024, 2, 29}};
    std::unique_ptr<MainWindow> window;
};

// --- Attaching from the dialog ----------------------------------------------

TEST_F(LogAttachTest, AttachWithTidyingSortsEarlierLinesAndDayGains) {
    const std::string unfinished =
        generator.makeLine(colours::kShout, loggen::TagBlockForm::BlankBefore, "unfinished").bytes;
    const auto log =
        writeLog("MHChatLog_2024_02_29.html",
                 generator.header() + line(colours::kOpenGreen, "Aki : おはよう") +
                     line(colours::kTeam, "Ren : 表で待つ") +
                     line(colours::kBattle, "経験値が 1234 上がりました。") +
                     line(colours::kSystemRed, "システム通知") +
                     line(colours::kBattle, "経験値が 66 上がりました。") + unfinished);
    setOption("OldLog01", true);
    window->restoreLogFolder(textOf(logs));
    chooseInDialog(log);
    window->setWindowTitle(QStringLiteral("x"));

    window->attachLog();
    EXPECT_TRUE(window->tidyingPastLog());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("DIrararezuvero 過去ログ整頓中・・・"));
    waitForTidying();

    EXPECT_EQ(window->windowTitle(), QStringLiteral("DIrararezuvero"));
    ASSERT_EQ(dialog.foldersAsked.size(), 1u);
    EXPECT_EQ(dialog.foldersAsked[0], QString::fromStdString((logs / "").string()));
    EXPECT_EQ(lines(ChatChannel::Normal), 2);
    EXPECT_EQ(lines(ChatChannel::Open), 1);
    EXPECT_EQ(lines(ChatChannel::Team), 1);
    EXPECT_EQ(lines(ChatChannel::Battle), 2);
    EXPECT_EQ(lines(ChatChannel::System), 1);
    EXPECT_EQ(lines(ChatChannel::Shout), 0);  // the last line has no closing tags yet
    EXPECT_EQ(lines(ChatChannel::Original), 0);
    EXPECT_EQ(occurrences(ChatChannel::Team, sj("Ren : 表で待つ")), 1);
    EXPECT_EQ(exp.resets, 1);
    EXPECT_EQ(exp.gains, (std::vector<std::int64_t>{1234, 66}));
    EXPECT_EQ(exp.paths, std::vector<std::string>{textOf(log)});

    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("アタッチ"));
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString::fromStdString(log.string()));
    EXPECT_EQ(window->liveLog().tail().path(), log);
    // Following starts at the line the game is still writing.
    EXPECT_EQ(window->liveLog().tail().consumed().value,
              static_cast<std::int64_t>(std::filesystem::file_size(log) - unfinished.size()));
    EXPECT_EQ(window->attachedLogFolder(), textOf(logs / ""));
    EXPECT_TRUE(entry("LogHistory00")->isEnabled());
    EXPECT_EQ(entry("LogHistory00")->text(),
              QStringLiteral("&1 ") + QString::fromStdString(log.string()));
    EXPECT_FALSE(entry("LogHistory01")->isEnabled());

    // The game finishes the line it was writing: it is shown once, whole.
    append(log, "\n");
    window->liveLog().catchUp();
    EXPECT_EQ(lines(ChatChannel::Shout), 1);
    EXPECT_EQ(occurrences(ChatChannel::Shout, "unfinished"), 1);
}

TEST_F(LogAttachTest, AFirstStartShowsTheWayInTheNormalViewUntilTheFirstAttach) {
    ChannelView* normal = window->view(ChatChannel::Normal);
    normal->resize(400, 200);
    const auto inked = [normal] {
        const QImage image = normal->viewport()->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != background) {
                    return true;
                }
            }
        }
        return false;
    };
    ASSERT_TRUE(normal->showsEmptyHint());
    EXPECT_TRUE(inked());
    // Drawn, not a line: nothing to copy, search or save.
    EXPECT_EQ(normal->lineCount().value, 0);
    EXPECT_TRUE(normal->text().empty());
    EXPECT_TRUE(normal->accessibleDescription().contains(QStringLiteral("アタッチログ")));

    const auto log = writeLog("MHChatLog_2024_02_29.html", generator.header());
    chooseInDialog(log);
    window->attachLog();
    EXPECT_FALSE(normal->showsEmptyHint());
    EXPECT_FALSE(inked());
    EXPECT_TRUE(normal->accessibleDescription().isEmpty());
}

TEST_F(LogAttachTest, TidyingAppliesTheNgListsOnlyWhenTheOptionIsTicked) {
    const auto log = writeLog("MHChatLog_2024_02_29.html",
                              generator.header() + line(colours::kOpenGreen, "Aki : おはよう") +
                                  line(colours::kOpenGreen, "Ren : 表で待つ"));
    window->ngLists().users = {sj("Aki")};
    window->session().core.state.route.ngUsersApplied = true;
    setOption("OldLog01", true);
    chooseInDialog(log);
    window->attachLog();
    waitForTidying();
    EXPECT_EQ(lines(ChatChannel::Open), 2);
    EXPECT_EQ(lines(ChatChannel::NG), 0);

    setOption("NgOnTidy", true);
    chooseInDialog(log);
    window->attachLog();
    waitForTidying();
    EXPECT_EQ(lines(ChatChannel::Open), 1);
    EXPECT_EQ(lines(ChatChannel::Normal), 1);
    EXPECT_EQ(occurrences(ChatChannel::NG, sj("Aki : おはよう")), 1);
}

TEST_F(LogAttachTest, AttachWithoutTidyingClearsViewsButNgAndFollowsNewLinesOnly) {
    window->session().core.book.append(ChatChannel::Normal, "old", colours::kOpenWhite);
    window->session().core.book.append(ChatChannel::NG, "held back", colours::kOpenWhite);
    window->session().core.unread.raise(Tab::Team);
    window->session().core.unread.raise(Tab::NG);
    const auto log = writeLog("b.html", generator.header() + line(colours::kTeam, "Ren : before"));
    chooseInDialog(log);

    window->attachLog();
    EXPECT_FALSE(window->tidyingPastLog());
    EXPECT_EQ(lines(ChatChannel::Normal), 0);
    EXPECT_EQ(lines(ChatChannel::Team), 0);
    EXPECT_EQ(lines(ChatChannel::NG), 1);
    EXPECT_EQ(window->caption(Tab::Team), QStringLiteral("チーム"));
    EXPECT_EQ(window->caption(Tab::NG), QStringLiteral("NGフィルター(1)"));
    EXPECT_EQ(exp.resets, 1);

    append(log, line(colours::kTeam, "Ren : after"));
    window->liveLog().catchUp();
    EXPECT_EQ(lines(ChatChannel::Team), 1);
    EXPECT_EQ(occurrences(ChatChannel::Team, "Ren : after"), 1);
}

TEST_F(LogAttachTest, CancelledDialogOnlyRestoresTheCaption) {
    window->setWindowTitle(QStringLiteral("x"));
    dialog.answer.reset();
    window->attachLog();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("DIrararezuvero"));
    EXPECT_FALSE(window->liveLog().tail().attached());
    EXPECT_TRUE(window->logSession().history().entries().empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(exp.resets, 0);
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString());
}

TEST_F(LogAttachTest, MissingFilesAreRefusedAndTheEarlierAttachmentStays) {
    const auto log = writeLog("c.html", generator.header());
    chooseInDialog(log);
    window->attachLog();
    window->session().core.book.append(ChatChannel::Open, "kept", colours::kOpenWhite);

    chooseInDialog(logs / "typed.html");
    window->attachLog();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], QStringLiteral("ファイルサイズの取得に失敗しました。"));

    std::filesystem::remove(writeLog("gone.html", ""));
    window->logSession().recordHistory(textOf(logs / "gone.html"));
    entry("LogHistory00")->trigger();
    entry("LogChange01")->trigger();  // the dialog still answers typed.html
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[1], QStringLiteral("指定したファイルは存在しません"));
    EXPECT_EQ(messages.shown[2], QStringLiteral("指定したファイルは存在しません"));

    EXPECT_EQ(window->liveLog().tail().path(), log);
    EXPECT_EQ(lines(ChatChannel::Open), 1);
    EXPECT_EQ(exp.resets, 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("DIrararezuvero"));
}

// --- Tidying and the live reader -----------------------------------------------

TEST_F(LogAttachTest, LinesWrittenDuringAttachAndTidyingAppearOnceAfterTheEarlierLines) {
    const auto log = writeLog("d.html", generator.generate(400'000));
    setOption("OldLog01", true);
    chooseInDialog(log);
    // The game writes one line after the size was taken, before the log is read.
    exp.onReset = [&] { append(log, line(colours::kClub, "Kai : written while attaching")); };
    window->attachLog();
    exp.onReset = nullptr;
    ASSERT_TRUE(window->tidyingPastLog());
    append(log, line(colours::kClub, "Kai : written while tidying"));
    waitForTidying();
    // Once the reader has routed a line written after tidying, it has read all before it.
    append(log, line(colours::kTeam, "Ren : written after tidying"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return occurrences(ChatChannel::Team, "Ren : written after tidying") == 1; }, 5000));

    for (const char* text : {"Kai : written while attaching", "Kai : written while tidying"}) {
        EXPECT_EQ(occurrences(ChatChannel::Club, text), 1) << text;
        EXPECT_EQ(occurrences(ChatChannel::Normal, text), 1) << text;
    }
    const std::string club = window->view(ChatChannel::Club)->text();
    EXPECT_TRUE(
        club.ends_with("Kai : written while attaching\r\n" + club.substr(club.rfind("\r\n") + 2)));
    EXPECT_TRUE(club.ends_with("Kai : written while tidying"));
}

TEST_F(LogAttachTest, AttachCommandsRestWhileTidyingAndTheStatusBarShowsItsProgress) {
    const auto big = writeLog("big.html", generator.generate(400'000));
    const auto small = writeLog("small.html", generator.header());
    window->logSession().recordHistory(textOf(small));
    setOption("OldLog01", true);
    chooseInDialog(big);
    window->attachLog();
    ASSERT_TRUE(window->tidyingPastLog());
    const auto commands = {"O2", "LogChange01", "LogHistory01"};
    for (const char* name : commands) {
        EXPECT_FALSE(entry(name)->isEnabled()) << name;
    }
    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("整頓 0%"));
    entry("LogHistory01")->trigger();  // disabled: nothing happens
    waitForTidying();

    for (const char* name : commands) {
        EXPECT_TRUE(entry(name)->isEnabled()) << name;
    }
    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("アタッチ"));
    EXPECT_EQ(window->liveLog().tail().path(), big);
    EXPECT_GT(lines(ChatChannel::Normal), 0);
}

// --- A log named on the command line or dropped on the window -------------------

TEST_F(LogAttachTest, LogNamedOnTheCommandLineIsAttachedByItsFullPath) {
    const auto log =
        writeLog("表.html", generator.header() + line(colours::kTeam, "Ren : earlier"));
    writeLog("한.html", generator.header());
    setOption("OldLog01", true);
    const QString workingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(logs.string())));
    window->openLog(QStringLiteral("../logs/한.html"));  // CP932 cannot hold 한
    window->openLog(QStringLiteral("../logs/表.html"));
    QDir::setCurrent(workingFolder);
    waitForTidying();

    EXPECT_EQ(messages.shown,
              std::vector<QString>{QStringLiteral("ファイルサイズの取得に失敗しました。")});
    EXPECT_EQ(window->logSession().history().entries(), config::TextLines{textOf(log)});
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString::fromStdString(log.string()));
    EXPECT_EQ(occurrences(ChatChannel::Team, "Ren : earlier"), 1);
    EXPECT_EQ(window->liveLog().tail().path(), log);
    EXPECT_EQ(exp.resets, 1);
}

TEST_F(LogAttachTest, DroppedLogIsAttachedUnlessATidyRuns) {
    const auto big = writeLog("big.html", generator.generate(400'000));
    const auto dropped = writeLog("dropped.html", generator.header());
    setOption("OldLog01", true);
    chooseInDialog(big);
    window->attachLog();
    ASSERT_TRUE(window->tidyingPastLog());
    EXPECT_FALSE(dragOver({fileUrl(dropped)}));
    EXPECT_FALSE(drop(dropped));
    waitForTidying();
    EXPECT_EQ(window->liveLog().tail().path(), big);

    EXPECT_FALSE(dragOver({fileUrl(dropped), fileUrl(big)}));
    EXPECT_FALSE(dragOver({QUrl(QStringLiteral("https://example.org/a.html"))}));
    EXPECT_TRUE(dragOver({fileUrl(dropped)}));
    EXPECT_TRUE(drop(dropped));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->liveLog().tail().path() == dropped; }, 5000));
    EXPECT_EQ(window->logSession().history().entries(),
              (config::TextLines{textOf(dropped), textOf(big)}));
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString::fromStdString(dropped.string()));
    EXPECT_EQ(lines(ChatChannel::Normal), 0);
    EXPECT_EQ(exp.resets, 2);
}

TEST_F(LogAttachTest, LogDroppedOnAKeywordFieldIsAttachedAndTypesNothing) {
    const auto dropped = writeLog("dropped.html", generator.header());
    window->keywordCheckBox(ChatChannel::Team)->click();  // the field takes text now
    QLineEdit* keyword = window->keywordEdit(ChatChannel::Team);
    ASSERT_TRUE(keyword->isEnabled());
    EXPECT_TRUE(dragOver({fileUrl(dropped)}, keyword));
    EXPECT_TRUE(drop(dropped, keyword));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->liveLog().tail().path() == dropped; }, 5000));
    EXPECT_TRUE(keyword->text().isEmpty());
}

TEST_F(LogAttachTest, DropsOnTheSearchWindowAttachNothingAndAFolderFillsItsFolderField) {
    const auto attached = writeLog("MHChatLog_2024_02_29.html", generator.header());
    chooseInDialog(attached);
    window->attachLog();
    window->findChild<QAction*>(QStringLiteral("SearchLogs01"))->trigger();
    auto* search = window->findChild<SearchWindow*>();
    ASSERT_NE(search, nullptr);
    const auto dropped = writeLog("MHChatLog_2024_02_28.html", generator.header());
    for (QLineEdit* field : {search->textEdit(), search->folderEdit()}) {
        field->clear();
        EXPECT_FALSE(dragOver({fileUrl(dropped)}, field));
        EXPECT_FALSE(drop(dropped, field));
        EXPECT_TRUE(field->text().isEmpty());
    }
    EXPECT_TRUE(dragOver({fileUrl(logs)}, search->folderEdit()));
    EXPECT_TRUE(drop(logs, search->folderEdit()));
    EXPECT_EQ(search->folderEdit()->text(), toQString(logs));
    // An attach a drop would set off is posted for after the drop.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(window->liveLog().tail().path(), attached);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(LogAttachTest, DroppedFileThatIsNotALogIsRefusedByNameAndChangesNothing) {
    const auto attached = writeLog("MHChatLog_2024_02_29.html", generator.header());
    chooseInDialog(attached);
    window->attachLog();
    const auto picture = writeLog("screenshot.png", "\x89PNG\r\n");
    EXPECT_TRUE(dragOver({fileUrl(picture)}));
    EXPECT_TRUE(drop(picture));
    QCoreApplication::processEvents();
    EXPECT_EQ(window->liveLog().tail().path(), attached);
    EXPECT_EQ(window->logSession().history().entries(), config::TextLines{textOf(attached)});
    EXPECT_EQ(exp.resets, 1);
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("screenshot.png")));
}

TEST_F(LogAttachTest, FieldsMadeAfterStartUpTakeLinksAndHandLocalFilesToTheWindow) {
    const auto dropped = writeLog("dropped.html", generator.header());
    QDialog laterDialog(window.get());
    auto* field = new QLineEdit(&laterDialog);
    const QUrl link(QStringLiteral("https://example.org/a.html"));
    EXPECT_TRUE(dragOver({link}, field));
    QMimeData data;
    data.setUrls({link});
    data.setText(link.toString());
    QDropEvent droppedLink(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &droppedLink);
    EXPECT_EQ(field->text(), link.toString());

    EXPECT_TRUE(dragOver({fileUrl(dropped)}, field));
    EXPECT_TRUE(drop(dropped, field));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->liveLog().tail().path() == dropped; }, 5000));
    EXPECT_EQ(field->text(), link.toString());
}

// --- 追加アタッチ, history and daily logs ------------------------------------------

TEST_F(LogAttachTest, AddAttachKeepsViewsAndEXPAndAppendsTidiedLines) {
    const auto first = writeLog("e.html", generator.header());
    const auto second =
        writeLog("f.html", generator.header() + line(colours::kShout, "Yo : hey") +
                               line(colours::kBattle, "経験値が 10 上がりました。"));
    chooseInDialog(first);
    window->attachLog();
    append(first, line(colours::kShout, "Ai : first"));
    window->liveLog().catchUp();

    setOption("OldLog01", true);
    chooseInDialog(second);
    entry("LogChange01")->trigger();
    waitForTidying();

    EXPECT_EQ(exp.resets, 1);
    EXPECT_EQ(exp.gains, std::vector<std::int64_t>{10});
    EXPECT_EQ(lines(ChatChannel::Shout), 2);
    EXPECT_TRUE(window->view(ChatChannel::Shout)->text().ends_with("Yo : hey"));
    EXPECT_EQ(window->logSession().history().entries(),
              (config::TextLines{textOf(second), textOf(first)}));
    EXPECT_EQ(window->liveLog().tail().path(), second);
}

TEST_F(LogAttachTest, HistoryFileLoadsWholeFillsExistingEntriesAndSavesBack) {
    const auto a = writeLog("表a.html", "");
    const auto b = writeLog("b&c.html", "");
    const std::string missing = textOf(logs / "missing.html");
    std::ofstream(settings / "loghistoryslist.txt", std::ios::binary)
        << textOf(a) << "\r\n"
        << missing << "\r\n"
        << textOf(b) << "\r\n4\r\n5\r\n6\r\n";
    window->LoadLogHistory();
    window->FillLogMenus();

    EXPECT_EQ(window->logSession().history().size(), 6u);
    EXPECT_TRUE(entry("LogHistory00")->isEnabled());
    EXPECT_EQ(entry("LogHistory00")->text(),
              QStringLiteral("&1 ") + QString::fromStdString(a.string()));
    EXPECT_FALSE(entry("LogHistory01")->isEnabled());
    EXPECT_EQ(entry("LogHistory01")->text(), QStringLiteral("&2 Log History 01"));
    EXPECT_EQ(
        entry("LogHistory02")->text(),
        QStringLiteral("&3 ") +
            QString::fromStdString(b.string()).replace(QStringLiteral("&"), QStringLiteral("&&")));
    EXPECT_FALSE(entry("LogHistory03")->isEnabled());

    entry("LogHistory02")->trigger();
    EXPECT_EQ(window->liveLog().tail().path(), b);
    window->SaveLogHistory();
    std::ifstream in(settings / "loghistoryslist.txt", std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // b moved to the head; one entry beyond the fifth dropped.
    EXPECT_EQ(saved, textOf(b) + "\r\n" + textOf(a) + "\r\n" + missing + "\r\n4\r\n5\r\n");
    // After an attach every non-empty entry is offered, whether its file exists or not.
    EXPECT_TRUE(entry("LogHistory02")->isEnabled());
    EXPECT_EQ(entry("LogHistory04")->text(), QStringLiteral("&5 5"));
}

TEST_F(LogAttachTest, WithoutASettingsFolderNoHistoryFileIsTouched) {
    MainWindow bare;
    bare.logSession().recordHistory("x.html");
    bare.SaveLogHistory();
    bare.LoadLogHistory();
    EXPECT_EQ(bare.logSession().history().entries(), config::TextLines{"x.html"});
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "loghistoryslist.txt"));
}

TEST_F(LogAttachTest, TodaysAndYesterdaysLogsAreOfferedByTheClocksDate) {
    const auto today = writeLog("MHChatLog_2024_03_01.html", generator.header());
    window->restoreLogFolder(textOf(logs));  // no trailing separator given
    window->FillLogMenus();
    EXPECT_TRUE(entry("LogToday01")->isEnabled());
    EXPECT_EQ(entry("LogToday01")->text(), QStringLiteral("MHChatLog_2024_03_01.html(&T)"));
    EXPECT_FALSE(entry("LogYesterday01")->isEnabled());
    EXPECT_EQ(entry("LogYesterday01")->text(), QStringLiteral("Yesterday's Log(&Y)"));

    const auto yesterday = writeLog("MHChatLog_2024_02_29.html", generator.header());
    window->FillLogMenus();
    EXPECT_EQ(entry("LogYesterday01")->text(), QStringLiteral("MHChatLog_2024_02_29.html(&Y)"));
    entry("LogYesterday01")->trigger();
    EXPECT_EQ(window->liveLog().tail().path(), yesterday);
    entry("LogToday01")->trigger();
    EXPECT_EQ(window->liveLog().tail().path(), today);
    EXPECT_EQ(window->logSession().history().entries(),
              (config::TextLines{textOf(today), textOf(yesterday)}));
    EXPECT_EQ(exp.resets, 2);
}

// --- Whether the log is alive -----------------------------------------------------

TEST_F(LogAttachTest, TheStatusBarSaysWhenTheLogLastGrewAndThatItStopped) {
    QLabel* activity = window->logActivityPanel();
    window->show();
    EXPECT_FALSE(activity->isVisible());
    const auto log = writeLog("MHChatLog_2024_02_29.html", generator.header());
    chooseInDialog(log);
    window->attachLog();
    EXPECT_TRUE(activity->isVisible());
    EXPECT_EQ(activity->text(), QStringLiteral("0:05:00から更新待ち"));

    clock.set({2024, 3, 1, 0, 6, 10});
    window->session().logActivity.setQuietLimit(std::chrono::milliseconds{50});
    append(log, line(colours::kTeam, "Ren : まだいる"));
    window->liveLog().catchUp();
    EXPECT_EQ(activity->text(), QStringLiteral("最終更新 0:06:10"));
    // The two panels stay as they were.
    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("アタッチ"));
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString::fromStdString(log.string()));
    const QColor normalText = activity->palette().color(QPalette::WindowText);

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return activity->text() == QStringLiteral("停止中 最終更新 0:06:10"); }, 5000))
        << activity->text().toStdString();
    EXPECT_EQ(activity->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_NE(normalText, QColor(255, 0, 0));
}

TEST_F(LogAttachTest, BrokenGainLineIsNamedOnceAndLaterAttachesReportNoFailure) {
    const auto today = writeLog("MHChatLog_2024_03_01.html",
                                generator.header() + line(colours::kTeam, "Ren : 前"));
    setOption("OldLog01", true);
    window->restoreLogFolder(textOf(logs));
    window->FillLogMenus();
    entry("LogToday01")->trigger();
    waitForTidying();

    // Two writes interleaved: the amount is cut by the start of another line.
    const std::string broken = line(colours::kBattle, "経験値が 12<font 上がりました。");
    append(today, broken + line(colours::kTeam, "Ren : 後"));
    window->liveLog().catchUp();
    for (int attach = 0; attach < 2; ++attach) {
        entry("LogToday01")->trigger();
        waitForTidying();
    }

    const QStringList errors = errorLines();
    ASSERT_EQ(errors.size(), 1) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(
        errors[0].startsWith(QStringLiteral("経験値を読めない行があり、数えずに進みました: ")));
    // The line's own time stamp and the start of its text name it.
    const std::string stamp = broken.substr(kMarkerAndSeparatorBytes, kTimeStampBytes);
    EXPECT_TRUE(errors[0].contains(fromCp932(stamp + " " + sj("経験値が 12<font"))));
    EXPECT_EQ(lines(ChatChannel::Team), 2);
    EXPECT_EQ(lines(ChatChannel::Battle), 1);
}

// --- Auto-attach ---------------------------------------------------------------

TEST_F(LogAttachTest, NewDaysLogIsFollowedThroughTheFolderWatcher) {
    LogSessionTiming shortWait;
    shortWait.autoAttachWait = std::chrono::milliseconds{20};
    window->logSession().setTiming(shortWait);
    writeLog("MHChatLog_2024_02_29.html", generator.header());
    window->restoreLogFolder(textOf(logs));
    window->FillLogMenus();
    entry("LogYesterday01")->trigger();

    const auto today = writeLog("MHChatLog_2024_03_01.html",
                                generator.header() + line(colours::kTeam, "Ren : new day"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->liveLog().tail().path() == today; }, 5000));
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString::fromStdString(today.string()));
    EXPECT_EQ(entry("LogToday01")->text(), QStringLiteral("MHChatLog_2024_03_01.html(&T)"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return lines(ChatChannel::Team) == 1; }, 5000));
    // Only the attach: the switch carries the EXP session on.
    EXPECT_EQ(exp.resets, 1);
}

}  // namespace
}  // namespace ruv::testing
