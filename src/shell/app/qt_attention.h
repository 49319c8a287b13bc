#pragma once
// The taskbar alert of the main window: QApplication::alert, asked by routing
// for a whisper or a call sound and let through once per period the window
// spends inactive.

#include <QObject>

#include "core/app/attention_gate.h"

class QWidget;

namespace ruv {

class QtAttention final : public QObject, public Attention {
    Q_OBJECT
  public:
    // Watches the window's activation from here on.
    explicit QtAttention(QWidget& window);

    void requestAttention() override { gate_.requestAttention(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class TaskbarFlash final : public Attention {
      public:
        explicit TaskbarFlash(QWidget& window) : window_(window) {}
        void requestAttention() override;

      private:
        QWidget& window_;
    };

    QWidget& window_;
    TaskbarFlash flash_;
    AttentionGate gate_;
};

}  // namespace ruv
