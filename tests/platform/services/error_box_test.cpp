// The error box: never nested, never opened inside a paint, identical errors
// merged while one is open.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/SysUtils.h"
#include "platform/controls/Form.h"
#include "platform/controls/Timer.h"
#include "platform/services/Application.h"

using namespace lumvex;

namespace {

// Stands in for the modal box: while "open" it runs the message loop for
// 10 ms, as a real box does until the user closes it, and records how deeply boxes nest.
struct ModalBoxes {
    int open = 0, deepest = 0;
    std::vector<std::string> shown;
    std::function<void(const std::string&)> previous = std::move(Application.ErrorBox);

    ModalBoxes() {
        Application.ErrorBox = [this](const std::string& message) {
            shown.push_back(message);
            deepest = std::max(deepest, ++open);
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(10);
            while (std::chrono::steady_clock::now() < until) Application.ProcessMessages();
            --open;
        };
    }
    ~ModalBoxes() { Application.ErrorBox = std::move(previous); }
};

void RunLoopUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 100000 && !done(); ++i) Application.ProcessMessages();
}

}  // namespace

TEST(ErrorBox, ATimerThatThrowsOnEveryTickShowsOneBoxAtATimeAndTheLoopGoesOn) {
    ModalBoxes boxes;
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(1);
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 100) timer.SetEnabled(false);
        throw Exception("tick failed");
    };
    timer.SetEnabled(true);
    RunLoopUntil([&] { return ticks >= 100 && boxes.open == 0 && Application.PendingErrors() == 0; });
    EXPECT_EQ(ticks, 100) << "the timer kept ticking while boxes were open";
    EXPECT_EQ(boxes.deepest, 1);
    EXPECT_GE(boxes.shown.size(), 1u);
    EXPECT_LT(boxes.shown.size(), 100u) << "ticks during an open box are merged into it";
    EXPECT_EQ(Application.PendingErrors(), 0u);
}

TEST(ErrorBox, DifferentErrorsWaitForTheOpenBoxAndFollowInOrder) {
    ModalBoxes boxes;
    bool nestedRaised = false;
    Application.ErrorBox = [&](const std::string& message) {
        boxes.shown.push_back(message);
        boxes.deepest = std::max(boxes.deepest, ++boxes.open);
        if (!nestedRaised) {  // other handlers fail while the first box is open
            nestedRaised = true;
            Application.Dispatch([] { throw Exception("second"); });
            Application.Dispatch([] { throw Exception("first"); });
            Application.Dispatch([] { throw Exception("second"); });
            Application.Dispatch([] { throw Exception("third"); });
        }
        --boxes.open;
    };
    Application.Dispatch([] { throw Exception("first"); });
    EXPECT_EQ(boxes.shown, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(boxes.deepest, 1);
}

TEST(ErrorBox, AnErrorWhilePaintingIsShownAfterThePaint) {
    ModalBoxes boxes;
    TForm form;
    form.SetBounds(10, 10, 100, 100);
    TCustomControl shape(&form);
    shape.SetBounds(0, 0, 50, 50);
    bool painting = false, shownWhilePainting = false;
    Application.ErrorBox = [&](const std::string& message) {
        shownWhilePainting = shownWhilePainting || painting;
        boxes.shown.push_back(message);
    };
    shape.OnPaint = [&](TObject*) {
        painting = true;
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{painting};
        throw Exception("paint failed");
    };
    form.Show();
    shape.Invalidate();
    RunLoopUntil([&] { return !boxes.shown.empty(); });
    EXPECT_FALSE(shownWhilePainting);
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown[0], "paint failed");
    form.Hide();
    shape.OnPaint = nullptr;
    Application.ProcessMessages();
}
