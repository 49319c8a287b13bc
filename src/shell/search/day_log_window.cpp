#include "shell/search/day_log_window.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/log/past_log_sort.h"
#include "core/search/day_lines.h"
#include "shell/platform/qt_text.h"
#include "shell/views/channel_view.h"

namespace ruv {

namespace {

constexpr int kContextLines = 3;

}  // namespace

DayLogWindow::DayLogWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), lines_(std::make_unique<ViewLines>()) {
    setObjectName(QStringLiteral("DayLogWindow"));
    setAttribute(Qt::WA_WindowPropagation);  // the search window's font, the main window's
    setAttribute(Qt::WA_DeleteOnClose);
    resize(720, 420);
    auto* layout = new QVBoxLayout(this);
    place_ = new QLabel(this);
    place_->setTextFormat(Qt::PlainText);
    view_ = new ChannelView(*lines_, this);
    layout->addWidget(place_);
    layout->addWidget(view_, 1);
}

DayLogWindow::~DayLogWindow() {
    delete view_;  // before the lines it reads
}

void DayLogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool DayLogWindow::showResult(const std::filesystem::path& log, const SearchQuery& query,
                              ByteOffset lineStart) {
    setWindowTitle(toQString(log.filename()));
    lines_->clear();
    const PastLogBytes read = readPastLog(log);
    if (read.error) {
        place_->setText(QStringLiteral("読めませんでした: %1")
                            .arg(QString::fromLocal8Bit(read.error.message())));
        return false;
    }
    const std::optional<DayLineHit> hit = fillDayLines(read.bytes, query, lineStart, *lines_);
    if (!hit) {
        place_->setText(QStringLiteral("この結果はもうログにありません"));
        return false;
    }
    place_->setText(toQString(log));
    const ByteOffset shownLine = lines_->store().lineStart(hit->line);
    view_->select(shownLine + hit->start, ByteOffset{static_cast<std::int64_t>(query.text.size())});
    // The lines before the result, its context, in sight above it.
    view_->verticalScrollBar()->setValue(std::max(0, static_cast<int>(hit->line) - kContextLines));
    return true;
}

}  // namespace ruv
