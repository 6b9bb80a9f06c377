#include "Program.h"

#include <cstdio>

#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"
#include "appearance/AboutWindow.h"
#include "navigation/BrowserWindow.h"
#include "components/MPGifImg.h"
#include "viewer/LateWindows.h"
#include "viewer/Prefetch.h"
#include "platform/services/Application.h"
#include "platform/services/Resources.h"
#include "platform/services/StartupTiming.h"
#include "platform/SysUtils.h"
#include "platform/controls/FolderEntries.h"
#include "platform/threads/WorkerPool.h"

namespace lumvex {

void StartReadingPicture(const std::string& picture) {
    // Its full decoding, when it is first shown reduced, waits for the first paint.
    Prefetch.HoldFullDecodes();
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
    new TMainWindow;
    TimingMark("main window created");
    new TFileWindow;
    TimingMark("file window created");
    new TOptionsWindow;
    TimingMark("options window created");
    // The start-up step needs none of these: they wait for the first paint.
    SetLateWindowsBuilder([] {
        Prefetch.ReleaseFullDecodes();
        new TTransformationsWindow;
        TimingMark("transformations window created");
        new TAboutWindow;
        TimingMark("about window created");
        new TBrowserWindow;
        TimingMark("browser window created");
    });
}

void DestroyWindows() {
    SetLateWindowsBuilder(nullptr);
    delete BrowserWindow;
    BrowserWindow = nullptr;
    delete AboutWindow;
    AboutWindow = nullptr;
    delete OptionsWindow;
    OptionsWindow = nullptr;
    delete TransformationsWindow;
    TransformationsWindow = nullptr;
    delete FileWindow;
    FileWindow = nullptr;
    delete MainWindow;
    MainWindow = nullptr;
    Prefetch.Clear();
    Prefetch.ReleaseFullDecodes();
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
    {"main", 0, [] { return static_cast<TForm*>(MainWindow); }},
    {"files", 7, [] { return static_cast<TForm*>(FileWindow); }},
    {"browser", 16, [] { return static_cast<TForm*>(BrowserWindow); }},
    {"transformations", 9, [] { return static_cast<TForm*>(TransformationsWindow); }},
    {"options", 8, [] { return static_cast<TForm*>(OptionsWindow); }},
};

const ScreenshotWindow* FindScreenshotWindow(const std::string& window) {
    for (const ScreenshotWindow& entry : ScreenshotWindows)
        if (window == entry.name) return &entry;
    return nullptr;
}

// Opens the window a screenshot shows; the form to render.
TForm* OpenForScreenshot(const std::string& window) {
    const ScreenshotWindow* entry = FindScreenshotWindow(window);
    if (!entry) return MainWindow;
    if (entry->command != 0) MainWindow->ViewCommand(entry->command);
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
                if (shown != MainWindow) return;
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
