#include "shell/views/channel_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "core/text/sjis.h"
#include "shell/views/channel_view_accessible.h"
#include "shell/views/line_text.h"
#include "shell/views/text_segments.h"

namespace ruv {
namespace {

constexpr int kMargin = 2;
// Lines shorter than this say little about the width of long ones.
constexpr std::size_t kMinBytesForWidthRatio = 16;

QColor toQColor(Colour colour) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | colour.rgb));
}

enum class CharClass { Blank, Word, Punctuation, Wide };

CharClass classOf(std::string_view line, std::size_t pos) {
    const auto byte = static_cast<unsigned char>(line[pos]);
    if (sjis::isLeadByte(byte) && pos + 1 < line.size()) {
        return CharClass::Wide;
    }
    if (byte == ' ' || byte == '\t') {
        return CharClass::Blank;
    }
    if (byte >= 0x80 || std::isalnum(byte) != 0 || byte == '_') {
        return CharClass::Word;
    }
    return CharClass::Punctuation;
}

}  // namespace

ChannelView::ChannelView(QWidget* parent) : QAbstractScrollArea(parent) {
    const QPalette system = QApplication::palette();
    background_ = system.color(QPalette::Active, QPalette::Text);
    systemText_ = system.color(QPalette::Active, QPalette::Base);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ChannelView::onVerticalScroll);
    installChannelViewAccessibility();
    resetMetrics();
    syncScrollBars();
}

ChannelView::ChannelView(const ViewLines& lines, QWidget* parent) : ChannelView(parent) {
    showLines(lines);
}

ChannelView::~ChannelView() {
    if (lines_ != nullptr) {
        lines_->unwatch(*this);
    }
}

void ChannelView::showLines(const ViewLines& lines) {
    if (lines_ != nullptr) {
        lines_->unwatch(*this);
    }
    lines_ = &lines;
    lines.watch(*this);
    restart();
    viewport()->update();
}

void ChannelView::linesAdded(ChatChannel, std::string_view, Colour) {
    if (!emptyHint_.isEmpty()) {
        setEmptyHint({});
    }
    scheduleSync();
}

void ChannelView::linesDropped(ChatChannel) {
    scheduleSync();
}

void ChannelView::setEmptyHint(const QString& hint) {
    emptyHint_ = hint;
    setAccessibleDescription(hint);
    viewport()->update();
}

void ChannelView::linesCleared(ChatChannel) {
    setEmptyHint({});
    restart();
}

void ChannelView::linesGone(ChatChannel) {
    lines_ = nullptr;
    restart();
}

void ChannelView::restart() {
    utf16Index_ = LineUtf16Index();
    seenDroppedLines_ = lineStore().droppedLines();
    anchorAbs_ = lineStore().droppedBytes();
    caretAbs_ = anchorAbs_;
    following_ = true;
    resetMetrics();
    scheduleSync();
    emit selectionChanged();
    notifyAccessibleSelection(*this, SelectionNotice::CaretAndSelection);
}

LineCount ChannelView::lineCount() const {
    return LineCount{static_cast<std::int64_t>(lineStore().size())};
}

LineCount ChannelView::capacity() const {
    return lineStore().capacity();
}

QColor ChannelView::defaultTextColour() const {
    return lines_ ? toQColor(lines_->defaultColour()) : systemText_;
}

QColor ChannelView::backgroundColour() const {
    return background_;
}

QColor ChannelView::lastLineColour() const {
    return lines_ ? toQColor(lines_->lastLineColour()) : systemText_;
}

std::string ChannelView::text() const {
    return lineStore().text();
}

// Appends only touch the store; scroll bars and painting catch up once per
// turn of the event loop.
void ChannelView::scheduleSync() {
    if (syncPending_) {
        return;
    }
    syncPending_ = true;
    QTimer::singleShot(0, this, &ChannelView::syncScrollBars);
}

void ChannelView::syncScrollBars() {
    syncPending_ = false;
    adjusting_ = true;
    const std::int64_t dropped = lineStore().droppedLines() - seenDroppedLines_;
    seenDroppedLines_ = lineStore().droppedLines();

    QScrollBar* vertical = verticalScrollBar();
    const int oldValue = vertical->value();
    const int page = pageLines();
    const int lines = static_cast<int>(lineStore().size());
    const int maxValue = std::max(0, lines - page);
    vertical->setRange(0, maxValue);
    vertical->setPageStep(page);
    vertical->setSingleStep(1);
    // Scrolled up, the same lines stay in sight as older ones are dropped.
    const auto kept = std::clamp<std::int64_t>(oldValue - dropped, 0, maxValue);
    vertical->setValue(following_ ? maxValue : static_cast<int>(kept));

    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setRange(0, std::max(0, contentWidth() - width));
    horizontal->setPageStep(std::max(1, width));
    horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 2));
    adjusting_ = false;
    viewport()->update();
}

