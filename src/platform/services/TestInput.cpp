#include "platform/services/TestInput.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "platform/controls/Control.h"
#include "platform/controls/KeyMap.h"

namespace lumvex::test_input {

namespace {

void SendKeyEvent(TControl& target, QEvent::Type type, std::uint16_t vk, TShiftState shift) {
    QtKeyStroke stroke = QtKeyOf(vk, shift);
    QKeyEvent event(type, stroke.key, stroke.modifiers, stroke.text);
    QCoreApplication::sendEvent(target.Widget(), &event);
}

// The widget that the desktop would deliver a mouse event at (x, y) to: the
// control's own widget, or the inner part of it (a list's viewport) there.
QWidget* ReceiverAt(TControl& target, QPoint& pos) {
    QWidget* widget = target.Widget();
    QWidget* inner = widget->childAt(pos);
    if (!inner || TControl::FromWidget(inner) != &target) return widget;
    pos = inner->mapFrom(widget, pos);
    return inner;
}

void SendMouseEvent(TControl& target, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                    int x, int y, TShiftState shift) {
    QPoint pos(x, y);
    QWidget* receiver = ReceiverAt(target, pos);
    QMouseEvent event(type, QPointF(pos), QPointF(receiver->mapToGlobal(pos)), button, buttons,
                      ModifiersOf(shift));
    QCoreApplication::sendEvent(receiver, &event);
}

}  // namespace

void SendKeyDown(TControl& target, std::uint16_t vk, TShiftState shift) {
    SendKeyEvent(target, QEvent::KeyPress, vk, shift);
}

void SendKeyUp(TControl& target, std::uint16_t vk, TShiftState shift) {
    SendKeyEvent(target, QEvent::KeyRelease, vk, shift);
}

void SendKey(TControl& target, std::uint16_t vk, TShiftState shift) {
    SendKeyDown(target, vk, shift);
    SendKeyUp(target, vk, shift);
}

void TypeText(TControl& target, const std::string& text) {
    for (QChar c : QString::fromStdString(text)) {
        // The keys of Latin letters and signs are their upper-case code.
        const int key = c.toUpper().unicode();
        const Qt::KeyboardModifiers modifiers = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, modifiers, QString(c));
            QCoreApplication::sendEvent(target.Widget(), &event);
        }
    }
}

void SendMouseDown(TControl& target, TMouseButton button, int x, int y, TShiftState shift) {
    Qt::MouseButton b = ButtonOf(button);
    SendMouseEvent(target, QEvent::MouseButtonPress, b, ButtonsOf(shift) | b, x, y, shift);
}

void SendMouseUp(TControl& target, TMouseButton button, int x, int y, TShiftState shift) {
    Qt::MouseButton b = ButtonOf(button);
    SendMouseEvent(target, QEvent::MouseButtonRelease, b, ButtonsOf(shift) & ~Qt::MouseButtons(b), x, y, shift);
}

void SendMouseMove(TControl& target, int x, int y, TShiftState buttons) {
    SendMouseEvent(target, QEvent::MouseMove, Qt::NoButton, ButtonsOf(buttons), x, y, buttons);
}

void SendClick(TControl& target, int x, int y) {
    SendMouseDown(target, mbLeft, x, y);
    SendMouseUp(target, mbLeft, x, y);
}

void SendDblClick(TControl& target, int x, int y) {
    SendClick(target, x, y);
    QPoint pos(x, y);
    QWidget* receiver = ReceiverAt(target, pos);
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(pos), QPointF(receiver->mapToGlobal(pos)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(receiver, &event);
    SendMouseUp(target, mbLeft, x, y);
}

void SendMouseEnter(TControl& target) {
    QPointF inside(1, 1);
    QEnterEvent event(inside, inside, QPointF(target.Widget()->mapToGlobal(QPoint(1, 1))));
    QCoreApplication::sendEvent(target.Widget(), &event);
}

void SendMouseLeave(TControl& target) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(target.Widget(), &event);
}

void ProcessEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace lumvex::test_input
