#include "shell/views/text_segments.h"

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

}  // namespace ruv
