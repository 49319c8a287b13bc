// Choices of SpeakLine that need no network.

#include <gtest/gtest.h>

#include <vector>

#include "core/speech/speak_line.h"
#include "support/cp932_text.h"

namespace {

using ruv::SpeakerLine;
using ruv::testing::sj;

class RecordingSink final : public ruv::SpeechSink {
  public:
    void Send(ruv::SpeechRequest request, ruv::SpeechLineTag tag) override {
        requests.push_back(std::move(request));
        tags.push_back(std::move(tag));
    }
    std::vector<ruv::SpeechRequest> requests;
    std::vector<ruv::SpeechLineTag> tags;
};

std::string messageOf(const ruv::SpeechRequest& request) {
    return request.bytes.size() < ruv::kSpeechHeaderBytes
               ? std::string()
               : request.bytes.substr(ruv::kSpeechHeaderBytes);
}

TEST(SpeakLine, ProfileNameMatchesOnlyOnCharacterBoundaries) {
    RecordingSink sink;
    ruv::VoiceList voices;
    ruv::SpeechBridge bridge(sink, voices);
    // 表 ends in the byte of '\': a profile named "\" must not match inside it.
    ASSERT_EQ(sj("表").back(), '\\');
    voices = ruv::VoiceList({ruv::VoiceProfile{"\\", 5, 5, 55, 55}});
    bridge.SpeakLine(sj("表 : hello"), SpeakerLine::Yes);
    // Anywhere else on a boundary it matches, even after other text.
    bridge.SpeakLine("x\\ : hello", SpeakerLine::Yes);
    ASSERT_EQ(sink.requests.size(), 2u);
    EXPECT_EQ(sink.requests[0].bytes[8], 0);
    EXPECT_EQ(sink.requests[1].bytes[8], 5);
}

TEST(SpeakLine, LimitAlsoShortensContinuationLines) {
    RecordingSink sink;
    ruv::VoiceList voices;
    ruv::SpeechBridge bridge(sink, voices);
    ruv::SpeechSettings settings;
    settings.limitMoji = 2;
    bridge.setSettings(settings);
    bridge.SpeakLine("0123456789", SpeakerLine::Yes);
    bridge.SpeakLine("0123456789", SpeakerLine::No);
    ASSERT_EQ(sink.requests.size(), 2u);
    EXPECT_EQ(messageOf(sink.requests[0]), "0123");
    EXPECT_EQ(messageOf(sink.requests[1]), "0123456789");
}

TEST(SpeakLine, EmptyTextOnlyOpensTheConnection) {
    RecordingSink sink;
    ruv::VoiceList voices;
    ruv::SpeechBridge bridge(sink, voices);
    bridge.SpeakLine("", SpeakerLine::Yes);
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_TRUE(sink.requests[0].bytes.empty());
    EXPECT_EQ(sink.requests[0].endpoint, (ruv::SpeechEndpoint{"127.0.0.1", 50001}));
}

TEST(SpeakLine, LastVoiceFollowsFullLinesOnly) {
    RecordingSink sink;
    ruv::VoiceList voices;
    ruv::SpeechBridge bridge(sink, voices);
    EXPECT_EQ(bridge.LastVoice(), ruv::kSilentVoice);
    voices = ruv::VoiceList({ruv::VoiceProfile{"abc", 3, 80, 120, 90}});
    bridge.SpeakLine("abc : hello", SpeakerLine::Yes);
    EXPECT_EQ(bridge.LastVoice(), (ruv::VoiceParams{120, 90, 80, 3}));
    bridge.SpeakLine("short", SpeakerLine::Yes);
    EXPECT_EQ(bridge.LastVoice(), (ruv::VoiceParams{120, 90, 80, 3}));
    bridge.SpeakLine("a line of seventeen", SpeakerLine::No);
    EXPECT_EQ(bridge.LastVoice(), (ruv::VoiceParams{100, 100, 100, 0}));
}

}  // namespace
