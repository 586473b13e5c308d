#pragma once

#include <QObject>
#include <QPointer>

class QFocusFrame;
class QWidget;

// A clear frame around the control of a dialog that has the keyboard focus. It shows while the
// player uses the keyboard there (the dialog opened on a key, or a key was pressed in it) and
// goes at a mouse press, so a dialog used with the mouse looks as it always did.
class FocusMark final : public QObject {
    Q_OBJECT
  public:
    explicit FocusMark(QWidget* dialog);

    bool showing() const;
    QWidget* marked() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow();

    QWidget* dialog_;
    // A child of the dialog: gone before the dialog's controls, whose deletion still moves the focus.
    QPointer<QFocusFrame> frame_;
    bool keyboard_ = false;
};
