#pragma once
// One text size for every channel view and the error log: applies it to them
// all and turns Ctrl+wheel, Ctrl++, Ctrl+- and Ctrl+0 over any of them into a
// step of the size.

#include <QList>
#include <QObject>
#include <QPointer>

#include "core/config/text_size.h"

class QAbstractScrollArea;
class QPlainTextEdit;
class QWidget;

namespace ruv {

class ChannelView;

class TextSizeControl final : public QObject {
    Q_OBJECT
  public:
    explicit TextSizeControl(QObject* parent = nullptr);

    // Takes the current size now and every later one; catches the keys and
    // the wheel over it.
    void addView(ChannelView& view);
    void addErrorLog(QPlainTextEdit& errorLog);
    // A list of chat lines outside the main window (the search's results).
    void addList(QAbstractScrollArea& list);

    TextSize size() const { return size_; }
    // Applies the size to every widget; sizeChanged only when it differs.
    void setSize(TextSize size);
    // The three commands of the keys, the wheel and the menu.
    void step(TextSizeStep step) { setSize(stepped(size_, step)); }

  signals:
    void sizeChanged(ruv::TextSize size);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watch(QWidget& widget, QWidget& viewport);
    void apply(QWidget& widget) const;

    QList<QPointer<QWidget>> widgets_;
    TextSize size_;
    // A high-resolution wheel's part of a notch, kept until a notch is full.
    int wheelRemainder_ = 0;
};

}  // namespace ruv
