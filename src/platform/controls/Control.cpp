#include "platform/controls/Control.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <unordered_map>

#include "platform/controls/ControlBridge.h"
#include "platform/controls/CursorShape.h"
#include "platform/controls/Form.h"
#include "platform/controls/NativeLook.h"
#include "platform/graphics/QtBridge.h"
#include "platform/services/Application.h"

namespace lumvex {

namespace {
std::unordered_map<const QWidget*, TControl*>& Registry() {
    static std::unordered_map<const QWidget*, TControl*> registry;
    return registry;
}

}  // namespace

TControl::TControl(TWinControl* parent, QWidget* widget)
    : parent_(parent), widget_(widget), bridge_(std::make_unique<ControlBridge>(*this)), visible_(parent != nullptr) {
    Registry()[widget_] = this;
    bridge_->Watch(widget_);
    // Lists and scrolling areas take their mouse input on an inner viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_)) bridge_->Watch(area->viewport());
    if (parent_) {
        widget_->setParent(parent_->ClientWidget());
        parent_->controls_.push_back(this);
        widget_->show();
    }
}

TControl::~TControl() {
    if (parent_ && !parent_->destroying_) std::erase(parent_->controls_, this);
    Registry().erase(widget_);
    widget_->removeEventFilter(bridge_.get());
    delete widget_;
}

TControl* TControl::FromWidget(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        auto it = Registry().find(widget);
        if (it != Registry().end()) return it->second;
    }
    return nullptr;
}

TForm* TControl::ParentForm() const {
    const TControl* control = this;
    while (control->parent_) control = control->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

int TControl::Left() const { return widget_->isWindow() ? widget_->frameGeometry().x() : widget_->x(); }
int TControl::Top() const { return widget_->isWindow() ? widget_->frameGeometry().y() : widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }
void TControl::SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
void TControl::SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
void TControl::SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
void TControl::SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

// The control hears of its new bounds at once, shown or not; the toolkit's
// own (later) notice of a change made here is not passed on again.
void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    const TRect old = BoundsRect();
    if (widget_->isWindow()) {
        widget_->move(left, top);
        widget_->resize(width, height);
    } else {
        widget_->setGeometry(left, top, width, height);
    }
    if (parent_ && align_ != alNone) parent_->Realign();
    NotifyBounds(old);
}

void TControl::NotifyBounds(const TRect& old) {
    const TRect now = BoundsRect();
    if (now.Width() != old.Width() || now.Height() != old.Height()) Resize();
    if (now != old) BoundsChanged();
}

int TControl::ClientWidth() const { return widget_->width(); }
int TControl::ClientHeight() const { return widget_->height(); }
void TControl::SetClientWidth(int width) { SetWidth(width + Width() - ClientWidth()); }
void TControl::SetClientHeight(int height) { SetHeight(height + Height() - ClientHeight()); }

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    widget_->setVisible(visible);
    if (parent_ && align_ != alNone) parent_->Realign();
}

bool TControl::Showing() const { return widget_->isVisible(); }

bool TControl::Enabled() const { return widget_->isEnabled(); }
void TControl::SetEnabled(bool enabled) { widget_->setEnabled(enabled); }

void TControl::SetHint(const std::string& hint) {
    hint_ = hint;
    widget_->setToolTip(showHint_ ? QString::fromStdString(hint_) : QString());
}

void TControl::SetShowHint(bool show) {
    showHint_ = show;
    SetHint(hint_);
}

void TControl::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    ApplyCursor();
}

void TControl::ApplyCursor() {
    if (cursor_ == crDefault)
        widget_->unsetCursor();
    else
        widget_->setCursor(ShapeOf(cursor_));
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::SetColor(TColor color) {
    color_ = color;
    if (nativeLook_) ApplyBackColor(*widget_, color);
    Invalidate();
}

void TControl::UseNativeLook() {
    nativeLook_ = true;
    color_ = clWhite;
    ApplyFont(*widget_, font_);
}

TFont& TControl::Font() {
    // The caller may change the font through the reference: apply it once
    // the current handler is done.
    if (!fontPending_) {
        fontPending_ = true;
        QTimer::singleShot(0, widget_, [this] {
            if (!fontPending_) return;
            fontPending_ = false;
            Application.Dispatch([this] { FontChanged(); });
        });
    }
    return font_;
}

void TControl::SetFont(const TFont& font) {
    font_ = font;
    fontPending_ = false;
    FontChanged();
}

void TControl::FontChanged() {
    if (nativeLook_)
        ApplyFont(*widget_, font_);
    else
        widget_->setFont(ToQFont(font_));
    Invalidate();
}

// The headless platform has no stacking of windows and only warns when asked.
void TControl::BringToFront() {
    if (widget_->isWindow() && QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    widget_->raise();
}
void TControl::SendToBack() { widget_->lower(); }
void TControl::Invalidate() { widget_->update(); }
void TControl::Repaint() { widget_->repaint(); }

TPoint TControl::ClientToScreen(TPoint point) const {
    QPoint p = widget_->mapToGlobal(QPoint(point.X, point.Y));
    return {p.x(), p.y()};
}

TPoint TControl::ScreenToClient(TPoint point) const {
    QPoint p = widget_->mapFromGlobal(QPoint(point.X, point.Y));
    return {p.x(), p.y()};
}

bool TControl::Focused() const { return widget_->hasFocus(); }
void TControl::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }

void TControl::Click() {
    if (OnClick) OnClick(this);
}
void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}
void TControl::KeyDown(std::uint16_t& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TControl::KeyUp(std::uint16_t& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------------------

TWinControl::TWinControl(TWinControl* parent, QWidget* widget) : TControl(parent, widget) {}

TWinControl::~TWinControl() {
    // The parts of the object above this one are gone: no more events.
    Widget()->removeEventFilter(bridge_.get());
    destroying_ = true;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) delete *it;
    controls_.clear();
}

void TWinControl::Resize() {
    Realign();
    TControl::Resize();
}

// Aligned children take the edges in creation order: top, bottom, left and
// right ones in turn shrink the free area, and client ones fill what is left.
void TWinControl::Realign() {
    if (aligning_) return;
    aligning_ = true;
    TRect free = ClientRect();
    auto place = [](TControl* c, int l, int t, int w, int h) {
        const TRect old = c->BoundsRect();
        c->widget_->setGeometry(l, t, std::max(0, w), std::max(0, h));
        c->NotifyBounds(old);
    };
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->align_ != pass || !c->visible_) continue;
            switch (pass) {
            case alTop:
                place(c, free.Left, free.Top, free.Width(), c->Height());
                free.Top += c->Height();
                break;
            case alBottom:
                place(c, free.Left, free.Bottom - c->Height(), free.Width(), c->Height());
                free.Bottom -= c->Height();
                break;
            case alLeft:
                place(c, free.Left, free.Top, c->Width(), free.Height());
                free.Left += c->Width();
                break;
            case alRight:
                place(c, free.Right - c->Width(), free.Top, c->Width(), free.Height());
                free.Right -= c->Width();
                break;
            case alClient: place(c, free.Left, free.Top, free.Width(), free.Height()); break;
            case alNone: break;
            }
        }
    }
    aligning_ = false;
}

}  // namespace lumvex
