// Program entry: the application title, the main window, the message loop.

#include <QApplication>

#include "shell/app/ruvivuvaz.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    QApplication::setApplicationDisplayName(QStringLiteral("DIrararezuvero"));
    ruv::TForm1 window;
    window.show();
    return QApplication::exec();
}
