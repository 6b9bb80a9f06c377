#include "appearance/OptionsWindow.h"

#include <initializer_list>

#include "appearance/ColorSchemes.h"
#include "appearance/AboutWindow.h"
#include "viewer/LateWindows.h"
#include "viewer/MainWindow.h"
#include "windowparts/WindowParts.h"

namespace lumvex {

TOptionsWindow* OptionsWindow = nullptr;

namespace {

void SetOutline(TShape& shape, TColor color) {
    shape.Pen().Color = color;
    shape.Invalidate();
}

}  // namespace

TOptionsWindow::TOptionsWindow() {
    OptionsWindow = this;
    DesignWindow(this, "Beállítások", Bounds(400, 150, 260, 344), TWindowKind::StaysOnTop);
    SetColor(clBlack);
    CreateControls();
    OnKeyDown = KeysTo(this);
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
}

void TOptionsWindow::CreateControls() {
    const TMouseMoveEvent backgroundMove = [this](TObject* s, TShiftState sh, int x, int y) {
        FormMouseMove(s, sh, x, y);
    };
    const TMouseMoveEvent fieldMove = [this](TObject* s, TShiftState sh, int x, int y) {
        CheckBoxesMouseMove(s, sh, x, y);
    };

    TopImage = CreateTitleBar(this);
    TopImage->OnMouseMove = backgroundMove;
    BackImage = new TImage(this);
    BackImage->SetBounds(0, 18, 260, 326);
    BackImage->SetStretch(true);
    BackImage->OnMouseMove = backgroundMove;
    BackShape = CreateFrame(this, Bounds(0, 18, 260, 326));
    BackShape->Pen().Style = TPenStyle::psDashDotDot;
    BackShape->OnMouseMove = backgroundMove;
    TopLabel = CreateTitle(this, "Beállítások", 8, 2);
    TopLabel->OnMouseMove = backgroundMove;
    MorphButton8 = CreateImageButton(this, 0, "Bezárás", 239, 1);
    MorphButton8->OnClick = [this](TObject* sender) { MorphButton8Click(sender); };

    auto bevel = [&](int left, int top, int width, int height) {
        auto* b = new TBevel(this);
        b->SetBounds(left, top, width, height);
        b->OnMouseMove = backgroundMove;
        return b;
    };
    Bevel1 = bevel(8, 32, 241, 73);
    Bevel2 = bevel(8, 112, 241, 89);
    Bevel3 = bevel(64, 168, 113, 3);
    Bevel4 = bevel(8, 208, 241, 49);
    Bevel5 = bevel(8, 264, 241, 41);

    TFont bold;
    bold.Size = 8;
    bold.Style = fsBold;
    auto label = [&](const char* caption, int left, int top) {
        auto* l = new TLabel(this);
        l->SetFont(bold);
        l->SetTransparent(true);
        l->SetCaption(caption);
        l->SetLeft(left);
        l->SetTop(top);
        l->OnMouseMove = backgroundMove;
        return l;
    };
    Label1 = label("Kinézet:", 12, 34);
    Label2 = label("Csak Win2000 és WinXP rendszerek alatt.", 152, 120);
    Label2->SetAutoSize(false);
    Label2->SetWordWrap(true);
    Label2->SetBounds(152, 120, 81, 41);
    Label3 = label("A kép szerkesztéséhez rendelt program:", 16, 212);
    Label4 = label("A Lumvexhez  rendelt képfájlok", 16, 268);

    auto swatch = [&](int tag, const char* hint, int left) {
        auto* s = new TShape(this);
        s->Tag = tag;
        s->SetShape(stCircle);
        s->SetBounds(left, 48, 25, 25);
        s->SetHint(hint);
        s->SetShowHint(true);
        s->OnMouseDown = [this](TObject* sd, TMouseButton b, TShiftState sh, int x, int y) {
            Shape1MouseDown(sd, b, sh, x, y);
        };
        s->OnMouseMove = [this](TObject* sd, TShiftState sh, int x, int y) { Shape1MouseMove(sd, sh, x, y); };
        return s;
    };
    Shape4 = swatch(4, "Kijelölés színe", 16);
    Shape1 = swatch(1, "Ablak szín 1", 48);
    Shape2 = swatch(2, "Ablak szín 2", 80);
    Shape3 = swatch(3, "Szöveg szín", 112);
    Shape10 = swatch(5, "Inaktív gombok színe. A fekete szín nem színezi át a képet.", 176);
    Shape11 = swatch(6, "Aktív gombok színe. A fekete szín nem színezi át a képet.", 208);

    ComboBox1 = new TComboBox(this);
    ComboBox1->SetBounds(37, 77, 177, 21);
    for (const TColorScheme& scheme : ColorSchemes) ComboBox1->AddItem(scheme.Name);
    ComboBox1->SetText("Színséma");
    ComboBox1->OnChange = [this](TObject* sender) { ComboBox1Change(sender); };
    ComboBox1->OnKeyDown = KeysTo(this);

    // Each framed control sits one pixel inside its frame.
    auto framed = [&](TWinControl* control, int tag, int left, int top, int width, int height) {
        auto* frame = new TShape(this);
        frame->SetBounds(left - 1, top - 1, width + 2, height + 2);
        frame->Brush().Style = TBrushStyle::bsClear;
        control->Tag = tag;
        control->SetBounds(left, top, width, height);
        control->BringToFront();
        control->OnMouseMove = fieldMove;
        control->OnKeyDown = KeysTo(this);
        return frame;
    };
    auto box = [&](TCheckBox*& checkBox, TShape*& frame, int tag, const char* caption, int left, int top,
                   int width, bool checked) {
        checkBox = new TCheckBox(this);
        checkBox->SetCaption(caption);
        checkBox->SetChecked(checked);
        frame = framed(checkBox, tag, left, top, width, 17);
    };
    box(CheckBox1, Shape6, 6, "Kezdeti előtünés", 16, 120, 129, true);
    box(CheckBox2, Shape5, 5, "Inaktív ablak eltünése", 16, 144, 129, true);
    box(CheckBox3, Shape8, 8, "Háttérlogó", 16, 176, 105, false);
    box(CheckBox4, Shape9, 9, "Nagy ikonok", 136, 176, 105, false);
    box(CheckBox5, Shape12, 12, "jpg", 24, 284, 41, true);
    box(CheckBox6, Shape13, 13, "bmp", 80, 284, 41, true);
    box(CheckBox7, Shape14, 14, "gif", 144, 284, 41, true);
    box(CheckBox8, Shape15, 15, "ico", 200, 284, 41, true);
    CheckBox2->OnClick = [this](TObject* sender) { CheckBox2Click(sender); };
    CheckBox3->OnClick = [this](TObject* sender) { CheckBox3Click(sender); };
    CheckBox4->OnClick = [this](TObject* sender) { CheckBox4Click(sender); };
    for (TCheckBox* association : {CheckBox5, CheckBox6, CheckBox7, CheckBox8})
        association->OnClick = [this](TObject* sender) { CheckBox5Click(sender); };

    Edit1 = new TEdit(this);
    Edit1->SetText("mspaint");
    Shape7 = framed(Edit1, 7, 16, 232, 201, 14);

    MorphButton1 = CreateImageButton(this, 1, "Tallózás", 220, 226, 24);
    MorphButton1->OnClick = [this](TObject* sender) { MorphButton1Click(sender); };
    MorphButton2 = CreateImageButton(this, 0, "", 96, 312);
    MorphButton2->SetBounds(96, 312, 68, 24);
    MorphButton2->OnClick = [this](TObject* sender) { MorphButton2Click(sender); };

    OpenDialog.FileName = "mspaint";
    OpenDialog.Filter = "Programok (*.exe)|*.exe|Minden fájl (*.*)|*.*";
    OpenDialog.ExecutablesWithoutExtension = true;
}

TShape* TOptionsWindow::FrameOf(int tag) const {
    switch (tag) {
    case 5: return Shape5;
    case 6: return Shape6;
    case 7: return Shape7;
    case 8: return Shape8;
    case 9: return Shape9;
    case 12: return Shape12;
    case 13: return Shape13;
    case 14: return Shape14;
    case 15: return Shape15;
    default: return nullptr;
    }
}

void TOptionsWindow::FormMouseMove(TObject*, TShiftState shift, int x, int y) {
    if (FrameHighlighted) {
        FrameHighlighted = false;
        for (TShape* shape : {Shape1, Shape2, Shape3, Shape4, Shape5, Shape6, Shape7, Shape8, Shape9, Shape10,
                              Shape11, Shape12, Shape13, Shape14, Shape15})
            SetOutline(*shape, Viewer.coText);
    }
    drag_.MouseMove(*this, shift, x, y);
}

void TOptionsWindow::Shape1MouseMove(TObject* sender, TShiftState, int, int) {
    SetOutline(*static_cast<TShape*>(sender), Viewer.coSelect);
    FrameHighlighted = true;
}

void TOptionsWindow::CheckBoxesMouseMove(TObject* sender, TShiftState, int, int) {
    FrameHighlighted = true;
    if (TShape* frame = FrameOf(sender->Tag)) SetOutline(*frame, Viewer.coSelect);
}

template <class Dialog>
bool TOptionsWindow::RunDialog(Dialog& dialog) {
    struct Open {
        TOptionsWindow& window;
        explicit Open(TOptionsWindow& w) : window(w) { window.ColorDialogShow(nullptr); }
        ~Open() { window.ColorDialogClose(nullptr); }
    } open(*this);
    return dialog.Execute();
}

void TOptionsWindow::ColorDialogShow(TObject*) { Viewer.ColorDialogOpen = true; }
void TOptionsWindow::ColorDialogClose(TObject*) { Viewer.ColorDialogOpen = false; }

void TOptionsWindow::Shape1MouseDown(TObject* sender, TMouseButton, TShiftState, int, int) {
    auto* swatch = static_cast<TShape*>(sender);
    ColorDialog.Color = swatch->Brush().Color;
    if (!RunDialog(ColorDialog)) return;
    const TColor chosen = ColorDialog.Color;
    swatch->Brush().Color = chosen;
    swatch->Invalidate();
    TColor* const fields[] = {&Viewer.co1, &Viewer.co2, &Viewer.coText, &Viewer.coSelect, &Viewer.ibtc,
                              &Viewer.abtc};
    const int tag = swatch->Tag;
    if (tag >= 1 && tag <= 6) *fields[tag - 1] = chosen;
    if (tag >= 5)
        MainWindow->SetButtonSkin();
    else
        MainWindow->SetSkin();
}

void TOptionsWindow::ComboBox1Change(TObject*) {
    const int index = ComboBox1->ItemIndex();
    // Text typed into the box picks no scheme; the skin is applied anyway.
    if (index >= 0 && index < int(ColorSchemes.size())) {
        const TColorScheme& s = ColorSchemes[index];
        Viewer.co1 = s.co1, Viewer.co2 = s.co2, Viewer.coText = s.coText, Viewer.coSelect = s.coSelect;
        Viewer.ibtc = s.ibtc, Viewer.abtc = s.abtc;
    }
    MainWindow->SetSkin();
    MainWindow->SetButtonSkin();
}

void TOptionsWindow::MorphButton8Click(TObject*) { Hide(); }

void TOptionsWindow::MorphButton2Click(TObject*) {
    BuildLateWindows();
    AboutWindow->Show();
}

void TOptionsWindow::MorphButton1Click(TObject*) {
    if (RunDialog(OpenDialog)) Edit1->SetText(OpenDialog.FileName);
}

void TOptionsWindow::CheckBox2Click(TObject*) { Viewer.FadeInactive = CheckBox2->Checked(); }

void TOptionsWindow::CheckBox3Click(TObject*) { MainWindow->BackLogo->SetVisible(CheckBox3->Checked()); }

void TOptionsWindow::CheckBox4Click(TObject*) {
    Viewer.ButtonSize = CheckBox4->Checked() ? 24 : 16;
    MainWindow->SetSkin();
    MainWindow->FormResize();
}

void TOptionsWindow::FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
    MainWindow->FormKeyDown(sender, key, shift);
}

}  // namespace lumvex
