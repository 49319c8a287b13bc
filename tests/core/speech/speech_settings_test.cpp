// Speech settings as stored, the settings dialog's rules and the request bytes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/speech/speech_dialog_rules.h"
#include "core/speech/speech_settings.h"
#include "core/speech/speech_test_buttons.h"
#include "core/speech/voice_params.h"

namespace {

using ruv::NameReading;
using ruv::ReadMode;
using ruv::SpeechSettingTexts;

SpeechSettingTexts stored() {
    return {"192.168.0.2", "50002", "80", "120", "90", "3", "20", "1", "2"};
}

TEST(SpeechSettings, ReadsTheStoredTexts) {
    const auto read = ruv::readSpeechSettings(stored());
    EXPECT_TRUE(read.badKeys.empty());
    EXPECT_EQ(read.texts, stored());
    EXPECT_EQ(read.settings.endpoint, (ruv::SpeechEndpoint{"192.168.0.2", 50002}));
    EXPECT_EQ(ruv::GlobalVoice(read.settings), (ruv::VoiceParams{120, 90, 80, 3}));
    EXPECT_EQ(read.settings.limitMoji, 20);
    EXPECT_EQ(read.settings.names, NameReading::Read);
    EXPECT_EQ(read.settings.readMode, ReadMode::OnlyProfiled);
}

TEST(SpeechSettings, FieldsThatAreNotNumbersTakeTheirResetValuesAndAreNamed) {
    SpeechSettingTexts texts = stored();
    texts.port = "70000";
    texts.volume = "loud";
    texts.limit = "";
    texts.readMode = "4";
    const auto read = ruv::readSpeechSettings(texts);
    EXPECT_EQ(read.badKeys, (std::vector<std::string_view>{"BouPort", "BouVolume", "BouLimitMoji",
                                                           "BouyomiCheck02"}));
    EXPECT_EQ(read.settings.endpoint.port, 50001);
    EXPECT_EQ(read.settings.volume, 100);
    EXPECT_EQ(read.settings.limitMoji, 36);
    EXPECT_EQ(read.settings.readMode, ReadMode::AllWithProfiles);
    EXPECT_EQ(read.settings.speed, 120);  // the readable fields are kept
    EXPECT_EQ(read.texts.port, "50001");
    EXPECT_EQ(read.texts.limit, "36");
    EXPECT_EQ(read.texts.tone, "90");

    const std::string error = ruv::badSpeechSettingsErrorText(read.badKeys);
    EXPECT_NE(error.find(":BouPort,BouVolume,BouLimitMoji,BouyomiCheck02("), std::string::npos);
    EXPECT_TRUE(error.ends_with("(BouyomiSettingButton01Click) "));
}

TEST(SpeechSettings, NamesGoUnreadOnlyWhenBouNoNameIsTheText0) {
    const std::vector<std::pair<std::string, NameReading>> cases = {{"0", NameReading::NotRead},
                                                                    {"1", NameReading::Read},
                                                                    {"00", NameReading::Read},
                                                                    {" 0", NameReading::Read},
                                                                    {"no", NameReading::Read}};
    for (const auto& [text, names] : cases) {
        SpeechSettingTexts texts = stored();
        texts.nameReading = text;
        const auto read = ruv::readSpeechSettings(texts);
        EXPECT_EQ(read.settings.names, names) << text;
        EXPECT_TRUE(read.badKeys.empty()) << text;
    }
}

TEST(SpeechDialog, OpensWithTheStoredValuesAndResetsToTheDefaults) {
    const auto values = ruv::dialogValuesFromStored(ruv::readSpeechSettings(stored()));
    EXPECT_EQ(values.address, "192.168.0.2");
    EXPECT_EQ(values.port, "50002");
    EXPECT_EQ(values.limit, "20");
    EXPECT_EQ(values.names, NameReading::Read);

    const auto reset = ruv::dialogResetValues();
    EXPECT_EQ(reset.address, "127.0.0.1");
    EXPECT_EQ(reset.port, "50001");
    EXPECT_EQ(reset.volume, 100);
    EXPECT_EQ(reset.speed, 100);
    EXPECT_EQ(reset.tone, 100);
    EXPECT_EQ(reset.voiceKind, 0);
    EXPECT_EQ(reset.limit, "36");
    EXPECT_EQ(reset.names, NameReading::NotRead);
}

TEST(SpeechDialog, OkCapsTheLimitAt64AndStoresOtherWholeNumbersAsTyped) {
    auto values = ruv::dialogResetValues();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"100", "64"}, {"65", "64"}, {"64", "64"}, {"0", "0"}, {"-5", "-5"}, {" 7", " 7"}};
    for (const auto& [typed, kept] : cases) {
        values.limit = typed;
        const auto ok = ruv::applyDialogOk(values, "3");
        EXPECT_EQ(ok.refusal, ruv::OkRefusal::None) << typed;
        EXPECT_EQ(ok.stored.limit, kept) << typed;
    }
    values.names = NameReading::Read;
    values.volume = 55;
    values.limit = "36";
    const auto ok = ruv::applyDialogOk(values, "3");
    EXPECT_EQ(ok.stored,
              (SpeechSettingTexts{"127.0.0.1", "50001", "55", "100", "100", "0", "36", "1", "3"}));
}

TEST(SpeechDialog, OkWithALimitOrPortThatIsNotANumberStoresNothing) {
    auto values = ruv::dialogResetValues();
    values.limit = "3x";
    EXPECT_EQ(ruv::applyDialogOk(values, "0").refusal, ruv::OkRefusal::LimitNotNumber);
    values.limit = "36";
    values.port = "port";
    EXPECT_EQ(ruv::applyDialogOk(values, "0").refusal, ruv::OkRefusal::PortNotNumber);
    EXPECT_FALSE(ruv::endpointFromTexts("127.0.0.1", "65536"));
    EXPECT_EQ(ruv::endpointFromTexts("127.0.0.1", "5"), (ruv::SpeechEndpoint{"127.0.0.1", 5}));
}

TEST(SpeechRequestBytes, HeaderCarriesLowBytesOfTheVoiceAndTheRealLength) {
    const std::string message(600, 'a');
    const std::string bytes = ruv::speechRequestBytes(ruv::VoiceParams{300, 50, 0, 8}, message);
    ASSERT_EQ(bytes.size(), 615u);
    EXPECT_EQ(bytes.substr(0, 15),
              std::string("\x01\x00\x2c\x00\x32\x00\x00\x00\x08\x00\x02\x58\x02\x00\x00", 15));
    EXPECT_EQ(bytes.substr(15), message);
}

TEST(SpeechTestButtons, ConnectionTestAdviceIsSixLines) {
    const std::string advice = ruv::connectionTestAdvice();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = advice.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(advice.substr(start, end - start));
    }
    lines.push_back(advice.substr(start));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(lines[1].empty());
    EXPECT_TRUE(lines[3].find("Socket") != std::string::npos);
    EXPECT_EQ(advice.find('\n'), advice.find("\r\n") + 1);
    EXPECT_EQ(ruv::kConnectionTestMessage.cp932().size(), 10u);
    EXPECT_EQ(ruv::kVoiceTestMessage.cp932().size(), 12u);
}

}  // namespace
