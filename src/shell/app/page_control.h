#pragma once
// The main window's tab control: a QTabWidget whose strip reports a mouse
// press after the press has changed the active page.

#include <QTabBar>
#include <QTabWidget>

namespace ruv {

class TabStrip : public QTabBar {
    Q_OBJECT
  public:
    explicit TabStrip(QWidget* parent = nullptr);

  signals:
    // Any mouse button, after the press has been handled.
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class PageControl : public QTabWidget {
    Q_OBJECT
  public:
    explicit PageControl(QWidget* parent = nullptr);
    TabStrip* strip() const { return strip_; }

  private:
    TabStrip* strip_;
};

}  // namespace ruv
