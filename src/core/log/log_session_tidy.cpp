// Past-log tidying: the attached log's earlier lines sorted into the views in
// slices, each scheduled on the event loop through the timer port, so the
// window stays live; the live reader takes over once every line is sorted.

#include <exception>
#include <string>
#include <system_error>
#include <utility>

#include "core/log/attach_texts.h"
#include "core/log/log_session.h"
#include "core/rules/rule_engine.h"

namespace ruv {

void LogSession::startTidy(std::string_view failureText) {
    newDaysLogBeforeTidy_ = newDaysLogPresent();
    ports_.display.showCaption(WindowCaption::Tidying);
    PastLogBytes past;
    try {
        past = readPastLog(ports_.files, pendingLog_, pendingConsumed_);
    } catch (const std::exception&) {
        // Out of memory for the earlier lines: they are skipped, never the live ones.
        past.error = std::make_error_code(std::errc::not_enough_memory);
    }
    if (past.error) {
        reportFailure(failureText);
        followAttachedLog();
        return;
    }
    tidyFailureText_ = std::string(failureText);
    sort_.emplace(std::move(past.bytes));
    menu_.commands = CommandState::Disabled;
    publishMenu();
    showTidyProgress();
    nextSlice_->start(platform::Microseconds{0});
}

void LogSession::runTidySlice() {
    if (!sort_) {
        return;
    }
    const platform::Microseconds start = ports_.timers.now();
    SortProgress progress = SortProgress::More;
    try {
        do {
            progress = sort_->step(*this, timing_.linesPerStep);
        } while (progress == SortProgress::More && ports_.timers.now() - start < timing_.tidySlice);
    } catch (const std::exception&) {
        stopTidy();
        reportFailure(tidyFailureText_);
        followAttachedLog();
        return;
    }
    if (progress == SortProgress::Done) {
        stopTidy();
        followAttachedLog();
        return;
    }
    showTidyProgress();
    nextSlice_->start(platform::Microseconds{0});
}

void LogSession::stopTidy() {
    nextSlice_->stop();
    sort_.reset();
    menu_.commands = CommandState::Enabled;
    publishMenu();
    ports_.display.endTidyProgress(attachText(AttachText::AttachState));
}

int LogSession::tidyPercent() const {
    if (!sort_) {
        return 100;
    }
    const std::int64_t size = sort_->size().value;
    return size == 0 ? 100 : static_cast<int>(sort_->position().value * 100 / size);
}

void LogSession::showTidyProgress() {
    std::string state(attachText(AttachText::TidyingState));
    state += std::to_string(tidyPercent());
    state += '%';
    ports_.display.showTidyProgress(state);
}

void LogSession::followAttachedLog() {
    ports_.log.follow(pendingLog_, pendingConsumed_);
    // What the game wrote while the earlier lines were sorted.
    ports_.log.catchUp();
    ports_.display.showCaption(WindowCaption::Plain);
    // A new day's log the game created meanwhile counts as the name change
    // nobody was watching for.
    const std::optional<std::string> newDaysLog = newDaysLogPresent();
    if (newDaysLog && newDaysLog != newDaysLogBeforeTidy_) {
        fileNamesChanged();
    }
    newDaysLogBeforeTidy_.reset();
    if (std::optional<ChosenLog> chosen = std::exchange(chosenDuringTidy_, std::nullopt)) {
        attachChosen(*chosen);
    }
}

void LogSession::lineSorted(ChatChannel own, std::string_view display) {
    tidyBackground_.reset();
    if (tidyRules_ != nullptr && !tidyRules_->empty()) {
        tidyBackground_ = tidyRules_->apply(display, own, LineUse::ColourOnly).background;
    }
}

void LogSession::append(ChatChannel view, std::string_view text, Colour colour) {
    state_.book.append(view, text, colour, tidyBackground_);
}

void LogSession::addDayGain(std::int64_t amount, std::string_view stamp) {
    state_.exp.AddDayGain(amount, stamp);
}

void LogSession::levelUp(std::string_view stamp) {
    state_.exp.AddTidiedLevelUp(stamp);
}

bool LogSession::heldBack(std::string_view raw, std::string_view display) {
    return tidyNg_ != nullptr && tidyNg_->holdsBack(raw, display);
}

void LogSession::unreadableGain(std::string_view display) {
    unreadable_.gainNotCounted(display);
}

}  // namespace ruv
