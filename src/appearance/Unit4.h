#pragma once
// The options window. Until its full set of options is built it holds the
// boxes the viewer reads: the start fade, the inactive-window dimming, the
// background logo and the editor program.
#include "platform/controls/Form.h"
#include "platform/controls/StdCtrls.h"

namespace lumvex {

class TForm4 : public TForm {
public:
    TForm4();

    TCheckBox* CheckBox1;  // fade in at start-up
    TCheckBox* CheckBox2;  // dim inactive windows
    TCheckBox* CheckBox3;  // background logo
    TEdit* Edit1;          // the editor program

    void CheckBox3Click(TObject* sender);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);

    // Reading and writing the stored options. Nothing is stored yet: the
    // settings store fills these in; the program already calls them where
    // the options are read at start and saved at close.
    void LoadOptions();
    void SaveOptions();
};

extern TForm4* Form4;

}  // namespace lumvex
