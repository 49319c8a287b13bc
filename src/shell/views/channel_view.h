#pragma once
// A virtualized, read-only view of coloured CP932 lines.

#include <QAbstractScrollArea>
#include <QColor>

#include <cstddef>
#include <string>
#include <string_view>

#include "core/text/units.h"

namespace ruv {

class ChannelView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr std::size_t kDefaultCapacity = 500'000;

    explicit ChannelView(QWidget* parent = nullptr);
    ~ChannelView() override;

    // Appends one line (CP932 bytes, no line break) in the given colour. When
    // the view is full its oldest lines are dropped.
    void appendLine(std::string_view cp932, QColor colour);
    void clear();
    LineCount lineCount() const;
    void setCapacity(LineCount capacity);

    QColor defaultTextColour() const;
    // Colour of the last line appended; the default text colour when empty.
    QColor lastLineColour() const;

    // The whole text as CP932 bytes with CR LF between lines.
    std::string text() const;
    // Selection in CP932 byte offsets over text().
    void select(ByteOffset start, ByteOffset length);
    ByteOffset selectionStart() const;
    ByteOffset selectionLength() const;
    std::string selectedText() const;
    void selectAll();
    // Puts the selection on the clipboard as text.
    void copy() const;
};

}  // namespace ruv
