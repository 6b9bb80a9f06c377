#pragma once
// The about window.
#include "platform/controls/Form.h"

namespace lumvex {

class TForm5 : public TForm {
public:
    TForm5();
};

extern TForm5* Form5;

}  // namespace lumvex
