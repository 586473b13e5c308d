#pragma once

#include <QObject>
#include <QPointer>
#include <map>
#include <optional>

class QWindow;

// Keeps a key that is held down from running on into a window that opened while it was down.
// The window each key's first press went to is remembered; its auto-repeated presses and
// releases that reach any other window are dropped, and once dropped they stay dropped until the
// key is let go. Separate presses are never touched, and a key held in one window repeats there.
// The release of a dropped key is dropped too, so no window sees a key let go it never saw pressed.
class HeldKeys final : public QObject {
    Q_OBJECT
  public:
    // Watches every key of the application while it lives.
    explicit HeldKeys(QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Held {
        QPointer<QObject> window; // the window of the first press
        bool dropping = false;
        std::optional<quint64> releasedAt; // a dropped release, which a press at the same moment repeats
    };
    std::map<int, Held> held_;
};
