#pragma once
// The thumbnail browser.
#include "platform/controls/Form.h"

namespace lumvex {

class TForm6 : public TForm {
public:
    TForm6();
};

extern TForm6* Form6;

}  // namespace lumvex
