#include "core/views/view_lines.h"

#include <algorithm>

namespace ruv {

ViewLines::ViewLines(ChatChannel view, Colour defaultColour, LineCount capacity)
    : view_(view), defaultColour_(defaultColour), store_(capacity) {}

ViewLines::~ViewLines() {
    // A copy: an observer may stop watching while it is told.
    const std::vector<ViewLinesObserver*> observers = observers_;
    for (ViewLinesObserver* observer : observers) {
        observer->linesGone(view_);
    }
}

void ViewLines::append(std::string_view text, Colour colour) {
    append(text, colour, std::nullopt);
}

void ViewLines::append(std::string_view text, Colour colour, std::optional<Colour> background) {
    store_.append(text, colour, background);
    for (ViewLinesObserver* observer : observers_) {
        observer->linesAdded(view_, text, colour);
    }
}

void ViewLines::clear() {
    store_.clear();
    for (ViewLinesObserver* observer : observers_) {
        observer->linesCleared(view_);
    }
}

void ViewLines::setCapacity(LineCount capacity) {
    const std::int64_t droppedBefore = store_.droppedLines();
    store_.setCapacity(capacity);
    if (store_.droppedLines() == droppedBefore) {
        return;
    }
    for (ViewLinesObserver* observer : observers_) {
        observer->linesDropped(view_);
    }
}

Colour ViewLines::lastLineColour() const {
    return store_.empty() ? defaultColour_ : store_.colour(store_.size() - 1);
}

void ViewLines::watch(ViewLinesObserver& observer) const {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) {
        observers_.push_back(&observer);
    }
}

void ViewLines::unwatch(ViewLinesObserver& observer) const {
    std::erase(observers_, &observer);
}

}  // namespace ruv
