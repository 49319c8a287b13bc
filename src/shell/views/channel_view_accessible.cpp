#include "shell/views/channel_view_accessible.h"

#include <QScrollBar>

#include <algorithm>
#include <limits>

#include "shell/views/channel_view.h"
#include "shell/views/line_text.h"
#include "shell/views/plain_text_interface.h"

namespace ruv {
namespace {

int toInt(std::int64_t position) {
    return static_cast<int>(std::clamp<std::int64_t>(position, 0, std::numeric_limits<int>::max()));
}

QAccessibleInterface* createForChannelView(const QString& className, QObject* object) {
    if (className != QLatin1String(ChannelView::staticMetaObject.className())) {
        return nullptr;
    }
    auto* view = qobject_cast<ChannelView*>(object);
    return view ? new ChannelViewAccessible(view) : nullptr;
}

}  // namespace

ChannelViewAccessible::ChannelViewAccessible(ChannelView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

ChannelView* ChannelViewAccessible::view() const {
    return static_cast<ChannelView*>(widget());
}

void* ChannelViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ChannelViewAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

void ChannelViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0) {
        return;
    }
    const ChannelView& v = *view();
    const LineUtf16Index& index = v.utf16Index();
    *startOffset = toInt(index.positionOf(v.lineStore(), v.selectionStart()));
    *endOffset = toInt(index.positionOf(v.lineStore(), v.selectionStart() + v.selectionLength()));
}

int ChannelViewAccessible::selectionCount() const {
    return view()->selectionLength() > ByteOffset{0} ? 1 : 0;
}

void ChannelViewAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void ChannelViewAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) {
        view()->select(view()->caret(), ByteOffset{0});
    }
}

void ChannelViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex != 0) {
        return;
    }
    ChannelView& v = *view();
    const LineUtf16Index& index = v.utf16Index();
    const ByteOffset from = index.offsetOf(v.lineStore(), std::min(startOffset, endOffset));
    const ByteOffset to = index.offsetOf(v.lineStore(), std::max(startOffset, endOffset));
    v.select(from, to - from);
}

int ChannelViewAccessible::cursorPosition() const {
    const ChannelView& v = *view();
    return toInt(v.utf16Index().positionOf(v.lineStore(), v.caret()));
}

void ChannelViewAccessible::setCursorPosition(int position) {
    ChannelView& v = *view();
    v.select(v.utf16Index().offsetOf(v.lineStore(), position), ByteOffset{0});
}

int ChannelViewAccessible::characterCount() const {
    return toInt(view()->utf16Index().length());
}

QString ChannelViewAccessible::text(int startOffset, int endOffset) const {
    const LineStore& store = view()->lineStore();
    const LineUtf16Index& index = view()->utf16Index();
    const std::int64_t start = std::clamp<std::int64_t>(startOffset, 0, index.length());
    const std::int64_t end = std::clamp<std::int64_t>(endOffset, start, index.length());
    if (start == end) {
        return {};
    }
    const std::size_t first = index.lineAt(start);
    const std::size_t last = index.lineAt(end);
    QString lines;
    for (std::size_t line = first; line <= last; ++line) {
        if (line > first) {
            lines += QLatin1Char('\n');
        }
        lines += decodeCp932(store.line(line));
    }
    return lines.mid(start - index.lineStart(first), end - start);
}

QString ChannelViewAccessible::lineText(std::size_t line, int* startOffset, int* endOffset) const {
    const LineUtf16Index& index = view()->utf16Index();
    QString text = decodeCp932(view()->lineStore().line(line));
    if (line + 1 < view()->lineStore().size()) {
        text += QLatin1Char('\n');  // a line ends with its line break, as in Qt's own views
    }
    *startOffset = toInt(index.lineStart(line));
    *endOffset = toInt(index.lineStart(line) + text.size());
    return text;
}

