#include "Program.h"

#include <cstdio>

#include "viewer/Unit1.h"
#include "navigation/Unit2.h"
#include "imageops/Unit3.h"
#include "appearance/Unit4.h"
#include "appearance/Unit5.h"
#include "navigation/Unit6.h"
#include "components/MPGifImg.h"
#include "viewer/Prefetch.h"
#include "platform/services/Application.h"
#include "platform/services/Resources.h"
#include "platform/services/StartupTiming.h"

namespace lumvex {

void CreateWindows(const std::string& picture) {
    Viewer.CommandLinePicture = picture;
    // Decoded by the workers while the windows are being built.
    Prefetch.Start(picture);
    RegisterGIFImage();
    TMorphButton::LoadDefaultPictures = [](TPicture& picture1, TPicture& picture2) {
        TBitmap at_rest = LoadResourceBitmap(resource::ButtonPicture1);
        TBitmap lit = LoadResourceBitmap(resource::ButtonPicture2);
        picture1.Assign(&at_rest);
        picture2.Assign(&lit);
    };
    new TForm1;
    TimingMark("TForm1 created");
    new TForm2;
    TimingMark("TForm2 created");
    new TForm3;
    TimingMark("TForm3 created");
    new TForm4;
    TimingMark("TForm4 created");
    new TForm5;
    TimingMark("TForm5 created");
    new TForm6;
    TimingMark("TForm6 created");
}

void DestroyWindows() {
    delete Form6;
    Form6 = nullptr;
    delete Form5;
    Form5 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    Prefetch.Clear();
    ResetViewerState();
}

int RunProgram(const std::string& picture, const std::string& screenshot) {
    CreateWindows(picture);
    TTimer shot;
    if (!screenshot.empty()) {
        // Long enough for the start-up step and the first paint.
        shot.SetInterval(700);
        shot.OnTimer = [&](TObject*) {
            shot.SetEnabled(false);
            Form1->SaveScreenshot(screenshot);
            std::printf("Screenshot of the main window written to %s\n", screenshot.c_str());
            Application.Terminate();
        };
    } else {
        shot.SetEnabled(false);
    }
    return Application.Run();
}

}  // namespace lumvex
