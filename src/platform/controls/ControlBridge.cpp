#include "platform/controls/ControlBridge.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <vector>

#include "platform/controls/Control.h"
#include "platform/controls/Form.h"
#include "platform/controls/KeyMap.h"
#include "platform/controls/Menus.h"
#include "platform/controls/TextKeys.h"
#include "platform/services/Application.h"

namespace lumvex {

namespace {
struct Delivery {
    QObject* receiver;
    bool taken;
};
std::vector<Delivery>& Deliveries() {
    static std::vector<Delivery> deliveries;
    return deliveries;
}

TMouseButton MouseButtonOf(Qt::MouseButton button) {
    if (button == Qt::RightButton) return mbRight;
    if (button == Qt::MiddleButton) return mbMiddle;
    return mbLeft;
}
}  // namespace

void BeginInputDelivery(QObject* receiver) { Deliveries().push_back({receiver, false}); }
void EndInputDelivery() { Deliveries().pop_back(); }

bool IsInputEvent(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu: return true;
    default: return false;
    }
}

bool ControlBridge::TakeDelivery() {
    if (Deliveries().empty()) return false;
    Delivery& delivery = Deliveries().back();
    if (delivery.taken || !delivery.receiver->isWidgetType()) return false;
    if (TControl::FromWidget(static_cast<QWidget*>(delivery.receiver)) != &control_) return false;
    delivery.taken = true;
    return true;
}

ControlBridge::ControlBridge(TControl& control) : control_(control) {}

void ControlBridge::Watch(QWidget* source) {
    source->installEventFilter(this);
    source->setMouseTracking(true);
}

bool ControlBridge::eventFilter(QObject* watched, QEvent* event) {
    QWidget* source = static_cast<QWidget*>(watched);
    const bool own = source == control_.Widget();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: return MouseEvent(source, event);
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return KeyEvent(event);
    case QEvent::ContextMenu:
        if (TPopupMenu* menu = control_.PopupMenu(); menu && TakeDelivery()) {
            QPoint global = static_cast<QContextMenuEvent*>(event)->globalPos();
            Application.Dispatch([&] { menu->Popup(global.x(), global.y()); });
            return true;
        }
        return false;
    case QEvent::Enter:
        if (own) Application.Dispatch([&] { control_.MouseEnter(); });
        return false;
    case QEvent::Leave:
        if (own) Application.Dispatch([&] { control_.MouseLeave(); });
        return false;
    // Changes made by the program were reported by SetBounds already; these
    // are the ones the desktop makes (the user resizing a window).
    case QEvent::Resize:
        if (own && event->spontaneous())
            Application.Dispatch([&] {
                control_.Resize();
                control_.BoundsChanged();
            });
        return false;
    case QEvent::Move:
        if (own && event->spontaneous()) Application.Dispatch([&] { control_.BoundsChanged(); });
        return false;
    default: return own ? FormEvent(event) : false;
    }
}

bool ControlBridge::MouseEvent(QWidget* source, QEvent* event) {
    if (!TakeDelivery()) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint pos = mouse->position().toPoint();
    if (source != control_.Widget()) pos = source->mapTo(control_.Widget(), pos);
    TShiftState shift = ShiftOf(mouse->modifiers(), mouse->buttons());
    TMouseButton button = MouseButtonOf(mouse->button());
    const bool standard = !(control_.ControlStyle() & csNoStdEvents);
    QPointer<QWidget> alive = control_.Widget();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (button == mbLeft) pressed_ = true;
        if (standard) Application.Dispatch([&] { control_.MouseDown(button, shift, pos.x(), pos.y()); });
        break;
    case QEvent::MouseButtonDblClick:
        pressed_ = false;
        if (button == mbLeft) Application.Dispatch([&] { control_.DblClick(); });
        if (alive && standard)
            Application.Dispatch([&] { control_.MouseDown(button, shift | ssDouble, pos.x(), pos.y()); });
        break;
    case QEvent::MouseButtonRelease:
        // A click is a left press and release over the control.
        if (button == mbLeft && pressed_) {
            pressed_ = false;
            if (control_.Widget()->rect().contains(pos)) Application.Dispatch([&] { control_.Click(); });
        }
        if (alive && standard) Application.Dispatch([&] { control_.MouseUp(button, shift, pos.x(), pos.y()); });
        break;
    default:
        if (standard) Application.Dispatch([&] { control_.MouseMove(shift, pos.x(), pos.y()); });
        break;
    }
    return !alive;
}

bool ControlBridge::KeyEvent(QEvent* event) {
    if (!TakeDelivery()) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    std::uint16_t key = VirtualKeyOf(*keyEvent);
    if (key == 0) return false;
    const bool down = event->type() == QEvent::KeyPress;
    // Typing goes to the text alone: no handler sees the press, so a letter
    // typed into a box never runs a window's command. The release is reported.
    if (down && KeepsTextKey(*control_.Widget(), *keyEvent)) return false;
    TShiftState shift = ShiftOf(keyEvent->modifiers(), QGuiApplication::mouseButtons());
    QPointer<QWidget> alive = control_.Widget();
    TControl* form = control_.ParentForm();
    if (form && form != &control_ && static_cast<TForm*>(form)->KeyPreview()) {
        Application.Dispatch([&] { down ? form->KeyDown(key, shift) : form->KeyUp(key, shift); });
        if (!alive) return true;
        if (key == 0) return true;
    }
    Application.Dispatch([&] { down ? control_.KeyDown(key, shift) : control_.KeyUp(key, shift); });
    return !alive || key == 0;
}

bool ControlBridge::FormEvent(QEvent* event) {
    auto* form = dynamic_cast<TForm*>(&control_);
    if (!form) return false;
    switch (event->type()) {
    case QEvent::WindowActivate: Application.Dispatch([&] { form->HandleActivation(true); }); break;
    case QEvent::WindowDeactivate: Application.Dispatch([&] { form->HandleActivation(false); }); break;
    // Minimising and restoring hide and show the window spontaneously; the
    // form stays visible throughout.
    case QEvent::Show:
        if (!event->spontaneous()) Application.Dispatch([&] { form->HandleShown(true); });
        break;
    case QEvent::Hide:
        if (!event->spontaneous()) Application.Dispatch([&] { form->HandleShown(false); });
        break;
    case QEvent::Close: {
        bool close = true;
        Application.Dispatch([&] { close = form->HandleCloseRequest(); });
        event->setAccepted(close);
        return true;
    }
    default: break;
    }
    return false;
}

}  // namespace lumvex
