#pragma once
// Where characters, words and sentences begin and end within one line of
// text, as QTextBoundaryFinder finds them: what screen readers are told and
// where the views' caret stops on a word move.

#include <QAccessible>
#include <QString>
#include <QTextBoundaryFinder>

#include <vector>

namespace ruv {

// The edges of the line's segments of the given kind, in order: its start
// (0), its end (line.size()) and every boundary where an item begins or ends:
// between two words, the spaces and signs form a segment of their own. One
// pass over the line: the steps never exceed its length.
std::vector<int> segmentEdges(const QString& line, QTextBoundaryFinder::BoundaryType kind);

// Where the line's words begin, in order: the segments of segmentEdges that
// hold a letter or a number. The stops of a word move.
std::vector<int> wordStarts(const QString& line);

enum class TextSide { Before, At, After };

// A range of a text; -1, -1 when there is none.
struct TextRange {
    int start = -1;
    int end = -1;
};

// A screen reader's question about a one-line text (a text field): the
// character, word or sentence before, at or after offset, as the views answer
// it. The line and the paragraph are the whole text; offset -1 is the end. An
// empty text answers an empty range at 0.
TextRange segmentNear(const QString& line, int offset, QAccessible::TextBoundaryType boundary,
                      TextSide side);

}  // namespace ruv
