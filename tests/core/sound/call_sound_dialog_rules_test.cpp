// The checks of the call-sound dialog's "OK": duplicates pair by pair in slot
// order, then existence in slot order.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/sound/call_sound_dialog_rules.h"
#include "support/cp932_text.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

TEST(CallSoundDuplicates, EveryPairIsCheckedAndTheEarlierSlotIsNamed) {
    for (std::size_t a = 0; a < kCallSoundSlotCount; ++a) {
        for (std::size_t b = a + 1; b < kCallSoundSlotCount; ++b) {
            CallSoundPaths paths{"p1", "p2", "p3", "p4", "p5", "p6", "p9"};
            paths[b] = paths[a];
            EXPECT_EQ(findDuplicateSound(paths), kCallSoundSlots[a]) << a << " " << b;
        }
    }
}

TEST(CallSoundDuplicates, PairsAreTakenInOrderOfTheirFirstSlot) {
    // 03 = 04 and 02 = 09: the pair of 02 comes first.
    EXPECT_EQ(findDuplicateSound({"", "x.wav", "y.wav", "y.wav", "", "", "x.wav"}),
              ChatChannel::Open);
    // A path occurring within a later one counts (a substring test).
    EXPECT_EQ(findDuplicateSound({"", "", "", "", "a.wav", "C:\\a.wav", ""}), ChatChannel::Whis);
    // ... but not the reverse, and not from a trail byte of 表 (0x95 0x5C).
    EXPECT_EQ(findDuplicateSound({"C:\\a.wav", "a.wav", "", "", "", "", ""}), std::nullopt);
    EXPECT_EQ(findDuplicateSound({"\\b.wav", "C:\\" + sj("表") + "b.wav", "", "", "", "", ""}),
              std::nullopt);
}

TEST(CallSoundDuplicates, AnEmptyPathIsNeverADuplicate) {
    EXPECT_EQ(findDuplicateSound({"", "", "t.wav", "", "", "", ""}), std::nullopt);
    EXPECT_EQ(findDuplicateSound({"", "", "", "", "", "", ""}), std::nullopt);
}

TEST(CallSoundDuplicates, MessagesNameTheSlotAsQuoted) {
    EXPECT_EQ(duplicateSoundMessage(ChatChannel::Normal),
              sj("「通常」で指定したファイルが他でも指定されています。\r\n"
                 "それぞれ別のファイルを指定してください。"));
    EXPECT_EQ(duplicateSoundMessage(ChatChannel::Whis),
              sj("「耳打ち」で指定したファイルが他でも指定されています。\r\n"
                 "それぞれ別のファイルを指定してください。"));
    EXPECT_EQ(duplicateSoundMessage(ChatChannel::Shout),
              sj("「叫び」で指定したファイルが他でも指定されています。\r\n"
                 "それぞれ別のファイルを指定してください。"));
    EXPECT_EQ(missingSoundMessage(ChatChannel::Original),
              sj("「オリジナル」で指定したファイルが存在しません。\r\nもう一度指定してください"));
}

TEST(CallSoundExistence, TheFirstMissingFileInSlotOrderIsNamed) {
    TempFolder folder;
    writeBytes(folder / "here.wav", makeWave(20));
    const std::string here = (folder / "here.wav").string();
    const std::string gone1 = (folder / "gone1.wav").string();
    const std::string gone2 = (folder / "gone2.wav").string();

    EXPECT_EQ(findMissingSound({here, "", gone2, "", gone1, "", ""}), ChatChannel::Team);
    EXPECT_EQ(findMissingSound({"", "", "", "", "", here, gone1}), ChatChannel::Original);
    EXPECT_EQ(findMissingSound({"", "", here, "", "", "", ""}), std::nullopt);
    EXPECT_EQ(findMissingSound({folder.path().string(), "", "", "", "", "", ""}),
              ChatChannel::Normal);

    const auto refusal = checkCallSoundPaths({here, "", "", gone1, "", "", ""});
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->title, sj("ファイルチェック"));
    EXPECT_EQ(refusal->text,
              sj("「クラブ」で指定したファイルが存在しません。\r\nもう一度指定してください"));
    EXPECT_FALSE(checkCallSoundPaths({here, "", "", "", "", "", ""}));
}

TEST(CallSoundExistence, DuplicatesAreCheckedFirst) {
    std::set<std::string> asked;
    const FileExists none = [&asked](std::string_view path) {
        asked.emplace(path);
        return false;
    };
    const auto refusal = checkCallSoundPaths({"", "", "gone.wav", "", "", "gone.wav", ""}, none);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->title, sj("重複チェック"));
    EXPECT_EQ(refusal->text, duplicateSoundMessage(ChatChannel::Team));
    EXPECT_TRUE(asked.empty());
}

}  // namespace
}  // namespace ruv::testing
