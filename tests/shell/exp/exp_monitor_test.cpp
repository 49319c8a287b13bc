// The 経験値情報 tab in the real window: its two pages, the layouts, the typed
// key filters, the reset and pause questions, live gain and level-up lines
// routed from a real log file, the tick, the interval menu and the status bar.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/platform/clock.h"
#include "loggen/log_generator.h"
#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"
#include "shell/exp/exp_monitor.h"
#include "shell/platform/user_messages.h"
#include "support/recording_messages.h"

namespace ruv::testing {
namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

class ExpMonitorTest : public MainWindowTest {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(AppEnvironment{{}, &clock, &messages});
        ASSERT_TRUE(dir.isValid());
        log = std::filesystem::path(dir.filePath("MHChatLog_2024_05_01.html").toStdString());
        std::ofstream(log, std::ios::binary) << generator.header();
    }

    ExpMonitor& monitor() { return window->session().expMonitor; }

    QLineEdit* field(const char* name) const {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    QString fieldText(const char* name) const { return field(name)->text(); }
    QLabel* label(const char* name) const {
        auto* found = window->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString labelText(const char* name) const { return label(name)->text(); }
    QString captionOf(const char* name) const {
        return labelText((std::string(name) + "Caption").c_str());
    }
    QComboBox* combo(const char* name) const {
        return window->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QColor textColour(const QLabel* shown) {
        return shown->palette().color(QPalette::WindowText);
    }

    void attach() {
        window->session().core.exp.ResetForAttach();
        window->liveLog().attach(
            log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    }
    void appendBattle(const char* utf8Body) {
        std::ofstream out(log, std::ios::binary | std::ios::app);
        out << generator.makeLine(colours::kBattle, loggen::TagBlockForm::BlankBefore, sj(utf8Body))
                   .bytes
            << "\n";
    }
    void routeGain(int amount) {
        appendBattle(("経験値が " + std::to_string(amount) + " 上がりました。").c_str());
        window->liveLog().catchUp();
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            monitor().onExpTick();
        }
    }

    platform::ManualClock clock{platform::LocalDateTime{2024, 5, 1, 9, 30, 0}};
    RecordingMessages messages;
    QTemporaryDir dir;
    std::filesystem::path log;
    loggen::LogGenerator generator{11};
};

TEST_F(ExpMonitorTest, BasicPageHoldsEveryFigureWithItsCaptionAndFixedLabels) {
    QWidget* page = window->tabPages().expBasicPage;
    const std::vector<std::pair<const char*, const char*>> fields{
        {"LabeledEdit09", "取得EXP"},       {"LabeledEdit07", "EXPのカウント"},
        {"LabeledEdit08", "平均EXP"},       {"LabeledEdit03", "時給（経過÷EXP)"},
        {"LabeledEdit04", "最高時給"},      {"LabeledEdit05", "最低時給"},
        {"LabeledEdit01", "日給"},          {"LabeledEdit02", "日給÷24時間"},
        {"LabeledEdit06", "取得EXP総CT数"},
    };
    for (const auto& [name, caption] : fields) {
        QLineEdit* edit = field(name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->parentWidget(), page) << name;
        EXPECT_TRUE(edit->isReadOnly()) << name;
        EXPECT_EQ(edit->text(), QStringLiteral("0")) << name;
        EXPECT_EQ(captionOf(name), QString::fromUtf8(caption)) << name;
    }
    const std::vector<std::pair<const char*, const char*>> labels{
        {"Label03", "初回取得EXPから"},
        {"Label04", "時間"},
        {"Label05", "分"},
        {"Label06", "秒"},
        {"Label07", "経過"},
        {"TimeH01", "0"},
        {"TimeM01", "0"},
        {"TimeS01", "0"},
        {"Label01", "時給計算の更新時間"},
        {"Label02", "1秒"},
        {"TimeInLabel01", "更新時間の同期中..."},
    };
    for (const auto& [name, text] : labels) {
        QLabel* shown = label(name);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->parentWidget(), page) << name;
        EXPECT_EQ(shown->text(), QString::fromUtf8(text)) << name;
        EXPECT_EQ(shown->textFormat(), Qt::PlainText) << name;
    }
    EXPECT_TRUE(label("TimeLabel01")->isHidden());
    EXPECT_TRUE(label("TimeInLabel01")->isHidden());
    EXPECT_EQ(textColour(label("TimeInLabel01")), kRed);
    EXPECT_EQ(textColour(label("Label01")), kBlack);
    EXPECT_EQ(button("SpeedButton1")->text(), QStringLiteral("一時停止"));
    EXPECT_TRUE(button("SpeedButton1")->isCheckable());
    EXPECT_EQ(button("Button1")->text(), QStringLiteral("リセット"));

    QWidget* debug = window->pageControl()->page(Tab::Debug);
    for (const char* name : {"DeLabel01", "DeLabel02", "DeLabel03"}) {
        EXPECT_EQ(label(name)->parentWidget(), debug) << name;
    }
}

TEST_F(ExpMonitorTest, ExtendedPageHoldsTheForecastFieldsLevelListAndManual) {
    QWidget* page = window->tabPages().expExtendedPage;
    EXPECT_EQ(labelText("Label08"), QStringLiteral("新機能のテスト（ネタです）"));
    QComboBox* levels = combo("LvListBox01");
    ASSERT_NE(levels, nullptr);
    EXPECT_EQ(levels->parentWidget(), page);
    ASSERT_EQ(levels->count(), 256);
    EXPECT_EQ(levels->itemText(0), QStringLiteral("0"));
    EXPECT_EQ(levels->itemText(255), QStringLiteral("255"));
    EXPECT_EQ(levels->currentIndex(), 0);
    EXPECT_EQ(captionOf("LvListBox01"), QStringLiteral("現在のLv"));
    const std::vector<std::tuple<const char*, const char*, bool>> fields{
        {"NextExpLabeledEdit01", "NextEXP", true},    {"LimitExpLabeledEdit01", "LimitEXP", true},
        {"ExpLabeledEdit01", "EXP", false},           {"HoseiLabeledEdit01", "補正値（％）", false},
        {"CurrentExpLabeledEdit01", "累計EXP", true},
    };
    for (const auto& [name, caption, readOnly] : fields) {
        EXPECT_EQ(field(name)->parentWidget(), page) << name;
        EXPECT_EQ(field(name)->isReadOnly(), readOnly) << name;
        EXPECT_EQ(field(name)->text(), QStringLiteral("0")) << name;
        EXPECT_EQ(captionOf(name), QString::fromUtf8(caption)) << name;
    }
    EXPECT_EQ(labelText("NextLv01"), QStringLiteral("次のLvまでにかかる予想時間"));
    EXPECT_EQ(labelText("NextLvTimer01"), QStringLiteral("Next EXP Over　0日　0時　0分　0秒"));
    EXPECT_EQ(labelText("NextLvTimer02"), QStringLiteral("Limit EXP Over　0日　0時　0分　0秒"));

    QComboBox* layouts = combo("LayoutList01");
    ASSERT_NE(layouts, nullptr);
    EXPECT_EQ(layouts->parentWidget(), page);
    ASSERT_EQ(layouts->count(), 2);
    EXPECT_EQ(layouts->itemText(0), QStringLiteral("レイアウト01"));
    EXPECT_EQ(layouts->itemText(1), QStringLiteral("レイアウト02"));

    auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("ManualMemo01"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines[0], QStringLiteral("※：ただのネタシステムです。"));
    EXPECT_EQ(lines[6], QString());
    EXPECT_EQ(lines[13],
              QStringLiteral("単体狩りなら 1% ～ 10%、範囲狩りなら1% ～ -10.00%くらいかな？"));
    EXPECT_EQ(lines[16], QString());
    EXPECT_EQ(lines[21], QStringLiteral("予想時間が恐ろしい事になります。"));
}

TEST_F(ExpMonitorTest, LayoutsPlaceTheBasicPageAtTheirPositions) {
    const auto at = [this](const char* name) {
        QWidget* control =
            window->tabPages().expBasicPage->findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control->pos();
    };
    EXPECT_EQ(at("LabeledEdit09"), QPoint(0, 16));
    EXPECT_EQ(at("LabeledEdit05"), QPoint(192, 56));
    EXPECT_EQ(at("TimeH01"), QPoint(112, 80));
    EXPECT_EQ(at("Label07"), QPoint(216, 80));
    EXPECT_EQ(at("Label01"), QPoint(8, 96));
    EXPECT_EQ(at("Label02"), QPoint(128, 96));
    EXPECT_EQ(at("TimeInLabel01"), QPoint(288, 88));
    EXPECT_LT(label("LabeledEdit09Caption")->geometry().bottom(), 16);
    for (const char* hidden : {"LabeledEdit01", "LabeledEdit02", "LabeledEdit06"}) {
        EXPECT_TRUE(field(hidden)->isHidden()) << hidden;
        EXPECT_TRUE(label((std::string(hidden) + "Caption").c_str())->isHidden()) << hidden;
    }
    const QPoint pauseAt = button("SpeedButton1")->pos();
    const QPoint resetAt = button("Button1")->pos();

    combo("LayoutList01")->setCurrentIndex(1);
    EXPECT_EQ(monitor().layoutIndex(), 1);
    EXPECT_EQ(at("LabeledEdit09"), QPoint(0, 56));
    EXPECT_EQ(at("LabeledEdit03"), QPoint(0, 96));
    EXPECT_EQ(at("Label03"), QPoint(8, 120));
    EXPECT_EQ(at("TimeS01"), QPoint(192, 120));
    EXPECT_EQ(at("TimeLabel01"), QPoint(248, 120));
    EXPECT_EQ(at("Label01"), QPoint(8, 136));
    EXPECT_EQ(at("TimeInLabel01"), QPoint(288, 88));
    EXPECT_EQ(at("LabeledEdit01"), QPoint(0, 16));
    EXPECT_EQ(at("LabeledEdit06"), QPoint(96, 16));
    EXPECT_EQ(at("LabeledEdit02"), QPoint(192, 16));
    for (const char* shown : {"LabeledEdit01", "LabeledEdit02", "LabeledEdit06"}) {
        EXPECT_FALSE(field(shown)->isHidden()) << shown;
    }
    EXPECT_EQ(button("SpeedButton1")->pos(), pauseAt);
    EXPECT_EQ(button("Button1")->pos(), resetAt);

    // Two-digit seconds sit 6 pixels further left when the layout is applied.
    attach();
    routeGain(100);
    ticks(12);
    ASSERT_EQ(labelText("TimeS01"), QStringLiteral("12"));
    EXPECT_TRUE(monitor().restoreLayoutIndex(0));
    EXPECT_EQ(combo("LayoutList01")->currentIndex(), 0);
    EXPECT_EQ(at("TimeS01"), QPoint(186, 80));
    EXPECT_EQ(at("TimeM01"), QPoint(160, 80));
    EXPECT_TRUE(field("LabeledEdit01")->isHidden());

    EXPECT_FALSE(monitor().restoreLayoutIndex(2));
    EXPECT_EQ(monitor().layoutIndex(), 0);
    EXPECT_EQ(at("LabeledEdit09"), QPoint(0, 16));
}

TEST_F(ExpMonitorTest, ExpAndCorrectionFieldsSwallowTypedCharactersTheyRefuse) {
    QLineEdit* exp = field("ExpLabeledEdit01");
    exp->selectAll();
    QTest::keyClicks(exp, "12a-3.%");
    EXPECT_EQ(exp->text(), QStringLiteral("123"));
    QTest::keyClick(exp, Qt::Key_Backspace);
    EXPECT_EQ(exp->text(), QStringLiteral("12"));
    EXPECT_EQ(monitor().forecast().expText(), "12");

    QLineEdit* correction = field("HoseiLabeledEdit01");
    correction->selectAll();
    QTest::keyClicks(correction, "-1x.5%");
    EXPECT_EQ(correction->text(), QStringLiteral("-1.5"));
    EXPECT_EQ(monitor().forecast().correctionText(), "-1.5");

    // Pasted text is not filtered; the next gain finds it is not a number.
    correction->selectAll();
    correction->insert(QStringLiteral("5%"));
    EXPECT_EQ(correction->text(), QStringLiteral("5%"));
}

TEST_F(ExpMonitorTest, TextAnInputMethodCommitsObeysTheKeyFilters) {
    const auto commit = [](QLineEdit* edit, const QString& text) {
        edit->clear();
        QInputMethodEvent event(QString(), {});
        event.setCommitString(text);
        QCoreApplication::sendEvent(edit, &event);
    };
    // Full-width digits, as a Japanese input method in kana mode commits them.
    commit(field("ExpLabeledEdit01"), QStringLiteral("１2３4"));
    EXPECT_EQ(fieldText("ExpLabeledEdit01"), QStringLiteral("24"));
    EXPECT_EQ(monitor().forecast().expText(), "24");
    commit(field("HoseiLabeledEdit01"), QStringLiteral("-１.5％"));
    EXPECT_EQ(fieldText("HoseiLabeledEdit01"), QStringLiteral("-.5"));
    EXPECT_EQ(monitor().forecast().correctionText(), "-.5");
}

TEST_F(ExpMonitorTest, ResetAsksFirstAndYesClearsAllButTheDayFigures) {
    attach();
    routeGain(1500);
    ticks(3);

    messages.answers = {Answer::No, Answer::Yes};
    button("Button1")->click();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.askedTitles[0], QStringLiteral("リセットの確認"));
    EXPECT_EQ(messages.asked[0],
              QStringLiteral("日給・平均時給・取得EXPの総カウント数以外をリセットします。"));
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("1500"));
    EXPECT_TRUE(window->expTimer().isActive());

