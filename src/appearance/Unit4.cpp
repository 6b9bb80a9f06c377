#include "appearance/Unit4.h"

#include "viewer/Unit1.h"
#include "windowparts/WindowParts.h"

namespace lumvex {

TForm4* Form4 = nullptr;

TForm4::TForm4() {
    Form4 = this;
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetCaption("Beállítások");
    SetBounds(400, 150, 257, 313);
    SetColor(clBlack);

    auto box = [this](const char* caption, int top, bool checked) {
        auto* b = new TCheckBox(this);
        b->SetBounds(16, top, 200, 17);
        b->SetCaption(caption);
        b->SetChecked(checked);
        b->OnKeyDown = KeysTo(this);
        return b;
    };
    CheckBox1 = box("Kezdeti előtünés", 120, true);
    CheckBox2 = box("Inaktív ablak eltünése", 144, true);
    CheckBox3 = box("Háttérlogó", 176, false);
    CheckBox3->OnClick = [this](TObject* sender) { CheckBox3Click(sender); };

    Edit1 = new TEdit(this);
    Edit1->SetBounds(16, 232, 201, 14);
    Edit1->SetText("mspaint");
    Edit1->OnKeyDown = KeysTo(this);
    OnKeyDown = KeysTo(this);
}

void TForm4::CheckBox3Click(TObject*) { Form1->BackLogo->SetVisible(CheckBox3->Checked()); }

void TForm4::FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
    Form1->FormKeyDown(sender, key, shift);
}

void TForm4::LoadOptions() { Form1->SetButtonSkin(); }
void TForm4::SaveOptions() {}

}  // namespace lumvex
