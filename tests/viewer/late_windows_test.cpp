// The transformations window, the about window and the browser are built
// after the first picture is painted: once built they hold what they held
// when every window was built before the start-up step, and whatever reaches
// them earlier (a key, a command, a close) finds them or leaves them be.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

#include "ViewerSupport.h"
#include "appearance/AboutWindow.h"
#include "navigation/BrowserWindow.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/Registry.h"
#include "viewer/LateWindows.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

bool SamePixels(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
}

void Store(const std::function<void(TRegistry&)>& write) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", true));
    write(registry);
}

// Creates the windows and runs the start-up step as the program does, up to
// its first paint: the late windows are not built yet.
void StartUntilFirstPaint(const std::string& folder, const std::string& picture = "") {
    Screen.SetTestSize(TPoint{TestScreenWidth, TestScreenHeight});
    if (chdir(folder.c_str()) != 0) throw std::runtime_error("cannot enter " + folder);
    CreateWindows(picture);
    MainWindow->Show();
    MainWindow->DestruktorTimer();
}

void ProcessMessagesFor(std::chrono::milliseconds span, const std::function<bool()>& done = [] { return false; }) {
    const auto until = std::chrono::steady_clock::now() + span;
    while (!done() && std::chrono::steady_clock::now() < until) Application.ProcessMessages();
}

class LateWindows : public testing::Test {
protected:
    void SetUp() override {
        WriteBmp(dir, "a.bmp", 40, 30, clBlue);
        WriteBmp(dir, "b.bmp", 40, 30, clRed);
        WriteBmp(other, "c.bmp", 40, 30, clGreen);
        WriteBmp(other, "d.bmp", 40, 30, clWhite);
    }
    TempDir dir, other;
};

TEST_F(LateWindows, AreBuiltAfterTheStartUpStepInTheFolderOfTheStartPictureWithItMarkedAndSkinned) {
    // Big icons and a scheme of the store's own: the late windows take them too.
    Store([](TRegistry& r) {
        r.WriteBool("c4", true);
        r.WriteString("co1", "clRed");
        r.WriteString("co2", "clNavy");
        r.WriteString("ibtc", "clYellow");
    });
    StartUntilFirstPaint(dir.Path(), other.File("d.bmp"));
    EXPECT_EQ(TransformationsWindow, nullptr);
    EXPECT_EQ(AboutWindow, nullptr);
    EXPECT_EQ(BrowserWindow, nullptr);
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - d.bmp");

    BuildLateWindows();
    ASSERT_NE(TransformationsWindow, nullptr);
    ASSERT_NE(AboutWindow, nullptr);
    ASSERT_NE(BrowserWindow, nullptr);
    // The marks list follows the file window into the start picture's folder
    // and holds exactly the picture on view.
    TFileListBox& marks = *TransformationsWindow->FileListBox;
    EXPECT_EQ(marks.Directory(), other.Path());
    EXPECT_EQ(marks.Mask(), FileWindow->FileListBox->Mask());
    ASSERT_EQ(marks.Count(), 2);
    EXPECT_EQ(marks.SelCount(), 1);
    EXPECT_TRUE(marks.Selected(1));
    EXPECT_EQ(FileWindow->FileListBox->ItemIndex(), 1);
    EXPECT_EQ(FileWindow->FileName->Caption(), other.File("d.bmp"));

    // Sizes for big icons, colours of the stored scheme.
    EXPECT_EQ(TransformationsWindow->TopImage->Height(), 26);
    EXPECT_EQ(TransformationsWindow->MorphButton9->Width(), 24);
    EXPECT_EQ(TransformationsWindow->MorphButton9->Left(), TransformationsWindow->Width() - 24 - 5);
    EXPECT_EQ(TransformationsWindow->BackShape->Pen().Color, clRed);
    EXPECT_EQ(BrowserWindow->Panel1->Height(), 26);
    EXPECT_EQ(BrowserWindow->MorphButton1->Width(), 24);
    EXPECT_EQ(BrowserWindow->ScrollBox1->Color(), clNavy);
    EXPECT_EQ(AboutWindow->BackShape->Pen().Color, clRed);
    // Every close button shows the main window's close glyph, tinted alike.
    const TBitmap& close = MainWindow->MorphButton1->MorphPic1().Bitmap();
    for (TMorphButton* button : {TransformationsWindow->MorphButton9, BrowserWindow->MorphButton1, AboutWindow->MorphButton1})
        EXPECT_TRUE(SamePixels(button->MorphPic1().Bitmap(), close)) << button->Hint();
    // A wide button's word is tinted too: skinning all windows again changes nothing.
    const TBitmap convert = TransformationsWindow->MorphButton5->MorphPic1().Bitmap();
    MainWindow->SetSkin();
    MainWindow->SetButtonSkin();
    EXPECT_TRUE(SamePixels(TransformationsWindow->MorphButton5->MorphPic1().Bitmap(), convert));
    EXPECT_TRUE(SamePixels(TransformationsWindow->MorphButton9->MorphPic1().Bitmap(), close));

    // The designed places stay: the browser as designed, the file window docked.
    EXPECT_EQ(BrowserWindow->BoundsRect(), Bounds(354, 105, 614, 403));
    EXPECT_EQ(TransformationsWindow->BoundsRect(), Bounds(382, 114, 464, 221));
    EXPECT_EQ(FileWindow->Left(), MainWindow->Left() + MainWindow->Width());
    EXPECT_FALSE(TransformationsWindow->Visible());
    EXPECT_FALSE(BrowserWindow->Visible());
}

