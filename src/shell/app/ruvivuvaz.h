#pragma once

#include <QMainWindow>

namespace ruv {

// The main window: tabs, menus and status bar; owns the run-time state.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
};

}  // namespace ruv
