#include "core/config/config_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/config_error.h"
#include "support/cp932_text.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::config::ConfigRow;
using ruv::config::configRow;
using ruv::config::ConfigStore;
using ruv::config::FileError;
using ruv::config::FileLoad;
using ruv::config::NotAnInteger;
using ruv::config::RowOutOfRange;
using ruv::config::UnsavableText;
using ruv::testing::readBytes;
using ruv::testing::sj;
using ruv::testing::TempFolder;
using ruv::testing::writeBytes;

ConfigStore loaded(const TempFolder& folder, std::string_view bytes) {
    writeBytes(folder / "config.ini", bytes);
    ConfigStore store;
    EXPECT_EQ(store.load(folder / "config.ini"), FileLoad::Loaded);
    return store;
}

ConfigStore storeOf(std::initializer_list<std::string_view> lines) {
    ConfigStore store;
    store.clear();
    for (const auto line : lines) {
        store.add(line);
    }
    return store;
}

TEST(ConfigStoreStart, HoldsOnePlaceholderRow) {
    const ConfigStore store;
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(store.key(ConfigRow{1}), "");
    EXPECT_EQ(store.value(ConfigRow{1}), "");
    EXPECT_THROW(store.value(ConfigRow{2}), RowOutOfRange);
}

TEST(ConfigStoreFile, SavedFileLoadsAndSavesBackByteForByte) {
    TempFolder folder;
    // Shift-JIS values (表 and ソ end in 0x5C), "=" inside a value, a line
    // without "=", an empty key, an empty value and an empty line.
    const std::string bytes =
        sj("SoundPathMemo01=C:\\サウンド\\表.wav\r\n"
           "MHFolderPath=D:\\ソ\\\r\n"
           "BouIPAddress=a=b==c\r\n"
           "no separator here\r\n"
           "=only value\r\n"
           "Normal=\r\n"
           "\r\n");
    const ConfigStore store = loaded(folder, bytes);
    EXPECT_EQ(store.count(), 7);
    EXPECT_EQ(store.key(ConfigRow{1}), "SoundPathMemo01");
    EXPECT_EQ(store.value(ConfigRow{2}), sj("D:\\ソ\\"));
    EXPECT_EQ(store.key(ConfigRow{3}), "BouIPAddress");
    EXPECT_EQ(store.value(ConfigRow{3}), "a=b==c");
    EXPECT_EQ(store.key(ConfigRow{4}), "");
    EXPECT_EQ(store.value(ConfigRow{4}), "no separator here");
    EXPECT_EQ(store.key(ConfigRow{5}), "");
    EXPECT_EQ(store.value(ConfigRow{5}), "only value");
    EXPECT_EQ(store.value(ConfigRow{6}), "");

    store.save(folder / "saved.ini");
    EXPECT_EQ(readBytes(folder / "saved.ini"), bytes);
}

TEST(ConfigStoreFile, EveryKindOfLineBreakEndsALine) {
    TempFolder folder;
    const ConfigStore store = loaded(folder, "A=1\rB=2\nC=3\r\nD=4\n\rE=5");
    ASSERT_EQ(store.count(), 6);
    EXPECT_EQ(store.value(ConfigRow{1}), "1");
    EXPECT_EQ(store.value(ConfigRow{2}), "2");
    EXPECT_EQ(store.value(ConfigRow{3}), "3");
    EXPECT_EQ(store.value(ConfigRow{4}), "4");
    EXPECT_EQ(store.line(ConfigRow{5}), "");
    EXPECT_EQ(store.value(ConfigRow{6}), "5");  // the last line has no line break

    store.save(folder / "saved.ini");
    EXPECT_EQ(readBytes(folder / "saved.ini"), "A=1\r\nB=2\r\nC=3\r\nD=4\r\n\r\nE=5\r\n");
    ConfigStore again;
    again.load(folder / "saved.ini");
    EXPECT_EQ(again, store);
}

TEST(ConfigStoreFile, ZeroByteFileGivesAnEmptyStoreWhoseRowsReadEmpty) {
    TempFolder folder;
    const ConfigStore store = loaded(folder, "");
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(store.value(ConfigRow::BouPort), "");
    EXPECT_EQ(store.key(ConfigRow{1000}), "");
    EXPECT_EQ(store.value(ConfigRow{0}), "");
    EXPECT_THROW(store.intValue(ConfigRow::BouPort), NotAnInteger);
    store.save(folder / "saved.ini");
    EXPECT_EQ(fs::file_size(folder / "saved.ini"), 0u);
}

TEST(ConfigStoreFile, MissingFileLeavesTheStoreUnchanged) {
    TempFolder folder;
    ConfigStore store = storeOf({"A=1"});
    EXPECT_EQ(store.load(folder / "config.ini"), FileLoad::Missing);
    EXPECT_EQ(store, storeOf({"A=1"}));
}

TEST(ConfigStoreFile, UnreadableFileThrowsAndLeavesTheStoreUnchanged) {
    TempFolder folder;
    fs::create_directory(folder / "config.ini");
    ConfigStore store = storeOf({"A=1"});
    EXPECT_THROW(store.load(folder / "config.ini"), FileError);
    EXPECT_EQ(store, storeOf({"A=1"}));
}

