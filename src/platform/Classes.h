#pragma once
// The root of the program's objects and the shape of their events.
#include <functional>
#include <string>

namespace lumvex {

class TObject {
public:
    virtual ~TObject() = default;
    std::string Name;
    int Tag = 0;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

}  // namespace lumvex