    button("Button1")->click();
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("0"));
    EXPECT_EQ(fieldText("LabeledEdit07"), QStringLiteral("0"));
    EXPECT_EQ(fieldText("LabeledEdit03"), QStringLiteral("0"));
    EXPECT_EQ(fieldText("CurrentExpLabeledEdit01"), QStringLiteral("0"));
    EXPECT_EQ(labelText("TimeS01"), QStringLiteral("0"));
    EXPECT_EQ(fieldText("LabeledEdit01"), QStringLiteral("1500"));
    EXPECT_EQ(fieldText("LabeledEdit06"), QStringLiteral("1"));
    EXPECT_FALSE(window->expTimer().isActive());
}

TEST_F(ExpMonitorTest, PauseHoldsGainsApartAndResumeAsksWhetherToMergeThem) {
    attach();
    routeGain(1000);
    QPushButton* pause = button("SpeedButton1");
    pause->click();
    EXPECT_TRUE(pause->isChecked());
    EXPECT_EQ(pause->text(), QStringLiteral("再開"));
    EXPECT_EQ(labelText("Label01"), QStringLiteral("更新処理停止中..."));
    EXPECT_EQ(textColour(label("Label01")), kRed);
    EXPECT_TRUE(label("Label02")->isHidden());

    routeGain(300);
    routeGain(200);
    ticks(2);
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("1000"));
    EXPECT_EQ(labelText("DeLabel01"), QStringLiteral("500"));
    EXPECT_EQ(labelText("DeLabel02"), QStringLiteral("2"));
    EXPECT_EQ(labelText("DeLabel03"), QStringLiteral("2"));
    EXPECT_EQ(labelText("Label01"), QStringLiteral("ロストカウント発生中...　EXP:500 CT:2 2秒"));

    messages.answers = {Answer::Yes};
    pause->click();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.askedTitles[0], QStringLiteral("ロストカウントの行方"));
    EXPECT_EQ(messages.asked[0],
              QStringLiteral(
                  "ロストカウント分を加算しますか？\r\n（一時停止中に計算した情報を加算します）"
                  "\r\n（ただし最高・最低時給は反映されません）"));
    EXPECT_FALSE(pause->isChecked());
    EXPECT_EQ(pause->text(), QStringLiteral("一時停止"));
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("1500"));
    EXPECT_EQ(fieldText("LabeledEdit07"), QStringLiteral("3"));
    EXPECT_EQ(labelText("DeLabel01"), QStringLiteral("0"));
    EXPECT_EQ(labelText("Label01"), QStringLiteral("時給計算の更新時間"));
    EXPECT_EQ(textColour(label("Label01")), kBlack);
    EXPECT_FALSE(label("Label02")->isHidden());

    // Resuming with nothing lost asks nothing.
    pause->click();
    pause->click();
    EXPECT_EQ(messages.asked.size(), 1u);
}