void ChannelView::onVerticalScroll(int value) {
    if (!adjusting_) {
        following_ = value >= verticalScrollBar()->maximum();
    }
}

int ChannelView::lineHeight() const {
    return std::max(1, fontMetrics().lineSpacing());
}

int ChannelView::pageLines() const {
    return std::max(1, viewport()->height() / lineHeight());
}

int ChannelView::contentWidth() const {
    const qreal estimate = static_cast<qreal>(lineStore().widestLineBytes()) * pixelsPerByte_;
    return static_cast<int>(std::ceil(std::max(estimate, widestMeasured_))) + 2 * kMargin;
}

void ChannelView::resetMetrics() {
    widestMeasured_ = 0;
    // Japanese text: a double-byte character is about one full-width advance.
    pixelsPerByte_ = QFontMetricsF(font()).horizontalAdvance(QChar(0x3042)) / 2.0;
}

void ChannelView::noteLineWidth(std::size_t bytes, qreal width) {
    widestMeasured_ = std::max(widestMeasured_, width);
    if (bytes >= kMinBytesForWidthRatio) {
        pixelsPerByte_ = std::max(pixelsPerByte_, width / static_cast<qreal>(bytes));
    }
}

void ChannelView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    syncScrollBars();
}

void ChannelView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        resetMetrics();
        syncScrollBars();
    }
}

void ChannelView::scrollContentsBy(int, int) {
    viewport()->update();
}

void ChannelView::layoutLine(QTextLayout& layout, std::size_t index) const {
    layout.setText(decodeCp932(lineStore().line(index)));
    layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
}

void ChannelView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), background_);
    if (lineStore().empty()) {
        if (!emptyHint_.isEmpty()) {
            painter.setPen(defaultTextColour());
            painter.drawText(
                viewport()->rect().adjusted(kMargin * 4, kMargin * 4, -kMargin * 4, -kMargin * 4),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, emptyHint_);
        }
        return;
    }
    const int height = lineHeight();
    const int first = verticalScrollBar()->value();
    const qreal left = kMargin - horizontalScrollBar()->value();
    const int rows = viewport()->height() / height + 1;
    const ByteOffset selStart = selectionStart();
    const ByteOffset selEnd = selStart + selectionLength();
    const QPalette& pal = palette();
    // The selection stays visible without focus: always the active colours.
    const QColor highlight = pal.color(QPalette::Active, QPalette::Highlight);
    const QColor highlightedText = pal.color(QPalette::Active, QPalette::HighlightedText);
    const qreal breakWidth = QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' '));
    const qreal oldWidest = widestMeasured_;
    const int viewportWidth = viewport()->width();

    for (int row = 0; row < rows; ++row) {
        const auto index = static_cast<std::size_t>(first + row);
        if (index >= lineStore().size()) {
            break;
        }
        const std::string_view bytes = lineStore().line(index);
        const ByteOffset lineBegin = lineStore().lineStart(index);
        const ByteOffset lineEnd = lineBegin + ByteOffset{static_cast<std::int64_t>(bytes.size())};
        QTextLayout layout;
        layoutLine(layout, index);
        const QTextLine textLine = layout.lineAt(0);
        const qreal width = textLine.naturalTextWidth();
        noteLineWidth(bytes.size(), width);
        const QPointF origin(left, row * height);
        // A rule's colour fills the whole row; the selection is drawn over it.
        if (const std::optional<Colour> lineBackground = lineStore().background(index)) {
            painter.fillRect(QRect(0, row * height, viewportWidth, height),
                             toQColor(*lineBackground));
        }

        QList<QTextLayout::FormatRange> selections;
        if (selStart < selEnd && selStart <= lineEnd && selEnd > lineBegin) {
            const auto from =
                static_cast<std::size_t>(std::max(selStart - lineBegin, ByteOffset{0}).value);
            const auto to =
                static_cast<std::size_t>(std::min(selEnd, lineEnd).value - lineBegin.value);
            if (from < to) {
                QTextLayout::FormatRange range;
                range.start = utf16Column(bytes, from);
                range.length = utf16Column(bytes, to) - range.start;
                range.format.setBackground(highlight);
                range.format.setForeground(highlightedText);
                selections.append(range);
            }
            if (selEnd > lineEnd && index + 1 < lineStore().size()) {
                painter.fillRect(QRectF(origin.x() + width, origin.y(), breakWidth, height),
                                 highlight);
            }
        }
        painter.setPen(toQColor(lineStore().colour(index)));
        layout.draw(&painter, origin, selections);
    }

    if (hasFocus() && selStart == selEnd) {
        const ByteOffset at = caret();
        const auto caretRow = static_cast<int>(lineStore().lineAt(at)) - first;
        if (caretRow >= 0 && caretRow < rows) {
            const qreal x = left + caretX(at);
            painter.setPen(defaultTextColour());
            painter.drawLine(QPointF(x, caretRow * height),
                             QPointF(x, (caretRow + 1) * height - 1));
        }
    }
    if (widestMeasured_ > oldWidest && !syncPending_) {
        scheduleSync();  // wider than estimated: widen the horizontal range
    }
}

