#include "platform/controls/Form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/controls/Control.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/services/Application.h"
#include "platform/services/Screen.h"
#include "platform/services/TestInput.h"

namespace lumvex {
namespace {

using namespace test_input;

TEST(FormTest, AnExceptionInAHandlerEndsInTheErrorBox) {
    RecordedErrors errors;
    TForm form;
    auto* label = new TLabel(&form);
    label->SetBounds(0, 0, 50, 20);
    bool after = false;
    label->OnClick = [&](TObject*) {
        throw EInvalidGraphic("Bad picture");
        after = true;
    };
    label->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { throw std::runtime_error("Second"); };
    SendClick(*label, 5, 5);
    EXPECT_FALSE(after);
    EXPECT_EQ(errors.Messages, (std::vector<std::string>{"Bad picture", "Second"}));
}

TEST(FormTest, CloseAsksOnCloseWhatToDo) {
    TForm form;
    form.Show();
    TCloseAction answer = caNone;
    int asked = 0;
    form.OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide);
        action = answer;
        ++asked;
    };
    form.Close();
    EXPECT_TRUE(form.Visible());
    answer = caHide;
    form.Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(asked, 2);
}

TEST(FormTest, ShowHideAndBoundsReachTheHandlersAtOnce) {
    TForm form;
    EXPECT_FALSE(form.Visible());
    int shows = 0, hides = 0, resizes = 0;
    form.OnShow = [&](TObject*) { ++shows; };
    form.OnHide = [&](TObject*) { ++hides; };
    form.OnResize = [&](TObject*) { ++resizes; };
    form.SetBounds(10, 20, 300, 200);  // hidden, yet reported at once
    EXPECT_EQ(resizes, 1);
    form.SetLeft(50);  // a move is no resize
    EXPECT_EQ(resizes, 1);
    form.Show();
    form.Hide();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(form.BoundsRect(), Bounds(50, 20, 300, 200));
}

TEST(FormTest, DestroyHandleRemovesTheWindowWithoutClosing) {
    TForm form;
    form.Show();
    int closes = 0;
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    EXPECT_TRUE(form.HandleAllocated());
    form.DestroyHandle();
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(closes, 0);
}

TEST(FormTest, AlignedControlsShareTheClientArea) {
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto* top = new TPanel(&form);
    top->SetHeight(18);
    top->SetAlign(alTop);
    auto* bottom = new TPanel(&form);
    bottom->SetHeight(10);
    bottom->SetAlign(alBottom);
    auto* rest = new TPanel(&form);
    rest->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 200, 18));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 90, 200, 10));
    EXPECT_EQ(rest->BoundsRect(), Bounds(0, 18, 200, 72));
    form.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 140, 300, 10));
    EXPECT_EQ(rest->BoundsRect(), Bounds(0, 18, 300, 122));
}

TEST(FormTest, ScreenshotIsAPngOfTheForm) {
    test::TempDir dir;
    TForm form;
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 40, 30);
    form.SetColor(clRed);
    TBitmap shot = form.GetFormImage();
    EXPECT_EQ(shot.Width(), 40);
    EXPECT_EQ(shot.Pixel(20, 15), clRed);
    form.SaveScreenshot(dir.File("shot.png"));
    std::string bytes = ReadFileBytes(dir.File("shot.png"));
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
}

TEST(FormTest, ActiveFormFollowsTheFocus) {
    TForm first, second;
    first.Activate();
    ProcessEventsFor(20);
    EXPECT_EQ(Screen.ActiveForm(), &first);
    EXPECT_TRUE(first.Active());
    int deactivations = 0;
    first.OnDeactivate = [&](TObject*) { ++deactivations; };
    second.Activate();
    ProcessEventsFor(20);
    EXPECT_EQ(Screen.ActiveForm(), &second);
    EXPECT_FALSE(first.Active());
    EXPECT_EQ(deactivations, 1);
}

TEST(FormTest, MinimisedFormsStayVisibleAndComeBack) {
    TForm form;
    form.Show();
    int hides = 0;
    form.OnHide = [&](TObject*) { ++hides; };
    Application.Minimize();
    ProcessEventsFor(10);
    EXPECT_EQ(form.WindowState(), wsMinimized);
    EXPECT_TRUE(form.Visible());
    Application.Restore();
    ProcessEventsFor(10);
    EXPECT_EQ(form.WindowState(), wsNormal);
    EXPECT_EQ(hides, 0);
    form.SetWindowState(wsMaximized);
    EXPECT_EQ(form.WindowState(), wsMaximized);
}

TEST(FormTest, ScreenSizeCanBeFixedForTests) {
    Screen.SetTestSize(TPoint{1024, 768});
    EXPECT_EQ(Screen.Width(), 1024);
    EXPECT_EQ(Screen.Height(), 768);
    Screen.SetTestSize(std::nullopt);
    EXPECT_GT(Screen.Width(), 0);
}

// What the program does once its first picture is on screen waits for the
// paint of the form, not for the next turn of the loop.
TEST(FormTest, AfterNextPaintRunsOnceAfterTheFormIsPaintedAndNotForAFormThatWent) {
    const auto processFor = [](std::chrono::milliseconds span, const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + span;
        while (!done() && std::chrono::steady_clock::now() < until) Application.ProcessMessages();
    };
    TForm form;
    form.SetBounds(10, 10, 120, 80);
    auto* surface = new TCustomControl(&form);
    surface->SetBounds(0, 0, 60, 40);
    int paints = 0, done = 0, paintsWhenDone = -1;
    surface->OnPaint = [&](TObject*) { ++paints; };
    form.AfterNextPaint([&] {
        ++done;
        paintsWhenDone = paints;
    });
    processFor(std::chrono::milliseconds(100), [] { return false; });
    EXPECT_EQ(done, 0);  // nothing painted while hidden
    form.Show();
    processFor(std::chrono::seconds(5), [&] { return done > 0; });
    EXPECT_EQ(done, 1);
    EXPECT_GT(paintsWhenDone, 0);
    surface->Invalidate();
    processFor(std::chrono::milliseconds(100), [&] { return paints > paintsWhenDone; });
    EXPECT_EQ(done, 1);

    auto gone = std::make_unique<TForm>();
    int goneDone = 0;
    gone->AfterNextPaint([&] { ++goneDone; });
    gone->Show();
    gone.reset();
    processFor(std::chrono::milliseconds(100), [] { return false; });
    EXPECT_EQ(goneDone, 0);
}

}  // namespace
}  // namespace lumvex