// Lines are both the text's lines and its paragraphs (nothing wraps).
// Characters, words and sentences follow Qt's own rules, taken over the lines
// around the offset only.
QString ChannelViewAccessible::textNear(int offset, QAccessible::TextBoundaryType boundaryType,
                                        Side side, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    const LineUtf16Index& index = view()->utf16Index();
    const std::size_t lines = view()->lineStore().size();
    const int length = toInt(index.length());
    if (offset == -1) {
        offset = length;
    }
    if (offset < 0 || offset > length) {
        return {};
    }
    // No line, or one empty line: an empty range at every boundary (and no
    // last word to step back to below).
    if (length == 0) {
        *startOffset = *endOffset = 0;
        return {};
    }
    const std::size_t line = index.lineAt(offset);
    switch (boundaryType) {
        case QAccessible::LineBoundary:
        case QAccessible::ParagraphBoundary:
            if (side == Side::Before) {
                return offset == 0 || line == 0 ? QString()
                                                : lineText(line - 1, startOffset, endOffset);
            }
            if (side == Side::After) {
                return offset == length || line + 1 == lines
                           ? QString()
                           : lineText(line + 1, startOffset, endOffset);
            }
            return lineText(line, startOffset, endOffset);
        case QAccessible::NoBoundary:
            return {};
        default:
            break;
    }
    // Qt's own word and sentence search never returns from the end of the
    // text; there the caret reads the last word or sentence.
    if (side == Side::At && offset == length && boundaryType != QAccessible::CharBoundary) {
        return textNear(offset - 1, boundaryType, side, startOffset, endOffset);
    }
    // Qt's boundaries over a few lines around the offset; the answer holds
    // unless it reaches the edge of those lines, then over twice as many.
    std::size_t first = line == 0 ? 0 : line - 1;
    std::size_t last = std::min(line + 1, lines - 1);
    for (std::size_t span = 2;; span *= 2) {
        QString near;
        for (std::size_t i = first; i <= last; ++i) {
            int unusedStart = 0;
            int unusedEnd = 0;
            near += lineText(i, &unusedStart, &unusedEnd);
        }
        const int origin = toInt(index.lineStart(first));
        // A few lines around the offset, to take Qt's own boundaries over them.
        const PlainTextInterface around(near);
        const auto ask = side == Side::Before ? &QAccessibleTextInterface::textBeforeOffset
                         : side == Side::At   ? &QAccessibleTextInterface::textAtOffset
                                              : &QAccessibleTextInterface::textAfterOffset;
        const QString found = (around.*ask)(offset - origin, boundaryType, startOffset, endOffset);
        const bool notFound = *startOffset < 0;
        const bool widenBack = first > 0 && (notFound ? side != Side::After : *startOffset == 0);
        const bool widenOn =
            last + 1 < lines && (notFound ? side != Side::Before : *endOffset == near.size());
        if (!widenBack && !widenOn) {
            if (!notFound) {
                *startOffset += origin;
                *endOffset += origin;
            }
            return found;
        }
        first = widenBack ? first - std::min(first, span) : first;
        last = widenOn ? std::min(last + span, lines - 1) : last;
    }
}

QString ChannelViewAccessible::textBeforeOffset(int offset,
                                                QAccessible::TextBoundaryType boundaryType,
                                                int* startOffset, int* endOffset) const {
    return textNear(offset, boundaryType, Side::Before, startOffset, endOffset);
}

QString ChannelViewAccessible::textAfterOffset(int offset,
                                               QAccessible::TextBoundaryType boundaryType,
                                               int* startOffset, int* endOffset) const {
    return textNear(offset, boundaryType, Side::After, startOffset, endOffset);
}

QString ChannelViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return textNear(offset, boundaryType, Side::At, startOffset, endOffset);
}

QRect ChannelViewAccessible::characterRect(int offset) const {
    const ChannelView& v = *view();
    const QRect local = v.characterRect(v.utf16Index().offsetOf(v.lineStore(), offset));
    return local.isNull() ? local : QRect(v.viewport()->mapToGlobal(local.topLeft()), local.size());
}

int ChannelViewAccessible::offsetAtPoint(const QPoint& point) const {
    const ChannelView& v = *view();
    const ByteOffset at = v.offsetAt(v.viewport()->mapFromGlobal(point));
    return toInt(v.utf16Index().positionOf(v.lineStore(), at));
}

void ChannelViewAccessible::scrollToSubstring(int startIndex, int endIndex) {
    ChannelView& v = *view();
    const LineUtf16Index& index = v.utf16Index();
    v.ensureVisible(index.offsetOf(v.lineStore(), endIndex));
    v.ensureVisible(index.offsetOf(v.lineStore(), startIndex));
}

QString ChannelViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    const LineStore& store = view()->lineStore();
    const LineUtf16Index& index = view()->utf16Index();
    if (store.empty() || offset < 0 || offset > index.length()) {
        return {};
    }
    const std::size_t line = index.lineAt(offset);
    lineText(line, startOffset, endOffset);
    const QColor text = QColor::fromRgb(static_cast<QRgb>(store.colour(line).rgb));
    const QColor back = view()->backgroundColour();
    return QStringLiteral("color:rgb(%1,%2,%3);background-color:rgb(%4,%5,%6);")
        .arg(text.red())
        .arg(text.green())
        .arg(text.blue())
        .arg(back.red())
        .arg(back.green())
        .arg(back.blue());
}

void installChannelViewAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&createForChannelView);
        return true;
    }();
    (void)installed;
}

void notifyAccessibleSelection(ChannelView& view, SelectionNotice notice) {
    if (!QAccessible::isActive()) {
        return;
    }
    const LineUtf16Index& index = view.utf16Index();
    const LineStore& store = view.lineStore();
    const int caret = toInt(index.positionOf(store, view.caret()));
    if (notice == SelectionNotice::CaretAndSelection) {
        QAccessibleTextSelectionEvent selected(
            &view, toInt(index.positionOf(store, view.selectionStart())),
            toInt(index.positionOf(store, view.selectionStart() + view.selectionLength())));
        selected.setCursorPosition(caret);
        QAccessible::updateAccessibility(&selected);
    }
    QAccessibleTextCursorEvent moved(&view, caret);
    QAccessible::updateAccessibility(&moved);
}

}  // namespace ruv