TEST_F(ExpMonitorTest, LiveGainLineCountsAtOnceAndTheTickShowsElapsedTimeAndRate) {
    attach();
    EXPECT_FALSE(window->expTimer().isActive());
    routeGain(1500);
    EXPECT_TRUE(window->expTimer().isActive());
    EXPECT_EQ(window->expTimer().interval(), 1000);
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("1500"));
    EXPECT_EQ(fieldText("LabeledEdit07"), QStringLiteral("1"));
    EXPECT_EQ(fieldText("LabeledEdit08"), QStringLiteral("1500"));
    EXPECT_EQ(fieldText("LabeledEdit01"), QStringLiteral("1500"));
    EXPECT_EQ(fieldText("LabeledEdit02"), QStringLiteral("62"));
    EXPECT_EQ(fieldText("CurrentExpLabeledEdit01"), QStringLiteral("1500"));
    EXPECT_EQ(fieldText("ExpLabeledEdit01"), QStringLiteral("1500"));

    // One real tick of Timer01, its second shortened; later ticks are driven.
    QSignalSpy ticked(&window->expTimer(), &QTimer::timeout);
    window->expTimer().start(1);
    ASSERT_TRUE(ticked.wait(3000));
    window->expTimer().start(1000);
    EXPECT_EQ(labelText("TimeH01"), QStringLiteral("0"));
    EXPECT_EQ(labelText("TimeM01"), QStringLiteral("0"));
    EXPECT_EQ(labelText("TimeS01"), QStringLiteral("1"));
    EXPECT_EQ(fieldText("LabeledEdit03"), QStringLiteral("5400000"));

    // The next gain line does not start the clock again.
    ticks(2);
    routeGain(500);
    ticks(1);
    EXPECT_EQ(labelText("TimeS01"), QStringLiteral("4"));
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("2000"));
    EXPECT_EQ(fieldText("LabeledEdit03"), QStringLiteral("1800000"));
    EXPECT_TRUE(window->errorLog()->toPlainText().isEmpty());
}

