#pragma once
// The notification rules' sounds: one player per distinct file, opened on its
// first play and kept, so a rule that fires often does not reopen its file. A
// file that cannot be played is said once in the error log, naming it.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "call_sound_player.h"  // the player of the platform built for
#include "core/platform/error_log.h"
#include "core/rules/rule_ports.h"

namespace ruv {

class RuleSoundPlayers final : public RuleSounds {
  public:
    explicit RuleSoundPlayers(platform::ErrorLog& errors) : errors_(errors) {}
    RuleSoundPlayers(const RuleSoundPlayers&) = delete;
    RuleSoundPlayers& operator=(const RuleSoundPlayers&) = delete;

    void playRuleSound(std::string_view utf8Path) override;

    // How often the file's player started it; 0 for a file never played.
    int playCount(std::string_view utf8Path) const;
    std::size_t playerCount() const { return players_.size(); }

  private:
    CallSoundPlayer* playerFor(const std::string& utf8Path);

    platform::ErrorLog& errors_;
    std::map<std::string, std::unique_ptr<CallSoundPlayer>, std::less<>> players_;
    // Files already said to be unplayable: said once, not on every line.
    std::set<std::string, std::less<>> refused_;
};

}  // namespace ruv
