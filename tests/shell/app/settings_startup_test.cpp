// Every setting survives a restart: a window reads its settings folder when it
// is created and writes it when it is destroyed.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/config/config_row.h"
#include "core/config/config_store.h"
#include "core/platform/clock.h"
#include "core/views/ng_lists.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/exp/exp_monitor.h"
#include "shell/log/live_log.h"
#include "shell/speech/speech_side.h"
#include "shell/views/channel_view.h"
#include "support/cp932_text.h"
#include "support/recording_messages.h"

namespace ruv::testing {
namespace {

namespace fs = std::filesystem;
using config::ConfigRow;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The exit steps run when the window closes, as the program's window does.
struct CloseThenDelete {
    void operator()(MainWindow* window) const {
        window->close();
        delete window;
    }
};
using OpenWindow = std::unique_ptr<MainWindow, CloseThenDelete>;

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    OpenWindow open() {
        AppEnvironment environment;
        environment.settingsFolder = folder();
        environment.clock = &clock;
        environment.messages = &messages;
        environment.folderTakesFiles = folderTakesFiles;
        return OpenWindow(new MainWindow(environment));
    }
    fs::path folder() const { return fs::path(dir.path().toStdString()); }
    config::ConfigStore savedConfig() const {
        config::ConfigStore store;
        store.load(folder() / "config.ini");
        return store;
    }

