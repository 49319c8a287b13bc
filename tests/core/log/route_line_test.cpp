#include "core/log/route_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <map>

#include "core/log/past_log_sort.h"
#include "support/log_lines.h"
#include "support/route_fakes.h"

namespace ruv::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr ChatChannel kNormal = ChatChannel::Normal;
constexpr ChatChannel kOpen = ChatChannel::Open;
constexpr ChatChannel kTeam = ChatChannel::Team;
constexpr ChatChannel kShout = ChatChannel::Shout;
constexpr ChatChannel kOriginal = ChatChannel::Original;
constexpr ChatChannel kNg = ChatChannel::NG;
constexpr ChatChannel kBattle = ChatChannel::Battle;
constexpr ChatChannel kSystem = ChatChannel::System;

class RouteLineTest : public ::testing::Test {
  protected:
    RouteSettings& settings() { return rig.views.settings; }
    std::vector<ViewLine> lines(ChatChannel view) const { return rig.views.lines(view); }

    RouteRig rig;
};

// --- NG filter ---------------------------------------------------------------

TEST_F(RouteLineTest, NgUserIsHeldBackInBothTagBlockForms) {
    settings().ngUsersApplied = true;
    rig.ngLists.users = {"Abc"};
    rig.route(chatLine("c8ffc8", "Abc : hello", TagForm::BlankBefore));
    rig.route(chatLine("c8ffc8", "Abc : again", TagForm::BlankAfter));
    rig.route(chatLine("c8ffc8", "Abcd : not me"));
    rig.route(chatLine("c8ffc8", "xAbc : not me either"));

    EXPECT_THAT(lines(kNg), ElementsAre(ViewLine{shown("Abc : hello"), colours::kOpenGreen},
                                        ViewLine{shown("Abc : again"), colours::kOpenGreen}));
    EXPECT_THAT(lines(kOpen),
                ElementsAre(ViewLine{shown("Abcd : not me"), colours::kOpenGreen},
                            ViewLine{shown("xAbc : not me either"), colours::kOpenGreen}));
    EXPECT_EQ(lines(kNormal).size(), 2u);
}

TEST_F(RouteLineTest, NgListsApplyOnlyWithTheirBoxTickedAndTheNgTabShown) {
    rig.ngLists.users = {"Abc"};
    rig.ngLists.words = {"hello"};
    rig.route(chatLine("f7b73c", "Abc : hello"));
    settings().ngUsersApplied = true;
    settings().ngWordsApplied = true;
    settings().SetTabShown(kNg, false);
    rig.route(chatLine("f7b73c", "Abc : hello"));
    EXPECT_THAT(lines(kNg), IsEmpty());
    EXPECT_EQ(lines(kTeam).size(), 2u);
}

TEST_F(RouteLineTest, EmptyNgUserEntryHoldsBackOnlyAnEmptySpeakerName) {
    settings().ngUsersApplied = true;
    rig.ngLists.users = {""};
    rig.route(chatLine("f7b73c", "Abc : hello"));
    rig.route(chatLine("f7b73c", " : nameless"));
    EXPECT_THAT(lines(kNg), ElementsAre(ViewLine{shown(" : nameless"), colours::kTeam}));
    EXPECT_EQ(lines(kTeam).size(), 1u);
}

TEST_F(RouteLineTest, NgWordFoundOnlyInTheTimeStampHoldsTheLineBack) {
    settings().ngWordsApplied = true;
    rig.ngLists.words = {"", "2024/05/01"};
    rig.route(chatLine("94ddfa", "Abc : hello"));
    EXPECT_THAT(lines(kNg), ElementsAre(ViewLine{shown("Abc : hello"), colours::kClub}));
    EXPECT_THAT(lines(ChatChannel::Club), IsEmpty());
    EXPECT_THAT(lines(kNormal), IsEmpty());
}

