#include "core/rules/rules_file.h"

#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <system_error>
#include <vector>

#include "core/platform/text_file.h"
#include "core/rules/rule_timer_json.h"

namespace ruv {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// No rule nests deeper than a few levels. A file that nests deeper is refused
// before it is parsed, so that nothing that reads it recurses once per level,
// however deep it goes, even on a small stack.
constexpr std::size_t kMostNesting = 64;

// The byte at which arrays and objects first nest deeper than kMostNesting.
std::optional<std::size_t> tooDeepAt(std::string_view text) {
    std::size_t depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMostNesting) {
                return i;
            }
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::nullopt;
}

// Where the rules of a file stand: the line each rule starts on and the line
// of each of its keys. Read from text nlohmann has already accepted.
struct RuleLines {
    std::vector<std::int64_t> rule;
    std::vector<std::map<std::string, std::int64_t>> key;
};

class RuleLineScanner {
  public:
    explicit RuleLineScanner(std::string_view text) : text_(text) {}

    RuleLines scan() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '"') {
                inScalar_ = false;
                string();
                continue;
            }
            if (c == '\n') {
                ++line_;
            } else if (c == '{' || c == '[') {
                valueStarts();
                open_.push_back(Level{c, keyBefore_});
                keyBefore_.clear();
                expectKey_ = c == '{';
            } else if (c == '}' || c == ']') {
                if (!open_.empty()) {
                    open_.pop_back();
                }
                expectKey_ = false;
            } else if (c == ',') {
                expectKey_ = !open_.empty() && open_.back().bracket == '{';
            } else if (c != ' ' && c != '\t' && c != '\r' && c != ':') {
                // The first character of a number, true, false or null.
                if (!inScalar_) {
                    valueStarts();
                }
                inScalar_ = true;
                ++pos_;
                continue;
            }
            inScalar_ = false;
            ++pos_;
        }
        return std::move(lines_);
    }

  private:
    struct Level {
        char bracket;
        std::string key;  // the key this object or array is the value of
    };

    bool inRulesArray() const {
        return open_.size() == 2 && open_[1].bracket == '[' && open_[1].key == "rules";
    }

    void valueStarts() {
        if (inRulesArray() && !expectKey_) {
            lines_.rule.push_back(line_);
            lines_.key.emplace_back();
        }
    }

    void string() {
        const std::size_t start = pos_;
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            pos_ += text_[pos_] == '\\' ? 2 : 1;
        }
        ++pos_;
        if (expectKey_) {
            std::string key = Json::parse(text_.substr(start, pos_ - start)).get<std::string>();
            if (open_.size() == 3 && open_[1].key == "rules" && !lines_.key.empty()) {
                lines_.key.back().emplace(key, line_);
            }
            keyBefore_ = std::move(key);
            expectKey_ = false;
        } else {
            valueStarts();
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::int64_t line_ = 1;
    std::vector<Level> open_;
    std::string keyBefore_;
    bool expectKey_ = false;
    bool inScalar_ = false;
    RuleLines lines_;
};

// A rule the file states wrongly, at the line of the key at fault.
struct RuleFault {
    std::size_t rule;
    std::string key;  // empty: the rule itself
    std::string reason;
};

std::int64_t lineOfByte(std::string_view text, std::size_t byte) {
    std::int64_t line = 1;
    for (std::size_t i = 0; i < byte && i < text.size(); ++i) {
        line += text[i] == '\n' ? 1 : 0;
    }
    return line;
}

// nlohmann's message without its id and position: "syntax error while parsing ...".
std::string parseReason(const Json::parse_error& error) {
    std::string what = error.what();
    const std::size_t column = what.find("column ");
    const std::size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
    return colon == std::string::npos ? what : what.substr(colon + 2);
}

std::optional<Colour> parseColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    std::uint32_t rgb = 0;
    for (const char c : text.substr(1)) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        rgb = rgb * 16 + digit;
    }
    return Colour{rgb};
}

class RuleReader {
  public:
    RuleReader(const Json& object, std::size_t index) : object_(object), index_(index) {}

