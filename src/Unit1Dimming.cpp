// Dimming the main and file windows while none of the program's windows is
// active, and hiding the tool windows once it is deep enough.
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"

namespace lumvex {

bool Dimming = false;
std::uint16_t DimLevel = 0;

namespace {
bool TransformationsHidden = false;
bool OptionsHidden = false;

void HideIfShown(TForm* tool, bool& hidden) {
    if (!tool->Visible()) return;
    hidden = true;
    tool->Hide();
}

void ShowAgain(TForm* tool, bool& hidden) {
    if (!hidden) return;
    hidden = false;
    tool->Show();
}
}  // namespace

void TForm1::DimInactiveWindows() {
    if (!FadeInactive) return;
    if (Dimming) {
        if (DimLevel > 160) --DimLevel;
        if (DimLevel < 255) {
            FadeWorks.SetBlendValue(static_cast<std::uint8_t>(DimLevel));
            Form2->FadeWorks.SetBlendValue(static_cast<std::uint8_t>(DimLevel));
        }
        if (DimLevel == 160) {
            HideIfShown(Form3, TransformationsHidden);
            HideIfShown(Form4, OptionsHidden);
        }
    }
    const bool programActive = Active() || Form2->Active() || Form3->Active() || Form4->Active();
    if (!programActive && !ColorDialogOpen) {
        if (!Dimming) {
            Dimming = true;
            DimLevel = 600;
        }
        return;
    }
    if (Dimming) {
        FadeWorks.SetBlendValue(255);
        Form2->FadeWorks.SetBlendValue(255);
        Dimming = false;
        ShowAgain(Form3, TransformationsHidden);
        ShowAgain(Form4, OptionsHidden);
    }
}

}  // namespace lumvex
