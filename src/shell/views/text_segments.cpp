#include "shell/views/text_segments.h"

#include <algorithm>

namespace ruv {

std::vector<int> segmentEdges(const QString& line, QTextBoundaryFinder::BoundaryType kind) {
    std::vector<int> edges{0};
    if (line.isEmpty()) {
        return edges;
    }
    QTextBoundaryFinder finder(kind, line);
    constexpr auto kItemEdge = QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem;
    // toNextBoundary moves forward on every step and answers -1 past the end.
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < line.size();
         at = finder.toNextBoundary()) {
        if (finder.boundaryReasons().testAnyFlags(kItemEdge)) {
            edges.push_back(static_cast<int>(at));
        }
    }
    edges.push_back(static_cast<int>(line.size()));
    return edges;
}

std::vector<int> wordStarts(const QString& line) {
    const std::vector<int> edges = segmentEdges(line, QTextBoundaryFinder::Word);
    std::vector<int> starts;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const auto first = line.begin() + edges[i];
        const auto last = line.begin() + edges[i + 1];
        if (std::any_of(first, last, [](QChar c) { return c.isLetterOrNumber(); })) {
            starts.push_back(edges[i]);
        }
    }
    return starts;
}

TextRange segmentNear(const QString& line, int offset, QAccessible::TextBoundaryType boundary,
                      TextSide side) {
    const int length = static_cast<int>(line.size());
    if (offset == -1) {
        offset = length;
    }
    if (offset < 0 || offset > length) {
        return {};
    }
    if (length == 0) {
        return {0, 0};
    }
    QTextBoundaryFinder::BoundaryType kind = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
        case QAccessible::CharBoundary:
            break;
        case QAccessible::WordBoundary:
            kind = QTextBoundaryFinder::Word;
            break;
        case QAccessible::SentenceBoundary:
            kind = QTextBoundaryFinder::Sentence;
            break;
        default:  // the line, the paragraph, no boundary: the whole text
            return side == TextSide::At ? TextRange{0, length} : TextRange{};
    }
    const std::vector<int> edges = segmentEdges(line, kind);
    const auto count = static_cast<int>(edges.size()) - 1;
    // The segment holding the offset: [edges[at], edges[at + 1]); count at the end.
    const auto at =
        static_cast<int>(std::upper_bound(edges.begin(), edges.end(), offset) - edges.begin()) - 1;
    int wanted = at;
    if (side == TextSide::Before) {
        wanted = at - 1;
    } else if (side == TextSide::After) {
        wanted = at + 1;
    } else if (at == count && boundary != QAccessible::CharBoundary) {
        wanted = count - 1;  // the caret at the end reads the last word or sentence
    }
    if (wanted < 0 || wanted >= count) {
        return {};
    }
    const auto index = static_cast<std::size_t>(wanted);
    return {edges[index], edges[index + 1]};
}

}  // namespace ruv
