#include "core/log/route_settings.h"

#include <gtest/gtest.h>

#include "core/config/config_error.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using config::ConfigRow;
using config::ConfigStore;

ConfigStore storeOf(const TempFolder& folder, std::string_view bytes) {
    writeBytes(folder / "config.ini", bytes);
    ConfigStore store;
    store.load(folder / "config.ini");
    return store;
}

TEST(RouteSettingsRows, FirstRunRowsGiveTheDesignState) {
    RouteSettings settings;
    ApplyRouteSettingsRows(config::firstRunConfigStore(), settings);
    const RouteSettings design;
    EXPECT_EQ(settings.tabShown, design.tabShown);
    EXPECT_FALSE(settings.TabShown(ChatChannel::Battle));
    EXPECT_TRUE(settings.TabShown(ChatChannel::ExpMonitor));
    EXPECT_EQ(settings.mix, design.mix);
    EXPECT_FALSE(settings.ngUsersApplied || settings.ngWordsApplied || settings.speechSend);
    EXPECT_EQ(settings.readMode, 0);
}

TEST(RouteSettingsRows, ShuffledRowsAreAppliedByKeyWithTheCrossedNgNames) {
    TempFolder folder;
    RouteSettings settings;
    ApplyRouteSettingsRows(storeOf(folder,
                                   "NGWordCheck=1\r\nSystemCheck=1\r\nBattle=1\r\nNormal=2\r\n"
                                   "Team=0\r\nUnknown=0\r\nBouyomiCheck02=3\r\nShoutCheck=1\r\n"
                                   "BouyomiCheck01=1\r\nSystem=yes\r\nteam=1\r\n"),
                           settings);
    EXPECT_TRUE(settings.ngUsersApplied);
    EXPECT_FALSE(settings.ngWordsApplied);
    EXPECT_TRUE(settings.TabShown(ChatChannel::Battle));
    EXPECT_FALSE(settings.TabShown(ChatChannel::System));  // only "1" shows it
    EXPECT_TRUE(settings.TabShown(ChatChannel::Normal));   // only "0" hides it
    EXPECT_FALSE(settings.TabShown(ChatChannel::Team));
    EXPECT_TRUE(settings.MixTicked(MixBox::System));
    EXPECT_TRUE(settings.MixTicked(MixBox::Shout));
    EXPECT_FALSE(settings.MixTicked(MixBox::Open));
    EXPECT_TRUE(settings.speechSend);
    EXPECT_EQ(settings.readMode, 3);

    RouteSettings words;
    ApplyRouteSettingsRows(storeOf(folder, "NGUserCheck=1\r\n"), words);
    EXPECT_TRUE(words.ngWordsApplied);
    EXPECT_FALSE(words.ngUsersApplied);
}

TEST(RouteSettingsRows, KeyTwiceAppliesBothAndAHiddenTabStaysHidden) {
    TempFolder folder;
    RouteSettings settings;
    ApplyRouteSettingsRows(storeOf(folder, "Open=0\r\nOpen=1\r\nClubCheck=1\r\nClubCheck=0\r\n"),
                           settings);
    EXPECT_FALSE(settings.TabShown(ChatChannel::Open));
    EXPECT_TRUE(settings.MixTicked(MixBox::Club));
}

TEST(RouteSettingsRows, ReadModeThatIsNotAnIntegerStopsAfterTheRowsBefore) {
    TempFolder folder;
    RouteSettings settings;
    EXPECT_THROW(ApplyRouteSettingsRows(
                     storeOf(folder, "Whis=0\r\nBouyomiCheck02=two\r\nOriginal=0\r\n"), settings),
                 config::NotAnInteger);
    EXPECT_FALSE(settings.TabShown(ChatChannel::Whis));
    EXPECT_TRUE(settings.TabShown(ChatChannel::Original));

    RouteSettings outOfRange;
    ApplyRouteSettingsRows(storeOf(folder, "BouyomiCheck02=2\r\nBouyomiCheck02=9\r\n"), outOfRange);
    EXPECT_EQ(outOfRange.readMode, 2);
}

TEST(RouteSettingsRows, WrittenRowsReadBackTheSameSettings) {
    RouteSettings settings;
    settings.SetTabShown(ChatChannel::Normal, false);
    settings.SetTabShown(ChatChannel::System, true);
    settings.SetMixTicked(MixBox::Whis, true);
    settings.ngWordsApplied = true;
    settings.speechSend = true;
    settings.readMode = 1;
    ConfigStore store = config::firstRunConfigStore();
    WriteRouteSettingsRows(settings, store);
    EXPECT_EQ(store.value(ConfigRow::Normal), "0");
    EXPECT_EQ(store.value(ConfigRow::System), "1");
    EXPECT_EQ(store.value(ConfigRow::WhisCheck), "1");
    EXPECT_EQ(store.value(ConfigRow::NGWordCheck), "0");
    EXPECT_EQ(store.value(ConfigRow::NGUserCheck), "1");
    EXPECT_EQ(store.value(ConfigRow::BouyomiCheck02), "1");
    EXPECT_TRUE(store.hasCanonicalLayout());

    RouteSettings again;
    ApplyRouteSettingsRows(store, again);
    EXPECT_EQ(again.tabShown, settings.tabShown);
    EXPECT_EQ(again.mix, settings.mix);
    EXPECT_EQ(again.ngWordsApplied, settings.ngWordsApplied);
    EXPECT_EQ(again.ngUsersApplied, settings.ngUsersApplied);
    EXPECT_EQ(again.speechSend, settings.speechSend);
    EXPECT_EQ(again.readMode, settings.readMode);
}

}  // namespace
}  // namespace ruv::testing