TEST_F(RouteLineTest, NgWordInTheMarkupOnlyDoesNotHoldTheLineBack) {
    settings().ngWordsApplied = true;
    rig.ngLists.words = {"font", "#94ddfa"};
    rig.route(chatLine("94ddfa", "Abc : hello"));
    EXPECT_THAT(lines(kNg), IsEmpty());
    EXPECT_EQ(lines(ChatChannel::Club).size(), 1u);
}

TEST_F(RouteLineTest, NgMatchingNeverStartsOnATrailByte) {
    // 表 and ソ both end in the byte of '\'.
    settings().ngWordsApplied = true;
    settings().ngUsersApplied = true;
    ASSERT_TRUE(sj("表").ends_with('\\') && sj("ソ").ends_with('\\'));
    // The second word starts on 表's trail byte and ends on ソ's lead byte.
    rig.ngLists.words = {"\\", sj("表ソ").substr(1, 2)};
    rig.ngLists.users = {"\\"};
    rig.route(chatLine("c8ffc8", sj("表 : 表ソ")));
    EXPECT_THAT(lines(kNg), IsEmpty());
    rig.route(chatLine("c8ffc8", sj("表 : a\\b")));
    EXPECT_EQ(lines(kNg).size(), 1u);
    EXPECT_EQ(lines(kOpen).size(), 1u);
}

TEST_F(RouteLineTest, HeldBackLineGoesToTheNgViewAndNowhereElse) {
    settings().ngWordsApplied = true;
    rig.ngLists.words = {"secret"};
    settings().SetTabShown(kBattle, true);
    settings().SetTabShown(kSystem, true);
    settings().mix.fill(true);
    settings().speechSend = true;
    rig.arm(kNormal, "secret");
    rig.arm(kTeam, "secret");
    rig.sounds.withSound = {kNormal, kTeam};
    rig.views.active = kOpen;

    rig.route(chatLine("f7b73c", "Abc : secret"));
    rig.route(chatLine("ff6464", "secret system"));

    EXPECT_EQ(lines(kNg).size(), 2u);
    for (ChatChannel view : {kNormal, kOpen, kTeam, kOriginal, kBattle, kSystem}) {
        EXPECT_THAT(lines(view), IsEmpty()) << settingsKey(view);
    }
    EXPECT_THAT(rig.sounds.played, IsEmpty());
    EXPECT_THAT(rig.speech.spoken, IsEmpty());
    EXPECT_EQ(rig.views.captions[kNg], sj("NGフィルター(2)"));
    EXPECT_EQ(rig.counters.count(tabOf(kTeam)), 0);
}

TEST_F(RouteLineTest, GainLineHeldBackByAnNgWordIsNotCountedAsGain) {
    settings().ngWordsApplied = true;
    rig.ngLists.words = {sj("経験値")};
    rig.route(gainLine("35"));
    EXPECT_THAT(rig.log, ElementsAre("Append NG"));
    EXPECT_THAT(rig.exp.gains, IsEmpty());
}

TEST_F(RouteLineTest, NgViewColourFollowsTheTagOrElseThePreviousNgLine) {
    settings().ngWordsApplied = true;
    rig.ngLists.words = {"bad"};
    rig.route(chatLine("ff64ff", "bad battle"));  // first line: the view's default
    rig.route(chatLine("64ff64", "Abc : bad"));
    rig.route(chatLine("ff6464", "bad system"));  // no test matches: previous colour
    rig.route(std::string(30, '.') + std::string(kStamp) + std::string(39, '-') + "bad, unmarked" +
              std::string(markers::kLineClose));
    rig.route(chatLine("ffffff", "Abc : bad", TagForm::BlankAfter));
    rig.route(chatLine("c896c8", "Abc : bad"));
    // The colour tests need the blank before the colour tag except for 一般.
    rig.route(chatLine("c896c8", "Abc : bad", TagForm::BlankAfter));

    std::vector<Colour> colours;
    for (const ViewLine& line : lines(kNg)) {
        colours.push_back(line.colour);
    }
    EXPECT_THAT(colours,
                ElementsAre(RecordingViews::kDefaultColour, colours::kWhis, colours::kWhis,
                            colours::kWhis, colours::kOpenWhite, colours::kShout, colours::kShout));
    EXPECT_EQ(lines(kNg)[3].text, shown("bad, unmarked"));
}