TEST(ConfigStoreFile, FailedSaveThrowsAndLeavesTheOldFileWhole) {
    RUV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
    TempFolder folder;
    const fs::path file = folder / "config.ini";
    storeOf({"A=1", "B=2"}).save(file);
    const std::string old = readBytes(file);

    const ConfigStore bigger = storeOf({"A=" + std::string(5000, 'x')});
    {
        const ruv::testing::FileSizeLimit limit(64);
        EXPECT_THROW(bigger.save(file), FileError);
    }
    EXPECT_EQ(readBytes(file), old);
    EXPECT_THROW(bigger.save(folder / "absent" / "config.ini"), FileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(ConfigStoreRows, ReadingPastTheEndFails) {
    const ConfigStore store = storeOf({"A=1", "B=2"});
    EXPECT_THROW(store.value(ConfigRow{3}), RowOutOfRange);
    EXPECT_THROW(store.key(ConfigRow{0}), RowOutOfRange);
    EXPECT_THROW(store.intValue(ConfigRow::BouPort), RowOutOfRange);
    try {
        store.value(ConfigRow::MHFolderPath);
        FAIL();
    } catch (const RowOutOfRange& failure) {
        EXPECT_EQ(failure.row(), 41);
    }
}

TEST(ConfigStoreRows, SetValueKeepsTheKeyOrAppendsPastTheEnd) {
    ConfigStore store = storeOf({"A=1", "plain"});
    store.setValue(ConfigRow{1}, "x=y");
    EXPECT_EQ(store.line(ConfigRow{1}), "A=x=y");
    store.setValue(ConfigRow{2}, "v");
    EXPECT_EQ(store.line(ConfigRow{2}), "=v");
    store.setValue(ConfigRow{10}, "appended");
    ASSERT_EQ(store.count(), 3);
    EXPECT_EQ(store.key(ConfigRow{3}), "");
    EXPECT_EQ(store.value(ConfigRow{3}), "appended");
    EXPECT_THROW(store.setValue(ConfigRow{0}, "v"), RowOutOfRange);
}

TEST(ConfigStoreRows, SetKeyAddDeleteAndClear) {
    ConfigStore store = storeOf({"A=1", "B=2", "C=3"});
    store.setKey(ConfigRow{2}, "Renamed");
    EXPECT_EQ(store.line(ConfigRow{2}), "Renamed=2");
    EXPECT_THROW(store.setKey(ConfigRow{4}, "D"), RowOutOfRange);

    store.deleteRow(ConfigRow{1});
    EXPECT_EQ(store, storeOf({"Renamed=2", "C=3"}));
    EXPECT_THROW(store.deleteRow(ConfigRow{3}), RowOutOfRange);

    store.add("K=v=w");
    EXPECT_EQ(store.key(ConfigRow{3}), "K");
    EXPECT_EQ(store.value(ConfigRow{3}), "v=w");

    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(store.value(ConfigRow{1}), "");
}

TEST(ConfigStoreRows, TextThatWouldNotReadBackIsRefused) {
    ConfigStore store = storeOf({"A=1"});
    EXPECT_THROW(store.setValue(ConfigRow{1}, "two\r\nlines"), UnsavableText);
    EXPECT_THROW(store.setValue(ConfigRow{1}, "cr\r"), UnsavableText);
    EXPECT_THROW(store.setKey(ConfigRow{1}, "K=ey"), UnsavableText);
    EXPECT_THROW(store.add("A=1\nB=2"), UnsavableText);
    EXPECT_EQ(store, storeOf({"A=1"}));
}

TEST(ConfigStoreIntegers, FlagsAndIntegersAreWrittenAsPlainText) {
    ConfigStore store = storeOf({"StatusBar=", "BouPort=", "WindowTopPosition="});
    store.setFlag(ConfigRow{1}, true);
    EXPECT_EQ(store.value(ConfigRow{1}), "1");
    store.setFlag(ConfigRow{1}, false);
    EXPECT_EQ(store.value(ConfigRow{1}), "0");
    store.setInt(ConfigRow{2}, 50001);
    store.setInt(ConfigRow{3}, -32);
    EXPECT_EQ(store.line(ConfigRow{2}), "BouPort=50001");
    EXPECT_EQ(store.line(ConfigRow{3}), "WindowTopPosition=-32");
    EXPECT_EQ(store.intValue(ConfigRow{2}), 50001);
    EXPECT_EQ(store.intValue(ConfigRow{3}), -32);
    store.setInt(ConfigRow{1}, -2147483647 - 1);
    EXPECT_EQ(store.intValue(ConfigRow{1}), -2147483647 - 1);
}

TEST(ConfigStoreIntegers, TextThatIsNoIntegerIsAReadFailure) {
    for (const std::string& text :
         std::vector<std::string>{"", "-", "+", " 1", "1 ", "1.5", "0x10", "$10", "abc", "1e3",
                                  "+-1", "--1", "2147483648", "99999999999", sj("１")}) {
        ConfigStore store = storeOf({"BouVolume=" + text});
        try {
            store.intValue(ConfigRow{1});
            ADD_FAILURE() << "accepted " << testing::PrintToString(text);
        } catch (const NotAnInteger& failure) {
            EXPECT_EQ(failure.row(), 1);
        }
    }
    EXPECT_EQ(storeOf({"a=+7"}).intValue(ConfigRow{1}), 7);
    EXPECT_EQ(storeOf({"a=007"}).intValue(ConfigRow{1}), 7);
    EXPECT_EQ(storeOf({"a=-0"}).intValue(ConfigRow{1}), 0);
    EXPECT_EQ(storeOf({"a=2147483647"}).intValue(ConfigRow{1}), 2147483647);
}

}  // namespace
