// Dimming the main and file windows while none of the program's windows is
// active, and hiding the tool windows once it is deep enough.
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"

namespace lumvex {

namespace {
// The transformations window is built after the first paint: until then it
// is neither shown nor active.
void HideIfShown(TForm* tool, bool& hidden) {
    if (!tool || !tool->Visible()) return;
    hidden = true;
    tool->Hide();
}

void ShowAgain(TForm* tool, bool& hidden) {
    if (!hidden) return;
    hidden = false;
    tool->Show();
}
}  // namespace

void TMainWindow::DimInactiveWindows() {
    if (!Viewer.FadeInactive) return;
    if (Viewer.Dimming) {
        if (Viewer.DimLevel > 160) --Viewer.DimLevel;
        if (Viewer.DimLevel < 255) {
            FadeWorks.SetBlendValue(static_cast<std::uint8_t>(Viewer.DimLevel));
            FileWindow->FadeWorks.SetBlendValue(static_cast<std::uint8_t>(Viewer.DimLevel));
        }
        if (Viewer.DimLevel == 160) {
            HideIfShown(TransformationsWindow, Viewer.TransformationsHidden);
            HideIfShown(OptionsWindow, Viewer.OptionsHidden);
        }
    }
    const bool programActive = Active() || FileWindow->Active() || OptionsWindow->Active() ||
                               (TransformationsWindow && TransformationsWindow->Active());
    if (!programActive && !Viewer.ColorDialogOpen) {
        if (!Viewer.Dimming) {
            Viewer.Dimming = true;
            Viewer.DimLevel = 600;
        }
        return;
    }
    if (Viewer.Dimming) {
        FadeWorks.SetBlendValue(255);
        FileWindow->FadeWorks.SetBlendValue(255);
        Viewer.Dimming = false;
        ShowAgain(TransformationsWindow, Viewer.TransformationsHidden);
        ShowAgain(OptionsWindow, Viewer.OptionsHidden);
    }
}

}  // namespace lumvex
