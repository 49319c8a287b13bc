#pragma once
// Message boxes answered without a display: every box shown is kept.

#include <QString>

#include <vector>

#include "shell/platform/user_messages.h"

namespace ruv::testing {

class SoundDialogMessages final : public UserMessages {
  public:
    struct Shown {
        MessageKind kind;
        QString title;  // empty: the application title
        QString text;
    };

    void show(MessageKind kind, const QString& text) override {
        shown.push_back({kind, QString(), text});
    }
    void showTitled(MessageKind kind, const QString& title, const QString& text) override {
        shown.push_back({kind, title, text});
    }
    Answer ask(const QString&, const QString&) override { return Answer::No; }

    std::vector<Shown> shown;
};

}  // namespace ruv::testing