    NotificationRule read() {
        NotificationRule rule;
        const auto name = text("name");
        if (!object_.contains("name")) {
            fail({}, "a rule has no \"name\"");
        }
        if (name.empty()) {
            fail("name", "\"name\" is empty");
        }
        rule.name = name;
        rule.enabled = flag("enabled", true);
        rule.pattern = text("pattern");
        rule.kind = flag("regex", false) ? PatternKind::Regex : PatternKind::Plain;
        rule.letterCase = flag("ignoreCase", true) ? LetterCase::Ignored : LetterCase::Exact;
        rule.channels = channels();
        rule.speaker = text("speaker");
        rule.sound = text("sound");
        rule.speak = text("speak");
        rule.alert = flag("alert", false);
        const std::string colour = text("colour");
        if (!colour.empty()) {
            rule.colour = parseColour(colour);
            if (!rule.colour) {
                fail("colour", "\"colour\" is not #rrggbb");
            }
        }
        rule.cooldownSeconds = cooldown();
        rule.priority = priority();
        if (const Json* timer = find("timer")) {
            try {
                rule.timer = ruleTimerOf(*timer);
            } catch (const std::invalid_argument& wrong) {
                fail("timer", wrong.what());
            }
        }
        return rule;
    }

  private:
    [[noreturn]] void fail(std::string key, std::string reason) const {
        throw RuleFault{index_, std::move(key), std::move(reason)};
    }

    SpeechPriority priority() const {
        const std::string value = text("priority");
        if (value.empty() || value == "normal") {
            return SpeechPriority::Normal;
        }
        if (value != "high") {
            fail("priority", "\"priority\" is neither \"high\" nor \"normal\"");
        }
        return SpeechPriority::High;
    }

    const Json* find(const char* key) const {
        const auto it = object_.find(key);
        return it == object_.end() ? nullptr : &*it;
    }

    std::string text(const char* key) const {
        const Json* value = find(key);
        if (value == nullptr) {
            return {};
        }
        if (!value->is_string()) {
            fail(key, std::string("\"") + key + "\" is not a string");
        }
        return value->get<std::string>();
    }

    bool flag(const char* key, bool absent) const {
        const Json* value = find(key);
        if (value == nullptr) {
            return absent;
        }
        if (!value->is_boolean()) {
            fail(key, std::string("\"") + key + "\" is not true or false");
        }
        return value->get<bool>();
    }

    std::vector<ChatChannel> channels() const {
        const Json* value = find("channels");
        std::vector<ChatChannel> channels;
        if (value == nullptr) {
            return channels;
        }
        if (!value->is_array()) {
            fail("channels", "\"channels\" is not an array");
        }
        for (const Json& name : *value) {
            const std::optional<ChatChannel> channel =
                name.is_string() ? ruleChannelNamed(name.get<std::string>()) : std::nullopt;
            if (!channel) {
                // Only a name is shown: any other value may nest any depth.
                const std::string held =
                    name.is_string() ? name.dump(-1, ' ', false, Json::error_handler_t::replace)
                                     : std::string("a JSON ") + name.type_name();
                fail("channels", "\"channels\" holds " + held + ", which names no channel");
            }
            channels.push_back(*channel);
        }
        return channels;
    }

    std::int64_t cooldown() const {
        const Json* value = find("cooldownSeconds");
        if (value == nullptr) {
            return 0;
        }
        if (value->is_number_unsigned()) {
            const auto seconds = value->get<std::uint64_t>();
            if (seconds <= static_cast<std::uint64_t>(INT64_MAX)) {
                return static_cast<std::int64_t>(seconds);
            }
        }
        fail("cooldownSeconds", "\"cooldownSeconds\" is not an integer of 0 or more");
    }

    const Json& object_;
    std::size_t index_;
};

RuleSet readRuleSet(const Json& document) {
    if (!document.is_object()) {
        throw RuleFault{SIZE_MAX, {}, "the file is not one JSON object"};
    }
    const auto rules = document.find("rules");
    if (rules == document.end() || !rules->is_array()) {
        throw RuleFault{SIZE_MAX, {}, "the file has no \"rules\" array"};
    }
    RuleSet set;
    std::set<std::string> names;
    for (std::size_t i = 0; i < rules->size(); ++i) {
        const Json& object = (*rules)[i];
        if (!object.is_object()) {
            throw RuleFault{i, {}, "a rule is not a JSON object"};
        }
        NotificationRule rule = RuleReader(object, i).read();
        if (!names.insert(rule.name).second) {
            throw RuleFault{i, "name", "the name \"" + rule.name + "\" is used twice"};
        }
        set.rules.push_back(std::move(rule));
    }
    return set;
}

void writeRulesText(const std::filesystem::path& file, std::string_view text) {
    if (const std::error_code error = platform::writeWholeFileAtomically(file, text)) {
        throw std::system_error(error, "cannot write the rules file");
    }
}