// --- channel views, counters and call sounds ---------------------------------

TEST_F(RouteLineTest, ChatLinesReachTheirViewAndTheNormalViewInTheirColour) {
    rig.route(chatLine("f7b73c", "Abc : hi"));
    rig.route(chatLine("c8ffc8", "Def : yo", TagForm::BlankAfter));
    rig.route(chatLine("ffffff", "Ghi : hey"));
    rig.route(chatLine("f7b73c", "Jkl : blank after", TagForm::BlankAfter));  // no channel

    EXPECT_THAT(lines(kNormal), ElementsAre(ViewLine{shown("Abc : hi"), colours::kTeam},
                                            ViewLine{shown("Def : yo"), colours::kOpenGreen},
                                            ViewLine{shown("Ghi : hey"), colours::kOpenWhite}));
    EXPECT_THAT(lines(kTeam), ElementsAre(ViewLine{shown("Abc : hi"), colours::kTeam}));
    EXPECT_THAT(lines(kOpen), ElementsAre(ViewLine{shown("Def : yo"), colours::kOpenGreen},
                                          ViewLine{shown("Ghi : hey"), colours::kOpenWhite}));
}

TEST_F(RouteLineTest, BattleAndSystemLinesNeverReachTheNormalView) {
    settings().SetTabShown(kBattle, true);
    settings().SetTabShown(kSystem, true);
    rig.route(chatLine("ff64ff", "battle"));
    rig.route(chatLine("64ff80", "green system"));
    rig.route(chatLine("ff6464", "red system"));
    EXPECT_THAT(lines(kNormal), IsEmpty());
    EXPECT_THAT(lines(kBattle), ElementsAre(ViewLine{shown("battle"), colours::kBattle}));
    EXPECT_THAT(lines(kSystem), ElementsAre(ViewLine{shown("green system"), colours::kSystemGreen},
                                            ViewLine{shown("red system"), colours::kSystemRed}));
}

TEST_F(RouteLineTest, HiddenTabsUntickTheirCallSoundBoxes) {
    settings().SetTabShown(kNormal, false);
    settings().SetTabShown(kTeam, false);
    rig.arm(kNormal, "hi");
    rig.arm(kTeam, "hi");
    rig.arm(kOpen, "hi");
    rig.sounds.withSound = {kNormal, kTeam, kOpen};

    rig.route(chatLine("f7b73c", "Abc : hi"));
    EXPECT_THAT(rig.armedRows(), ElementsAre(kOpen));
    EXPECT_THAT(rig.sounds.played, IsEmpty());

    rig.route(chatLine("c8ffc8", "Def : hi"));
    EXPECT_THAT(lines(kOpen).size(), 1u);
    EXPECT_THAT(lines(kNormal), IsEmpty());
    EXPECT_THAT(lines(kTeam), IsEmpty());
    EXPECT_THAT(rig.sounds.played, ElementsAre(kOpen));
}

TEST_F(RouteLineTest, LinesAreCountedOnlyWhileAnotherTabThanTheirOwnOrNormalIsActive) {
    rig.views.active = kOpen;
    rig.route(chatLine("f7b73c", "Abc : one"));
    rig.views.active = std::nullopt;  // the error log
    rig.route(chatLine("f7b73c", "Abc : two"));
    rig.views.active = kNormal;
    rig.route(chatLine("f7b73c", "Abc : three"));
    rig.views.active = kTeam;
    rig.route(chatLine("f7b73c", "Abc : four"));
    rig.views.active = kOpen;
    rig.route(chatLine("c8ffc8", "Abc : own tab"));

    EXPECT_EQ(rig.counters.count(tabOf(kTeam)), 2);
    EXPECT_EQ(rig.views.captions[kTeam], sj("チーム(2)"));
    EXPECT_EQ(rig.counters.count(tabOf(kOpen)), 0);
    EXPECT_FALSE(rig.views.captions.contains(kOpen));
}

