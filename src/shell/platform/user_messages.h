#pragma once
// Message boxes, behind a port so tests can answer them without a display.

#include <QString>

#include "core/vocabulary/message_kind.h"

class QWidget;

namespace ruv {

class UserMessages {
  public:
    virtual ~UserMessages() = default;
    // An OK box with the application title. Text is always shown as plain text:
    // it may hold chat that other players wrote.
    virtual void show(MessageKind kind, const QString& text) = 0;
    // An OK box with a title of its own (the checks of a settings dialog).
    virtual void showTitled(MessageKind kind, const QString& title, const QString& text) {
        (void)title;
        show(kind, text);
    }
    // A Yes/No question.
    virtual Answer ask(const QString& title, const QString& text) = 0;
    // A question with OK and キャンセル; OK answers Yes.
    virtual Answer confirm(const QString& title, const QString& text) { return ask(title, text); }
};

// Real modal message boxes over a parent window.
class DialogUserMessages final : public UserMessages {
  public:
    explicit DialogUserMessages(QWidget* parent) : parent_(parent) {}
    void show(MessageKind kind, const QString& text) override;
    void showTitled(MessageKind kind, const QString& title, const QString& text) override;
    Answer ask(const QString& title, const QString& text) override;
    Answer confirm(const QString& title, const QString& text) override;

  private:
    QWidget* parent_;
};

}  // namespace ruv
