#include "shell/exp/exp_port_adapters.h"

#include <QTimer>

#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/text/cp932.h"
#include "shell/platform/user_messages.h"

namespace ruv {

void QtTickTimer::start() {
    timer_.start();
}

void QtTickTimer::stop() {
    timer_.stop();
}

void QtTickTimer::setPeriod(std::chrono::milliseconds period) {
    // QTimer::setInterval keeps a running timer running with the new period.
    timer_.setInterval(period);
}

Answer MessageBoxQuestions::ask(std::string_view title, std::string_view text) {
    return messages_.ask(fromCp932(title), fromCp932(text));
}

}  // namespace ruv
