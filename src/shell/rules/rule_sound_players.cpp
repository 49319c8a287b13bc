#include "shell/rules/rule_sound_players.h"

#include "core/text/cp932.h"

namespace ruv {

namespace {

// A path CP932 cannot hold, named with "?" for each character it lacks.
std::string asciiOnly(std::string_view utf8) {
    std::string ascii;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ascii += static_cast<unsigned char>(c) < 0x80 ? c : '?';
        }
    }
    return ascii;
}

}  // namespace

void RuleSoundPlayers::playRuleSound(std::string_view utf8Path) {
    const std::string path(utf8Path);
    if (CallSoundPlayer* player = playerFor(path)) {
        player->stop();
        player->seekToStart();
        player->play();
    }
}

int RuleSoundPlayers::playCount(std::string_view utf8Path) const {
    const auto it = players_.find(utf8Path);
    return it == players_.end() ? 0 : it->second->playCount();
}

CallSoundPlayer* RuleSoundPlayers::playerFor(const std::string& utf8Path) {
    if (const auto it = players_.find(utf8Path); it != players_.end()) {
        return it->second.get();
    }
    if (refused_.contains(utf8Path)) {
        return nullptr;
    }
    const std::optional<std::string> cp932Path = cp932::fromUtf8(utf8Path);
    auto player = std::make_unique<CallSoundPlayer>();
    const MediaOpenResult result =
        cp932Path ? player->open(*cp932Path) : MediaOpenResult::FileMissing;
    if (result != MediaOpenResult::Opened) {
        refused_.insert(utf8Path);
        std::string line = mediaOpenErrorText(result, cp932Path.value_or(asciiOnly(utf8Path)));
        if (const auto lineBreak = line.find("\r\n"); lineBreak != std::string::npos) {
            line.replace(lineBreak, 2, " ");  // the error log keeps one line per failure
        }
        errors_.append(line);
        return nullptr;
    }
    return players_.emplace(utf8Path, std::move(player)).first->second.get();
}

}  // namespace ruv
