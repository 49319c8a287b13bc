// A later start of the program, as the program's entry begins:
//
//   second_start_process [--at MS] [--serve] PROGRAM_FOLDER [LOG]
//
// claims the program folder and hands LOG (none: no file) to the running copy.
// Exits with 0 when it leaves the start to a running copy, 3 when it would
// have become the running copy itself, 4 when a running copy took no request,
// 5 when it became a running copy while another one ran (--serve only).
// --at waits for that moment (milliseconds since the epoch) before claiming,
// so that several starts claim at once. --serve: once the running copy, it
// takes requests until it has taken one and a moment more, for at most a few
// seconds, with a mark in PROGRAM_FOLDER meanwhile that tells it of another
// running copy.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <thread>

#include "shell/app/single_instance.h"

namespace {

constexpr std::chrono::seconds kServeAtMost{4};
constexpr std::chrono::milliseconds kHoldAfterAHandOver{500};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    bool serve = false;
    while (!arguments.isEmpty() && arguments.front().startsWith(QStringLiteral("--"))) {
        const QString option = arguments.takeFirst();
        if (option == QStringLiteral("--serve")) {
            serve = true;
        } else if (option == QStringLiteral("--at") && !arguments.isEmpty()) {
            const std::chrono::milliseconds at{arguments.takeFirst().toLongLong()};
            std::this_thread::sleep_until(std::chrono::system_clock::time_point(at));
        } else {
            return 2;
        }
    }
    if (arguments.isEmpty()) {
        return 2;
    }
    ruv::SingleInstance instance(arguments.at(0));
    const QString log = arguments.size() > 1 ? arguments.at(1) : QString();
    switch (instance.claim(log)) {
        case ruv::InstanceRole::AnotherRuns:
            return 0;
        case ruv::InstanceRole::Running:
            if (serve) {
                const QDir folder(arguments.at(0));
                const QString mark = folder.filePath(
                    QStringLiteral("running-%1").arg(QCoreApplication::applicationPid()));
                QFile(mark).open(QIODevice::WriteOnly);
                const bool beside =
                    folder.entryList({QStringLiteral("running-*")}, QDir::Files).size() > 1;
                // Held a while longer, as a running copy is: the start that
                // handed over sees its request taken before the lock is free.
                QObject::connect(&instance, &ruv::SingleInstance::handedOver, &app, [&app] {
                    QTimer::singleShot(kHoldAfterAHandOver, &app, &QCoreApplication::quit);
                });
                QTimer::singleShot(kServeAtMost, &app, &QCoreApplication::quit);
                QCoreApplication::exec();
                QFile::remove(mark);  // before the lock is released
                return beside ? 5 : 3;
            }
            return 3;
        case ruv::InstanceRole::NoAnswer:
            return 4;
    }
    return 2;
}
