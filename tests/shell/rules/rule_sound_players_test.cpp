// Rule sounds: a file plays through one player of its own, opened once and
// started again on every play; a file that cannot be played is said once in
// the error log, naming it, however often its rule fires.

#include "shell/rules/rule_sound_players.h"

#include <gtest/gtest.h>

#include "shell/platform/qt_text.h"
#include "support/log_session_fakes.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

TEST(RuleSoundPlayers, EachFileHasOnePlayerAndAnUnplayableFileIsSaidOnce) {
    TempFolder folder;
    const std::string wave = toQString(folder.path() / "call.wav").toStdString();
    const std::string text = toQString(folder.path() / "notes.wav").toStdString();
    writeBytes(folder.path() / "call.wav", makeWave(100));
    writeBytes(folder.path() / "notes.wav", "not a sound");
    RecordingErrors errors;
    RuleSoundPlayers players(errors);

    players.playRuleSound(wave);
    players.playRuleSound(wave);
    players.playRuleSound(text);
    players.playRuleSound(text);

    EXPECT_EQ(players.playCount(wave), 2);
    EXPECT_EQ(players.playerCount(), 1u);
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_NE(errors.lines[0].find("notes.wav"), std::string::npos);
    EXPECT_EQ(errors.lines[0].find('\n'), std::string::npos);
}

}  // namespace
}  // namespace ruv::testing
