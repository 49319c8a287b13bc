#pragma once
// A rule's "timer" object in the rules file:
//   "timer": {"name": "ボス {text}", "duration": "1:30:00", "warnSeconds": 60,
//             "atWarning": ["sound", "speak"], "atEnd": ["sound", "speak", "alert"],
//             "onRepeat": "restart", "stop": "討伐", "tidiedLines": false}
// "duration" is seconds (90) or a text readDuration reads; without it the
// length is read from the first capture group of the rule's match. Only
// "name" is required.

#include <nlohmann/json.hpp>
#include <stdexcept>

#include "core/rules/rule_timer.h"

namespace ruv {

// Throws std::invalid_argument with the reason (UTF-8, English).
RuleTimer ruleTimerOf(const nlohmann::json& object);
nlohmann::ordered_json ruleTimerJson(const RuleTimer& timer);

}  // namespace ruv
