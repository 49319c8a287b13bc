#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/attention_gate.h"
#include "support/log_lines.h"
#include "support/route_fakes.h"

namespace ruv::testing {
namespace {

struct AttentionCase {
    const char* name;
    std::string line;
    bool optionOn;
    bool whisTabShown;
    bool teamKeywordArmed;
    int expectedRequests;
};

TEST(RouteAttention, WhispersAndCallSoundsAskForAttentionWhileTheOptionIsOn) {
    const std::string whisper = chatLine("64ff64", "Bob : psst");
    const std::string teamCall = chatLine("f7b73c", "Amy : ring me");
    const std::string teamPlain = chatLine("f7b73c", "Amy : hello");
    const AttentionCase cases[] = {
        {"whisper", whisper, true, true, false, 1},
        {"whisper whose tab is hidden", whisper, true, false, false, 0},
        {"line that plays a call sound", teamCall, true, true, true, 1},
        {"keyword armed but absent", teamPlain, true, true, true, 0},
        {"ordinary line", teamPlain, true, true, false, 0},
        {"typed whisper markup in a team line",
         chatLine("f7b73c", "Amy : </font> <font size=\"2\" color=\"#64ff64\">x"), true, true,
         false, 0},
        {"option off: whisper", whisper, false, true, false, 0},
        {"option off: call sound", teamCall, false, true, true, 0},
        {"gain line", gainLine("100"), true, true, false, 0},
    };
    for (const AttentionCase& c : cases) {
        SCOPED_TRACE(c.name);
        RouteRig rig;
        rig.views.settings.callAlert = c.optionOn;
        rig.views.settings.SetTabShown(ChatChannel::Whis, c.whisTabShown);
        if (c.teamKeywordArmed) {
            rig.arm(ChatChannel::Team, "ring");
            rig.sounds.withSound = {ChatChannel::Team};
        }
        rig.route(c.line);
        EXPECT_EQ(rig.attention.requests, c.expectedRequests);
    }
}

TEST(RouteAttention, AWhisperThatAlsoPlaysTwoSoundsAsksOnce) {
    RouteRig rig;
    rig.views.settings.callAlert = true;
    rig.arm(ChatChannel::Normal, "psst");
    rig.arm(ChatChannel::Whis, "psst");
    rig.sounds.withSound = {ChatChannel::Normal, ChatChannel::Whis};
    rig.route(chatLine("64ff64", "Bob : psst"));
    EXPECT_EQ(rig.sounds.played.size(), 2u);
    EXPECT_EQ(rig.attention.requests, 1);
}

TEST(AttentionGate, FlashesOncePerInactivePeriod) {
    CallLog log;
    RecordingAttention flash(log);
    AttentionGate gate(flash, WindowActivity::Active);

    gate.requestAttention();  // the user is looking
    EXPECT_EQ(flash.requests, 0);

    gate.setWindowActivity(WindowActivity::Inactive);
    gate.requestAttention();
    gate.requestAttention();
    EXPECT_EQ(flash.requests, 1);

    // Back to the window and away again without a line in between.
    gate.setWindowActivity(WindowActivity::Active);
    gate.setWindowActivity(WindowActivity::Inactive);
    gate.requestAttention();
    EXPECT_EQ(flash.requests, 2);

    // Deactivated twice in a row is still the same period.
    gate.setWindowActivity(WindowActivity::Inactive);
    gate.requestAttention();
    EXPECT_EQ(flash.requests, 2);
}

}  // namespace
}  // namespace ruv::testing