TEST_F(RouteLineTest, HiddenChannelTabIsNotCounted) {
    rig.views.active = kOpen;
    settings().SetTabShown(kShout, false);
    rig.route(chatLine("c896c8", "Abc : shout"));
    EXPECT_EQ(rig.counters.count(tabOf(kShout)), 0);
    EXPECT_EQ(lines(kNormal).size(), 1u);
}

TEST_F(RouteLineTest, ChannelCallSoundNeedsTickKeywordAndSoundFile) {
    rig.route(chatLine("64ff64", "Abc : ping"));  // nothing armed
    rig.arm(ChatChannel::Whis, "ping");
    rig.route(chatLine("64ff64", "Abc : ping"));  // no sound file
    rig.sounds.withSound = {ChatChannel::Whis};
    rig.route(chatLine("64ff64", "Abc : pong"));  // keyword absent
    rig.route(chatLine("64ff64", "Abc : ping"));
    rig.arm(ChatChannel::Whis, "");
    rig.route(chatLine("64ff64", "Abc : ping"));  // empty keyword
    EXPECT_THAT(rig.sounds.played, ElementsAre(ChatChannel::Whis));
}

TEST_F(RouteLineTest, NormalKeywordIsSearchedInTheDisplayTextNeverInTheMarkup) {
    settings().SetTabShown(kBattle, true);
    rig.arm(kNormal, "font");
    rig.sounds.withSound = {kNormal};
    rig.route(chatLine("ff64ff", "battle"));
    rig.route(chatLine("f7b73c", "Abc : chat"));
    rig.route("<font size=\"2\" color=\"white\"> <b> Date : header");
    EXPECT_THAT(rig.sounds.played, IsEmpty());

    rig.route(chatLine("ff64ff", "the font broke"));
    rig.route(chatLine("f7b73c", "Abc : font?"));
    rig.route(std::string(30, '.') + std::string(kStamp) + std::string(39, '-') +
              "unmarked font line" + std::string(markers::kLineClose));
    EXPECT_THAT(rig.sounds.played, ElementsAre(kNormal, kNormal, kNormal));
}

TEST_F(RouteLineTest, SystemColoursAreTakenPerLine) {
    settings().SetTabShown(kSystem, true);
    rig.route(chatLine("64ff80", "first"));
    rig.route(chatLine("ff6464", "second"));
    rig.route(chatLine("64ff80", "third"));
    EXPECT_THAT(lines(kSystem), ElementsAre(ViewLine{shown("first"), colours::kSystemGreen},
                                            ViewLine{shown("second"), colours::kSystemRed},
                                            ViewLine{shown("third"), colours::kSystemGreen}));
    settings().SetTabShown(kSystem, false);
    rig.route(chatLine("ff6464", "hidden"));
    EXPECT_EQ(lines(kSystem).size(), 3u);
}

TEST_F(RouteLineTest, LinesWithoutMarkerLandInNoView) {
    settings().SetTabShown(kBattle, true);
    settings().SetTabShown(kSystem, true);
    settings().mix.fill(true);
    rig.route(std::string(markers::kHeaderBody));
    rig.route(std::string(markers::kHeaderTitle));
    rig.route(std::string(markers::kHeaderFace));
    rig.route("");
    EXPECT_THAT(rig.log, IsEmpty());
}

TEST_F(RouteLineTest, FullViewDropsItsOldestLinesAndRoutingGoesOn) {
    RouteRig small(2);
    for (const char* body : {"Abc : 1", "Abc : 2", "Abc : 3"}) {
        small.route(chatLine("f7b73c", body));
    }
    EXPECT_THAT(small.views.lines(kTeam), ElementsAre(ViewLine{shown("Abc : 2"), colours::kTeam},
                                                      ViewLine{shown("Abc : 3"), colours::kTeam}));
}

