#pragma once
// The base of every control: a thin object over one toolkit widget. A control
// is created with its parent (`new TLabel(form)`), which owns and frees it;
// controls created later stand above earlier ones. Every event handler runs
// through Application.Dispatch, so an exception it raises ends up in the error
// box and never crosses the message loop.
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/Types.h"
#include "platform/controls/ControlTypes.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"

class QWidget;

namespace lumvex {

class TWinControl;
class TForm;
class TPopupMenu;
class ControlBridge;

// Behaviour switches of a control (bits).
enum TControlStyleBit : unsigned {
    // The mouse-down, mouse-move and mouse-up events are never raised;
    // clicks and double clicks still are.
    csNoStdEvents = 1,
};

class TControl : public TObject {
public:
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TWinControl* Parent() const { return parent_; }
    // The form the control stands on (itself for a form), or nullptr.
    TForm* ParentForm() const;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(Left(), Top(), Width(), Height()); }
    virtual int ClientWidth() const;
    virtual int ClientHeight() const;
    virtual void SetClientWidth(int width);
    virtual void SetClientHeight(int height);
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Shown and every parent shown.
    bool Showing() const;

    bool Enabled() const;
    void SetEnabled(bool enabled);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);

    // The font; changes made through the reference show at the next paint.
    TFont& Font();
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);

    // Right-clicking the control pops this menu up at the mouse.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    unsigned ControlStyle() const { return controlStyle_; }
    void SetControlStyle(unsigned style) { controlStyle_ = style; }

    void BringToFront();
    void SendToBack();
    void Invalidate();
    void Repaint();  // paints at once

    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    bool Focused() const;
    void SetFocus();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // A key that types or edits the text of an edit box or a combo box stays
    // with the box: neither its OnKeyDown nor its form's key preview sees the
    // press; OnKeyUp sees the release.
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnResize;

    // Platform-internal: the widget behind the control.
    QWidget* Widget() const { return widget_; }
    // Platform-internal: the control behind a widget, or nullptr.
    static TControl* FromWidget(const QWidget* widget);

protected:
    // Takes ownership of widget; parent may be nullptr for a form.
    TControl(TWinControl* parent, QWidget* widget);

    // The handlers behind the events; overrides call the base to raise them.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    // After every change of size (position changes do not count).
    virtual void Resize();
    // After every change of position or size.
    virtual void BoundsChanged() {}
    // After a change of the font.
    virtual void FontChanged();
    // For controls over the toolkit's own widgets (lists, boxes): Color and
    // Font are the widget's field colour, font and text colour.
    void UseNativeLook();

private:
    friend class ControlBridge;
    friend class TWinControl;
    friend class TForm;
    void ApplyCursor();
    // Raises Resize and BoundsChanged for a change from old to now.
    void NotifyBounds(const TRect& old);

    TWinControl* parent_;
    QWidget* widget_;
    std::unique_ptr<ControlBridge> bridge_;
    bool visible_ = true;
    std::string hint_;
    bool showHint_ = false;
    TCursor cursor_ = crDefault;
    TAlign align_ = alNone;
    TColor color_ = clSilver;
    TFont font_;
    TPopupMenu* popupMenu_ = nullptr;
    unsigned controlStyle_ = 0;
    bool fontPending_ = false;
    bool nativeLook_ = false;
};

// A control that holds other controls and frees them with itself.
class TWinControl : public TControl {
public:
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }

    // Lays out the children that have an Align other than alNone.
    void Realign();

    // Platform-internal: where children's widgets live.
    virtual QWidget* ClientWidget() const { return Widget(); }

protected:
    TWinControl(TWinControl* parent, QWidget* widget);
    void Resize() override;

private:
    friend class TControl;
    std::vector<TControl*> controls_;
    bool destroying_ = false;
    bool aligning_ = false;
};

// A control that paints itself: Canvas() draws on the control while Paint()
// (and OnPaint, which the default Paint raises) runs.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TWinControl* parent);
    ~TCustomControl() override;

    TCanvas& Canvas();

    TNotifyEvent OnPaint;

protected:
    // The canvas starts each paint with the control's font and a brush of its colour.
    virtual void Paint();
};

}  // namespace lumvex
