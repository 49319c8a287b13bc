// Every text a screen reader can read in the program's windows and dialogs
// answers every boundary question: none may freeze the program.

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <chrono>
#include <string>

#include "shell/views/find_dialog.h"
#include "shell/views/hang_guard.h"
#include "shell/views/view_commands_fixture.h"

namespace ruv::testing {
namespace {

using TextFields = ViewCommandsTest;

constexpr QAccessible::TextBoundaryType kBoundaries[] = {
    QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};

using Ask = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*,
                                                  int*) const;
constexpr Ask kAsks[] = {&QAccessibleTextInterface::textBeforeOffset,
                         &QAccessibleTextInterface::textAtOffset,
                         &QAccessibleTextInterface::textAfterOffset};

// Asks every question at every offset (the end, -1 for it and -2 for the
// caret included) and checks each answer is the text of the range it names.
void askEverything(QWidget& widget, QAccessibleTextInterface& text, HangGuard& guard) {
    const int count = text.characterCount();
    const std::string name =
        (widget.metaObject()->className() + QStringLiteral(" ") + widget.objectName() +
         QStringLiteral(" \"") + text.text(0, count) + QLatin1Char('"'))
            .toStdString();
    for (const QAccessible::TextBoundaryType boundary : kBoundaries) {
        for (std::size_t side = 0; side < std::size(kAsks); ++side) {
            for (int offset = -2; offset <= count + 1; ++offset) {
                const std::string question = name + " boundary " + std::to_string(boundary) +
                                             " side " + std::to_string(side) + " at " +
                                             std::to_string(offset);
                guard.asking(question);
                int start = 0;
                int end = 0;
                const QString answer = (text.*kAsks[side])(offset, boundary, &start, &end);
                if (start >= 0) {
                    ASSERT_EQ(answer, text.text(start, end)) << question;
                }
                if (side == 1 && boundary == QAccessible::CharBoundary && offset >= 0 &&
                    offset < count) {
                    ASSERT_TRUE(start <= offset && offset < end) << question;
                }
            }
        }
    }
}

TEST_F(TextFields, EveryTextOfEveryWindowAnswersEveryBoundaryQuestionAtEveryOffset) {
    window->show();
    window->openFind();
    window->openNgSettings();
    window->openSpeechSettings();
    window->openCallSoundSettings();
    for (const char* entry : {"SearchLogs01", "RulesOption01"}) {
        QAction* action = window->findChild<QAction*>(QString::fromLatin1(entry));
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
    }
    QApplication::processEvents();

    // The EXP monitor's fields hold "0" when nothing is attached; the others
    // are tried with what they hold and with text of several words.
    const QString samples[] = {QStringLiteral("0"), QStringLiteral("abc def. 42"),
                               QStringLiteral("経験値が 1,234 上がりました。次へ")};
    HangGuard guard(std::chrono::seconds(30));
    int asked = 0;
    for (QWidget* topLevel : QApplication::topLevelWidgets()) {
        QList<QWidget*> widgets = topLevel->findChildren<QWidget*>();
        widgets.prepend(topLevel);
        for (QWidget* widget : widgets) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QAccessibleTextInterface* text = accessible ? accessible->textInterface() : nullptr;
            if (text == nullptr) {
                continue;
            }
            ++asked;
            askEverything(*widget, *text, guard);
            auto* edit = qobject_cast<QLineEdit*>(widget);
            auto* memo = qobject_cast<QPlainTextEdit*>(widget);
            for (const QString& sample : samples) {
                if (edit != nullptr) {
                    edit->setText(sample);
                } else if (memo != nullptr) {
                    memo->setPlainText(sample + QLatin1Char('\n') + sample);
                } else {
                    break;
                }
                askEverything(*widget, *text, guard);
            }
        }
    }
    // Line edits, spin boxes, memos and views of the window and six dialogs.
    EXPECT_GT(asked, 30);
}

}  // namespace
}  // namespace ruv::testing
