#pragma once
// The busy cursor for as long as the object lives, the normal one after it
// (also when the work ends with an error).
#include "platform/services/Screen.h"

namespace lumvex {

class TBusyCursor {
public:
    TBusyCursor() { Screen.SetCursor(crHourGlass); }
    ~TBusyCursor() { Screen.SetCursor(crDefault); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

}  // namespace lumvex