ByteOffset ChannelView::caret() const {
    return ByteOffset{std::max<std::int64_t>(0, caretAbs_ - lineStore().droppedBytes())};
}

ByteOffset ChannelView::anchor() const {
    return ByteOffset{std::max<std::int64_t>(0, anchorAbs_ - lineStore().droppedBytes())};
}

ByteOffset ChannelView::selectionStart() const {
    return std::min(anchor(), caret());
}

ByteOffset ChannelView::selectionLength() const {
    return std::max(anchor(), caret()) - selectionStart();
}

std::string ChannelView::selectedText() const {
    return lineStore().text(selectionStart(), selectionLength());
}

void ChannelView::setCaret(ByteOffset offset, Extend extend) {
    setSelectionEnds(extend == Extend::Move ? offset : anchor(), offset);
}

void ChannelView::setSelectionEnds(ByteOffset anchorAt, ByteOffset caretAt) {
    const bool hadSelection = anchor() != caret();
    anchorAbs_ = anchorAt.value + lineStore().droppedBytes();
    caretAbs_ = caretAt.value + lineStore().droppedBytes();
    viewport()->update();
    emit selectionChanged();
    notifyAccessibleSelection(*this, hadSelection || anchor() != caret()
                                         ? SelectionNotice::CaretAndSelection
                                         : SelectionNotice::CaretOnly);
}

void ChannelView::select(ByteOffset start, ByteOffset length) {
    const ByteOffset from = lineStore().caretPositionAtOrBefore(start);
    const ByteOffset to = lineStore().caretPositionAtOrBefore(start + length);
    setSelectionEnds(from, to);
    ensureVisible(to);
    ensureVisible(from);
}

void ChannelView::selectAll() {
    setSelectionEnds(ByteOffset{0}, lineStore().textLength());
}

void ChannelView::copy() const {
    if (selectionLength() == ByteOffset{0}) {
        return;
    }
    QApplication::clipboard()->setText(clipboardText(selectedText()));
}

const LineUtf16Index& ChannelView::utf16Index() const {
    utf16Index_.sync(lineStore());
    return utf16Index_;
}

QRect ChannelView::characterRect(ByteOffset offset) const {
    if (lineStore().empty()) {
        return {};
    }
    const std::size_t index = lineStore().lineAt(offset);
    const ByteOffset at = lineStore().caretPositionAtOrBefore(offset);
    const auto column = static_cast<std::size_t>((at - lineStore().lineStart(index)).value);
    const std::string_view bytes = lineStore().line(index);
    const qreal left = caretX(at);
    qreal right = left + QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' '));
    if (column < bytes.size()) {
        const std::int64_t step =
            sjis::isLeadByte(bytes[column]) && column + 1 < bytes.size() ? 2 : 1;
        right = caretX(at + ByteOffset{step});
    }
    const qreal x = kMargin - horizontalScrollBar()->value() + left;
    const int y = (static_cast<int>(index) - verticalScrollBar()->value()) * lineHeight();
    return QRectF(x, y, right - left, lineHeight()).toAlignedRect();
}

qreal ChannelView::caretX(ByteOffset offset) const {
    if (lineStore().empty()) {
        return 0;
    }
    const std::size_t index = lineStore().lineAt(offset);
    const std::string_view bytes = lineStore().line(index);
    const auto column = std::min(
        static_cast<std::size_t>((offset - lineStore().lineStart(index)).value), bytes.size());
    QTextLayout layout;
    layoutLine(layout, index);
    return layout.lineAt(0).cursorToX(utf16Column(bytes, column));
}