TEST_F(ExpMonitorTest, GainOutside32BitsIsReportedAndNotCounted) {
    attach();
    routeGain(1000);
    appendBattle("経験値が 99999999999 上がりました。");
    window->liveLog().catchUp();
    EXPECT_TRUE(window->errorLog()->toPlainText().startsWith(
        QStringLiteral("フィルター処理中にエラーが発生しました(ShellChangeNotifier01Change) ")));
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("1000"));
    EXPECT_EQ(fieldText("LabeledEdit07"), QStringLiteral("1"));
}

TEST_F(ExpMonitorTest, GainLineWithoutANumberStillStartsTheClock) {
    attach();
    appendBattle("経験値が x 上がりました。");
    window->liveLog().catchUp();
    EXPECT_TRUE(window->expTimer().isActive());
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("0"));
    EXPECT_EQ(window->errorLog()->document()->lineCount(), 1);
}

TEST_F(ExpMonitorTest, FailedForecastIsLoggedWithTheSessionClock) {
    attach();
    routeGain(3600);
    QLineEdit* exp = field("ExpLabeledEdit01");
    exp->selectAll();
    exp->insert(QStringLiteral("abc"));  // pasted, so not filtered
    ticks(1);
    EXPECT_EQ(window->errorLog()->toPlainText(),
              QStringLiteral("LvUP予想時間処理に失敗しました(Timer01Timer) 2024/05/01 9:30:00"));
    EXPECT_EQ(fieldText("LabeledEdit03"), QStringLiteral("12960000"));
}

