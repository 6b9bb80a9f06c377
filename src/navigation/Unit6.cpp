#include "navigation/Unit6.h"

#include "viewer/Unit1.h"

namespace lumvex {

TForm6* Form6 = nullptr;

TForm6::TForm6() {
    Form6 = this;
    SetBorderStyle(bsNone);
    SetCaption("Tallózó");
    SetColor(clBlack);
    // Its key presses act as they would in the main window.
    OnKeyDown = [](TObject* sender, std::uint16_t& key, TShiftState shift) { Form1->FormKeyDown(sender, key, shift); };
}

}  // namespace lumvex