void ChannelView::ensureVisible(ByteOffset offset) {
    if (syncPending_) {
        syncScrollBars();
    }
    if (lineStore().empty()) {
        return;
    }
    QScrollBar* vertical = verticalScrollBar();
    const int row = static_cast<int>(lineStore().lineAt(offset));
    const int page = pageLines();
    if (row < vertical->value()) {
        vertical->setValue(row);
    } else if (row >= vertical->value() + page) {
        vertical->setValue(row - page + 1);
    }

    const qreal x = caretX(offset);
    widestMeasured_ = std::max(widestMeasured_, x);
    QScrollBar* horizontal = horizontalScrollBar();
    const int width = viewport()->width();
    horizontal->setRange(0, std::max(0, contentWidth() - width));
    const int margin = std::min(width / 4, fontMetrics().averageCharWidth() * 4);
    if (x < horizontal->value()) {
        horizontal->setValue(std::max(0, static_cast<int>(x) - margin));
    } else if (x + 2 * kMargin > horizontal->value() + width) {
        horizontal->setValue(static_cast<int>(x) + 2 * kMargin - width + margin);
    }
}

ByteOffset ChannelView::offsetAt(QPoint pos) const {
    if (lineStore().empty()) {
        return ByteOffset{0};
    }
    const int height = lineHeight();
    const int rowOffset = pos.y() < 0 ? -1 - (-pos.y() - 1) / height : pos.y() / height;
    const auto row = std::clamp<std::int64_t>(verticalScrollBar()->value() + rowOffset, 0,
                                              static_cast<std::int64_t>(lineStore().size()) - 1);
    const auto index = static_cast<std::size_t>(row);
    const qreal x = pos.x() + horizontalScrollBar()->value() - kMargin;
    QTextLayout layout;
    layoutLine(layout, index);
    const int cursor = layout.lineAt(0).xToCursor(x, QTextLine::CursorBetweenCharacters);
    const std::size_t column = byteColumn(lineStore().line(index), cursor);
    return lineStore().lineStart(index) + ByteOffset{static_cast<std::int64_t>(column)};
}

ByteOffset ChannelView::moveByKey(int key, Qt::KeyboardModifiers modifiers) const {
    const ByteOffset at = caret();
    if (lineStore().empty()) {
        return at;
    }
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const std::size_t index = lineStore().lineAt(at);
    const std::string_view bytes = lineStore().line(index);
    const ByteOffset lineBegin = lineStore().lineStart(index);
    const ByteOffset lineEnd = lineBegin + ByteOffset{static_cast<std::int64_t>(bytes.size())};
    const auto lineAtRow = [&](std::int64_t row) {
        const auto target = static_cast<std::size_t>(
            std::clamp<std::int64_t>(row, 0, static_cast<std::int64_t>(lineStore().size()) - 1));
        const int y = (static_cast<int>(target) - verticalScrollBar()->value()) * lineHeight();
        const int x =
            static_cast<int>(std::lround(caretX(at))) - horizontalScrollBar()->value() + kMargin;
        return offsetAt(QPoint(x, y));
    };
    const auto row = static_cast<std::int64_t>(index);
    switch (key) {
        case Qt::Key_Left:
            return control ? previousWordStop(at)
                           : lineStore().caretPositionAtOrBefore(at - ByteOffset{1});
        case Qt::Key_Right: {
            if (control) {
                return nextWordStop(at);
            }
            if (at < lineEnd) {
                const auto column = static_cast<std::size_t>((at - lineBegin).value);
                const std::int64_t step =
                    sjis::isLeadByte(bytes[column]) && column + 1 < bytes.size() ? 2 : 1;
                return at + ByteOffset{step};
            }
            return index + 1 < lineStore().size() ? lineStore().lineStart(index + 1) : at;
        }
        case Qt::Key_Up:
            return row == 0 ? at : lineAtRow(row - 1);
        case Qt::Key_Down:
            return index + 1 == lineStore().size() ? at : lineAtRow(row + 1);
        case Qt::Key_PageUp:
            return lineAtRow(row - pageLines());
        case Qt::Key_PageDown:
            return lineAtRow(row + pageLines());
        case Qt::Key_Home:
            return control ? ByteOffset{0} : lineBegin;
        case Qt::Key_End:
            return control ? lineStore().textLength() : lineEnd;
        default:
            return at;
    }
}