TEST_F(ExpMonitorTest, StatusBarShowsTheClockAndFiguresWhileN22IsChecked) {
    window->session().core.exp.SetAttachedLogPath("C:\\logs\\MHChatLog_2024_05_01.html");
    attach();
    window->menu().rateInStatusBar->trigger();
    ASSERT_TRUE(window->session().core.state.statusBarRate);
    routeGain(500);
    routeGain(700);
    routeGain(300);
    ticks(307);
    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("0:5:7"));
    EXPECT_EQ(window->statusText(StatusPanel::Path),
              QStringLiteral("CT:3 取得EXP:1500 時給EXP:17589"));
    EXPECT_EQ(fieldText("LabeledEdit03"), QStringLiteral("17589"));

    window->menu().rateInStatusBar->trigger();
    EXPECT_FALSE(monitor().statusBarShown());
    ticks(1);
    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("アタッチ"));
    EXPECT_EQ(window->statusText(StatusPanel::Path),
              QStringLiteral("C:\\logs\\MHChatLog_2024_05_01.html"));

    monitor().restoreStatusBarShown(true);
    EXPECT_TRUE(window->menu().rateInStatusBar->isChecked());
    EXPECT_TRUE(monitor().statusBarShown());
}

TEST_F(ExpMonitorTest, LevelUpLineCarriesExpOverAndMovesToTheNextLevel) {
    attach();
    combo("LvListBox01")->setCurrentIndex(10);
    EXPECT_EQ(fieldText("NextExpLabeledEdit01"), QStringLiteral("3075"));
    EXPECT_EQ(fieldText("LimitExpLabeledEdit01"), QStringLiteral("4745"));
    QLineEdit* exp = field("ExpLabeledEdit01");
    exp->selectAll();
    QTest::keyClicks(exp, "3200");

    appendBattle("ソラはレベルアップしました！");
    window->liveLog().catchUp();
    EXPECT_EQ(combo("LvListBox01")->currentIndex(), 11);
    EXPECT_EQ(fieldText("ExpLabeledEdit01"), QStringLiteral("125"));
    EXPECT_EQ(fieldText("NextExpLabeledEdit01"), QStringLiteral("4740"));
    EXPECT_EQ(fieldText("LimitExpLabeledEdit01"), QStringLiteral("6033"));

    // A gain with a correction of 10 % adds 165 for 150; the forecast follows the tick.
    QLineEdit* correction = field("HoseiLabeledEdit01");
    correction->selectAll();
    QTest::keyClicks(correction, "10");
    routeGain(150);
    EXPECT_EQ(fieldText("ExpLabeledEdit01"), QStringLiteral("290"));
    ticks(1);
    EXPECT_TRUE(labelText("NextLvTimer01").startsWith(QStringLiteral("Next EXP Over　")));
    EXPECT_EQ(textColour(label("NextLvTimer01")), kBlack);

    // A correction the forecast cannot read zeroes both fields and shows the notice in red.
    correction->selectAll();
    correction->insert(QStringLiteral("5%"));
    routeGain(10);
    EXPECT_EQ(fieldText("ExpLabeledEdit01"), QStringLiteral("0"));
    EXPECT_EQ(fieldText("HoseiLabeledEdit01"), QStringLiteral("0"));
    EXPECT_EQ(labelText("NextLv01"), QStringLiteral("入力値エラーのため数値を0にします"));
    EXPECT_EQ(textColour(label("NextLv01")), kRed);
}