// --- battle and EXP -------------------------------------------------------------

TEST_F(RouteLineTest, GainsAndLevelUpsReachTheExpMonitor) {
    rig.route(gainLine("35"));
    rig.route(chatLine("ff64ff", sj(" 経験値が 35 上がりました。")));
    rig.route(chatLine("ff64ff", sj("レベルアップしました！")));
    EXPECT_THAT(rig.exp.gains, ElementsAre(35, 35));
    EXPECT_EQ(rig.exp.levelUps, 1);
    EXPECT_THAT(lines(kBattle), IsEmpty());  // 戦闘情報 is hidden at first
}

TEST_F(RouteLineTest, NonIntegerGainIsUncountedAfterTheClockStartAndKeepsWhatWasDone) {
    settings().SetTabShown(kBattle, true);
    EXPECT_THROW(rig.route(gainLine("3x5")), UncountedGain);
    EXPECT_THAT(rig.log, ElementsAre("Append Battle", "StartExpClock"));
    EXPECT_THAT(rig.exp.gains, IsEmpty());

    rig.route(gainLine("7"));
    EXPECT_THAT(rig.exp.gains, ElementsAre(7));
}

TEST_F(RouteLineTest, PortFailureIsReportedAsARouteErrorHoldingTheCause) {
    settings().mix.fill(true);
    settings().speechSend = true;
    rig.speech.failWith = "BouPort is not a number";
    try {
        rig.route(gainLine("5"));
        FAIL() << "no RouteError";
    } catch (const RouteError& error) {
        EXPECT_THROW(std::rethrow_if_nested(error), std::runtime_error);
    }
    EXPECT_THAT(rig.log, ElementsAre("Append Original", "SpeakLine"));
    EXPECT_THAT(rig.exp.gains, IsEmpty());
}

// --- the オリジナル mix and speech ---------------------------------------------

TEST_F(RouteLineTest, MixTakesTickedChannelsInTheirColours) {
    settings().SetMixTicked(MixBox::Open, true);
    settings().SetMixTicked(MixBox::System, true);
    rig.route(chatLine("c8ffc8", "A : green"));
    rig.route(chatLine("ffffff", "B : white", TagForm::BlankAfter));
    rig.route(chatLine("f7b73c", "C : team"));  // not ticked
    rig.route(chatLine("ff6464", "red"));
    rig.route(chatLine("64ff80", "green"));
    EXPECT_THAT(lines(kOriginal), ElementsAre(ViewLine{shown("A : green"), colours::kOpenGreen},
                                              ViewLine{shown("B : white"), colours::kOpenWhite},
                                              ViewLine{shown("red"), colours::kSystemRed},
                                              ViewLine{shown("green"), colours::kSystemGreen}));
}

TEST_F(RouteLineTest, MixedLinesAreSpokenWithTheirSpeakerFlagAndWhispersFirst) {
    settings().mix.fill(true);
    settings().speechSend = true;
    rig.route(chatLine("c8ffc8", "A : open"));
    rig.route(chatLine("f7b73c", "B : team"));
    rig.route(chatLine("94ddfa", "C : club"));
    rig.route(chatLine("64ff64", "D : whis"));
    rig.route(chatLine("c896c8", "E : shout"));
    rig.route(gainLine("35"));
    rig.route(chatLine("64ff80", "system"));
    EXPECT_THAT(rig.speech.spoken,
                ElementsAre(SpokenLine{"A : open", SpeakerLine::Yes},
                            SpokenLine{"B : team", SpeakerLine::Yes},
                            SpokenLine{"C : club", SpeakerLine::Yes},
                            SpokenLine{"D : whis", SpeakerLine::Yes, SpeechPriority::High},
                            SpokenLine{"E : shout", SpeakerLine::No},
                            SpokenLine{sj("経験値が 35 上がりました。"), SpeakerLine::No},
                            SpokenLine{"system", SpeakerLine::No}));
}

