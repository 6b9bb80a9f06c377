#include "viewer/LateWindows.h"

#include <utility>
#include <vector>

#include "platform/services/Application.h"

namespace lumvex {
namespace {
std::function<void()> Builder;
bool Building = false;
std::vector<std::function<void()>> Waiting;
}  // namespace

void SetLateWindowsBuilder(std::function<void()> build) {
    Builder = std::move(build);
    Waiting.clear();
}

void BuildLateWindows() {
    if (!Builder || Building) return;
    Building = true;
    struct Done {
        ~Done() {
            Builder = nullptr;
            Building = false;
        }
    };
    {
        Done done;
        Builder();
    }
    // Each piece of work fails on its own, in the error box, as it would have
    // done at its own time.
    for (const std::function<void()>& work : std::exchange(Waiting, {})) Application.Dispatch(work);
}

void WhenLateWindowsBuilt(std::function<void()> work) {
    if (Builder)
        Waiting.push_back(std::move(work));
    else
        work();
}

}  // namespace lumvex
