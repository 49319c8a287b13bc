#include "shell/app/ruvivuvaz.h"

namespace ruv {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("DIrararezuvero"));
}

}  // namespace ruv
