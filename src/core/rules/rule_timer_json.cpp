#include "core/rules/rule_timer_json.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/rules/timer_duration.h"

namespace ruv {

namespace {

using Json = nlohmann::json;

struct RepeatName {
    TimerRepeat repeat;
    std::string_view name;
};

constexpr std::array<RepeatName, 3> kRepeatNames{{
    {TimerRepeat::Restart, "restart"},
    {TimerRepeat::Ignore, "ignore"},
    {TimerRepeat::Second, "second"},
}};

[[noreturn]] void fault(const std::string& reason) {
    throw std::invalid_argument("\"timer\": " + reason);
}

const Json* find(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

std::string text(const Json& object, const char* key) {
    const Json* value = find(object, key);
    if (value == nullptr) {
        return {};
    }
    if (!value->is_string()) {
        fault(std::string("\"") + key + "\" is not a string");
    }
    return value->get<std::string>();
}

std::int64_t seconds(const Json& value, const char* key) {
    if (value.is_number_unsigned()) {
        const auto n = value.get<std::uint64_t>();
        if (n <= static_cast<std::uint64_t>(kLongestTimerSeconds)) {
            return static_cast<std::int64_t>(n);
        }
    }
    fault(std::string("\"") + key + "\" is not a number of seconds from 0 to " +
          std::to_string(kLongestTimerSeconds));
}

TimerAlarmUse alarmUse(const Json& object, const char* key) {
    const Json* value = find(object, key);
    if (value == nullptr) {
        return TimerAlarmUse{};
    }
    if (!value->is_array()) {
        fault(std::string("\"") + key + "\" is not an array");
    }
    TimerAlarmUse use{false, false, false};
    for (const Json& item : *value) {
        const std::string name = item.is_string() ? item.get<std::string>() : std::string();
        if (name == "sound") {
            use.sound = true;
        } else if (name == "speak") {
            use.speak = true;
        } else if (name == "alert") {
            use.alert = true;
        } else {
            fault(std::string("\"") + key + "\" holds " +
                  item.dump(-1, ' ', false, Json::error_handler_t::replace) +
                  ", which is not \"sound\", \"speak\" or \"alert\"");
        }
    }
    return use;
}

nlohmann::ordered_json alarmUseJson(const TimerAlarmUse& use) {
    nlohmann::ordered_json names = nlohmann::ordered_json::array();
    if (use.sound) {
        names.push_back("sound");
    }
    if (use.speak) {
        names.push_back("speak");
    }
    if (use.alert) {
        names.push_back("alert");
    }
    return names;
}

}  // namespace

RuleTimer ruleTimerOf(const Json& object) {
    if (!object.is_object()) {
        throw std::invalid_argument("\"timer\" is not a JSON object");
    }
    RuleTimer timer;
    if (find(object, "name") == nullptr) {
        fault("it has no \"name\"");
    }
    timer.name = text(object, "name");
    if (timer.name.empty()) {
        fault("\"name\" is empty");
    }
    if (const Json* duration = find(object, "duration")) {
        const DurationReading reading =
            duration->is_string() ? readDuration(duration->get<std::string>())
            : duration->is_number_unsigned()
                ? DurationReading{seconds(*duration, "duration"), DurationFault::None}
                : DurationReading{0, DurationFault::NotADuration};
        if (reading.fault != DurationFault::None || reading.seconds <= 0) {
            fault("\"duration\" is not a length of time from 1 second to 7 days");
        }
        timer.seconds = reading.seconds;
    }
    if (const Json* warn = find(object, "warnSeconds")) {
        timer.warnSeconds = seconds(*warn, "warnSeconds");
    }
    timer.atWarning = alarmUse(object, "atWarning");
    timer.atEnd = alarmUse(object, "atEnd");
    if (find(object, "onRepeat") != nullptr) {
        const std::string repeat = text(object, "onRepeat");
        const auto* named = std::find_if(kRepeatNames.begin(), kRepeatNames.end(),
                                         [&](const RepeatName& r) { return r.name == repeat; });
        if (named == kRepeatNames.end()) {
            fault("\"onRepeat\" is not \"restart\", \"ignore\" or \"second\"");
        }
        timer.repeat = named->repeat;
    }
    timer.stop = text(object, "stop");
    if (const Json* tidied = find(object, "tidiedLines")) {
        if (!tidied->is_boolean()) {
            fault("\"tidiedLines\" is not true or false");
        }
        timer.tidiedLines = tidied->get<bool>();
    }
    return timer;
}

nlohmann::ordered_json ruleTimerJson(const RuleTimer& timer) {
    nlohmann::ordered_json object{{"name", timer.name}};
    if (timer.seconds) {
        object["duration"] = durationText(*timer.seconds);
    }
    object["warnSeconds"] = timer.warnSeconds;
    object["atWarning"] = alarmUseJson(timer.atWarning);
    object["atEnd"] = alarmUseJson(timer.atEnd);
    for (const RepeatName& named : kRepeatNames) {
        if (named.repeat == timer.repeat) {
            object["onRepeat"] = std::string(named.name);
        }
    }
    object["stop"] = timer.stop;
    object["tidiedLines"] = timer.tidiedLines;
    return object;
}

}  // namespace ruv