TEST_F(ExpMonitorTest, IntervalMenuFollowsTheRulesOfTheRateCalculator) {
    attach();
    routeGain(1000);
    ticks(3);

    window->menu().intervals[1].action->trigger();
    EXPECT_TRUE(window->menu().intervals[1].action->isChecked());
    EXPECT_FALSE(window->menu().intervals[0].action->isChecked());
    EXPECT_FALSE(label("TimeInLabel01")->isHidden());
    ticks(1);
    EXPECT_EQ(window->expTimer().interval(), 1000);
    EXPECT_EQ(labelText("Label02"), QStringLiteral("1秒"));
    ticks(1);  // 5 seconds elapsed: the new period takes effect
    EXPECT_EQ(window->expTimer().interval(), 5000);
    EXPECT_EQ(labelText("Label02"), QStringLiteral("5秒"));
    EXPECT_TRUE(label("TimeInLabel01")->isHidden());
    ticks(1);
    EXPECT_EQ(labelText("TimeS01"), QStringLiteral("10"));

    window->menu().intervals[5].action->trigger();
    EXPECT_TRUE(window->menu().intervals[5].action->isChecked());
    EXPECT_FALSE(window->expTimer().isActive());
    routeGain(100);
    EXPECT_FALSE(window->expTimer().isActive());
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("1100"));
    EXPECT_EQ(monitor().intervalSetting(), 0);

    // Clicking the checked "停止" keeps it; choosing an interval lets the next
    // gain restart the clock at 0.
    window->menu().intervals[5].action->trigger();
    EXPECT_TRUE(window->menu().intervals[5].action->isChecked());
    routeGain(100);
    EXPECT_FALSE(window->expTimer().isActive());
    window->menu().intervals[1].action->trigger();
    EXPECT_EQ(monitor().intervalSetting(), 5);
    routeGain(100);
    EXPECT_TRUE(window->expTimer().isActive());
    EXPECT_EQ(labelText("TimeLabel01"), QStringLiteral("0"));
    EXPECT_EQ(window->expTimer().interval(), 5000);  // the period in effect stays
    ticks(1);
    EXPECT_EQ(labelText("TimeS01"), QStringLiteral("5"));
}

