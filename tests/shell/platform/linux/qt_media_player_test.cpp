// The Qt call-sound player with real files: wave and MP3 open, a missing or
// corrupt file does not, and playing works on a machine without a sound
// device.

#include <gtest/gtest.h>

#include <QMediaPlayer>

#include "shell/platform/linux/qt_media_player.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

class QtMediaPlayerTest : public ::testing::Test {
  protected:
    std::string write(const char* name, std::string_view bytes) {
        writeBytes(folder / name, bytes);
        return (folder / name).string();
    }
    TempFolder folder;
    QtMediaPlayer player;
};

TEST_F(QtMediaPlayerTest, WaveAndMp3FilesOpenAndEachPlayStartsTheSound) {
    for (const std::string& path :
         {write("tone.wav", makeWave(300)), soundTestData("chime.mp3").string(),
          soundTestData("chime_id3.mp3").string()}) {
        SCOPED_TRACE(path);
        const int before = player.playCount();
        ASSERT_EQ(player.open(path), MediaOpenResult::Opened);
        EXPECT_TRUE(player.isOpen());
        EXPECT_TRUE(player.stop());
        player.seekToStart();
        player.play();
        player.play();
        EXPECT_EQ(player.playCount(), before + 2);
        if (const QMediaPlayer* qt = player.player()) {
            EXPECT_EQ(qt->source().toLocalFile().toStdString(), path);
        }
    }
}

TEST_F(QtMediaPlayerTest, MissingAndCorruptFilesDoNotOpenAndPlayNothing) {
    EXPECT_EQ(player.open((folder / "gone.wav").string()), MediaOpenResult::FileMissing);
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.open(write("bad.wav", "RIFF\x10\0\0\0WAVEjunk")),
              MediaOpenResult::NotPlayable);
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.open(write("bad.mp3", std::string(3000, '\x55'))),
              MediaOpenResult::NotPlayable);
    EXPECT_FALSE(player.stop());
    player.play();
    EXPECT_EQ(player.playCount(), 0);
}

TEST_F(QtMediaPlayerTest, CloseIsHarmlessWhenNotOpenAndAFailedOpenClosesTheOldFile) {
    player.close();
    EXPECT_FALSE(player.isOpen());
    ASSERT_EQ(player.open(write("tone.wav", makeWave(100))), MediaOpenResult::Opened);
    player.close();
    EXPECT_FALSE(player.stop());

    ASSERT_EQ(player.open(write("tone2.wav", makeWave(100))), MediaOpenResult::Opened);
    EXPECT_EQ(player.open((folder / "gone.mp3").string()), MediaOpenResult::FileMissing);
    EXPECT_FALSE(player.isOpen());
}

}  // namespace
}  // namespace ruv::testing
