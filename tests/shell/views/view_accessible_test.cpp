// The views as screen readers read them through Qt's accessibility interfaces.

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBoundaryFinder>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "shell/views/find_dialog.h"
#include "shell/views/hang_guard.h"
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

enum class Side { Before, At, After };
using Ask = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*,
                                                  int*) const;
// One question for each side, in the order of Side.
constexpr Ask kAsks[] = {&QAccessibleTextInterface::textBeforeOffset,
                         &QAccessibleTextInterface::textAtOffset,
                         &QAccessibleTextInterface::textAfterOffset};

void appendLines(ViewLines& viewLines, const QStringList& lines) {
    for (const QString& line : lines) {
        viewLines.append(cp932::fromUtf8(line.toStdString()).value());
    }
}

// What a screen reader should hear, worked out over the whole text at once:
// the segments QTextBoundaryFinder finds (a line's start always begins one),
// or the lines with their line breaks.
class WholeTextSegments {
  public:
    WholeTextSegments(const QString& whole, QAccessible::TextBoundaryType boundary)
        : whole_(whole), boundary_(boundary) {
        if (boundary == QAccessible::LineBoundary || boundary == QAccessible::ParagraphBoundary) {
            int start = 0;
            for (const QString& line : whole.split(QLatin1Char('\n'))) {
                const int end = static_cast<int>(std::min(start + line.size() + 1, whole.size()));
                segments_.push_back({start, end});
                start = end;
            }
            return;
        }
        const auto kind = boundary == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                          : boundary == QAccessible::SentenceBoundary
                              ? QTextBoundaryFinder::Sentence
                              : QTextBoundaryFinder::Grapheme;
        QTextBoundaryFinder finder(kind, whole);
        std::vector<int> edges;
        for (int at = 0; at <= whole.size(); ++at) {
            finder.setPosition(at);
            if (at == 0 || at == whole.size() || whole[at - 1] == QLatin1Char('\n') ||
                finder.boundaryReasons().testAnyFlags(QTextBoundaryFinder::StartOfItem |
                                                      QTextBoundaryFinder::EndOfItem)) {
                edges.push_back(at);
            }
        }
        for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
            segments_.push_back({edges[i], edges[i + 1]});
        }
    }

    Answer expected(Side side, int offset) const {
        const int length = static_cast<int>(whole_.size());
        offset = offset == -1 ? length : offset;
        if (offset < 0 || offset > length || boundary_ == QAccessible::NoBoundary) {
            return none();
        }
        const int count = static_cast<int>(segments_.size());
        const bool lines =
            boundary_ == QAccessible::LineBoundary || boundary_ == QAccessible::ParagraphBoundary;
        // The segment the offset is in; the end of the text is on the last
        // line, but past the last character, word or sentence.
        int in = lines ? count - 1 : count;
        for (int i = 0; i < count; ++i) {
            if (segments_[i].first <= offset && offset < segments_[i].second) {
                in = i;
            }
        }
        switch (side) {
            case Side::Before:
                return segment(in - 1);
            case Side::After:
                return segment(in + 1);
            case Side::At:
                break;
        }
        if (in == count) {  // the caret at the end reads the last word or sentence
            return boundary_ == QAccessible::CharBoundary ? none() : segment(count - 1);
        }
        return segment(in);
    }

  private:
    static Answer none() { return {QString(), -1, -1}; }
    Answer segment(int i) const {
        if (i < 0 || i >= static_cast<int>(segments_.size())) {
            return none();
        }
        const auto [start, end] = segments_[static_cast<std::size_t>(i)];
        return {whole_.mid(start, end - start), start, end};
    }

    QString whole_;
    QAccessible::TextBoundaryType boundary_;
    std::vector<std::pair<int, int>> segments_;
};

