#pragma once
// A text held in one string as an accessibility text interface: no selection,
// no caret, no geometry; Qt's own character, word and sentence boundaries.

#include <QAccessibleTextInterface>
#include <QRect>
#include <QString>

#include <utility>

namespace ruv {

class PlainTextInterface final : public QAccessibleTextInterface {
  public:
    explicit PlainTextInterface(QString text) : text_(std::move(text)) {}
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        return text_.mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(text_.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int*, int*) const override { return {}; }

  private:
    QString text_;
};

}  // namespace ruv
