#pragma once
// Recording fakes of the routing ports: every call is kept, in order, so tests
// can check what routing asked for and in which sequence.

#include <array>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/views/channel_book.h"
#include "core/views/unread_counters.h"

namespace ruv::testing {

struct ViewLine {
    std::string text;
    Colour colour;
    friend bool operator==(const ViewLine&, const ViewLine&) = default;
};

// Everything the ports were asked to do, in order, as short descriptions.
using CallLog = std::vector<std::string>;

// Routing's tabs and captions, and every change to the book's lines.
class RecordingViews final : public TabSelection, public TabCaptions, public ViewLinesObserver {
  public:
    explicit RecordingViews(CallLog& log, std::size_t capacity = 1000) : log_(log) {
        book.setWindowColour(kDefaultColour);
        for (const ChannelRow& row : kChannelTable) {
            book.lines(row.channel).setCapacity(LineCount{static_cast<std::int64_t>(capacity)});
            book.lines(row.channel).watch(*this);
        }
    }

    std::optional<ChatChannel> ActiveTab() const override { return active; }
    void SetCaption(Tab tab, std::string_view caption) override {
        const ChatChannel channel = channelOf(tab).value();
        captions[channel] = std::string(caption);
        log_.push_back("SetCaption " + std::string(settingsKey(channel)));
    }
    void linesAdded(ChatChannel view, std::string_view, Colour) override {
        log_.push_back("Append " + std::string(settingsKey(view)));
    }
    void linesCleared(ChatChannel) override {}
    void linesDropped(ChatChannel) override {}
    void linesGone(ChatChannel) override {}

    std::vector<ViewLine> lines(ChatChannel view) const {
        const LineStore& store = book.lines(view).store();
        std::vector<ViewLine> out;
        for (std::size_t i = 0; i < store.size(); ++i) {
            out.push_back({std::string(store.line(i)), store.colour(i)});
        }
        return out;
    }

    // The default text colour of the views without a colour of their own.
    static constexpr Colour kDefaultColour{0x123456};
    RouteSettings settings;
    ChannelBook book;
    std::optional<ChatChannel> active = ChatChannel::Normal;
    std::map<ChatChannel, std::string> captions;

  private:
    CallLog& log_;
};

class RecordingNotices final : public RouteSettingsNotices {
  public:
    explicit RecordingNotices(CallLog& log) : log_(log) {}

    void keywordUnticked(ChatChannel row) override {
        log_.push_back("Untick " + std::string(settingsKey(row)));
    }

  private:
    CallLog& log_;
};

class RecordingSounds final : public CallSounds {
  public:
    explicit RecordingSounds(CallLog& log) : log_(log) {}

    bool HasCallSound(ChatChannel slot) const override { return withSound.contains(slot); }
    void PlayCallSound(ChatChannel slot) override {
        played.push_back(slot);
        log_.push_back("Play " + std::string(settingsKey(slot)));
    }

    std::set<ChatChannel> withSound;
    std::vector<ChatChannel> played;

  private:
    CallLog& log_;
};

class RecordingExp final : public ExpEvents {
  public:
    explicit RecordingExp(CallLog& log) : log_(log) {}

    void StartExpClock() override { log_.push_back("StartExpClock"); }
    void RecordGain(std::int64_t amount, std::string_view) override {
        gains.push_back(amount);
        log_.push_back("RecordGain " + std::to_string(amount));
    }
    void RecordLevelUp(std::string_view) override {
        ++levelUps;
        log_.push_back("RecordLevelUp");
    }

    std::vector<std::int64_t> gains;
    int levelUps = 0;

  private:
    CallLog& log_;
};

struct SpokenLine {
    std::string text;
    SpeakerLine speaker;
    SpeechPriority priority = SpeechPriority::Normal;
    friend bool operator==(const SpokenLine&, const SpokenLine&) = default;
};

class RecordingSpeech final : public SpeechOut {
  public:
    explicit RecordingSpeech(CallLog& log) : log_(log) {}

    void SpeakLine(std::string_view text, SpeakerLine speaker, SpeechPriority priority) override {
        log_.push_back("SpeakLine");
        if (failWith) {
            throw std::runtime_error(*failWith);
        }
        spoken.push_back({std::string(text), speaker, priority});
    }

    std::vector<SpokenLine> spoken;
    std::optional<std::string> failWith;

  private:
    CallLog& log_;
};

class RecordingAttention final : public Attention {
  public:
    explicit RecordingAttention(CallLog& log) : log_(log) {}

    void requestAttention() override {
        ++requests;
        log_.push_back("RequestAttention");
    }

    int requests = 0;

  private:
    CallLog& log_;
};

// A router wired to recording fakes, with the switches kept in the views'
// settings so one RouteSettings drives tabs and switches alike.
struct RouteRig {
    explicit RouteRig(std::size_t viewCapacity = 1000) : views(log, viewCapacity) {}

    void route(std::string_view raw) { router.RouteLine(raw); }
    // Arms a call sound's keyword row.
    void arm(ChatChannel row, std::string keyword) {
        views.settings.keyword(row) = CallKeyword{true, std::move(keyword)};
    }
    std::vector<ChatChannel> armedRows() const {
        std::vector<ChatChannel> armed;
        for (const ChannelRow& row : kChannelTable) {
            if (views.settings.keyword(row.channel).armed) {
                armed.push_back(row.channel);
            }
        }
        return armed;
    }

    CallLog log;
    RecordingViews views;
    RecordingNotices notices{log};
    RecordingSounds sounds{log};
    RecordingExp exp{log};
    RecordingSpeech speech{log};
    RecordingAttention attention{log};
    NgLists ngLists;
    UnreadCounters counters{views};
    LineRouter router{RoutePorts{views, notices, sounds, exp, speech, attention},
                      RouteState{views.settings, ngLists, views.book, counters}};
};

}  // namespace ruv::testing
