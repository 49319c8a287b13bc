#pragma once
// A day's log around one search result: the day's lines in their colours in
// a read-only view, scrolled to the result with a few lines before it in sight
// and the searched text selected.
// Nothing is attached; the main window's views are untouched. Escape closes it.

#include <QWidget>

#include <filesystem>
#include <memory>

#include "core/search/search_query.h"
#include "core/text/units.h"
#include "core/views/view_lines.h"

class QLabel;

namespace ruv {

class ChannelView;

class DayLogWindow : public QWidget {
    Q_OBJECT
  public:
    explicit DayLogWindow(QWidget* parent = nullptr);
    ~DayLogWindow() override;

    // Reads the day's log and shows the query's result on the line that starts
    // at lineStart in it; false, with the reason shown, when the log cannot be
    // read or that line no longer holds the result.
    bool showResult(const std::filesystem::path& log, const SearchQuery& query,
                    ByteOffset lineStart);

    ChannelView* view() const { return view_; }

  protected:
    // Escape closes the window.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Declared before the view, which reads the lines until it is destroyed.
    std::unique_ptr<ViewLines> lines_;
    ChannelView* view_ = nullptr;
    QLabel* place_ = nullptr;
};

}  // namespace ruv
