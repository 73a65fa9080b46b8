// Notices the Escape key for the drawing's abort check. Installed on the
// application, it sees every key press delivered while a drawing lets
// pending events run, also a press and release that both arrive between
// two checks.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QObject>

namespace quintaro::app {

class EscapeWatch : public QObject {
 public:
  void Reset() { hit_ = false; }
  bool Hit() const { return hit_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      hit_ = true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool hit_ = false;
};

}  // namespace quintaro::app
