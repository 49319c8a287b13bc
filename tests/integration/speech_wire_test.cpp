// Speech requests as a real TCP server on 127.0.0.1 receives them.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/speech/speak_line.h"
#include "core/speech/speech_client.h"
#include "core/speech/speech_test_buttons.h"
#include "support/cp932_text.h"
#include "support/recording_tcp_server.h"
#include "support/wait_until.h"

namespace {

using namespace std::chrono_literals;
using ruv::NameReading;
using ruv::ReadMode;
using ruv::SpeakerLine;
using ruv::VoiceProfile;
using ruv::testing::RecordingTcpServer;
using ruv::testing::sj;

// The header written out field by field, the length field carrying the
// message's real length.
std::string wire(int speed, int tone, int volume, int voice, std::string_view message) {
    std::string out{'\x01', '\x00'};
    for (const int value : {speed, tone, volume, voice}) {
        out.push_back(static_cast<char>(value));
        out.push_back('\x00');
    }
    out.push_back('\x02');
    const auto n = message.size();
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>((n >> 8) & 0xFF));
    out.push_back('\x00');
    out.push_back('\x00');
    out.append(message);
    return out;
}

const VoiceProfile kAbc{"abc", 3, 80, 120, 90};

class SpeechOnTheWire : public ::testing::Test {
  protected:
    SpeechOnTheWire() { configure({}); }

    void configure(std::vector<VoiceProfile> profiles, ReadMode mode = ReadMode::AllWithProfiles,
                   NameReading names = NameReading::NotRead, int limit = 36) {
        ruv::SpeechSettings settings;
        settings.endpoint = {"127.0.0.1", server.port()};
        settings.readMode = mode;
        settings.names = names;
        settings.limitMoji = limit;
        bridge.setSettings(settings);
        voices = ruv::VoiceList(std::move(profiles));
    }

    // Speaks the lines and returns what the server received for each of them.
    std::vector<std::string> speak(const std::vector<std::pair<std::string, SpeakerLine>>& lines) {
        const std::size_t before = server.connections();
        for (const auto& [text, flag] : lines) {
            bridge.SpeakLine(text, flag);
        }
        EXPECT_TRUE(server.waitForConnections(before + lines.size(), 20s));
        const auto all = server.received();
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }
    std::string speakOne(const std::string& text, SpeakerLine flag = SpeakerLine::Yes) {
        const auto got = speak({{text, flag}});
        return got.empty() ? std::string() : got.front();
    }

    RecordingTcpServer server;
    ruv::SpeechClient client{nullptr};
    ruv::VoiceList voices;
    ruv::SpeechBridge bridge{client, voices};
};

TEST_F(SpeechOnTheWire, WorkedExampleSendsTheProfileVoiceWithAndWithoutTheName) {
    configure({kAbc});
    EXPECT_EQ(speakOne("abc : hello"),
              std::string("\x01\x00\x78\x00\x5a\x00\x50\x00\x03\x00\x02\x05\x00\x00\x00hello", 20));

    configure({kAbc}, ReadMode::AllWithProfiles, NameReading::Read);
    EXPECT_EQ(speakOne("abc : hello"), wire(120, 90, 80, 3, "abc : hello"));
}

TEST_F(SpeechOnTheWire, EveryVoiceKindGoesOutInTheHeader) {
    ruv::SpeechSettings settings = bridge.settings();
    for (int voice = 0; voice <= 8; ++voice) {
        settings.voiceKind = voice;
        settings.volume = 10 * voice;
        settings.speed = 50 + voice;
        settings.tone = 200 - voice;
        bridge.setSettings(settings);
        EXPECT_EQ(speakOne("xy : hi"), wire(50 + voice, 200 - voice, 10 * voice, voice, "hi"))
            << "voice " << voice;
    }
}

TEST_F(SpeechOnTheWire, ReadModesDecideVoiceAndSilence) {
    const std::string global = wire(100, 100, 100, 0, "hi");
    const std::string profiled = wire(120, 90, 80, 3, "hi");
    struct Case {
        ReadMode mode;
        std::string abcLine;
        std::string otherLine;
    };
    const std::vector<Case> cases = {
        {ReadMode::AllWithProfiles, profiled, global},
        {ReadMode::AllWithoutProfiles, global, global},
        {ReadMode::OnlyProfiled, profiled, ""},  // connection opened and closed, nothing sent
        {ReadMode::AllButProfiled, "", global},
    };
    for (const Case& c : cases) {
        configure({kAbc}, c.mode);
        const auto got = speak({{"abc : hi", SpeakerLine::Yes}, {"xy : hi", SpeakerLine::Yes}});
        ASSERT_EQ(got.size(), 2u);
        EXPECT_EQ(got[0], c.abcLine) << "mode " << static_cast<int>(c.mode);
        EXPECT_EQ(got[1], c.otherLine) << "mode " << static_cast<int>(c.mode);
    }
}

