// The window's frame: title, size, font and status bar.

#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "shell/app/main_window_fixture.h"

namespace ruv::testing {
namespace {

using WindowFrame = MainWindowTest;

TEST_F(WindowFrame, IsTitledWithTheProductName) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("DIrararezuvero"));
}

TEST_F(WindowFrame, ClientAreaBelowTheMenuIs502By204) {
    showWindow();
    EXPECT_EQ(window->width(), 502);
    EXPECT_EQ(window->height() - window->menuBar()->height(), 204);
    EXPECT_EQ(window->centralWidget(), pages());
}

TEST_F(WindowFrame, UsesTwelvePixelPGothic) {
    const QFont font = window->font();
    EXPECT_EQ(font.pixelSize(), 12);
    ASSERT_FALSE(font.families().isEmpty());
    EXPECT_EQ(font.families().front(), QStringLiteral("ＭＳ Ｐゴシック"));
#ifdef _WIN32
    // The offscreen platform on Windows resolves no family; scripts/test-windows
    // checks the real window's Japanese text.
    GTEST_SKIP() << "no font resolution offscreen on Windows";
#endif
    const QString resolved = QFontInfo(window->errorLog()->font()).family();
    EXPECT_TRUE(resolved == QStringLiteral("ＭＳ Ｐゴシック") ||
                resolved.contains(QStringLiteral("IPAPGothic")) ||
                resolved.contains(QStringLiteral("IPA Pゴシック")))
        << resolved.toStdString();
}

TEST_F(WindowFrame, StatusBarHasTheAttachPanelAndAnEmptyPathPanel) {
    QStatusBar* bar = window->statusBar();
    EXPECT_EQ(bar->objectName(), QStringLiteral("StatusBar01"));
    EXPECT_EQ(bar->height(), 19);
    EXPECT_EQ(window->statusText(StatusPanel::State), QStringLiteral("アタッチ"));
    EXPECT_EQ(window->statusText(StatusPanel::Path), QString());
    auto* state = bar->findChild<QLabel*>(QStringLiteral("StatusBar01Panel0"));
    auto* path = bar->findChild<QLabel*>(QStringLiteral("StatusBar01Panel1"));
    ASSERT_NE(state, nullptr);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(state->width(), 60);
    // Paths and chat-derived figures are never read as markup.
    EXPECT_EQ(state->textFormat(), Qt::PlainText);
    EXPECT_EQ(path->textFormat(), Qt::PlainText);
    window->setStatusText(StatusPanel::Path, QStringLiteral("C:\\log\\<b>MHChatLog.html"));
    EXPECT_EQ(window->statusText(StatusPanel::Path), QStringLiteral("C:\\log\\<b>MHChatLog.html"));
}

TEST_F(WindowFrame, CannotBeMadeSmallerThan350By120Outside) {
    showWindow();
    const QSize before = window->size();
    window->resize(100, 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() != before; }));
    const QSize outer = window->frameGeometry().size();
    EXPECT_GE(outer.width(), 350);
    EXPECT_GE(outer.height(), 120);
    const QMargins frame = window->windowHandle()->frameMargins();
    EXPECT_EQ(window->minimumWidth() + frame.left() + frame.right(), 350);
    EXPECT_EQ(window->minimumHeight() + frame.top() + frame.bottom(), 120);
}

TEST_F(WindowFrame, ClosingWhileMaximisedRestoresTheNormalBounds) {
    showWindow();
    const QRect normal(40, 50, 520, 260);
    window->setGeometry(normal);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->geometry() == normal; }));
    window->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isMaximized(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->geometry() != normal; }));

    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isMaximized());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->normalGeometry() == normal; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->geometry() == normal; }));
}

TEST_F(WindowFrame, ExitClosesTheWindow) {
    showWindow();
    entry("Exit1")->trigger();
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace ruv::testing
