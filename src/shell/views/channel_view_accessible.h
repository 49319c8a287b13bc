#pragma once
// A channel view as accessibility tools see it (screen readers through
// AT-SPI, UI Automation or MSAA): read-only multi-line text with a caret and a
// selection. Every answer is computed when asked, from the view's line store
// and its UTF-16 index, so a view of 500,000 lines costs nothing until then
// and a question about one line decodes about one line.

#include <QAccessibleWidget>
#include <QTextBoundaryFinder>

namespace ruv {

class ChannelView;

class ChannelViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ChannelViewAccessible(ChannelView* view);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    using QAccessibleWidget::text;

    // Positions count UTF-16 units, one for each line break ("\n").
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    // The line's colour (in 通常 it tells the channel).
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

  private:
    enum class Side { Before, At, After };

    ChannelView* view() const;
    QString textNear(int offset, QAccessible::TextBoundaryType boundaryType, Side side,
                     int* startOffset, int* endOffset) const;
    QString lineText(std::size_t line, int* startOffset, int* endOffset) const;
    // The first or last character, word or sentence of a line that is not empty.
    QString firstSegment(std::size_t line, QTextBoundaryFinder::BoundaryType kind, int* startOffset,
                         int* endOffset) const;
    QString lastSegment(std::size_t line, QTextBoundaryFinder::BoundaryType kind, int* startOffset,
                        int* endOffset) const;
};

// Lets QAccessible create the interface above for every channel view; safe to
// call more than once.
void installChannelViewAccessibility();

enum class SelectionNotice { CaretOnly, CaretAndSelection };

// Tells accessibility tools, when any listen, where the view's caret is now
// and, with CaretAndSelection, that its selection changed.
void notifyAccessibleSelection(ChannelView& view, SelectionNotice notice);

}  // namespace ruv