    QTemporaryDir dir;
    platform::ManualClock clock{{2024, 5, 1, 21, 30, 0}};
    RecordingMessages messages;
    std::function<bool(const fs::path&)> folderTakesFiles;
};

TEST_F(SettingsTest, FirstRunWritesAllFiveFilesWithTheSixtyDefaultRows) {
    open().reset();
    const std::string config = readFile(folder() / "config.ini");
    EXPECT_EQ(std::count(config.begin(), config.end(), '\n'), 60);
    // The first-run rows, but the window's bounds, which are saved as they are.
    const config::ConfigStore saved = savedConfig();
    const config::ConfigStore defaults = config::firstRunConfigStore();
    ASSERT_EQ(saved.count(), 60);
    for (int row = 1; row <= 60; ++row) {
        const ConfigRow at = config::configRow(row);
        EXPECT_EQ(saved.key(at), defaults.key(at)) << row;
        if (row < 42 || row > 45) {
            EXPECT_EQ(saved.value(at), defaults.value(at)) << row;
        }
    }
    EXPECT_EQ(saved.value(ConfigRow::WindowWidthSize),
              std::to_string(MainWindow().frameGeometry().width()));
    for (const char* list :
         {"nguserlist.txt", "ngwordlist.txt", "bouyomiuserlist.txt", "loghistoryslist.txt"}) {
        EXPECT_TRUE(fs::exists(folder() / list)) << list;
        EXPECT_EQ(fs::file_size(folder() / list), 0u) << list;
    }
}

TEST_F(SettingsTest, WhatTheUserChangedComesBackAtTheNextStart) {
    {
        auto window = open();
        window->setTabShown(Tab::ExpMonitor, TabVisibility::Hidden);
        window->setTabShown(Tab::Battle, TabVisibility::Shown);
        window->mixCheckBox(ChatChannel::Whis)->setChecked(true);
        window->ngWordSwitch()->setChecked(true);
        window->speechSwitch()->setChecked(true);
        window->readModeList()->setCurrentIndex(2);
        window->menu().transparencies[2].action->trigger();
        window->menu().intervals[3].action->trigger();
        window->menu().tidyOnAttach->trigger();
        window->menu().autoAttach->trigger();
        window->ngLists().users.push_back(sj("荒らし"));
        window->ngLists().words.push_back("spam");
    }
    const config::ConfigStore saved = savedConfig();
    EXPECT_EQ(saved.count(), 60);
    EXPECT_EQ(saved.value(ConfigRow::ExpMonitor), "0");
    EXPECT_EQ(saved.value(ConfigRow::WindowsPenetration), "20");
    EXPECT_EQ(saved.value(ConfigRow::NGUserCheck), "1");  // the NG-word box, names crossed
    EXPECT_EQ(saved.value(ConfigRow::NGWordCheck), "0");
    EXPECT_EQ(readFile(folder() / "nguserlist.txt"), sj("荒らし") + "\r\n");

    auto window = open();
    EXPECT_FALSE(window->tabShown(Tab::ExpMonitor));
    EXPECT_TRUE(window->tabShown(Tab::Battle));
    EXPECT_TRUE(window->mixCheckBox(ChatChannel::Whis)->isChecked());
    EXPECT_FALSE(window->mixCheckBox(ChatChannel::Team)->isChecked());
    EXPECT_TRUE(window->ngWordSwitch()->isChecked());
    EXPECT_FALSE(window->ngUserSwitch()->isChecked());
    EXPECT_TRUE(window->speechSwitch()->isChecked());
    EXPECT_EQ(window->readModeList()->currentIndex(), 2);
    EXPECT_TRUE(window->menu().transparencies[2].action->isChecked());
    EXPECT_EQ(window->windowAlpha().alpha, 204);
    EXPECT_TRUE(window->menu().intervals[3].action->isChecked());
    EXPECT_TRUE(window->menu().tidyOnAttach->isChecked());
    EXPECT_FALSE(window->menu().autoAttach->isChecked());
    ASSERT_EQ(window->ngLists().users.size(), 1u);
    EXPECT_EQ(window->ngLists().users[0], sj("荒らし"));
    EXPECT_TRUE(window->errorLog()->toPlainText().isEmpty());
}

TEST_F(SettingsTest, AFolderThatTakesNoFileIsToldAtStartInTheErrorLogAndStatusBar) {
    std::vector<fs::path> asked;
    folderTakesFiles = [&](const fs::path& checked) {
        asked.push_back(checked);
        return false;
    };
    auto window = open();
    EXPECT_EQ(asked, std::vector<fs::path>{folder()});
    EXPECT_TRUE(window->errorLog()->toPlainText().startsWith(
        QStringLiteral("設定フォルダーに書き込めないため、終了時に設定を保存できません。")));
    EXPECT_TRUE(
        window->errorLog()->toPlainText().contains(QString::fromStdString(folder().string())));
    EXPECT_EQ(window->statusText(StatusPanel::Path),
              QStringLiteral("設定を保存できません（フォルダーに書き込めません）"));
}

TEST_F(SettingsTest, ABadRowCostsThatRowOnlyAndNamesItsStage) {
    writeFile(folder() / "config.ini",
              "BouVolume=loud\r\nBattle=1\r\nUpDateTime=7\r\nBouPort=0\r\nOpenCheck=1\r\n");
    {
        auto window = open();
        const QString log = window->errorLog()->toPlainText();
        EXPECT_TRUE(log.startsWith(QStringLiteral(
            "設定ファイルの読み込みに失敗しました(FormCreate)\n棒読みちゃん用通信設定 "
            "2024/05/01 21:30:00")))
            << log.toStdString();
        // Each bad row is named after its message, with what is used instead
        // and when.
        for (const QString& row :
             {QStringLiteral("\nconfig.ini 1行目 BouVolume=loud: 数値ではありません。代わりに 100 "
                             "を使います。 2024/05/01 21:30:00\n"),
              QStringLiteral("\nconfig.ini 3行目 UpDateTime=7: 使えない値です。代わりに 1 "
                             "を使います。 2024/05/01 21:30:00\n"),
              QStringLiteral("\nconfig.ini 4行目 BouPort=0: 使えない値です。代わりに 50001 "
                             "を使います。 2024/05/01 21:30:00")}) {
            EXPECT_TRUE(log.contains(row)) << row.toStdString();
        }
        EXPECT_TRUE(window->tabShown(Tab::Battle));
        EXPECT_TRUE(window->mixCheckBox(ChatChannel::Open)->isChecked());
        EXPECT_TRUE(window->menu().intervals[0].action->isChecked());
    }
    const config::ConfigStore saved = savedConfig();
    EXPECT_EQ(saved.count(), 60);
    EXPECT_EQ(saved.value(ConfigRow::BouVolume), "100");
    EXPECT_EQ(saved.value(ConfigRow::BouPort), "50001");
    EXPECT_EQ(saved.value(ConfigRow::Battle), "1");
}

TEST_F(SettingsTest, AStartAndAnExitWithNothingChangedLeaveEveryFileByteForByte) {
    const fs::path logs = folder() / "logs";
    fs::create_directory(logs);
    writeFile(folder() / "config.ini", "MHFolderPath=" + (logs / "").string() + "\r\n");
    open().reset();  // the first exit writes every file in its own form
    for (const char* options : {"", "AttachTodayAtStart=1\r\nResetExpAtNewDay=1\r\n"}) {
        SCOPED_TRACE(options);
        writeFile(folder() / "ruvivuvaz_view.ini",
                  std::string("FontSize=9\r\nCallAlert=0\r\n") + options);
        std::map<fs::path, std::string> before;
        for (const auto& file : fs::directory_iterator(folder())) {
            if (file.is_regular_file()) {
                before[file.path()] = readFile(file.path());
            }
        }
        ASSERT_EQ(before.size(), 6u);
        {
            auto window = open();
            window->attachTodaysLogAtStart();  // today's log is awaited, and never comes
        }
        for (const auto& [path, bytes] : before) {
            EXPECT_EQ(readFile(path), bytes) << path.filename().string();
        }
    }
}

TEST_F(SettingsTest, AttachTodayAtStartIsKeptApartFromConfigAndAttachesTodaysLog) {
    const fs::path logs = folder() / "logs";
    fs::create_directory(logs);
    writeFile(logs / "MHChatLog_2024_05_01.html", "");
    writeFile(folder() / "config.ini", "MHFolderPath=" + (logs / "").string() + "\r\n");
    writeFile(folder() / "ruvivuvaz_view.ini", "AttachTodayAtStart=1\r\n");
    {
        auto window = open();
        EXPECT_TRUE(window->menu().attachTodayAtStart->isChecked());
        EXPECT_FALSE(window->menu().resetExpAtNewDay->isChecked());
        window->attachTodaysLogAtStart();
        EXPECT_EQ(window->liveLog().tail().path(), logs / "MHChatLog_2024_05_01.html");
        window->menu().attachTodayAtStart->trigger();
        window->menu().resetExpAtNewDay->trigger();
    }
    EXPECT_EQ(readFile(folder() / "ruvivuvaz_view.ini"),
              "FontSize=9\r\nCallAlert=0\r\nResetExpAtNewDay=1\r\n");
    EXPECT_EQ(savedConfig().count(), 60);
    auto window = open();
    EXPECT_FALSE(window->menu().attachTodayAtStart->isChecked());
    window->attachTodaysLogAtStart();
    EXPECT_TRUE(window->liveLog().tail().path().empty());
    EXPECT_TRUE(window->session().core.state.attach.resetExpAtSwitch);
}

TEST_F(SettingsTest, TheRulesFilesLinesCarryTheDateAndTime) {
    writeFile(folder() / "ruvivuvaz_rules.json",
              R"({"rules": [{"name": "broken", "pattern": "(", "regex": true}]})");
    {
        auto window = open();
        const QStringList lines = window->errorLog()->toPlainText().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 1);
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("通知ルール「broken」は使えません。")));
        EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" 2024/05/01 21:30:00")))
            << lines[0].toStdString();
    }
    writeFile(folder() / "ruvivuvaz_rules.json", "{\"rules\": [");
    auto window = open();
    const QString line = window->errorLog()->toPlainText();
    EXPECT_TRUE(line.startsWith(QStringLiteral("通知ルールのファイルを読めないため")));
    EXPECT_TRUE(line.endsWith(QStringLiteral(" 2024/05/01 21:30:00"))) << line.toStdString();
}

