#pragma once
// The rules file, ruvivuvaz_rules.json beside config.ini: UTF-8 JSON, one
// object with a "rules" array. Unknown keys are ignored. A file that cannot be
// read or parsed gives no rules and an error naming the file, the line and the
// reason; it is left untouched until the user saves rules, when it is kept as
// ruvivuvaz_rules.json.bak. So is a file that changed since it was read.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/rules/notification_rule.h"

namespace ruv {

inline constexpr std::string_view kRulesFileName = "ruvivuvaz_rules.json";
inline constexpr std::string_view kRulesBackupName = "ruvivuvaz_rules.json.bak";

struct RulesFileError {
    std::filesystem::path file;
    std::int64_t line = 0;  // 1-based; 0 when the file could not be read at all
    std::string reason;     // UTF-8, English, as the error log shows it

    // "FILE: line N: reason" (or "FILE: reason" without a line), UTF-8.
    std::string message() const;
};

enum class RulesFileState { Absent, Loaded, Damaged };

struct RulesReading {
    RulesFileState state = RulesFileState::Absent;
    RuleSet rules;                        // empty unless Loaded
    std::optional<RulesFileError> error;  // set when Damaged
    // The file as read; none when it was absent or could not be read.
    std::optional<std::string> bytes;
};

// Parses the text of a rules file; file only names it in the error.
RulesReading parseRules(std::string_view utf8Json, const std::filesystem::path& file);
// Absent when the file does not exist (no error: no rules yet).
RulesReading readRulesFile(const std::filesystem::path& file);

// The JSON text of a rule set, as the file is written (every key, indented).
std::string rulesJson(const RuleSet& rules);

// Writes the rules whole and atomically. Throws std::system_error.
void writeRulesFile(const std::filesystem::path& file, const RuleSet& rules);

// The user saves rules (dialog OK). lastSeen: the file as the program last
// read or wrote it (none: absent). A present file that does not read as
// rules, or no longer holds lastSeen (edited meanwhile), is first renamed to
// ruvivuvaz_rules.json.bak beside it (replacing an older one), then the rules
// are written. Returns what was written. Throws std::system_error.
std::string saveRulesFile(const std::filesystem::path& settingsFolder, const RuleSet& rules,
                          const std::optional<std::string>& lastSeen);

}  // namespace ruv
