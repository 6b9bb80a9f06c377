#include "Unit6.h"

namespace lumvex {

TForm6* Form6 = nullptr;

TForm6::TForm6() {
    Form6 = this;
    SetBorderStyle(bsNone);
    SetCaption("Tallózó");
    SetColor(clBlack);
}

}  // namespace lumvex
