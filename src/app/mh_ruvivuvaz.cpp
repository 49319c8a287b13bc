#include <QApplication>

#include "shell/app/ruvivuvaz.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DIrararezuvero"));
    ruv::TForm1 window;
    window.show();
    return QApplication::exec();
}
