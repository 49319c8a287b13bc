// The views as screen readers read them through Qt's accessibility interfaces.

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/views/find_dialog.h"
#include "shell/views/plain_text_interface.h"
#include "shell/views/view_commands_fixture.h"

namespace ruv::testing {
namespace {

struct Answer {
    QString text;
    int start = 0;
    int end = 0;
    friend bool operator==(const Answer&, const Answer&) = default;
};

[[maybe_unused]] void PrintTo(const Answer& answer, std::ostream* out) {
    *out << '"' << answer.text.toStdString() << "\" " << answer.start << '-' << answer.end;
}

using Ask = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*,
                                                  int*) const;
constexpr Ask kAsks[] = {&QAccessibleTextInterface::textAtOffset,
                         &QAccessibleTextInterface::textBeforeOffset,
                         &QAccessibleTextInterface::textAfterOffset};

void appendLines(ViewLines& viewLines, const QStringList& lines) {
    for (const QString& line : lines) {
        viewLines.append(cp932::fromUtf8(line.toStdString()).value());
    }
}

TEST(ViewAccessible, AnswersEveryQuestionAsQtWouldOverTheWholeText) {
    const QStringList lines = {QStringLiteral("abc def. Ghi"),
                               QStringLiteral("黒猫 : こんにちは。元気?"), QString(),
                               QStringLiteral("ｱｲｳ 42"), QStringLiteral("last line")};
    ViewLines viewLines;
    ChannelView view(viewLines);
    appendLines(viewLines, lines);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_TRUE(accessible->state().readOnly);
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    // The whole text in one string, with Qt's own boundary rules: what the
    // view must say without ever holding its whole text.
    const PlainTextInterface expected(lines.join(QLatin1Char('\n')));
    const int count = expected.characterCount();
    ASSERT_EQ(text->characterCount(), count);
    EXPECT_EQ(text->text(0, count), expected.text(0, count));
    EXPECT_EQ(text->text(5, 17), expected.text(5, 17));

    for (const Ask ask : kAsks) {
        for (const auto boundary :
             {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
              QAccessible::LineBoundary, QAccessible::ParagraphBoundary}) {
            for (int offset = -1; offset <= count + 1; ++offset) {
                const bool atTheEnd = offset == -1 || offset == count;
                if (ask == &QAccessibleTextInterface::textAtOffset && atTheEnd &&
                    (boundary == QAccessible::WordBoundary ||
                     boundary == QAccessible::SentenceBoundary)) {
                    continue;  // Qt's own rule never returns there: see below
                }
                Answer got;
                Answer want;
                got.text = (text->*ask)(offset, boundary, &got.start, &got.end);
                want.text = (expected.*ask)(offset, boundary, &want.start, &want.end);
                ASSERT_EQ(got, want) << "boundary " << boundary << " at " << offset;
            }
        }
    }
    // The caret at the very end reads the last word and sentence.
    Answer last;
    last.text = text->textAtOffset(count, QAccessible::WordBoundary, &last.start, &last.end);
    EXPECT_EQ(last, (Answer{QStringLiteral("line"), count - 4, count}));
    last.text = text->textAtOffset(-1, QAccessible::SentenceBoundary, &last.start, &last.end);
    EXPECT_EQ(last, (Answer{QStringLiteral("last line"), count - 9, count}));
}

// A view holds a lone empty line after a short malformed line with a marker,
// or a short line of an NG user.
TEST(ViewAccessible, EmptyTextAnswersEveryBoundaryWithAnEmptyRange) {
    struct Case {
        QStringList lines;
        int offset;
    };
    const Case cases[] = {{{}, 0},
                          {{}, -1},
                          {{QString()}, 0},
                          {{QString()}, -1},
                          // An empty line between others: its line break is read as Qt would.
                          {{QStringLiteral("a"), QString(), QStringLiteral("b")}, 2}};
    for (const Case& c : cases) {
        ViewLines viewLines;
        ChannelView view(viewLines);
        appendLines(viewLines, c.lines);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&view)->textInterface();
        const QString whole = c.lines.join(QLatin1Char('\n'));
        const PlainTextInterface expected(whole);
        for (const Ask ask : kAsks) {
            for (const auto boundary :
                 {QAccessible::CharBoundary, QAccessible::WordBoundary,
                  QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary,
                  QAccessible::LineBoundary, QAccessible::NoBoundary}) {
                if (!whole.isEmpty() && boundary == QAccessible::NoBoundary) {
                    continue;  // the view never hands out its whole text at once
                }
                Answer got;
                got.text = (text->*ask)(c.offset, boundary, &got.start, &got.end);
                Answer want;
                if (!whole.isEmpty()) {
                    want.text = (expected.*ask)(c.offset, boundary, &want.start, &want.end);
                }
                EXPECT_EQ(got, want)
                    << c.lines.size() << " lines, boundary " << boundary << " at " << c.offset;
            }
        }
    }
}

TEST_F(ViewCommandsTest, FindPutsTheCaretOnTheFoundLineForScreenReaders) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append(sj("09:00 黒猫 : おはよう"));
    lines(ChatChannel::Normal).append(sj("09:01 白猫 : 見つけた"));
    lines(ChatChannel::Normal).append(sj("09:02 黒猫 : またね"));
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(normal)->textInterface();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(normal)->text(QAccessible::Name),
              QStringLiteral("通常"));

    window->openFind();
    window->findDialog()->setFindText(QStringLiteral("見つけ"));
    window->findDialog()->findButton()->click();

    int start = 0;
    int end = 0;
    ASSERT_EQ(text->selectionCount(), 1);
    text->selection(0, &start, &end);
    EXPECT_EQ(text->text(start, end), QStringLiteral("見つけ"));
    EXPECT_EQ(text->cursorPosition(), end);
    EXPECT_EQ(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end),
              QStringLiteral("09:01 白猫 : 見つけた\n"));

    // A screen reader moves the caret and selects in the view's own positions.
    text->setSelection(0, 6, 8);
    EXPECT_EQ(normal->selectedText(), sj("黒猫"));
    text->setCursorPosition(text->characterCount());
    EXPECT_EQ(normal->caret(), normal->lineStore().textLength());
    EXPECT_EQ(text->selectionCount(), 0);
}

TEST_F(ViewCommandsTest, ErrorLogIsReadAsTextToo) {
    window->errorLog()->appendPlainText(
        QStringLiteral("検索の処理中にエラーが発生しました(FindDialog01Find) "));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(window->errorLog());
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("エラーログ"));
    QAccessibleTextInterface* text = accessible->textInterface();
    ASSERT_NE(text, nullptr);
    int start = 0;
    int end = 0;
    EXPECT_EQ(text->textAtOffset(0, QAccessible::LineBoundary, &start, &end),
              QStringLiteral("検索の処理中にエラーが発生しました(FindDialog01Find) "));
}

}  // namespace
}  // namespace ruv::testing