TEST_F(SettingsTest, SpeechRowsReachTheBridgeAndTheReadModeListAndAreWrittenBack) {
    const std::string rows =
        "BouIPAddress=10.0.0.2\r\nBouPort=50002\r\nBouVolume=70\r\nBouPitch=130\r\n"
        "BouOntei=80\r\nBouVoiceKind=5\r\nBouLimitMoji=20\r\nBouNoName=1\r\n"
        "BouyomiCheck01=1\r\nBouyomiCheck02=3\r\n";
    writeFile(folder() / "config.ini", rows);
    {
        auto window = open();
        EXPECT_TRUE(window->speechSwitch()->isChecked());
        EXPECT_EQ(window->readModeList()->currentIndex(), 3);
        const SpeechSettings& spoken = window->session().core.speech.settings();
        EXPECT_EQ(spoken.endpoint, (SpeechEndpoint{"10.0.0.2", 50002}));
        EXPECT_EQ(GlobalVoice(spoken), (VoiceParams{130, 80, 70, 5}));
        EXPECT_EQ(spoken.limitMoji, 20);
        EXPECT_EQ(spoken.names, NameReading::Read);
        EXPECT_EQ(spoken.readMode, ReadMode::AllButProfiled);
        window->readModeList()->setCurrentIndex(2);
        EXPECT_EQ(window->session().core.speech.settings().readMode, ReadMode::OnlyProfiled);
    }
    const config::ConfigStore saved = savedConfig();
    EXPECT_EQ(saved.value(ConfigRow::BouIPAddress), "10.0.0.2");
    EXPECT_EQ(saved.value(ConfigRow::BouPitch), "130");
    EXPECT_EQ(saved.value(ConfigRow::BouNoName), "1");
    EXPECT_EQ(saved.value(ConfigRow::BouyomiCheck02), "2");
}

