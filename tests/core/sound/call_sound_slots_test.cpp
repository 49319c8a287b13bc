// The call-sound slots over a recording media port: opening in slot order,
// the start-up failure, playing, applying and closing.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "core/sound/call_sound_slots.h"
#include "core/sound/call_sound_texts.h"
#include "core/text/cp932.h"

namespace ruv::testing {
namespace {

using CallLog = std::vector<std::string>;

class RecordingPlayer final : public MediaPlayer {
  public:
    RecordingPlayer(std::string name, CallLog& log) : name_(std::move(name)), log_(log) {}

    MediaOpenResult open(std::string_view cp932Path) override {
        log_.push_back(name_ + " open " + std::string(cp932Path));
        isOpen = openResult == MediaOpenResult::Opened;
        return openResult;
    }
    void close() override {
        log_.push_back(name_ + " close");
        isOpen = false;
    }
    bool stop() override {
        log_.push_back(name_ + " stop");
        return isOpen;
    }
    void seekToStart() override { log_.push_back(name_ + " seek"); }
    void play() override { log_.push_back(name_ + " play"); }

    MediaOpenResult openResult = MediaOpenResult::Opened;
    bool isOpen = false;

  private:
    std::string name_;
    CallLog& log_;
};

class Notices final : public SoundNotices {
  public:
    void notify(std::string_view text) override { shown.emplace_back(text); }
    std::vector<std::string> shown;
};

class Lines final : public platform::ErrorLog {
  public:
    void append(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

class CallSoundSlotsTest : public ::testing::Test {
  protected:
    CallSoundSlotsTest() : slots(pointers(), stored) {}

    std::array<MediaPlayer*, kCallSoundSlotCount> pointers() {
        std::array<MediaPlayer*, kCallSoundSlotCount> result{};
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] = &players[i];
        }
        return result;
    }
    RecordingPlayer& player(ChatChannel slot) { return players[*callSoundIndex(slot)]; }
    CallLog opens() const {
        CallLog result;
        for (const std::string& call : log) {
            if (call.find(" open ") != std::string::npos) {
                result.push_back(call);
            }
        }
        return result;
    }

    CallLog log;
    std::array<RecordingPlayer, kCallSoundSlotCount> players{
        RecordingPlayer{"01", log}, RecordingPlayer{"02", log}, RecordingPlayer{"03", log},
        RecordingPlayer{"04", log}, RecordingPlayer{"05", log}, RecordingPlayer{"06", log},
        RecordingPlayer{"09", log},
    };
    CallSoundPaths stored;  // the paths the slots keep
    CallSoundSlots slots;
    Notices notices;
    Lines errors;
    platform::ManualClock clock{{2024, 5, 1, 9, 5, 3}};
};

TEST_F(CallSoundSlotsTest, RestoreOpensEveryNonEmptySlotInSlotOrder) {
    const CallSoundPaths paths{"a.wav", "", "c.wav", "", "", "f.mp3", "o.wav"};
    EXPECT_FALSE(slots.RestoreCallSounds(paths, notices, errors, clock));

    EXPECT_EQ(opens(),
              (CallLog{"01 open a.wav", "03 open c.wav", "06 open f.mp3", "09 open o.wav"}));
    EXPECT_TRUE(slots.HasCallSound(ChatChannel::Normal));
    EXPECT_FALSE(slots.HasCallSound(ChatChannel::Open));
    EXPECT_TRUE(slots.HasCallSound(ChatChannel::Original));
    EXPECT_FALSE(slots.HasCallSound(ChatChannel::Battle));
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_TRUE(errors.lines.empty());
    EXPECT_EQ(slots.paths(), paths);
}

TEST_F(CallSoundSlotsTest, RestoreStopsAtTheFirstFailureNotifiesOnceAndLogs) {
    player(ChatChannel::Team).openResult = MediaOpenResult::FileMissing;
    player(ChatChannel::Club).openResult = MediaOpenResult::NotPlayable;
    const CallSoundPaths paths{"a.wav", "b.wav", "gone.wav", "d.wav", "e.wav", "", "o.wav"};
    const auto failure = slots.RestoreCallSounds(paths, notices, errors, clock);

    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->slot, ChatChannel::Team);
    EXPECT_EQ(failure->result, MediaOpenResult::FileMissing);
    EXPECT_EQ(opens(), (CallLog{"01 open a.wav", "02 open b.wav", "03 open gone.wav"}));
    EXPECT_TRUE(slots.HasCallSound(ChatChannel::Open));
    for (ChatChannel later :
         {ChatChannel::Team, ChatChannel::Club, ChatChannel::Whis, ChatChannel::Original}) {
        EXPECT_FALSE(slots.HasCallSound(later)) << settingsKey(later);
    }
    // The paths stay configured, so they are saved unchanged at exit.
    EXPECT_EQ(slots.paths(), paths);

