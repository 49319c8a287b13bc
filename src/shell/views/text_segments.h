#pragma once
// Where characters, words and sentences begin and end within one line of a
// view's text, as QTextBoundaryFinder finds them.

#include <QString>
#include <QTextBoundaryFinder>

#include <vector>

namespace ruv {

// The edges of the line's segments of the given kind, in order: its start
// (0), its end (line.size()) and every boundary where an item begins or ends:
// between two words, the spaces and signs form a segment of their own. One
// pass over the line: the steps never exceed its length.
std::vector<int> segmentEdges(const QString& line, QTextBoundaryFinder::BoundaryType kind);

}  // namespace ruv