TEST_F(SpeechOnTheWire, ContinuationLinesTakeTheLastFullLinesVoiceAndAreSpokenWhole) {
    configure({kAbc}, ReadMode::OnlyProfiled);
    const auto got = speak({
        {"abc", SpeakerLine::Yes},           // before any full line: all zero
        {"abc : hello", SpeakerLine::Yes},   // the profile's voice becomes the last voice
        {"and more", SpeakerLine::Yes},      // read mode 2 does not silence it
        {"xy : unknown", SpeakerLine::Yes},  // silenced, and the last voice is the global one
        {"tail", SpeakerLine::No},
    });
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[0], wire(0, 0, 0, 0, "abc"));
    EXPECT_EQ(got[1], wire(120, 90, 80, 3, "hello"));
    EXPECT_EQ(got[2], wire(120, 90, 80, 3, "and more"));
    EXPECT_EQ(got[3], "");
    EXPECT_EQ(got[4], wire(100, 100, 100, 0, "tail"));
}

TEST_F(SpeechOnTheWire, LimitOf36AllowsNinetyTwoBytesWithNamesAndSeventyTwoWithout) {
    std::string message;
    for (int i = 0; i < 60; ++i) {
        message += sj("あ");
    }
    const std::string line = "abcd : " + message;

    configure({}, ReadMode::AllWithProfiles, NameReading::Read, 36);
    // 92 bytes: the name, then a double-byte character cut in half at the end.
    EXPECT_EQ(speakOne(line), wire(100, 100, 100, 0, line.substr(0, 92)));

    configure({}, ReadMode::AllWithProfiles, NameReading::NotRead, 36);
    EXPECT_EQ(speakOne(line), wire(100, 100, 100, 0, message.substr(0, 72)));

    configure({}, ReadMode::AllWithProfiles, NameReading::NotRead, 0);
    EXPECT_EQ(speakOne(line), wire(100, 100, 100, 0, ""));
}

TEST_F(SpeechOnTheWire, NameRuleCutsSpeakerLinesOnlyAndShoutKeepsItsName) {
    configure({}, ReadMode::AllWithProfiles, NameReading::NotRead, 5);
    const std::string teamLine = "abc : 0123456789ABCDEFGHIJ";
    const std::string shoutLine = sj("abc : 叫び 0123456789ABCDEFGHIJ");
    const std::string noSeparator = "abcdefghijklmnopqrstuvwxyz";
    const auto got = speak({{teamLine, SpeakerLine::Yes},
                            {shoutLine, SpeakerLine::No},
                            {noSeparator, SpeakerLine::Yes}});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], wire(100, 100, 100, 0, "0123456789"));
    // A shout keeps its name and its limit is raised by 20 bytes.
    EXPECT_EQ(got[1], wire(100, 100, 100, 0, shoutLine.substr(0, 30)));
    // A speaker line without " : " keeps everything but gets no extra room.
    EXPECT_EQ(got[2], wire(100, 100, 100, 0, noSeparator.substr(0, 10)));
}

TEST_F(SpeechOnTheWire, ProfileMatchesOnlyWhereItsNameIsFollowedBySeparator) {
    configure({VoiceProfile{"ab", 1, 11, 111, 61}, VoiceProfile{"abc", 2, 22, 122, 62}});
    const auto got = speak({{"abc : hi", SpeakerLine::Yes}, {"xy : ab : hi", SpeakerLine::Yes}});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], wire(122, 62, 22, 2, "hi"));
    EXPECT_EQ(got[1], wire(111, 61, 11, 1, "ab : hi"));
}

TEST_F(SpeechOnTheWire, LastMatchingProfileInListOrderWins) {
    configure({VoiceProfile{"xy", 1, 11, 111, 61}, VoiceProfile{"ab", 2, 22, 122, 62}});
    EXPECT_EQ(speakOne("xy : ab : hi"), wire(122, 62, 22, 2, "ab : hi"));
}

TEST_F(SpeechOnTheWire, ThousandRequestsArriveInOrder) {
    for (int i = 0; i < 1000; ++i) {
        // Stay below the queue's capacity, as a live log does.
        ASSERT_TRUE(ruv::testing::waitUntil([&] { return client.waiting() <= 200; }, 30s));
        bridge.SpeakLine("speaker : line " + std::to_string(i), SpeakerLine::Yes);
    }
    ASSERT_TRUE(server.waitForConnections(1000, 30s));
    const auto got = server.received();
    ASSERT_EQ(got.size(), 1000u);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(got[static_cast<std::size_t>(i)],
                  wire(100, 100, 100, 0, "line " + std::to_string(i)))
            << "request " << i;
    }
}

TEST_F(SpeechOnTheWire, TestButtonsSendTheirFixedMessages) {
    const ruv::SpeechEndpoint endpoint{"127.0.0.1", server.port()};
    client.Send(ruv::connectionTestRequest(endpoint));
    client.Send(ruv::voiceTestRequest(endpoint, ruv::VoiceParams{150, 60, 30, 7}));
    ASSERT_TRUE(server.waitForConnections(2, 10s));
    const auto got = server.received();
    EXPECT_EQ(got[0], wire(100, 100, 100, 0, sj("通信テスト")));
    EXPECT_EQ(got[1], wire(150, 60, 30, 7, sj("ボイステスト")));
}

}  // namespace
