// The Windows call-sound player with real files: wave and MP3 open on the MCI
// device that plays them, a missing or corrupt file does not open, and each
// play counts whether or not a sound device exists.

#include <gtest/gtest.h>

#include "shell/platform/windows/mci_media_player.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

class MciMediaPlayerTest : public ::testing::Test {
  protected:
    std::string write(const char* name, std::string_view bytes) {
        writeBytes(folder / name, bytes);
        return (folder / name).string();
    }
    TempFolder folder;
    MciMediaPlayer player;
};

// Each play stops, rewinds and starts the open sound; a second file replaces the first.
void openAndPlayTwice(MciMediaPlayer& player, const std::string& path) {
    const int before = player.playCount();
    ASSERT_EQ(player.open(path), MediaOpenResult::Opened);
    EXPECT_TRUE(player.isOpen());
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(player.stop());
        player.seekToStart();
        player.play();
    }
    EXPECT_EQ(player.playCount(), before + 2);
}

TEST_F(MciMediaPlayerTest, WaveFilesOpenOnTheWaveDeviceWhateverTheirName) {
    for (const std::string& path :
         {write("tone.wav", makeWave(300)), write("tone.snd", makeWave(200))}) {
        SCOPED_TRACE(path);
        openAndPlayTwice(player, path);
        EXPECT_EQ(player.deviceType(), L"waveaudio");
    }
}

// MCI plays MPEG audio through the system's decoders and sound device; where
// it cannot (Wine without a sound device), the slot stays open and silent.
TEST_F(MciMediaPlayerTest, Mp3FilesOpenOnTheMpegDeviceOrStayOpenAndSilent) {
    for (const char* name : {"chime.mp3", "chime_id3.mp3"}) {
        SCOPED_TRACE(name);
        openAndPlayTwice(player, soundTestData(name).string());
        const std::wstring device = player.deviceType();
        EXPECT_TRUE(device == L"mpegvideo" || device.empty()) << device.size();
    }
}

TEST_F(MciMediaPlayerTest, MissingAndCorruptFilesDoNotOpenAndPlayNothing) {
    EXPECT_EQ(player.open((folder / "gone.wav").string()), MediaOpenResult::FileMissing);
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.open(write("bad.wav", "RIFF\x10\0\0\0WAVEjunk")),
              MediaOpenResult::NotPlayable);
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.deviceType(), L"");
    EXPECT_FALSE(player.stop());
    player.play();
    EXPECT_EQ(player.playCount(), 0);
}

TEST_F(MciMediaPlayerTest, AFailedOpenClosesTheOldFileAndTwoPlayersPlayApart) {
    ASSERT_EQ(player.open(write("tone.wav", makeWave(100))), MediaOpenResult::Opened);
    MciMediaPlayer other;
    ASSERT_EQ(other.open(write("tone2.wav", makeWave(100))), MediaOpenResult::Opened);
    EXPECT_EQ(other.deviceType(), L"waveaudio");

    EXPECT_EQ(player.open((folder / "gone.mp3").string()), MediaOpenResult::FileMissing);
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.deviceType(), L"");
    EXPECT_EQ(other.deviceType(), L"waveaudio");
    player.close();  // harmless when closed
    EXPECT_FALSE(player.stop());
}

}  // namespace
}  // namespace ruv::testing
