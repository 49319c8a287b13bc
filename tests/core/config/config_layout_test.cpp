#include <gtest/gtest.h>

#include <set>

#include "core/config/config_row.h"
#include "core/config/config_store.h"
#include "support/temp_folder.h"

namespace {

using ruv::config::canonicalKey;
using ruv::config::canonicalRow;
using ruv::config::ConfigRow;
using ruv::config::ConfigStore;
using ruv::config::firstRunConfigStore;
using ruv::config::kCanonicalLayout;
using ruv::config::rowNumber;

// config.ini as a first run followed by an exit with nothing changed writes it.
constexpr std::string_view kFirstRunFile =
    "Normal=1\r\nOpen=1\r\nTeam=1\r\nClub=1\r\nWhis=1\r\nShout=1\r\nOriginal=1\r\nNG=1\r\n"
    "Battle=0\r\nSystem=0\r\nExpMonitor=1\r\nError=1\r\n"
    "OpenCheck=0\r\nTeamCheck=0\r\nClubCheck=0\r\nWhisCheck=0\r\nShoutCheck=0\r\n"
    "BattleCheck=0\r\nSystemCheck=0\r\nReserve20=0\r\n"
    "UpDateTime=1\r\nWindowsPenetration=0\r\nReserve23=0\r\nReserve24=0\r\n"
    "SoundPathMemo01=\r\nSoundPathMemo02=\r\nSoundPathMemo03=\r\nSoundPathMemo04=\r\n"
    "SoundPathMemo05=\r\nSoundPathMemo06=\r\nReserve31=0\r\nReserve32=0\r\n"
    "SoundPathMemo09=\r\nReserve34=0\r\nReserve35=0\r\n"
    "StatusBar=0\r\nAutoUpdate=1\r\nUpWindow=0\r\nOldRuvIvuvaz=0\r\nReserve40=0\r\n"
    "MHFolderPath=\r\nWindowTopPosition=\r\nWindowLeftPosition=\r\nWindowHeightSize=\r\n"
    "WindowWidthSize=\r\nExpMonitorLayoutList=0\r\nNGWordCheck=0\r\nNGUserCheck=0\r\n"
    "Reserve49=0\r\nReserve50=0\r\n"
    "BouIPAddress=127.0.0.1\r\nBouPort=50001\r\nBouVolume=100\r\nBouPitch=100\r\n"
    "BouOntei=100\r\nBouVoiceKind=0\r\nBouLimitMoji=36\r\nBouNoName=0\r\n"
    "BouyomiCheck01=0\r\nBouyomiCheck02=0\r\n";

TEST(ConfigLayout, FirstRunStoreWritesTheSixtyCanonicalRows) {
    ruv::testing::TempFolder folder;
    const ConfigStore store = firstRunConfigStore();
    EXPECT_EQ(store.count(), 60);
    EXPECT_TRUE(store.hasCanonicalLayout());
    store.save(folder / "config.ini");
    EXPECT_EQ(ruv::testing::readBytes(folder / "config.ini"), kFirstRunFile);
}

TEST(ConfigLayout, NamedRowsAddressTheirKeys) {
    const ConfigStore store = firstRunConfigStore();
    EXPECT_EQ(rowNumber(ConfigRow::MHFolderPath), 41);
    EXPECT_EQ(store.key(ConfigRow::MHFolderPath), "MHFolderPath");
    EXPECT_EQ(store.value(ConfigRow::BouIPAddress), "127.0.0.1");
    EXPECT_EQ(store.intValue(ConfigRow::BouPort), 50001);
    EXPECT_EQ(store.intValue(ConfigRow::BouLimitMoji), 36);
    EXPECT_EQ(store.key(ConfigRow::BouyomiCheck02), "BouyomiCheck02");
    EXPECT_EQ(rowNumber(ConfigRow::BouyomiCheck02), 60);
    // The NG check box rows carry each other's names.
    EXPECT_EQ(rowNumber(ConfigRow::NGWordCheck), 47);
    EXPECT_EQ(rowNumber(ConfigRow::NGUserCheck), 48);
    EXPECT_EQ(store.key(ConfigRow{47}), "NGWordCheck");
    EXPECT_EQ(store.key(ConfigRow{48}), "NGUserCheck");
}

TEST(ConfigLayout, EveryKeyLooksUpItsOwnRow) {
    std::set<std::string_view> keys;
    for (std::size_t i = 0; i < kCanonicalLayout.size(); ++i) {
        const auto& canonical = kCanonicalLayout[i];
        EXPECT_EQ(rowNumber(canonical.row), static_cast<int>(i) + 1);
        EXPECT_EQ(canonicalRow(canonical.key), canonical.row);
        EXPECT_EQ(canonicalKey(canonical.row), canonical.key);
        keys.insert(canonical.key);
    }
    EXPECT_EQ(keys.size(), 60u);
    for (const int reserved : {20, 23, 24, 31, 32, 34, 35, 40, 49, 50}) {
        EXPECT_EQ(canonicalKey(ConfigRow{reserved}), "Reserve" + std::to_string(reserved));
    }
    EXPECT_EQ(canonicalRow("normal"), std::nullopt);  // keys are case-sensitive
    EXPECT_EQ(canonicalRow(""), std::nullopt);
    EXPECT_EQ(canonicalRow("Unknown"), std::nullopt);
    EXPECT_EQ(canonicalKey(ConfigRow{0}), "");
    EXPECT_EQ(canonicalKey(ConfigRow{61}), "");
}

TEST(ConfigLayout, ShuffledOrIncompleteStoresAreNotCanonical) {
    ConfigStore store = firstRunConfigStore();
    store.add("Extra=1");
    EXPECT_FALSE(store.hasCanonicalLayout());
    store.deleteRow(ConfigRow{61});
    EXPECT_TRUE(store.hasCanonicalLayout());
    store.setKey(ConfigRow::NGWordCheck, "NGUserCheck");
    store.setKey(ConfigRow::NGUserCheck, "NGWordCheck");
    EXPECT_FALSE(store.hasCanonicalLayout());
    EXPECT_FALSE(ConfigStore().hasCanonicalLayout());
}

}  // namespace
