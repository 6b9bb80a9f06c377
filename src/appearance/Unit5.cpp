#include "appearance/Unit5.h"

namespace lumvex {

TForm5* Form5 = nullptr;

TForm5::TForm5() {
    Form5 = this;
    SetBorderStyle(bsNone);
    SetCaption("Névjegy");
    SetColor(clBlack);
}

}  // namespace lumvex
