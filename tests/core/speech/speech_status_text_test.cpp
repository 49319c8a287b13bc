// The status bar's speech panel and the queue settings' file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/speech/speech_queue_settings.h"
#include "core/speech/speech_status_text.h"
#include "core/text/cp932.h"

namespace ruv {
namespace {

TEST(SpeechStatusText, SaysWaitingPausedDownAndDroppedWithTheDetailInTheTooltip) {
    struct Case {
        SpeechQueueStatus status;
        const char* text;
        const char* tooltip;
    };
    const std::vector<Case> cases{
        {{3, false, SpeechLink::Pacing, {}, {}}, "読み上げ: 待ち 3行", ""},
        {{0, true, SpeechLink::Pacing, {}, {}}, "読み上げ: 一時停止中", ""},
        {{2, false, SpeechLink::Down, platform::TcpFailure::Refused, {}},
         "読み上げ: 応答なし (21:04:13から) 待ち 2行",
         "接続を拒否されました"},
        {{2, true, SpeechLink::Down, platform::TcpFailure::Refused, {}},
         "読み上げ: 一時停止中 応答なし (21:04:13から) 待ち 2行",
         "接続を拒否されました"},
        {{0, false, SpeechLink::Pacing, {}, {10, 2}},
         "読み上げ: 待ち 0行 破棄 12行",
         "古くなって捨てた行: 10行\n連投で捨てた行: 2行"},
        {{1, false, SpeechLink::CannotPace, {}, {}},
         "読み上げ: 待ち 1行 (すぐ送信)",
         "棒読みちゃんが待っている行数を答えないため、行をすぐに送っています"},
    };
    for (const Case& c : cases) {
        const SpeechStatusText got = speechStatusText(c.status, "21:04:13");
        EXPECT_EQ(cp932::toUtf8(got.text), c.text);
        EXPECT_EQ(cp932::toUtf8(got.tooltip), c.tooltip);
    }
}

TEST(SpeechQueueSettingsFile, ReadsWhatItWritesAndTakesDefaultsForWhatIsMissingOrWrong) {
    const SpeechQueueSettings changed{0, 120, 5, {{"Ctrl+Alt+F9", "", "Meta+Shift+P"}}};
    EXPECT_EQ(readSpeechQueueSettings(speechQueueSettingsText(changed)), changed);
    // Hotkeys the player never set take no row.
    EXPECT_EQ(speechQueueSettingsText(SpeechQueueSettings{}).find("Hotkey"), std::string::npos);
    EXPECT_EQ(readSpeechQueueSettings(""), SpeechQueueSettings{});
    EXPECT_EQ(readSpeechQueueSettings("SpeechLinesThere=21\r\nSpeechStaleSeconds=x\r\n"
                                      "SpeechPerSpeaker=-1\r\nHotkeySkip=Ctrl+\t\r\n"),
              SpeechQueueSettings{});
    EXPECT_EQ(SpeechQueueSettings{}.policy(), (SpeechQueuePolicy{1, std::chrono::seconds(60), 3}));
}

}  // namespace
}  // namespace ruv