TEST_F(LateWindows, AKeyOrACommandBeforeThemBuildsThemFirstAndActsOnTheMarksOfThePictureOnView) {
    StartUntilFirstPaint(dir.Path());
    ASSERT_EQ(TransformationsWindow, nullptr);
    // The mark command unmarks the one marked file, the picture on view: so
    // the mark it was given at start is there before the command acts.
    MainWindow->ViewCommand(11);
    ASSERT_NE(TransformationsWindow, nullptr);
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 0);

    // Each way to a late window, taken before the first paint, shows it.
    struct Way {
        const char* what;
        std::function<void()> take;
        std::function<TForm*()> window;
    };
    const Way ways[] = {
        {"numpad decimal", [] {
             std::uint16_t key = VK_DECIMAL;
             MainWindow->FormKeyDown(MainWindow, key, {});
         }, [] { return static_cast<TForm*>(TransformationsWindow); }},
        {"the transformations command", [] { MainWindow->ViewCommand(9); },
         [] { return static_cast<TForm*>(TransformationsWindow); }},
        {"the browse command", [] { MainWindow->ViewCommand(16); }, [] { return static_cast<TForm*>(BrowserWindow); }},
        {"the options window's about button", [] { OptionsWindow->MorphButton2Click(OptionsWindow->MorphButton2); },
         [] { return static_cast<TForm*>(AboutWindow); }},
    };
    for (const Way& way : ways) {
        DestroyWindows();
        StartUntilFirstPaint(dir.Path());
        way.take();
        ASSERT_NE(way.window(), nullptr) << way.what;
        EXPECT_TRUE(way.window()->Visible()) << way.what;
        EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(0)) << way.what;
        EXPECT_EQ(BrowserWindow->TopImage->Height(), 18) << way.what;
    }
}

TEST_F(LateWindows, AFolderChosenBeforeThemIsTheFolderOfTheMarksList) {
    StartUntilFirstPaint(dir.Path());
    FileWindow->DirectoryListBox->SetDirectory(other.Path());
    FileWindow->FileListBox->SetItemIndex(1);
    FileWindow->FileListBoxChange();
    BuildLateWindows();
    EXPECT_EQ(TransformationsWindow->FileListBox->Directory(), other.Path());
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 1);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(1));
}

TEST_F(LateWindows, AreBuiltByTheMessageLoopAfterTheStartUpStep) {
    StartUntilFirstPaint(dir.Path());
    ProcessMessagesFor(std::chrono::seconds(5), [] { return BrowserWindow != nullptr; });
    ASSERT_NE(TransformationsWindow, nullptr);
    ASSERT_NE(AboutWindow, nullptr);
    ASSERT_NE(BrowserWindow, nullptr);
    EXPECT_TRUE(TransformationsWindow->FileListBox->Selected(0));
}

TEST_F(LateWindows, ClosingBeforeThemSavesTheSettingsOnceAndNothingIsBuiltAfterwards) {
    StartUntilFirstPaint(dir.Path());
    MainWindow->SetBounds(150, 160, 500, 400);
    MainWindow->Close();
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
        EXPECT_EQ(registry.ReadInteger("x"), 150);
        EXPECT_EQ(registry.ReadInteger("width"), 500);
    }
    DestroyWindows();
    // Neither the first paint nor the latest time left for it builds a window of a program that is gone.
    ProcessMessagesFor(std::chrono::milliseconds(TMainWindow::LateWindowsAtTheLatestMs + 300));
    EXPECT_EQ(TransformationsWindow, nullptr);
    EXPECT_EQ(BrowserWindow, nullptr);
    BuildLateWindows();
    EXPECT_EQ(TransformationsWindow, nullptr);
}

TEST_F(LateWindows, AStartPictureThatFailsLeavesNothingMarkedAsBefore) {
    dir.Write("0-damaged.bmp", "BM this is no bitmap");
    RecordedErrors errors;
    Screen.SetTestSize(TPoint{TestScreenWidth, TestScreenHeight});
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    CreateWindows("");
    MainWindow->Show();
    Application.Dispatch([] { MainWindow->DestruktorTimer(); });
    EXPECT_EQ(errors.Messages.size(), 1u);
    // The windows still come, by the message loop, and the failed file took no mark.
    ProcessMessagesFor(std::chrono::seconds(5), [] { return BrowserWindow != nullptr; });
    ASSERT_NE(TransformationsWindow, nullptr);
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 0);
}

}  // namespace
