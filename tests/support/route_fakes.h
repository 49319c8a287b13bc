#pragma once
// Recording fakes of the routing ports: every call is kept, in order, so tests
// can check what routing asked for and in which sequence.

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/views/unread_counters.h"

namespace ruv::testing {

struct ViewLine {
    std::string text;
    Colour colour;
    friend bool operator==(const ViewLine&, const ViewLine&) = default;
};

// Everything the ports were asked to do, in order, as short descriptions.
using CallLog = std::vector<std::string>;

class RecordingViews final : public RouteViews, public TabCaptions {
  public:
    explicit RecordingViews(CallLog& log, std::size_t capacity = 1000)
        : log_(log), capacity_(capacity) {}

    void Append(ChatChannel view, std::string_view text, Colour colour) override {
        auto& lines = lines_[view];
        if (lines.size() == capacity_) {
            lines.pop_front();
        }
        lines.push_back({std::string(text), colour});
        log_.push_back("Append " + std::string(settingsKey(view)));
    }
    Colour LastLineColour(ChatChannel view) const override {
        const auto it = lines_.find(view);
        return it == lines_.end() || it->second.empty() ? kDefaultColour : it->second.back().colour;
    }
    bool TabShown(ChatChannel tab) const override { return settings.TabShown(tab); }
    std::optional<ChatChannel> ActiveTab() const override { return active; }
    void SetCaption(Tab tab, std::string_view caption) override {
        const ChatChannel channel = channelOf(tab).value();
        captions[channel] = std::string(caption);
        log_.push_back("SetCaption " + std::string(settingsKey(channel)));
    }

    std::vector<ViewLine> lines(ChatChannel view) const {
        const auto it = lines_.find(view);
        return it == lines_.end() ? std::vector<ViewLine>{}
                                  : std::vector<ViewLine>(it->second.begin(), it->second.end());
    }

    static constexpr Colour kDefaultColour{0x123456};
    RouteSettings settings;
    std::optional<ChatChannel> active = ChatChannel::Normal;
    std::map<ChatChannel, std::string> captions;

  private:
    CallLog& log_;
    std::size_t capacity_;
    std::map<ChatChannel, std::deque<ViewLine>> lines_;
};

class RecordingKeywords final : public KeywordRows {
  public:
    explicit RecordingKeywords(CallLog& log) : log_(log) {}

    bool Ticked(ChatChannel row) const override { return ticked.contains(row); }
    void Untick(ChatChannel row) override {
        ticked.erase(row);
        log_.push_back("Untick " + std::string(settingsKey(row)));
    }
    std::string Keyword(ChatChannel row) const override {
        const auto it = keywords.find(row);
        return it == keywords.end() ? std::string() : it->second;
    }

    void arm(ChatChannel row, std::string keyword) {
        ticked.insert(row);
        keywords[row] = std::move(keyword);
    }

    std::set<ChatChannel> ticked;
    std::map<ChatChannel, std::string> keywords;

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
    void RecordGain(std::int64_t amount) override {
        gains.push_back(amount);
        log_.push_back("RecordGain " + std::to_string(amount));
    }
    void RecordLevelUp() override {
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
    friend bool operator==(const SpokenLine&, const SpokenLine&) = default;
};

class RecordingSpeech final : public SpeechOut {
  public:
    explicit RecordingSpeech(CallLog& log) : log_(log) {}

    void SpeakLine(std::string_view text, SpeakerLine speaker) override {
        log_.push_back("SpeakLine");
        if (failWith) {
            throw std::runtime_error(*failWith);
        }
        spoken.push_back({std::string(text), speaker});
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

    CallLog log;
    RecordingViews views;
    SettingsSwitches switches{views.settings};
    RecordingKeywords keywords{log};
    RecordingSounds sounds{log};
    RecordingExp exp{log};
    RecordingSpeech speech{log};
    RecordingAttention attention{log};
    NgLists ngLists;
    UnreadCounters counters{views};
    LineRouter router{RoutePorts{views, switches, keywords, sounds, exp, speech, attention},
                      ngLists, counters};
};

}  // namespace ruv::testing
