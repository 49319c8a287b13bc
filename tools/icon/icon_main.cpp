// Writes the program's icon as a PNG for the desktop entry:
// mh_ruvivuvaz-icon OUT.png [SIZE]

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "shell/app/app_icon.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mh_ruvivuvaz-icon OUT.png [SIZE]\n");
        return 2;
    }
    const int size = argc > 2 ? std::atoi(argv[2]) : 256;
    return ruv::appIconImage(size).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