TEST_F(RouteLineTest, SpeechWaitsForTheSendSwitchAndTheShownTab) {
    settings().mix.fill(true);
    rig.route(chatLine("c8ffc8", "A : not sent"));
    settings().speechSend = true;
    settings().SetTabShown(kOriginal, false);
    rig.route(chatLine("c8ffc8", "A : tab hidden"));
    EXPECT_THAT(rig.speech.spoken, IsEmpty());
    EXPECT_EQ(lines(kOriginal).size(), 1u);
}

TEST_F(RouteLineTest, SpeechComesBeforeTheBattleStep) {
    settings().mix.fill(true);
    settings().speechSend = true;
    settings().SetTabShown(kBattle, true);
    rig.route(gainLine("9"));
    EXPECT_THAT(rig.log, ElementsAre("Append Original", "SpeakLine", "Append Battle",
                                     "StartExpClock", "RecordGain 9"));
}

TEST_F(RouteLineTest, MixedLinesAreCountedWhenNeitherOriginalNorNormalIsActive) {
    settings().SetMixTicked(MixBox::Team, true);
    for (ChatChannel active : {kOpen, kNormal, kOriginal, kTeam}) {
        rig.views.active = active;
        rig.route(chatLine("f7b73c", "A : hi"));
    }
    EXPECT_EQ(rig.counters.count(tabOf(kOriginal)), 2);
    EXPECT_EQ(rig.views.captions[kOriginal], sj("オリジナル(2)"));
}

TEST_F(RouteLineTest, OriginalCallSoundWorksThroughItsRowWhenTicked) {
    settings().SetMixTicked(MixBox::Club, true);
    rig.sounds.withSound = {kOriginal};
    rig.route(chatLine("94ddfa", "A : ring"));
    rig.arm(kOriginal, "ring");
    rig.route(chatLine("94ddfa", "A : ring"));
    EXPECT_THAT(rig.sounds.played, ElementsAre(kOriginal));
}

}  // namespace
}  // namespace ruv::testing

namespace ruv::testing {
namespace {

// Chat text is written by other players: markup typed into a message must not
// post the line to a second channel, fake a system line or count as experience.
class TypedMarkupTest : public ::testing::Test {
  protected:
    std::vector<ViewLine> lines(ChatChannel view) const { return rig.views.lines(view); }
    RouteRig rig;
};

TEST_F(TypedMarkupTest, ChannelMarkupInAMessageDoesNotPostItToASecondChannel) {
    rig.views.settings.SetTabShown(ChatChannel::System, true);
    const std::string typed = std::string("x") + std::string(markers::kTeam) + "y" +
                              std::string(markers::kSystemRed) + "z";
    rig.route(chatLine("c8ffc8", "Mallory : " + typed));
    EXPECT_EQ(lines(ChatChannel::Open).size(), 1u);
    EXPECT_EQ(lines(ChatChannel::Normal).size(), 1u);
    EXPECT_TRUE(lines(ChatChannel::Team).empty());
    EXPECT_TRUE(lines(ChatChannel::System).empty());
}

TEST_F(TypedMarkupTest, AGainTypedIntoChatIsNotExperience) {
    rig.views.settings.SetTabShown(ChatChannel::Battle, true);
    const std::string typed = std::string(markers::kBattle) + " " +
                              std::string(markers::kGainWord) + "999999" +
                              std::string(markers::kGainEnd);
    rig.route(chatLine("f7b73c", "Mallory : " + typed));
    rig.route(chatLine(
        "f7b73c", "Mallory : " + std::string(markers::kBattle) + std::string(markers::kLevelUp)));
    EXPECT_TRUE(rig.exp.gains.empty());
    EXPECT_EQ(rig.exp.levelUps, 0);
    EXPECT_TRUE(lines(ChatChannel::Battle).empty());
    EXPECT_EQ(lines(ChatChannel::Team).size(), 2u);
}

TEST_F(TypedMarkupTest, TheMixTakesALineOnceInTheColourOfItsOwnMarkup) {
    rig.views.settings.SetMixTicked(MixBox::Open, true);
    rig.views.settings.SetMixTicked(MixBox::System, true);
    rig.route(chatLine("ffffff", "Mallory : " + std::string(markers::kSystemGreen)));
    const auto mixed = lines(ChatChannel::Original);
    ASSERT_EQ(mixed.size(), 1u);
    EXPECT_EQ(mixed[0].colour, colours::kOpenWhite);
}

// What sorting a past log appends for one line, view by view.
class SortedViews final : public PastLogSink {
  public:
    void append(ChatChannel view, std::string_view text, Colour colour) override {
        lines[view].push_back({std::string(text), colour});
    }
    void addDayGain(std::int64_t, std::string_view) override { ++gains; }
    void unreadableGain(std::string_view) override { ++gains; }

