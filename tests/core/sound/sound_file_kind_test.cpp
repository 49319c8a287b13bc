// Opening a sound file checks its bytes: real wave and MP3 files pass, a
// missing file and files that are no sound do not.

#include <gtest/gtest.h>

#include <string>

#include "core/sound/sound_file_kind.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

std::string pathText(const std::filesystem::path& path) {
    return path.string();  // test folders hold ASCII names only
}

class SoundFileKindTest : public ::testing::Test {
  protected:
    std::string write(const char* name, std::string_view bytes) {
        writeBytes(folder / name, bytes);
        return pathText(folder / name);
    }
    TempFolder folder;
};

TEST_F(SoundFileKindTest, RealWaveAndMp3FilesOpen) {
    EXPECT_EQ(checkSoundFile(write("tone.wav", makeWave(200))), MediaOpenResult::Opened);
    EXPECT_EQ(checkSoundFile(pathText(soundTestData("chime.mp3"))), MediaOpenResult::Opened);
    EXPECT_EQ(checkSoundFile(pathText(soundTestData("chime_id3.mp3"))), MediaOpenResult::Opened);

    EXPECT_EQ(soundFileKind(makeWave(50)), SoundFileKind::Wave);
    EXPECT_EQ(soundFileKind(readBytes(soundTestData("chime.mp3"))), SoundFileKind::Mp3);
    EXPECT_EQ(soundFileKind(readBytes(soundTestData("chime_id3.mp3"))), SoundFileKind::Mp3);
}

TEST_F(SoundFileKindTest, TheKindComesFromTheBytesNotTheName) {
    EXPECT_EQ(checkSoundFile(write("really_mp3.wav", readBytes(soundTestData("chime.mp3")))),
              MediaOpenResult::Opened);
    EXPECT_EQ(checkSoundFile(write("text.mp3", "just some text, not a sound\r\n")),
              MediaOpenResult::NotPlayable);
}

TEST_F(SoundFileKindTest, MissingFilesAndFoldersAreReportedAsMissing) {
    EXPECT_EQ(checkSoundFile(pathText(folder / "gone.wav")), MediaOpenResult::FileMissing);
    EXPECT_EQ(checkSoundFile(pathText(folder.path())), MediaOpenResult::FileMissing);
    EXPECT_EQ(checkSoundFile(""), MediaOpenResult::FileMissing);
}

TEST_F(SoundFileKindTest, CorruptFilesDoNotOpen) {
    const std::string wave = makeWave(100);
    const std::string mp3 = readBytes(soundTestData("chime.mp3"));

    EXPECT_EQ(checkSoundFile(write("empty.wav", "")), MediaOpenResult::NotPlayable);
    EXPECT_EQ(checkSoundFile(write("head.wav", wave.substr(0, 20))), MediaOpenResult::NotPlayable);
    std::string noChannels = wave;
    noChannels[22] = 0;  // channel count 0
    EXPECT_EQ(checkSoundFile(write("zero.wav", noChannels)), MediaOpenResult::NotPlayable);
    std::string dataFirst = wave;
    dataFirst.replace(12, 4, "junk");  // the format chunk is gone
    EXPECT_EQ(checkSoundFile(write("nofmt.wav", dataFirst)), MediaOpenResult::NotPlayable);

    // One frame header followed by bytes that are no further frame.
    EXPECT_EQ(checkSoundFile(write("one.mp3", mp3.substr(0, 4) + std::string(600, 'x'))),
              MediaOpenResult::NotPlayable);
    // An ID3 tag with nothing behind it.
    const std::string id3 = readBytes(soundTestData("chime_id3.mp3"));
    EXPECT_EQ(checkSoundFile(write("tagonly.mp3", id3.substr(0, 40))),
              MediaOpenResult::NotPlayable);
}

TEST_F(SoundFileKindTest, AWaveWithOtherChunksBeforeItsFormatIsAWave) {
    const std::string wave = makeWave(60);
    std::string withList = wave.substr(0, 12) + "LIST" + std::string("\x05\0\0\0", 4) + "INFOx" +
                           std::string(1, '\0') + wave.substr(12);
    EXPECT_EQ(soundFileKind(withList), SoundFileKind::Wave);
}

TEST_F(SoundFileKindTest, Mp3AfterAFewPaddingBytesIsFoundAndASingleWholeFrameIsEnough) {
    const std::string mp3 = readBytes(soundTestData("chime.mp3"));
    EXPECT_EQ(soundFileKind(std::string(5, '\0') + mp3), SoundFileKind::Mp3);
    // 22.05 kHz, 32 kbit/s, no padding: 72 * 32000 / 22050 = 104 bytes.
    std::string frame = mp3.substr(0, 4);
    frame[2] = static_cast<char>(frame[2] & ~0x02);
    frame.resize(104, '\0');
    EXPECT_EQ(soundFileKind(frame), SoundFileKind::Mp3);
    EXPECT_EQ(soundFileKind(frame.substr(0, 103)), SoundFileKind::Unknown);
}

}  // namespace
}  // namespace ruv::testing
