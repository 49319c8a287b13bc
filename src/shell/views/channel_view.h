#pragma once
// A virtualized, read-only view of coloured CP932 lines held by the core: it
// paints only the lines in sight, follows the bottom while the user is there
// and keeps its selection on the same text while the oldest lines are dropped.
// It repaints when the lines tell it they changed, once per turn of the event
// loop however many lines arrived.

#include <QAbstractScrollArea>
#include <QColor>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/units.h"
#include "core/views/line_store.h"
#include "core/views/line_utf16_index.h"
#include "core/views/view_lines.h"

class QTextLayout;

namespace ruv {

class ChannelView : public QAbstractScrollArea, private ViewLinesObserver {
    Q_OBJECT
  public:
    // A view that shows no lines until showLines.
    explicit ChannelView(QWidget* parent = nullptr);
    explicit ChannelView(const ViewLines& lines, QWidget* parent = nullptr);
    ~ChannelView() override;

    // Shows these lines from now on; they must outlive the view or tell it
    // they are gone.
    void showLines(const ViewLines& lines);
    LineCount lineCount() const;
    LineCount capacity() const;

    // Background: the system's window-text colour. Default text colour: the
    // lines' own, or the system's window colour while there are none.
    QColor defaultTextColour() const;
    QColor backgroundColour() const;
    // Colour of the last line; the default text colour when empty.
    QColor lastLineColour() const;

    // The whole text as CP932 bytes with CR LF between lines.
    std::string text() const;
    // Selection in CP932 byte offsets over text(). Positions inside a line
    // break or a double-byte character move back to the character boundary
    // before them. The selection is scrolled into view.
    void select(ByteOffset start, ByteOffset length);
    ByteOffset selectionStart() const;
    ByteOffset selectionLength() const;
    // The moving end of the selection (where the caret is) and the fixed one.
    ByteOffset caret() const;
    ByteOffset anchor() const;
    std::string selectedText() const;
    void selectAll();
    // Puts the selection on the clipboard as text; an empty selection leaves
    // the clipboard alone.
    void copy() const;

    // A short text drawn while the view is empty, until its first line or its
    // first clearing (an attach). It is no line: never copied, searched or
    // saved, and accessibility tools get it as the view's description.
    void setEmptyHint(const QString& hint);
    bool showsEmptyHint() const { return !emptyHint_.isEmpty() && lineStore().empty(); }

    // True while new lines scroll the view (the user is at the bottom).
    bool isFollowingBottom() const { return following_; }
    const LineStore& lineStore() const { return lines_ ? lines_->store() : noLines_; }

    // For accessibility tools: the text's positions in UTF-16 units, brought
    // up to date with the store on each call (nothing is kept until the first).
    const LineUtf16Index& utf16Index() const;
    // Where the character at offset is painted, in viewport coordinates.
    QRect characterRect(ByteOffset offset) const;
    // The character boundary nearest a point of the viewport.
    ByteOffset offsetAt(QPoint viewportPos) const;
    // Scrolls so that offset is in sight.
    void ensureVisible(ByteOffset offset);

  signals:
    void selectionChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    enum class Extend { Keep, Move };

    void linesAdded(ChatChannel view, std::string_view text, Colour colour) override;
    void linesCleared(ChatChannel view) override;
    void linesDropped(ChatChannel view) override;
    void linesGone(ChatChannel view) override;
    // Selection, scroll position and measures back to those of empty lines.
    void restart();

    void scheduleSync();
    void syncScrollBars();
    void onVerticalScroll(int value);
    int lineHeight() const;
    int pageLines() const;
    int contentWidth() const;
    void resetMetrics();
    void noteLineWidth(std::size_t bytes, qreal width);

    void setCaret(ByteOffset caret, Extend extend);
    void setSelectionEnds(ByteOffset anchor, ByteOffset caret);
    qreal caretX(ByteOffset offset) const;
    ByteOffset moveByKey(int key, Qt::KeyboardModifiers modifiers) const;
    // Word moves stop where the words a screen reader reads begin, and at
    // the ends of lines: forward at a line's end, backward at its start.
    std::vector<ByteOffset> wordStops(std::size_t line) const;
    ByteOffset nextWordStop(ByteOffset at) const;
    ByteOffset previousWordStop(ByteOffset at) const;
    void layoutLine(QTextLayout& layout, std::size_t index) const;

    const ViewLines* lines_ = nullptr;
    const LineStore noLines_;
    mutable LineUtf16Index utf16Index_;
    QColor systemText_;
    QColor background_;
    // Selection ends as offsets plus the store's dropped bytes, so they stay
    // on the same text while the oldest lines are dropped.
    std::int64_t anchorAbs_ = 0;
    std::int64_t caretAbs_ = 0;
    std::int64_t seenDroppedLines_ = 0;
    bool following_ = true;
    QString emptyHint_;
    bool syncPending_ = false;
    bool adjusting_ = false;
    bool dragging_ = false;
    qreal widestMeasured_ = 0;
    qreal pixelsPerByte_ = 0;
};

}  // namespace ruv
