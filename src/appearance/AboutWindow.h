#pragma once
// The about window: the program's name and version over the background logo,
// which glitches: rows lose their brightest green pixels, and every few
// seconds a burst blackens far more of them.
#include "windowparts/WindowDrag.h"
#include "components/MorphButton.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Timer.h"

namespace lumvex {

// Pixels of a glitching row whose green is above this turn black. It stays
// from one opening of the window to the next.
extern int GlitchThreshold;

inline constexpr const char* AboutWebAddress = "https://lumvex.example.org/";
inline constexpr const char* AboutMailAddress = "lumvex@tarnic.example.org";

class TAboutWindow : public TForm {
public:
    TAboutWindow();

    TShape* BackShape;
    TImage* img;
    TMorphButton* MorphButton1;  // close
    TImage* Icon;
    TLabel* Label2;  // the title's shadow
    TLabel* Label1;
    TLabel* Label4;
    TLabel* Label3;  // the web address
    TLabel* Label5;
    TLabel* Label6;  // the disclaimer
    TImage* TImg;    // the animation's source
    TTimer Timer1;   // frames
    TTimer Timer2;   // bursts

    void FormActivate(TObject* sender);
    void Timer1Timer(TObject* sender);
    void Timer2Timer(TObject* sender);
    void imgMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void MorphButton1Click(TObject* sender);
    void FormClose(TObject* sender);
    void Label3Click(TObject* sender);

private:
    void CreateControls();
    WindowDrag drag_;
};

extern TAboutWindow* AboutWindow;

}  // namespace lumvex
