#include "shell/views/text_size_control.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <string>
#include <vector>

#include "core/views/view_lines.h"
#include "shell/views/channel_view.h"

namespace {

using ruv::ByteOffset;
using ruv::ChannelView;
using ruv::TextSize;
using ruv::TextSizeControl;
using ruv::ViewLines;

constexpr int kLines = 100'000;
constexpr int kTopLine = 50'000;

void sendCtrlWheel(QWidget& target, int delta) {
    const QPointF at(10, 10);
    QWheelEvent wheel(at, target.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &wheel);
}

TEST(TextSizeControl, ResizesAFullViewKeepingItsTopLineAndTheErrorLogAlong) {
    ViewLines lines;
    ChannelView view(lines);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    view.setFont(font);
    QPlainTextEdit errorLog;
    for (int i = 0; i < kLines; ++i) {
        lines.append("line " + std::to_string(i));
    }
    view.resize(400, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QApplication::processEvents();
    view.verticalScrollBar()->setValue(kTopLine);
    const int pageBefore = view.verticalScrollBar()->pageStep();

    TextSizeControl control;
    control.addView(view);
    control.addErrorLog(errorLog);
    std::vector<int> announced;
    QObject::connect(&control, &TextSizeControl::sizeChanged,
                     [&announced](TextSize size) { announced.push_back(size.points()); });

    // Three notches up over the view's text, then Ctrl+- on the view.
    for (int notch = 0; notch < 6; ++notch) {
        sendCtrlWheel(*view.viewport(), 60);  // half notches, as a fine wheel sends
    }
    QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
    QApplication::processEvents();

    EXPECT_EQ(announced, (std::vector<int>{10, 11, 12, 11}));
    const int pixels = TextSize(11).pixels();
    EXPECT_EQ(view.font().pixelSize(), pixels);
    EXPECT_EQ(errorLog.font().pixelSize(), pixels);
    EXPECT_EQ(view.font().family(), font.family());

    const int lineHeight = QFontMetrics(view.font()).lineSpacing();
    EXPECT_EQ(view.verticalScrollBar()->value(), kTopLine);
    const auto startOf = [&view](int line) {
        return view.lineStore().lineStart(static_cast<std::size_t>(line));
    };
    EXPECT_EQ(view.characterRect(startOf(kTopLine)).top(), 0);
    EXPECT_EQ(view.characterRect(startOf(kTopLine + 1)).top(), lineHeight);
    EXPECT_LT(view.verticalScrollBar()->pageStep(), pageBefore);

    // Ctrl+0 over the error log brings both back.
    QTest::keyClick(&errorLog, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view.font().pixelSize(), TextSize().pixels());
    EXPECT_EQ(control.size(), TextSize());
}

}  // namespace
