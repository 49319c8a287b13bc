// The reader following a real log file hands its lines to the router.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "core/lines/log_reader.h"
#include "loggen/log_generator.h"
#include "support/log_lines.h"
#include "support/route_fakes.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using ::testing::ElementsAre;

struct MemoryErrors final : platform::ErrorLog {
    void append(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

struct ReaderRig {
    RouteRig route{100'000};
    TempFolder folder;
    LogTail tail;
    MemoryErrors errors;
    platform::ManualClock clock{{2024, 5, 1, 21, 5, 9}};
    platform::NativeFileOpener files;
    LogReader reader{tail, route.router, files, errors, clock};
};

TEST(RouteFromLog, BadGainLineIsNamedOnceAndTheLinesAfterItAreRouted) {
    ReaderRig rig;
    const auto log = rig.folder / "MHChatLog_2024_05_01.html";
    writeBytes(log, gainLine("10") + "\n" + gainLine("1O") + "\n" + gainLine("20") + "\n" +
                        chatLine("f7b73c", "Abc : after") + "\n");
    rig.tail.attach(log, {});

    EXPECT_EQ(rig.reader.readAll().failed.value, 0);
    EXPECT_THAT(rig.route.exp.gains, ElementsAre(10, 20));
    EXPECT_EQ(std::count(rig.route.log.begin(), rig.route.log.end(), "StartExpClock"), 3);
    EXPECT_THAT(rig.errors.lines,
                ElementsAre(std::string(kUncountedGainText) + " " + std::string(kStamp) + " " +
                            sj("経験値が 1O 上がりました。")));
    EXPECT_EQ(rig.route.views.lines(ChatChannel::Team).size(), 1u);

    rig.reader.readAll();  // nothing new: the bad line is not routed again
    EXPECT_EQ(rig.errors.lines.size(), 1u);
}

TEST(RouteFromLog, GeneratedEveningLandsInItsChannelsWithItsExperience) {
    ReaderRig rig;
    RouteSettings& settings = rig.route.views.settings;
    settings.SetTabShown(ChatChannel::Battle, true);
    settings.SetTabShown(ChatChannel::System, true);
    loggen::LogGenerator generator(99);
    std::string text = generator.header();
    std::map<ChatChannel, std::size_t> expected;
    for (int i = 0; i < 3000; ++i) {
        const loggen::GeneratedLine line = generator.nextLine();
        text += line.bytes + "\n";
        if (line.channel) {
            ++expected[*line.channel];
        }
    }
    const auto log = rig.folder / "MHChatLog_2024_05_01.html";
    writeBytes(log, text);
    rig.tail.attach(log, {});
    rig.reader.readAll();

    std::size_t chat = 0;
    for (ChatChannel channel :
         {ChatChannel::Open, ChatChannel::Team, ChatChannel::Club, ChatChannel::Whis,
          ChatChannel::Shout, ChatChannel::Battle, ChatChannel::System}) {
        EXPECT_EQ(rig.route.views.lines(channel).size(), expected[channel]) << settingsKey(channel);
        if (channel != ChatChannel::Battle && channel != ChatChannel::System) {
            chat += expected[channel];
        }
    }
    EXPECT_EQ(rig.route.views.lines(ChatChannel::Normal).size(), chat);
    std::int64_t gained = 0;
    for (std::int64_t gain : rig.route.exp.gains) {
        gained += gain;
    }
    EXPECT_EQ(gained, generator.totals().gainSum);
    EXPECT_EQ(static_cast<std::int64_t>(rig.route.exp.gains.size()), generator.totals().gainCount);
    EXPECT_EQ(rig.route.exp.levelUps, generator.totals().levelUps);
    EXPECT_TRUE(rig.errors.lines.empty());
}

}  // namespace
}  // namespace ruv::testing
