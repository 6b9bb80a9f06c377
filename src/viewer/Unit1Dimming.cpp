// Dimming the main and file windows while none of the program's windows is
// active, and hiding the tool windows once it is deep enough.
#include "viewer/Unit1.h"
#include "navigation/Unit2.h"
#include "imageops/Unit3.h"
#include "appearance/Unit4.h"

namespace lumvex {

namespace {
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
    if (!Viewer.FadeInactive) return;
    if (Viewer.Dimming) {
        if (Viewer.DimLevel > 160) --Viewer.DimLevel;
        if (Viewer.DimLevel < 255) {
            FadeWorks.SetBlendValue(static_cast<std::uint8_t>(Viewer.DimLevel));
            Form2->FadeWorks.SetBlendValue(static_cast<std::uint8_t>(Viewer.DimLevel));
        }
        if (Viewer.DimLevel == 160) {
            HideIfShown(Form3, Viewer.TransformationsHidden);
            HideIfShown(Form4, Viewer.OptionsHidden);
        }
    }
    const bool programActive = Active() || Form2->Active() || Form3->Active() || Form4->Active();
    if (!programActive && !Viewer.ColorDialogOpen) {
        if (!Viewer.Dimming) {
            Viewer.Dimming = true;
            Viewer.DimLevel = 600;
        }
        return;
    }
    if (Viewer.Dimming) {
        FadeWorks.SetBlendValue(255);
        Form2->FadeWorks.SetBlendValue(255);
        Viewer.Dimming = false;
        ShowAgain(Form3, Viewer.TransformationsHidden);
        ShowAgain(Form4, Viewer.OptionsHidden);
    }
}

}  // namespace lumvex