std::vector<ByteOffset> ChannelView::wordStops(std::size_t line) const {
    const std::string_view bytes = lineStore().line(line);
    const ByteOffset begin = lineStore().lineStart(line);
    std::vector<ByteOffset> stops;
    for (const int start : wordStarts(decodeCp932(bytes))) {
        stops.push_back(begin + ByteOffset{static_cast<std::int64_t>(byteColumn(bytes, start))});
    }
    return stops;
}

ByteOffset ChannelView::nextWordStop(ByteOffset at) const {
    const std::size_t line = lineStore().lineAt(at);
    for (const ByteOffset stop : wordStops(line)) {
        if (stop > at) {
            return stop;
        }
    }
    const ByteOffset lineEnd = lineStore().lineStart(line) +
                               ByteOffset{static_cast<std::int64_t>(lineStore().line(line).size())};
    if (at < lineEnd) {
        return lineEnd;
    }
    return line + 1 < lineStore().size() ? lineStore().lineStart(line + 1) : at;
}

ByteOffset ChannelView::previousWordStop(ByteOffset at) const {
    const std::size_t line = lineStore().lineAt(at);
    const std::vector<ByteOffset> stops = wordStops(line);
    for (auto stop = stops.rbegin(); stop != stops.rend(); ++stop) {
        if (*stop < at) {
            return *stop;
        }
    }
    if (at > lineStore().lineStart(line)) {
        return lineStore().lineStart(line);
    }
    if (line == 0) {
        return at;
    }
    const std::vector<ByteOffset> before = wordStops(line - 1);
    return before.empty() ? lineStore().lineStart(line - 1) : before.back();
}

void ChannelView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End: {
            if (syncPending_) {
                syncScrollBars();
            }
            const ByteOffset target = moveByKey(event->key(), event->modifiers());
            const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
            setCaret(target, shift ? Extend::Keep : Extend::Move);
            QScrollBar* vertical = verticalScrollBar();
            if (event->key() == Qt::Key_PageUp) {
                vertical->setValue(vertical->value() - pageLines());
            } else if (event->key() == Qt::Key_PageDown) {
                vertical->setValue(vertical->value() + pageLines());
            }
            ensureVisible(target);
            return;
        }
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void ChannelView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (syncPending_) {
        syncScrollBars();
    }
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    setCaret(offsetAt(event->position().toPoint()), shift ? Extend::Keep : Extend::Move);
    dragging_ = true;
}

void ChannelView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !event->buttons().testFlag(Qt::LeftButton)) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    const ByteOffset target = offsetAt(event->position().toPoint());
    setCaret(target, Extend::Keep);
    ensureVisible(target);
}

void ChannelView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
}

void ChannelView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || lineStore().empty()) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const ByteOffset at = offsetAt(event->position().toPoint());
    const std::size_t index = lineStore().lineAt(at);
    const std::string_view bytes = lineStore().line(index);
    if (bytes.empty()) {
        return;
    }
    // The run of characters of one kind around the click.
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < bytes.size();) {
        starts.push_back(pos);
        pos += sjis::isLeadByte(bytes[pos]) && pos + 1 < bytes.size() ? 2 : 1;
    }
    const auto column = static_cast<std::size_t>((at - lineStore().lineStart(index)).value);
    auto hit = std::upper_bound(starts.begin(), starts.end(), column) - starts.begin() - 1;
    hit = std::clamp<std::ptrdiff_t>(hit, 0, static_cast<std::ptrdiff_t>(starts.size()) - 1);
    const CharClass kind = classOf(bytes, starts[static_cast<std::size_t>(hit)]);
    auto first = hit;
    while (first > 0 && classOf(bytes, starts[static_cast<std::size_t>(first - 1)]) == kind) {
        --first;
    }
    auto last = hit;
    while (last + 1 < static_cast<std::ptrdiff_t>(starts.size()) &&
           classOf(bytes, starts[static_cast<std::size_t>(last + 1)]) == kind) {
        ++last;
    }
    const std::size_t endColumn = last + 1 < static_cast<std::ptrdiff_t>(starts.size())
                                      ? starts[static_cast<std::size_t>(last + 1)]
                                      : bytes.size();
    const ByteOffset lineBegin = lineStore().lineStart(index);
    setSelectionEnds(
        lineBegin + ByteOffset{static_cast<std::int64_t>(starts[static_cast<std::size_t>(first)])},
        lineBegin + ByteOffset{static_cast<std::int64_t>(endColumn)});
    dragging_ = false;
}

}  // namespace ruv
