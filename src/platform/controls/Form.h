#pragma once
// A top-level window. Forms are created hidden; the first form created is the
// application's main form, which Application.Run shows.
#include <functional>
#include <string>

#include "platform/controls/Control.h"
#include "platform/graphics/Bitmap.h"

namespace lumvex {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsStayOnTop };
// Where a form appears when it is shown: at its own bounds, or centred on the screen.
enum TPosition { poDesigned, poScreenCenter };

class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);

    // Painting goes through an off-screen buffer first (always so here; the
    // flag is kept for the program's own reading).
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }

    void SetColor(TColor color) override;

    // Window opacity: AlphaBlendValue 0 (transparent) .. 255 (opaque) applies
    // while AlphaBlend is on.
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool on);
    int AlphaBlendValue() const { return alphaBlendValue_; }
    void SetAlphaBlendValue(int value);

    // When on, OnKeyDown/OnKeyUp of the form see the keys of its controls
    // before the controls do.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }

    // The form holds the keyboard focus among the program's windows.
    bool Active() const;
    // Brings the form to the front and gives it the focus.
    void Activate();

    void SetVisible(bool visible) override;
    // Asks OnClose what to do (caHide by default) and does it.
    void Close();
    // Removes the native window at once, without closing or painting; a
    // later Show creates a new one.
    void DestroyHandle();
    bool HandleAllocated() const;

    // The form's current look, painted off-screen.
    TBitmap GetFormImage();
    // Writes GetFormImage() as a PNG file.
    void SaveScreenshot(const std::string& path);

    // Runs done once, on the user-interface thread, after the form's window
    // (or a control in it) is next painted and the paint has gone to the
    // screen. Nothing runs if the form goes first.
    void AfterNextPaint(std::function<void()> done);

    TCloseEvent OnClose;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Platform-internal: called by the window's event handling (shown and
    // hidden by the program, not by minimising).
    void HandleActivation(bool active);
    void HandleShown(bool shown);
    bool HandleCloseRequest();

private:
    void ApplyWindowFlags();

    std::string caption_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    bool doubleBuffered_ = false;
    bool alphaBlend_ = false;
    int alphaBlendValue_ = 255;
    bool keyPreview_ = false;
};

}  // namespace lumvex