RulesReading damaged(const std::filesystem::path& file, std::int64_t line, std::string reason) {
    RulesReading reading;
    reading.state = RulesFileState::Damaged;
    reading.error = RulesFileError{file, line, std::move(reason)};
    return reading;
}

}  // namespace

std::string RulesFileError::message() const {
    const std::u8string name = file.u8string();
    std::string text(name.begin(), name.end());
    text += ": ";
    if (line > 0) {
        text += "line " + std::to_string(line) + ": ";
    }
    return text + reason;
}

RulesReading parseRules(std::string_view utf8Json, const std::filesystem::path& file) {
    if (const std::optional<std::size_t> deep = tooDeepAt(utf8Json)) {
        return damaged(
            file, lineOfByte(utf8Json, *deep),
            "arrays and objects nest more than " + std::to_string(kMostNesting) + " deep");
    }
    Json document;
    try {
        document = Json::parse(utf8Json);
    } catch (const Json::parse_error& error) {
        return damaged(file, lineOfByte(utf8Json, error.byte == 0 ? 0 : error.byte - 1),
                       parseReason(error));
    }
    try {
        RulesReading reading;
        reading.state = RulesFileState::Loaded;
        reading.rules = readRuleSet(document);
        return reading;
    } catch (const RuleFault& fault) {
        std::int64_t line = 1;
        if (fault.rule != SIZE_MAX) {
            const RuleLines lines = RuleLineScanner(utf8Json).scan();
            if (fault.rule < lines.rule.size()) {
                line = lines.rule[fault.rule];
                const auto key = lines.key[fault.rule].find(fault.key);
                if (key != lines.key[fault.rule].end()) {
                    line = key->second;
                }
            }
        }
        std::string reason = fault.reason;
        if (fault.rule != SIZE_MAX) {
            reason = "rule " + std::to_string(fault.rule + 1) + ": " + reason;
        }
        return damaged(file, line, std::move(reason));
    }
}

RulesReading readRulesFile(const std::filesystem::path& file) {
    const platform::FileContent content = platform::readWholeFile(file);
    if (content.status == platform::ReadStatus::Missing) {
        return RulesReading{};
    }
    if (content.status != platform::ReadStatus::Ok) {
        return damaged(file, 0, content.error.message());
    }
    RulesReading reading = parseRules(content.bytes, file);
    reading.bytes = content.bytes;
    return reading;
}

std::string rulesJson(const RuleSet& rules) {
    OrderedJson array = OrderedJson::array();
    for (const NotificationRule& rule : rules.rules) {
        OrderedJson channels = OrderedJson::array();
        for (const ChatChannel channel : rule.channels) {
            channels.push_back(std::string(ruleChannelName(channel)));
        }
        OrderedJson object{
            {"name", rule.name},
            {"enabled", rule.enabled},
            {"pattern", rule.pattern},
            {"regex", rule.kind == PatternKind::Regex},
            {"ignoreCase", rule.letterCase == LetterCase::Ignored},
            {"channels", std::move(channels)},
            {"speaker", rule.speaker},
            {"sound", rule.sound},
            {"speak", rule.speak},
            {"alert", rule.alert},
            {"colour", rule.colour ? colourText(*rule.colour) : std::string()},
            {"cooldownSeconds", rule.cooldownSeconds},
        };
        // Written only when it is not the default, so older files stay as they were.
        if (rule.priority == SpeechPriority::High) {
            object["priority"] = "high";
        }
        if (rule.timer) {
            object["timer"] = ruleTimerJson(*rule.timer);
        }
        array.push_back(std::move(object));
    }
    const OrderedJson document{{"rules", std::move(array)}};
    return document.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

void writeRulesFile(const std::filesystem::path& file, const RuleSet& rules) {
    writeRulesText(file, rulesJson(rules));
}

std::string saveRulesFile(const std::filesystem::path& settingsFolder, const RuleSet& rules,
                          const std::optional<std::string>& lastSeen) {
    const std::filesystem::path file = settingsFolder / kRulesFileName;
    const RulesReading now = readRulesFile(file);
    if (now.state == RulesFileState::Damaged || (now.bytes && now.bytes != lastSeen)) {
        const std::filesystem::path backup = settingsFolder / kRulesBackupName;
        std::error_code ignored;
        std::filesystem::remove(backup, ignored);
        std::error_code error;
        std::filesystem::rename(file, backup, error);
        if (error) {
            throw std::system_error(error, "cannot keep the rules file as it was");
        }
    }
    std::string text = rulesJson(rules);
    writeRulesText(file, text);
    return text;
}

}  // namespace ruv
