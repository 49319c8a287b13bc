// A later start of the program, as the program's entry begins:
//
//   second_start_process PROGRAM_FOLDER [LOG]
//
// claims the program folder and hands LOG (none: no file) to the running copy.
// Exits with 0 when it leaves the start to a running copy, 3 when it would
// have become the running copy itself, 4 when a running copy took no request.

#include <QCoreApplication>
#include <QStringList>

#include "shell/app/single_instance.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        return 2;
    }
    ruv::SingleInstance instance(arguments.at(1));
    const QString log = arguments.size() > 2 ? arguments.at(2) : QString();
    switch (instance.claim(log)) {
        case ruv::InstanceRole::AnotherRuns:
            return 0;
        case ruv::InstanceRole::Running:
            return 3;
        case ruv::InstanceRole::NoAnswer:
            return 4;
    }
    return 2;
}
