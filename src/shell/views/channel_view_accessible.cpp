#include "shell/views/channel_view_accessible.h"

#include <QScrollBar>

#include <algorithm>
#include <limits>

#include "shell/views/channel_view.h"
#include "shell/views/line_text.h"
#include "shell/views/text_segments.h"

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
// Characters, words and sentences are the segments QTextBoundaryFinder finds
// within the offset's line; a line's start always begins one, so an answer
// never looks beyond a line and its neighbour.
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
    // No line, or one empty line: an empty range at every boundary.
    if (length == 0) {
        *startOffset = *endOffset = 0;
        return {};
    }
    const std::size_t line = index.lineAt(offset);
    QTextBoundaryFinder::BoundaryType kind = QTextBoundaryFinder::Grapheme;
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
        case QAccessible::CharBoundary:
            break;
        case QAccessible::WordBoundary:
            kind = QTextBoundaryFinder::Word;
            break;
        case QAccessible::SentenceBoundary:
            kind = QTextBoundaryFinder::Sentence;
            break;
        default:  // NoBoundary: the view never hands out its whole text at once
            return {};
    }
    if (offset == length && side == Side::After) {
        return {};
    }
    if (offset == length && side == Side::At) {
        // No character at the end; the caret there reads the last word or sentence.
        return boundaryType == QAccessible::CharBoundary
                   ? QString()
                   : textNear(offset - 1, boundaryType, side, startOffset, endOffset);
    }
    int lineStart = 0;
    int lineEnd = 0;
    const QString text = lineText(line, &lineStart, &lineEnd);
    const std::vector<int> edges = segmentEdges(text, kind);
    // The segment holding the offset: [edges[at], edges[at + 1]).
    const auto at = static_cast<std::size_t>(
        std::upper_bound(edges.begin(), edges.end(), offset - lineStart) - edges.begin() - 1);
    switch (side) {
        case Side::At:
            break;
        case Side::Before:
            if (at > 0) {
                *startOffset = lineStart + edges[at - 1];
                *endOffset = lineStart + edges[at];
                return text.mid(edges[at - 1], edges[at] - edges[at - 1]);
            }
            if (line == 0) {
                return {};
            }
            return lastSegment(line - 1, kind, startOffset, endOffset);
        case Side::After:
            if (at + 2 < edges.size()) {
                *startOffset = lineStart + edges[at + 1];
                *endOffset = lineStart + edges[at + 2];
                return text.mid(edges[at + 1], edges[at + 2] - edges[at + 1]);
            }
            if (line + 1 == lines || lineEnd == length) {
                return {};
            }
            return firstSegment(line + 1, kind, startOffset, endOffset);
    }
    *startOffset = lineStart + edges[at];
    *endOffset = lineStart + edges[at + 1];
    return text.mid(edges[at], edges[at + 1] - edges[at]);
}

QString ChannelViewAccessible::firstSegment(std::size_t line,
                                            QTextBoundaryFinder::BoundaryType kind,
                                            int* startOffset, int* endOffset) const {
    const QString text = lineText(line, startOffset, endOffset);
    const std::vector<int> edges = segmentEdges(text, kind);
    *endOffset = *startOffset + edges[1];
    return text.left(edges[1]);
}

QString ChannelViewAccessible::lastSegment(std::size_t line, QTextBoundaryFinder::BoundaryType kind,
                                           int* startOffset, int* endOffset) const {
    const QString text = lineText(line, startOffset, endOffset);
    const std::vector<int> edges = segmentEdges(text, kind);
    const int from = edges[edges.size() - 2];
    *startOffset += from;
    return text.mid(from);
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
