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
#include "platform/SysUtils.h"
#include "platform/controls/FolderEntries.h"
#include "platform/threads/WorkerPool.h"

namespace lumvex {

void StartReadingPicture(const std::string& picture) {
    Prefetch.Start(picture);
    // Its folder is read on a worker too: the file lists then find it read.
    if (picture.empty()) return;
    TWorkerPool::Shared().Submit([folder = ExtractFileDir(picture)] { ReadFolderEntries(folder, nullptr); });
}

void CreateWindows(const std::string& picture) {
    Viewer.CommandLinePicture = picture;
    // Decoded by the workers while the windows are being built, unless
    // started already.
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

namespace {

// The windows a screenshot can show: the main window's command that opens
// each, as the user would (0: none), and the form to render.
struct ScreenshotWindow {
    const char* name;
    int command;
    TForm* (*form)();
};
const ScreenshotWindow ScreenshotWindows[] = {
    {"main", 0, [] { return static_cast<TForm*>(Form1); }},
    {"files", 7, [] { return static_cast<TForm*>(Form2); }},
    {"browser", 16, [] { return static_cast<TForm*>(Form6); }},
    {"transformations", 9, [] { return static_cast<TForm*>(Form3); }},
    {"options", 8, [] { return static_cast<TForm*>(Form4); }},
};

const ScreenshotWindow* FindScreenshotWindow(const std::string& window) {
    for (const ScreenshotWindow& entry : ScreenshotWindows)
        if (window == entry.name) return &entry;
    return nullptr;
}

// Opens the window a screenshot shows; the form to render.
TForm* OpenForScreenshot(const std::string& window) {
    const ScreenshotWindow* entry = FindScreenshotWindow(window);
    if (!entry) return Form1;
    if (entry->command != 0) Form1->ViewCommand(entry->command);
    return entry->form();
}

}  // namespace

bool IsScreenshotWindow(const std::string& window) { return FindScreenshotWindow(window) != nullptr; }

int RunProgram(const std::string& picture, const std::string& screenshot, const std::string& window) {
    CreateWindows(picture);
    TTimer shot;
    TForm* shown = nullptr;
    if (!screenshot.empty()) {
        // Long enough for the start-up step and the first paint; a window
        // opened for the shot (the browser builds its thumbnails) gets as long.
        shot.SetInterval(700);
        shot.OnTimer = [&](TObject*) {
            if (!shown) {
                shown = OpenForScreenshot(window);
                if (shown != Form1) return;
            }
            shot.SetEnabled(false);
            shown->SaveScreenshot(screenshot);
            std::printf("Screenshot of the %s window written to %s\n", window.c_str(), screenshot.c_str());
            Application.Terminate();
        };
    } else {
        shot.SetEnabled(false);
    }
    return Application.Run();
}

}  // namespace lumvex