    ASSERT_EQ(notices.shown.size(), 1u);
    EXPECT_EQ(notices.shown[0],
              cp932::fromUtf8("以前に設定した音声ファイルが見つかりません。\r"
                              "呼び出し音の設定を開き、指定したファイルを再度確認してください。")
                  .value());
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(errors.lines[0],
              cp932::fromUtf8("設定ファイルの読み込みに失敗しました(FormCreate) 2024/05/01 9:05:03")
                  .value());
}

TEST_F(CallSoundSlotsTest, PlayStopsRewindsAndPlaysSoASecondLineRestartsTheSound) {
    slots.RestoreCallSounds({"", "", "", "", "w.wav", "", ""}, notices, errors, clock);
    log.clear();

    slots.PlayCallSound(ChatChannel::Whis);
    slots.PlayCallSound(ChatChannel::Whis);
    EXPECT_EQ(log, (CallLog{"05 stop", "05 seek", "05 play", "05 stop", "05 seek", "05 play"}));

    log.clear();
    slots.PlayCallSound(ChatChannel::Normal);  // no sound configured
    slots.PlayCallSound(ChatChannel::System);  // no slot at all
    EXPECT_TRUE(log.empty());
}

TEST_F(CallSoundSlotsTest, ApplyClosesAllThenOpensTheNewPathsAndAnEmptyFieldSilencesItsSlot) {
    slots.RestoreCallSounds({"a.wav", "b.wav", "", "", "", "", ""}, notices, errors, clock);
    log.clear();

    EXPECT_FALSE(slots.ApplyPaths({"", "b.wav", "", "", "", "", "o.wav"}));
    const CallLog closes(log.begin(), log.begin() + 7);
    EXPECT_EQ(closes, (CallLog{"01 close", "02 close", "03 close", "04 close", "05 close",
                               "06 close", "09 close"}));
    EXPECT_EQ(opens(), (CallLog{"02 open b.wav", "09 open o.wav"}));
    EXPECT_FALSE(slots.HasCallSound(ChatChannel::Normal));
    EXPECT_FALSE(player(ChatChannel::Normal).isOpen);
    EXPECT_EQ(slots.path(ChatChannel::Normal), "");
    EXPECT_TRUE(slots.HasCallSound(ChatChannel::Original));
}

TEST_F(CallSoundSlotsTest, ApplyFailureKeepsEveryPathButLeavesLaterSlotsClosed) {
    player(ChatChannel::Open).openResult = MediaOpenResult::NotPlayable;
    const CallSoundPaths paths{"a.wav", "bad.mp3", "c.wav", "", "", "", ""};
    const auto failure = slots.ApplyPaths(paths);

    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->slot, ChatChannel::Open);
    EXPECT_TRUE(slots.HasCallSound(ChatChannel::Normal));
    EXPECT_FALSE(slots.HasCallSound(ChatChannel::Team));
    EXPECT_EQ(slots.paths(), paths);
    EXPECT_EQ(mediaOpenErrorText(failure->result, "bad.mp3"),
              cp932::fromUtf8("指定したファイルは再生できません。\r\nbad.mp3").value());
}

TEST_F(CallSoundSlotsTest, CloseClosesAllSevenAndKeepsThePathsForSaving) {
    slots.setPath(ChatChannel::Shout, "s.wav");
    slots.RestoreCallSounds(slots.paths(), notices, errors, clock);
    ASSERT_TRUE(slots.HasCallSound(ChatChannel::Shout));
    log.clear();

    slots.CloseCallSounds();
    EXPECT_EQ(log.size(), 7u);
    EXPECT_FALSE(slots.HasCallSound(ChatChannel::Shout));
    EXPECT_EQ(slots.path(ChatChannel::Shout), "s.wav");
}

TEST(CallSoundSlotIds, RowsNumbersAndLabelsFollowTheChannelNumbering) {
    EXPECT_EQ(soundPathRow(ChatChannel::Normal), config::ConfigRow::SoundPathMemo01);
    EXPECT_EQ(soundPathRow(ChatChannel::Shout), config::ConfigRow::SoundPathMemo06);
    EXPECT_EQ(soundPathRow(ChatChannel::Original), config::ConfigRow::SoundPathMemo09);
    EXPECT_EQ(config::rowNumber(soundPathRow(ChatChannel::Original)), 33);
    EXPECT_EQ(callSoundSlotOfRow(config::configRow(29)), ChatChannel::Whis);
    EXPECT_EQ(callSoundSlotOfRow(config::configRow(31)), std::nullopt);
    EXPECT_EQ(callSoundSlotOfNumber(9), ChatChannel::Original);
    EXPECT_EQ(callSoundSlotOfNumber(7), std::nullopt);
    EXPECT_EQ(callSoundSlotNumber(ChatChannel::Club), 4);
    EXPECT_EQ(callSoundLabel(ChatChannel::Open), cp932::fromUtf8("オープン").value());
}

}  // namespace
}  // namespace ruv::testing