TEST_F(SettingsTest, ShuffledAndUnknownRowsAreWrittenBackInTheCanonicalOrder) {
    const std::string logFolder = (std::filesystem::path("/games/logs") / "").string();
    writeFile(folder() / "config.ini",
              "Unknown=1\r\nMHFolderPath=" + logFolder + "\r\nNormal=2\r\nWhatever\r\n");
    open().reset();
    const config::ConfigStore saved = savedConfig();
    EXPECT_TRUE(saved.hasCanonicalLayout());
    EXPECT_EQ(saved.value(ConfigRow::Normal), "1");
    // Nothing attached: the log folder row keeps what was read.
    EXPECT_EQ(saved.value(ConfigRow::MHFolderPath), logFolder);
    EXPECT_EQ(readFile(folder() / "config.ini").find("Unknown"), std::string::npos);
}

TEST_F(SettingsTest, LogFolderWithOnlyYesterdaysLogEnablesYesterdaysEntry) {
    const fs::path logs = folder() / "logs";
    fs::create_directories(logs);
    writeFile(logs / "MHChatLog_2024_04_30.html", "");
    writeFile(folder() / "config.ini", "MHFolderPath=" + (logs.string() + "/") + "\r\n");
    auto window = open();
    EXPECT_TRUE(window->menu().yesterdaysLog->isEnabled());
    EXPECT_EQ(window->menu().yesterdaysLog->text(),
              QStringLiteral("MHChatLog_2024_04_30.html(&Y)"));
    EXPECT_FALSE(window->menu().todaysLog->isEnabled());
}

TEST_F(SettingsTest, ASoundThatIsGoneIsShownOnceAndLogged) {
    writeFile(folder() / "config.ini",
              "SoundPathMemo02=" + (folder() / "gone.wav").string() + "\r\n");
    auto window = open();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].second.startsWith(
        QStringLiteral("以前に設定した音声ファイルが見つかりません。")));
    EXPECT_TRUE(window->errorLog()->toPlainText().startsWith(
        QStringLiteral("設定ファイルの読み込みに失敗しました(FormCreate) ")));
    window.reset();
    // The path is kept for the next start.
    EXPECT_EQ(savedConfig().value(ConfigRow::SoundPathMemo02), (folder() / "gone.wav").string());
}

TEST_F(SettingsTest, TheWindowComesBackWhereAndAsLargeAsItWas) {
    {
        auto window = open();
        window->move(40, 30);
        window->resize(600, 300);
    }
    auto window = open();
    EXPECT_EQ(window->frameGeometry(), QRect(40, 30, 600, 300));
}

TEST_F(SettingsTest, AWindowSavedOffTheScreenOrLargerThanItOpensWhollyOnIt) {
    writeFile(folder() / "config.ini",
              "WindowTopPosition=5000\r\nWindowLeftPosition=-3000\r\n"
              "WindowHeightSize=3000\r\nWindowWidthSize=4000\r\n");
    auto window = open();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window->frameGeometry()))
        << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
        << window->frameGeometry().width() << "x" << window->frameGeometry().height();
}