    std::map<ChatChannel, std::vector<ViewLine>> lines;
    int gains = 0;
};

TEST_F(TypedMarkupTest, FollowingMixingAndSortingAllGoByTheLinesFirstMarker) {
    const std::string gainMarkup = std::string(markers::kBattle) + " " +
                                   std::string(markers::kGainWord) + "99" +
                                   std::string(markers::kGainEnd);
    struct Case {
        std::string raw;
        MixBox own;
        Colour colour;
    };
    const std::vector<Case> cases{
        {chatLine("64ff64", "Mallory : " + std::string(markers::kTeam) + "hi"), MixBox::Whis,
         colours::kWhis},
        {chatLine("c8ffc8", "Mallory : " + std::string(markers::kSystemRed) + "hi"), MixBox::Open,
         colours::kOpenGreen},
        {chatLine("c896c8", "Mallory : " + std::string(markers::kWhis) + "hi"), MixBox::Shout,
         colours::kShout},
        {chatLine("ff6464", gainMarkup), MixBox::System, colours::kSystemRed},
    };
    constexpr std::array kViews{ChatChannel::Normal, ChatChannel::Open,  ChatChannel::Team,
                                ChatChannel::Club,   ChatChannel::Whis,  ChatChannel::Shout,
                                ChatChannel::Battle, ChatChannel::System};
    for (const Case& c : cases) {
        SortedViews sorted;
        PastLogSort(c.raw + "\n").runToEnd(sorted);
        for (const bool ownBoxTicked : {true, false}) {
            RouteRig live;
            live.views.settings.tabShown.fill(true);
            live.views.settings.mix.fill(true);
            live.views.settings.SetMixTicked(c.own, ownBoxTicked);
            live.views.settings.speechSend = true;
            ASSERT_NO_THROW(live.route(c.raw)) << c.raw;
            for (const ChatChannel view : kViews) {
                EXPECT_EQ(live.views.lines(view), sorted.lines[view])
                    << settingsKey(view) << ": " << c.raw;
            }
            EXPECT_TRUE(live.exp.gains.empty()) << c.raw;
            EXPECT_EQ(sorted.gains, 0) << c.raw;
            const std::vector<ViewLine> mixed = live.views.lines(ChatChannel::Original);
            if (!ownBoxTicked) {
                EXPECT_TRUE(mixed.empty()) << c.raw;
                continue;
            }
            ASSERT_EQ(mixed.size(), 1u) << c.raw;
            EXPECT_EQ(mixed[0].colour, c.colour) << c.raw;
            const bool speaker = c.own != MixBox::Shout && c.own != MixBox::System;
            ASSERT_EQ(live.speech.spoken.size(), 1u);
            EXPECT_EQ(live.speech.spoken[0].speaker, speaker ? SpeakerLine::Yes : SpeakerLine::No)
                << c.raw;
        }
    }
}

}  // namespace
}  // namespace ruv::testing
