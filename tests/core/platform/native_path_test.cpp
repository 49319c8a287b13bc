#include "core/platform/native_path.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/platform/text_file.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::platform::folderOf;
using ruv::platform::fromNativePath;
using ruv::platform::PathStyle;
using ruv::platform::toNativePath;
using ruv::platform::withTrailingSeparator;
using ruv::testing::sj;
using ruv::testing::TempFolder;

// 表 and ソ end in 0x5C, the byte of "\".
const std::string kHyou = sj("表");
const std::string kSo = sj("ソ");
const std::string kFolderName = sj("ログ表示ソ");

TEST(NativePath, JapaneseFolderAndFileRoundTrip) {
    TempFolder temp;
    const auto base = fromNativePath(temp.path());
    ASSERT_TRUE(base.has_value());
    const std::string folderText = withTrailingSeparator(*base + "/" + kFolderName);
    const auto folder = toNativePath(folderText);
    ASSERT_TRUE(folder.has_value());
    fs::create_directory(*folder);

    const std::string fileText = folderText + "MHChatLog_" + kSo + ".html";
    const auto file = toNativePath(fileText);
    ASSERT_TRUE(file.has_value());
    ASSERT_FALSE(ruv::platform::writeWholeFileAtomically(*file, "x"));

    // The name on disk is the UTF-8 of the CP932 text, and reads back as it.
    EXPECT_TRUE(
        fs::exists(temp.path() / fs::path(u8"ログ表示ソ") / fs::path(u8"MHChatLog_ソ.html")));
    const fs::directory_iterator listing(*folder);
    ASSERT_NE(listing, fs::directory_iterator());
    EXPECT_EQ(fromNativePath(listing->path()), fileText);
    EXPECT_EQ(fromNativePath(*file), fileText);
}

TEST(NativePath, Cp932TextRoundTripsThroughTheNativePath) {
    // Half-width kana; ① (NEC row 13) and 髙 (IBM extension, lead byte 0xFB);
    // single bytes that only Windows assigns.
    const std::string extensions = sj("①髙");
    ASSERT_EQ(static_cast<unsigned char>(extensions[2]), 0xFB);
    for (const std::string& text :
         {kFolderName, sj("/tmp/ｱｲ"), extensions, std::string("a\x80\xA0\xFD")}) {
        const auto path = toNativePath(text);
        ASSERT_TRUE(path.has_value());
        EXPECT_EQ(fromNativePath(*path), text);
    }
}

TEST(NativePath, NamesCp932CannotHoldAreRefused) {
    EXPECT_FALSE(fromNativePath(fs::path(u8"/tmp/😀")).has_value());
    EXPECT_FALSE(fromNativePath(fs::path(u8"/tmp/가")).has_value());
    EXPECT_FALSE(fromNativePath(fs::path("/tmp/\xFF\xFE")).has_value());  // not UTF-8
}

TEST(NativePath, BrokenCp932TextIsRefused) {
    EXPECT_FALSE(toNativePath("/tmp/a\x81").has_value());     // a lone lead byte
    EXPECT_FALSE(toNativePath("/tmp/\x85\x40").has_value());  // an unassigned code
    EXPECT_EQ(toNativePath("/tmp/a"), fs::path("/tmp/a"));
}

TEST(NativePath, ZeroByteIsRefusedRatherThanEndingTheName) {
    // A hand-edited settings row: the file system would stop reading at the
    // zero byte and open game.html instead of the file named.
    TempFolder temp;
    const auto base = fromNativePath(temp.path());
    ASSERT_TRUE(base.has_value());
    ruv::testing::writeBytes(temp / "game.html", "x");
    const std::string named = *base + "/game.html" + std::string(1, '\0') + ".old";
    EXPECT_FALSE(toNativePath(named).has_value());
    EXPECT_FALSE(toNativePath(std::string(1, '\0')).has_value());
}

TEST(TrailingSeparator, ExactlyOneNativeSeparator) {
    EXPECT_EQ(withTrailingSeparator("/home/user", PathStyle::Posix), "/home/user/");
    EXPECT_EQ(withTrailingSeparator("/home/user///", PathStyle::Posix), "/home/user/");
    EXPECT_EQ(withTrailingSeparator("/", PathStyle::Posix), "/");
    EXPECT_EQ(withTrailingSeparator("", PathStyle::Posix), "");
    EXPECT_EQ(withTrailingSeparator("C:\\Logs", PathStyle::Windows), "C:\\Logs\\");
    EXPECT_EQ(withTrailingSeparator("C:\\Logs\\\\", PathStyle::Windows), "C:\\Logs\\");
    EXPECT_EQ(withTrailingSeparator("C:\\Logs/", PathStyle::Windows), "C:\\Logs\\");
    EXPECT_EQ(withTrailingSeparator("", PathStyle::Windows), "");
}

TEST(TrailingSeparator, TrailByteOfHyouIsNotASeparator) {
    ASSERT_TRUE(kHyou.ends_with('\\') && kSo.ends_with('\\'));
    EXPECT_EQ(withTrailingSeparator("C:\\" + kHyou, PathStyle::Windows), "C:\\" + kHyou + "\\");
    EXPECT_EQ(withTrailingSeparator("C:\\" + kSo + "\\", PathStyle::Windows), "C:\\" + kSo + "\\");
    EXPECT_EQ(withTrailingSeparator("/" + kHyou, PathStyle::Posix), "/" + kHyou + "/");
}

TEST(FolderOf, KeepsTheFolderWithItsSeparator) {
    EXPECT_EQ(folderOf("C:\\Game\\Log\\MHChatLog_2024_01_02.html", PathStyle::Windows),
              "C:\\Game\\Log\\");
    EXPECT_EQ(folderOf("C:\\" + kSo + "\\a.html", PathStyle::Windows), "C:\\" + kSo + "\\");
    EXPECT_EQ(folderOf("C:\\" + kSo, PathStyle::Windows), "C:\\");
    EXPECT_EQ(folderOf(kHyou, PathStyle::Windows), "");
    EXPECT_EQ(folderOf("/var/log/a.html", PathStyle::Posix), "/var/log/");
    EXPECT_EQ(folderOf("a.html", PathStyle::Posix), "");
}

}  // namespace
