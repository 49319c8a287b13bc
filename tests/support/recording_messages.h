#pragma once
// Message boxes answered by the test: what was shown and asked is recorded,
// and each question takes the next prepared answer.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

#include "shell/platform/user_messages.h"

namespace ruv::testing {

class RecordingMessages final : public UserMessages {
  public:
    void show(MessageKind kind, const QString& text) override { shown.emplace_back(kind, text); }
    Answer ask(const QString& title, const QString& text) override {
        askedTitles.push_back(title);
        asked.push_back(text);
        return nextAnswer(text);
    }
    Answer confirm(const QString& /*title*/, const QString& text) override {
        confirmed.push_back(text);
        return nextAnswer(text);
    }

    std::vector<std::pair<MessageKind, QString>> shown;
    QStringList asked;  // Yes/No questions
    QStringList askedTitles;
    QStringList confirmed;  // OK/キャンセル questions
    std::deque<Answer> answers;

  private:
    Answer nextAnswer(const QString& text) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text.toStdString();
            return Answer::No;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace ruv::testing