TEST_F(SettingsTest, AWindowClosedMaximisedComesBackMaximisedOverItsNormalBounds) {
    const QRect normal(40, 50, 520, 260);
    {
        auto window = open();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->setGeometry(normal);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->geometry() == normal; }));
        window->showMaximized();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->isMaximized(); }));
    }
    const std::string config = readFile(folder() / "config.ini");
    const std::string view = readFile(folder() / "ruvivuvaz_view.ini");
    const config::ConfigStore saved = savedConfig();
    const QRect outer(QPoint(std::stoi(saved.value(ConfigRow::WindowLeftPosition)),
                             std::stoi(saved.value(ConfigRow::WindowTopPosition))),
                      QSize(std::stoi(saved.value(ConfigRow::WindowWidthSize)),
                            std::stoi(saved.value(ConfigRow::WindowHeightSize))));
    EXPECT_TRUE(outer.contains(normal) && outer.width() - normal.width() < 20)
        << "the saved bounds are not the normal ones: " << outer.x() << "," << outer.y() << " "
        << outer.width() << "x" << outer.height();
    {
        auto window = open();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->isMaximized(); }));
    }
    EXPECT_EQ(readFile(folder() / "config.ini"), config);
    EXPECT_EQ(readFile(folder() / "ruvivuvaz_view.ini"), view);
}

TEST_F(SettingsTest, EmptyPositionRowsLeaveTheWindowWhereThePlatformPlacesIt) {
    writeFile(folder() / "config.ini",
              "WindowTopPosition=\r\nWindowLeftPosition=\r\nWindowHeightSize=300\r\n");
    auto window = open();
    EXPECT_FALSE(window->testAttribute(Qt::WA_Moved));
    EXPECT_EQ(window->frameGeometry().height(), 300);
}

TEST_F(SettingsTest, AConfigThatCannotBeReadStopsTheReadingInsteadOfAFirstRun) {
    fs::create_directory(folder() / "config.ini");
    auto window = open();
    EXPECT_TRUE(window->errorLog()->toPlainText().startsWith(
        QStringLiteral("設定ファイルの読み込みに失敗しました(FormCreate)\n 2024/05/01 21:30:00")))
        << window->errorLog()->toPlainText().toStdString();
    // A first run would centre the window on the desktop.
    EXPECT_FALSE(window->testAttribute(Qt::WA_Moved));
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenCostsItselfOnlyAndIsNamedInOneWarning) {
    {
        auto window = open();
        window->ngLists().users.push_back("troll");
        window->ngLists().words.push_back("spam");
        window->storedSpeech().setVoiceProfiles({{"abc", 3, 80, 120, 90}});
        fs::create_directory(folder() / "config.ini");
    }
    EXPECT_TRUE(fs::is_directory(folder() / "config.ini"));
    EXPECT_EQ(readFile(folder() / "nguserlist.txt"), "troll\r\n");
    EXPECT_EQ(readFile(folder() / "ngwordlist.txt"), "spam\r\n");
    EXPECT_EQ(readFile(folder() / "bouyomiuserlist.txt"), "abc=3,80,120,90\r\n");
    EXPECT_TRUE(fs::exists(folder() / "loghistoryslist.txt"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, MessageKind::Warning);
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("config.ini")))
        << messages.shown[0].second.toStdString();
    EXPECT_FALSE(messages.shown[0].second.contains(QStringLiteral(".txt")));
}

TEST_F(SettingsTest, AWindowWithoutASettingsFolderReadsAndWritesNothing) {
    {
        MainWindow window;
        window.setTabShown(Tab::Battle, TabVisibility::Shown);
    }
    EXPECT_TRUE(fs::is_empty(folder()));
}

}  // namespace
}  // namespace ruv::testing

namespace ruv::testing {
namespace {

TEST_F(SettingsTest, TextSizeAndTheAlertOptionSurviveARestartBesideConfigIni) {
    int startPixels = 0;
    {
        auto window = open();
        ChannelView* team = window->view(ChatChannel::Team);
        startPixels = team->font().pixelSize();
        const int lineHeight = team->fontMetrics().lineSpacing();
        QTest::keyClick(team, Qt::Key_Plus, Qt::ControlModifier);
        window->menu().textLarger->trigger();
        EXPECT_GT(team->font().pixelSize(), startPixels);
        EXPECT_GT(team->fontMetrics().lineSpacing(), lineHeight);
        EXPECT_EQ(window->errorLog()->font().pixelSize(), team->font().pixelSize());
        window->menu().callAlert->trigger();
        EXPECT_TRUE(window->session().core.state.route.callAlert);
    }
    const auto again = open();
    EXPECT_GT(again->view(ChatChannel::Normal)->font().pixelSize(), startPixels);
    EXPECT_TRUE(again->menu().callAlert->isChecked());
    EXPECT_TRUE(again->session().core.state.route.callAlert);
    EXPECT_EQ(savedConfig().count(), 60);
}

}  // namespace
}  // namespace ruv::testing
