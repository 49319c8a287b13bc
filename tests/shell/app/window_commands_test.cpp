// The commands that act on the window itself: update interval, transparency,
// always on top and the version box.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"

namespace ruv::testing {
namespace {

using UpdateInterval = MainWindowTest;

TEST_F(UpdateInterval, StartsAtOneSecondWithTheTimerOffAndNoSyncNotice) {
    EXPECT_TRUE(window->menu().intervals[0].action->isChecked());
    EXPECT_TRUE(window->tabPages().syncingLabel->isHidden());
    EXPECT_FALSE(window->expTimer().isActive());
    EXPECT_EQ(window->expTimer().interval(), 1000);
    EXPECT_EQ(window->expTimer().objectName(), QStringLiteral("Timer01"));
}

using Transparency = MainWindowTest;

TEST_F(Transparency, EachEntryAppliesItsAlpha) {
    struct Case {
        const char* name;
        bool blending;
        int alpha;
    };
    const Case cases[] = {{"N501", true, 230}, {"N601", true, 204}, {"N701", true, 179},
                          {"N801", true, 153}, {"N901", true, 128}, {"N1001", false, 255}};
    for (const Case& c : cases) {
        entry(c.name)->trigger();
        EXPECT_EQ(window->windowAlpha().blending, c.blending) << c.name;
        EXPECT_EQ(window->windowAlpha().alpha, c.alpha) << c.name;
        EXPECT_NEAR(window->windowOpacity(), c.alpha / 255.0, 0.002) << c.name;
    }
}

TEST_F(Transparency, DefaultAfterThirtyPercentIsOpaqueAgain) {
    entry("N701")->trigger();
    EXPECT_EQ(window->windowAlpha().alpha, 179);
    entry("N1001")->trigger();
    EXPECT_FALSE(window->windowAlpha().blending);
    EXPECT_DOUBLE_EQ(window->windowOpacity(), 1.0);
}

using AlwaysOnTop = MainWindowTest;

TEST_F(AlwaysOnTop, TogglesTheTopMostBandWithoutMovingOrHiding) {
    showWindow();
    window->setGeometry(QRect(70, 80, 510, 250));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->geometry() == QRect(70, 80, 510, 250); }));
    QWindow* handle = window->windowHandle();

    entry("N14")->trigger();
    EXPECT_TRUE(window->session().core.state.topMost);
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window->windowHandle(), handle);  // not recreated
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), QRect(70, 80, 510, 250));

    entry("N14")->trigger();
    EXPECT_FALSE(window->session().core.state.topMost);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), QRect(70, 80, 510, 250));
}

using VersionBox = MainWindowTest;

TEST_F(VersionBox, ShowsTheProductLinesInAPlainTextBoxWithOk) {
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        format = box->textFormat();
        buttons = box->standardButtons();
        box->accept();
    });
    entry("About1")->trigger();
    EXPECT_EQ(title, QStringLiteral("DIrararezuvero"));
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(buttons, QMessageBox::Ok);
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], QStringLiteral("ミストハーバー用チャットログフィルター"));
    EXPECT_EQ(lines[1], QStringLiteral("Ver0.9.4a"));
    EXPECT_FALSE(lines[2].isEmpty());
    EXPECT_EQ(lines[3], QStringLiteral("動作確認：Microsoft Windows XP Pro SP3"));
    EXPECT_EQ(lines[4], QString());
    EXPECT_FALSE(lines[5].isEmpty());
    EXPECT_EQ(lines[6], QString());
    EXPECT_EQ(lines[7], QStringLiteral("・・・と言うことらしいですよ？"));
}

}  // namespace
}  // namespace ruv::testing
