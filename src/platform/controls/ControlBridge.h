#pragma once
// Private to the platform layer: turns the toolkit's events on a control's
// widget into the control's own events, each run through Application.Dispatch.
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace lumvex {

class TControl;

class ControlBridge : public QObject {
public:
    explicit ControlBridge(TControl& control);
    // Input on source (the control's widget, or a part of it such as a
    // list's viewport) counts as the control's.
    void Watch(QWidget* source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseEvent(QWidget* source, QEvent* event);
    bool KeyEvent(QEvent* event);
    bool FormEvent(QEvent* event);
    // True once per delivery, for the control that owns its receiver.
    bool TakeDelivery();
    TControl& control_;
    bool pressed_ = false;
};

// An input event bubbles from the widget under the mouse or in focus up to
// its parents (as copies, for mouse events). The application brackets each
// delivery; the control that owns the receiving widget takes the event once,
// and the parents do not report it again.
void BeginInputDelivery(QObject* receiver);
void EndInputDelivery();
bool IsInputEvent(const QEvent* event);

}  // namespace lumvex
