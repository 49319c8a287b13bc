#include "core/rules/timers_file.h"

#include <nlohmann/json.hpp>

#include "core/rules/wall_time.h"
#include "core/text/cp932.h"

namespace ruv {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

OrderedJson alarmJson(const TimerAlarm& alarm) {
    return OrderedJson{{"sound", alarm.sound},
                       {"speak", cp932::toUtf8(alarm.phrase)},
                       {"speaker", cp932::toUtf8(alarm.speaker)},
                       {"alert", alarm.alert}};
}

TimerAlarm alarmOf(const Json& object) {
    TimerAlarm alarm;
    alarm.sound = object.at("sound").get<std::string>();
    alarm.phrase = cp932::fromUtf8(object.at("speak").get<std::string>()).value_or("");
    alarm.speaker = cp932::fromUtf8(object.at("speaker").get<std::string>()).value_or("");
    alarm.alert = object.at("alert").get<bool>();
    return alarm;
}

WallSeconds momentAt(const Json& object, const char* key) {
    const std::optional<WallSeconds> moment = momentOfText(object.at(key).get<std::string>());
    if (!moment) {
        throw std::invalid_argument(std::string("\"") + key + "\" is no moment");
    }
    return *moment;
}

}  // namespace

std::string timersJson(const std::vector<RunningTimer>& timers) {
    OrderedJson array = OrderedJson::array();
    for (const RunningTimer& timer : timers) {
        array.push_back(OrderedJson{
            {"rule", timer.rule},
            {"name", timer.name},
            {"startsAt", momentText(WallSeconds{timer.startsAt})},
            {"endsAt", momentText(WallSeconds{timer.endsAt})},
            {"warnSeconds", timer.warnSeconds},
            {"warned", timer.warned},
            {"atWarning", alarmJson(timer.warning)},
            {"atEnd", alarmJson(timer.end)},
        });
    }
    const OrderedJson document{{"timers", std::move(array)}};
    return document.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

std::optional<std::vector<RunningTimer>> parseTimers(std::string_view utf8Json,
                                                     std::string& reason) {
    try {
        const Json document = Json::parse(utf8Json);
        std::vector<RunningTimer> timers;
        for (const Json& object : document.at("timers")) {
            RunningTimer timer;
            timer.rule = object.at("rule").get<std::string>();
            timer.name = object.at("name").get<std::string>();
            timer.startsAt = momentAt(object, "startsAt").value;
            timer.endsAt = momentAt(object, "endsAt").value;
            timer.warnSeconds = object.at("warnSeconds").get<std::int64_t>();
            timer.warned = object.at("warned").get<bool>();
            timer.warning = alarmOf(object.at("atWarning"));
            timer.end = alarmOf(object.at("atEnd"));
            timers.push_back(std::move(timer));
        }
        return timers;
    } catch (const std::exception& wrong) {
        reason = wrong.what();
        return std::nullopt;
    }
}

}  // namespace ruv
