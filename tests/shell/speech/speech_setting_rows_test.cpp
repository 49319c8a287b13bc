// The speech rows the settings step restores at start-up and reads back at
// exit, and what the bridge then speaks with.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

#include "shell/app/session.h"
#include "shell/speech/speech_window_fixture.h"

namespace ruv::testing {
namespace {

using SpeechSettingRowsTest = SpeechWindowTest;

TEST_F(SpeechSettingRowsTest, RestoredRowsReadBackAndReachTheBridge) {
    const std::pair<std::string_view, std::string> rows[] = {
        {speech_keys::kAddress, "10.0.0.2"}, {speech_keys::kPort, "50002"},
        {speech_keys::kVolume, "70"},        {speech_keys::kSpeed, "130"},
        {speech_keys::kTone, "80"},          {speech_keys::kVoiceKind, "5"},
        {speech_keys::kLimit, "20"},         {speech_keys::kNameReading, "1"},
        {speech_keys::kSendSwitch, "1"},     {speech_keys::kReadMode, "3"}};
    for (const auto& [key, value] : rows) {
        ASSERT_TRUE(window->restoreSpeechSetting(key, value)) << key;
    }
    for (const auto& [key, value] : rows) {
        EXPECT_EQ(window->speechSettingValue(key), value) << key;
    }
    EXPECT_TRUE(window->speechSwitch()->isChecked());
    EXPECT_EQ(window->readModeList()->currentIndex(), 3);

    const SpeechSettings& spoken = window->session().speechSide.bridge().settings();
    EXPECT_EQ(spoken.endpoint, (SpeechEndpoint{"10.0.0.2", 50002}));
    EXPECT_EQ(GlobalVoice(spoken), (VoiceParams{130, 80, 70, 5}));
    EXPECT_EQ(spoken.limitMoji, 20);
    EXPECT_EQ(spoken.names, NameReading::Read);
    EXPECT_EQ(spoken.readMode, ReadMode::AllButProfiled);

    EXPECT_FALSE(window->restoreSpeechSetting("OpenCheck", "1"));
    EXPECT_FALSE(window->speechSettingValue("OpenCheck").has_value());
}

TEST_F(SpeechSettingRowsTest, ChoosingAReadModeChangesWhatTheBridgeDoes) {
    window->readModeList()->setCurrentIndex(2);
    EXPECT_EQ(window->session().speechSide.bridge().settings().readMode, ReadMode::OnlyProfiled);
    EXPECT_EQ(window->speechSettingValue(speech_keys::kReadMode), "2");
}

}  // namespace
}  // namespace ruv::testing
