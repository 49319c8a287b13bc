#pragma once
// Hands files dragged over a text field on to the window's own handling (it
// attaches a dropped log), instead of letting the field type their address.
// Text dragged into the field still lands there.

#include <QObject>

#include <functional>

class QDropEvent;

namespace ruv {

class FileDropPassThrough final : public QObject {
  public:
    // handle: takes the drag enter, move or drop event of files and accepts or ignores it.
    FileDropPassThrough(QObject* parent, std::function<void(QDropEvent&)> handle);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<void(QDropEvent&)> handle_;
};

}  // namespace ruv