TEST_F(ExpMonitorTest, RestoredIntervalMarkDoesNotChangeTheIntervalInEffect) {
    monitor().restoreIntervalSetting(30);
    EXPECT_TRUE(window->menu().intervals[3].action->isChecked());
    EXPECT_FALSE(window->menu().intervals[0].action->isChecked());
    EXPECT_EQ(monitor().intervalSetting(), 30);
    EXPECT_EQ(monitor().stats().chosenInterval(), 1);

    monitor().restoreIntervalSetting(7);
    EXPECT_EQ(monitor().intervalSetting(), 30);

    monitor().restoreIntervalSetting(0);
    EXPECT_TRUE(window->menu().intervals[5].action->isChecked());
    attach();
    routeGain(100);
    EXPECT_FALSE(window->expTimer().isActive());
}

TEST_F(ExpMonitorTest, AttachResetsFiguresAndEarlierGainsCountForTheDayOnly) {
    attach();
    routeGain(1000);
    ticks(2);
    window->session().core.exp.ResetForAttach();
    EXPECT_FALSE(window->expTimer().isActive());
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("0"));
    EXPECT_EQ(fieldText("LabeledEdit01"), QStringLiteral("0"));
    EXPECT_EQ(labelText("TimeS01"), QStringLiteral("0"));
    window->session().core.exp.AddDayGain(2400, "[2024/05/01 9:0] ");
    window->session().core.exp.AddDayGain(240, "[2024/05/01 9:0] ");
    EXPECT_EQ(fieldText("LabeledEdit01"), QStringLiteral("2640"));
    EXPECT_EQ(fieldText("LabeledEdit02"), QStringLiteral("110"));
    EXPECT_EQ(fieldText("LabeledEdit06"), QStringLiteral("2"));
    EXPECT_EQ(fieldText("LabeledEdit09"), QStringLiteral("0"));
    EXPECT_FALSE(window->expTimer().isActive());
}

}  // namespace
}  // namespace ruv::testing
