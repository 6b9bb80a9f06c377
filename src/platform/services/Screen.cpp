#include "platform/services/Screen.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <algorithm>

#include "platform/controls/CursorShape.h"
#include "platform/controls/Form.h"
#include "platform/services/XDisplay.h"

namespace lumvex {

TScreen Screen;
TMouse Mouse;

// Before the toolkit has started, the X display's root window stands in.
int TScreen::Width() const {
    if (testSize_) return testSize_->X;
    if (!QGuiApplication::instance()) return XDisplay().Width;
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const {
    if (testSize_) return testSize_->Y;
    if (!QGuiApplication::instance()) return XDisplay().Height;
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

TForm* TScreen::ActiveForm() const {
    return dynamic_cast<TForm*>(TControl::FromWidget(QApplication::activeWindow()));
}

void TScreen::AddForm(TForm* form) { forms_.push_back(form); }
void TScreen::RemoveForm(TForm* form) { std::erase(forms_, form); }

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    if (cursor_ != crDefault) QGuiApplication::restoreOverrideCursor();
    if (cursor != crDefault) QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
    cursor_ = cursor;
}

TPoint TMouse::CursorPos() const {
    if (testPos_) return *testPos_;
    QPoint pos = QCursor::pos();
    return {pos.x(), pos.y()};
}

}  // namespace lumvex