TEST(ViewAccessible, AnswersEveryBoundaryAtEveryOffsetAtOnceAsTheBoundaryFinderSplitsTheText) {
    const QStringList views[] = {
        {QStringLiteral("[12/07 20:01:48] 能登 : こんにちは。元気?"),
         QStringLiteral("[12/07 20:01:50] 黒猫 : abc def. Ghi")},
        {QStringLiteral("abc def."), QString(), QStringLiteral("戦闘の行")},
        {QString(), QStringLiteral("戦闘の行"), QStringLiteral("ｱｲｳ 42 カタカナ"),
         QStringLiteral("last line")},
        {QStringLiteral("abc"), QStringLiteral("def"), QString()},
    };
    constexpr Side kSides[] = {Side::Before, Side::At, Side::After};
    // A few answers worked out by hand, as a screen reader asks for them: the
    // view, the question, a text the offset starts, and the answer.
    struct Fixed {
        std::size_t view;
        QAccessible::TextBoundaryType boundary;
        Side side;
        const char* at;
        const char* answer;
    };
    const Fixed fixed[] = {
        {0, QAccessible::WordBoundary, Side::At, "ef.", "def"},
        {0, QAccessible::SentenceBoundary, Side::At, "こんにちは",
         "[12/07 20:01:48] 能登 : こんにちは。"},
        {0, QAccessible::SentenceBoundary, Side::At, "def", "[12/07 20:01:50] 黒猫 : abc def. "},
        {0, QAccessible::SentenceBoundary, Side::After, "abc", "Ghi"},
        {2, QAccessible::WordBoundary, Side::At, "タカナ", "カタカナ"},
        {2, QAccessible::WordBoundary, Side::At, "ｲｳ", "ｱｲｳ"},
        {2, QAccessible::WordBoundary, Side::After, " 42", "42"},
    };
    for (std::size_t v = 0; v < std::size(views); ++v) {
        const QStringList& lines = views[v];
        ViewLines viewLines;
        ChannelView view(viewLines);
        appendLines(viewLines, lines);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&view)->textInterface();
        ASSERT_NE(text, nullptr);
        const QString whole = lines.join(QLatin1Char('\n'));
        const int count = text->characterCount();
        ASSERT_EQ(count, whole.size());
        EXPECT_EQ(text->text(0, count), whole);

        for (const Fixed& f : fixed) {
            if (f.view != v) {
                continue;
            }
            const QString answer = QString::fromUtf8(f.answer);
            const auto start = static_cast<int>(whole.indexOf(answer));
            Answer got;
            got.text = (text->*kAsks[static_cast<std::size_t>(f.side)])(
                static_cast<int>(whole.indexOf(QString::fromUtf8(f.at))), f.boundary, &got.start,
                &got.end);
            EXPECT_EQ(got, (Answer{answer, start, start + static_cast<int>(answer.size())}))
                << f.at;
        }

        HangGuard guard(std::chrono::seconds(20));
        for (const auto boundary :
             {QAccessible::CharBoundary, QAccessible::WordBoundary, QAccessible::SentenceBoundary,
              QAccessible::LineBoundary, QAccessible::ParagraphBoundary, QAccessible::NoBoundary}) {
            const WholeTextSegments segments(whole, boundary);
            for (const Side side : kSides) {
                for (int offset = -2; offset <= count + 1; ++offset) {
                    const std::string question = "boundary " + std::to_string(boundary) + " side " +
                                                 std::to_string(int(side)) + " at " +
                                                 std::to_string(offset) + " of \"" +
                                                 whole.toStdString() + '"';
                    guard.asking(question);
                    Answer got;
                    got.text = (text->*kAsks[static_cast<std::size_t>(side)])(offset, boundary,
                                                                              &got.start, &got.end);
                    ASSERT_EQ(got, segments.expected(side, offset)) << question;
                }
            }
        }
    }
}

// A view holds a lone empty line after a short malformed line with a marker,
// or a short line of an NG user.
TEST(ViewAccessible, EmptyTextAnswersEveryBoundaryWithAnEmptyRange) {
    for (const QStringList& lines : {QStringList(), QStringList{QString()}}) {
        ViewLines viewLines;
        ChannelView view(viewLines);
        appendLines(viewLines, lines);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&view)->textInterface();
        for (const Ask ask : kAsks) {
            for (const auto boundary :
                 {QAccessible::CharBoundary, QAccessible::WordBoundary,
                  QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary,
                  QAccessible::LineBoundary, QAccessible::NoBoundary}) {
                for (const int offset : {0, -1}) {
                    Answer got;
                    got.text = (text->*ask)(offset, boundary, &got.start, &got.end);
                    EXPECT_EQ(got, Answer{})
                        << lines.size() << " lines, boundary " << boundary << " at " << offset;
                }
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
