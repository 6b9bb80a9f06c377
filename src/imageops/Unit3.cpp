#include "imageops/Unit3.h"

#include "viewer/Unit1.h"
#include "navigation/Unit2.h"
#include "windowparts/WindowParts.h"
#include "platform/SysUtils.h"

namespace lumvex {

TForm3* Form3 = nullptr;

TForm3::TForm3() {
    Form3 = this;
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetCaption("Transzformációk");
    TFont font;
    font.Size = 8;
    SetFont(font);
    SetBounds(382, 114, 464, 221);
    CreateControls();
    OnKeyDown = KeysTo(this);
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    FormCreate();
}

void TForm3::CreateControls() {
    auto drag = [this](TControl* control) {
        control->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    };
    TFont bold;
    bold.Size = 8;
    bold.Style = fsBold;

    TopImage = CreateTitleBar(this);
    drag(TopImage);
    TopLabel = CreateTitle(this, "Transzformációk", 8, 2);
    drag(TopLabel);

    MorphButton9 = CreateImageButton(this, 1, "", 445, 1);
    MorphButton9->OnClick = [this](TObject* sender) { MorphButton9Click(sender); };

    BackImage = new TImage(this);
    BackImage->SetBounds(0, 18, 464, 203);
    BackImage->SetStretch(true);
    drag(BackImage);

    BackShape = CreateFrame(this, Bounds(0, 18, 464, 203));
    drag(BackShape);

    Label7 = new TLabel(this);
    Label7->SetFont(bold);
    Label7->SetTransparent(true);
    Label7->SetCaption("Kijelölt fájlok:");
    Label7->SetLeft(16);
    Label7->SetTop(40);
    drag(Label7);

    fileindex = new TLabel(this);
    fileindex->SetAutoSize(false);
    fileindex->SetFont(bold);
    fileindex->SetTransparent(true);
    fileindex->SetBounds(96, 40, 73, 13);
    fileindex->SetCaption("");
    drag(fileindex);

    FileListBox = new TFileListBox(this);
    FileListBox->SetBounds(16, 58, 145, 137);
    FileListBox->SetMultiSelect(true);
    TFont listFont;
    listFont.Name = "Times New Roman";
    listFont.PixelHeight = 11;
    FileListBox->SetFont(listFont);
    FileListBox->SetItemHeight(14);
    FileListBox->OnChange = [this](TObject*) { FileListBoxChange(); };
    FileListBox->OnKeyDown = KeysTo(this);

    Gauge = new TGauge(this);
    Gauge->SetBounds(40, 202, 89, 12);
}

void TForm3::FormCreate() {
    SetColor(clBlack);
    SetDoubleBuffered(true);
    FileListBox->SetMask(Form2->FilterComboBox->Mask());
}

void TForm3::FileListBoxChange() {
    const int index = FileListBox->ItemIndex();
    if (index < 0 || index >= FileListBox->Count()) return;
    Form2->FileListBox->SetItemIndex(index);
    Form2->FileName->SetCaption(FileListBox->FileName());
    Form1->ResizeImage(Form1->Image, Form1->TImg);
    fileindex->SetCaption(IntToStr(FileListBox->SelCount()));
}

void TForm3::MorphButton9Click(TObject*) { Hide(); }

void TForm3::FormMouseMove(TObject*, TShiftState shift, int x, int y) { drag_.MouseMove(*this, shift, x, y); }

void TForm3::FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
    Form1->FormKeyDown(sender, key, shift);
}

void TForm3::MoveCopyBatch(bool) {}

}  // namespace lumvex
