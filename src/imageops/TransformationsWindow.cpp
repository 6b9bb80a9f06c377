#include "imageops/TransformationsWindow.h"

#include <algorithm>
#include <cmath>

#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "windowparts/WindowParts.h"
#include "platform/SysUtils.h"

namespace lumvex {

TTransformationsWindow* TransformationsWindow = nullptr;

namespace {

TFont BoldFont() {
    TFont bold;
    bold.Size = 8;
    bold.Style = fsBold;
    return bold;
}

TLabel* CreateLabel(TTransformationsWindow* window, const std::string& caption, int left, int top, bool bold) {
    auto* label = new TLabel(window);
    if (bold) label->SetFont(BoldFont());
    label->SetTransparent(true);
    label->SetCaption(caption);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

// A thin frame around an option, lit while the mouse is over the option.
TShape* CreateOptionFrame(TTransformationsWindow* window, int left, int top, int width, int height) {
    auto* frame = new TShape(window);
    frame->SetBounds(left, top, width, height);
    frame->Brush().Style = TBrushStyle::bsClear;
    return frame;
}

// A group's sunken frame, and an invisible shape over it that catches mouse moves.
TShape* CreateGroup(TTransformationsWindow* window, TBevel*& bevel, const TRect& box, int shapeHeight) {
    bevel = new TBevel(window);
    bevel->SetBounds(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
    if (shapeHeight == 0) return nullptr;
    auto* shape = new TShape(window);
    shape->SetBounds(box.Left, box.Top, box.Right - box.Left, shapeHeight);
    shape->Brush().Style = TBrushStyle::bsClear;
    shape->Pen().Style = TPenStyle::psClear;
    return shape;
}

TMorphButton* CreateWideButton(TTransformationsWindow* window, int tag, const std::string& hint, int left, int top) {
    TMorphButton* button = CreateImageButton(window, tag, hint, left, top, 24);
    button->SetWidth(68);
    return button;
}

}  // namespace

TTransformationsWindow::TTransformationsWindow() {
    TransformationsWindow = this;
    DesignWindow(this, "Transzformációk", Bounds(382, 114, 464, 221), TWindowKind::StaysOnTop);
    CreateControls();
    OnKeyDown = KeysTo(this);
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    FormCreate();
}

void TTransformationsWindow::CreateControls() {
    TopImage = CreateTitleBar(this);
    TopLabel = CreateTitle(this, "Transzformációk", 8, 2);
    MorphButton9 = CreateImageButton(this, 1, "", 445, 1);
    MorphButton9->OnClick = [this](TObject* sender) { MorphButton9Click(sender); };

    BackImage = new TImage(this);
    BackImage->SetBounds(0, 18, 464, 203);
    BackImage->SetStretch(true);
    BackShape = CreateFrame(this, Bounds(0, 18, 464, 203));

    Shape3 = CreateGroup(this, Bevel3, Bounds(8, 32, 161, 177), 185);
    Label7 = CreateLabel(this, "Kijelölt fájlok:", 16, 40, true);
    fileindex = CreateLabel(this, "", 96, 40, true);
    fileindex->SetAutoSize(false);
    fileindex->SetBounds(96, 40, 73, 13);

    FileListBox = new TFileListBox(this, PictureMask);
    FileListBox->SetBounds(16, 58, 145, 137);
    FileListBox->SetMultiSelect(true);
    TFont listFont;
    listFont.Name = "Times New Roman";
    listFont.PixelHeight = 11;
    FileListBox->SetFont(listFont);
    FileListBox->SetItemHeight(14);
    FileListBox->OnChange = [this](TObject*) { FileListBoxChange(); };

    Gauge = new TGauge(this);
    Gauge->SetBounds(40, 202, 89, 12);

    Shape1 = CreateGroup(this, Bevel2, Bounds(184, 32, 73, 97), 97);
    Label4 = CreateLabel(this, "Forgatás,", 188, 35, true);
    Label10 = CreateLabel(this, "tükrözés", 198, 48, true);
    MorphButton1 = CreateImageButton(this, 1, "tükrözés vízszintesen", 192, 64, 24);
    MorphButton2 = CreateImageButton(this, 0, "tükrözés függőlegesen", 224, 64, 24);
    MorphButton4 = CreateImageButton(this, 1, "forgatás balra 90 fokkal", 192, 96, 24);
    MorphButton3 = CreateImageButton(this, 0, "forgatás jobbra 90 fokkal", 224, 96, 24);
    MorphButton1->OnClick = [this](TObject* sender) { MorphButton1Click(sender); };
    MorphButton2->OnClick = [this](TObject* sender) { MorphButton2Click(sender); };
    for (TMorphButton* turn : {MorphButton3, MorphButton4})
        turn->OnClick = [this](TObject* sender) { MorphButton3Click(sender); };

    CreateScalingControls();
    CreateConversionControls();

    Bevel5 = new TBevel(this);
    Bevel5->SetBounds(352, 144, 105, 65);
    Label6 = CreateLabel(this, "Fájlműveletek:", 356, 148, true);
    MorphButton6 = CreateWideButton(this, 1, "a kijelölt fájl(ok) mozgatása egy könyvtárba", 376, 161);
    MorphButton7 = CreateWideButton(this, 0, "a kijelölt fájl(ok) másolása egy könyvtárba", 376, 184);
    for (TMorphButton* files : {MorphButton6, MorphButton7})
        files->OnClick = [this](TObject* sender) { MorphButton6Click(sender); };

    for (TControl* control : std::initializer_list<TControl*>{
             TopImage, TopLabel, BackImage, BackShape, Bevel3, Shape3, Label7, fileindex, Shape1, Label4, Label10,
             Shape2, Label1, Label2, Label3, Shape4, Label5, Label9, Label8, Label6})
        control->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { FormMouseMove(s, sh, x, y); };
    for (TControl* focusable : std::initializer_list<TControl*>{FileListBox, SpinEditW, SpinEditH, RadioButton1,
                                                                 RadioButton2, RadioButton3, RadioButton4, CheckBox1,
                                                                 ComboBox1, TrackBar1})
        focusable->OnKeyDown = KeysTo(this);
}

void TTransformationsWindow::CreateScalingControls() {
    Shape2 = CreateGroup(this, Bevel1, Bounds(264, 32, 193, 97), 97);
    Label1 = CreateLabel(this, "Átméretezés", 272, 35, true);
    Label2 = CreateLabel(this, "Szélesség:", 272, 56, false);
    Label3 = CreateLabel(this, "Hosszúság:", 272, 80, false);

    TFont small;
    small.Name = "Small Fonts";
    small.PixelHeight = 9;
    auto sizeBox = [&](TEdit*& edit, TUpDown*& upDown, int top) {
        edit = new TEdit(this);
        edit->SetBounds(328, top, 49, 19);
        edit->SetFont(small);
        edit->SetMaxLength(5);
        upDown = new TUpDown(this);
        upDown->SetLeft(377);
        upDown->SetTop(top);
        upDown->SetMin(1);
        upDown->SetMax(10000);
        upDown->SetAssociate(edit);
        upDown->SetPosition(1);
        edit->SetText("1");
    };
    sizeBox(SpinEditW, W, 56);
    sizeBox(SpinEditH, H, 80);
    SpinEditW->OnKeyUp = [this](TObject* s, std::uint16_t& k, TShiftState sh) { SpinEditWKeyUp(s, k, sh); };
    SpinEditH->OnKeyUp = [this](TObject* s, std::uint16_t& k, TShiftState sh) { SpinEditHKeyUp(s, k, sh); };

    // Each option fills the frame drawn around it.
    auto option = [&](const std::string& caption, int left, int top, int width) {
        auto* radio = new TRadioButton(this);
        radio->SetCaption(caption);
        radio->SetBounds(left, top, width, 15);
        radio->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { OptionMouseMove(s, sh, x, y); };
        return radio;
    };
    Shape7 = CreateOptionFrame(this, 396, 34, 59, 17);
    Shape5 = CreateOptionFrame(this, 412, 51, 43, 17);
    Shape8 = CreateOptionFrame(this, 412, 68, 43, 17);
    Shape9 = CreateOptionFrame(this, 412, 85, 43, 17);
    Shape6 = CreateOptionFrame(this, 271, 107, 114, 18);
    RadioButton4 = option("egyéni", 397, 35, 57);
    RadioButton1 = option("1/2", 413, 52, 41);
    RadioButton2 = option("1/4", 413, 69, 41);
    RadioButton3 = option("1/8", 413, 86, 41);
    RadioButton4->SetChecked(true);
    for (TRadioButton* fraction : {RadioButton1, RadioButton2, RadioButton3})
        fraction->OnClick = [this](TObject* sender) { RadioButton1Click(sender); };
    RadioButton4->OnClick = [this](TObject* sender) { RadioButton4Click(sender); };

    CheckBox1 = new TCheckBox(this);
    CheckBox1->SetBounds(272, 108, 112, 16);
    CheckBox1->SetCaption("arányok megtartása");
    CheckBox1->SetChecked(true);
    CheckBox1->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { OptionMouseMove(s, sh, x, y); };

    MorphButton8 = CreateWideButton(this, 0, "a kijelölt fájl(ok) konvertálása", 386, 104);
    MorphButton8->OnClick = [this](TObject* sender) { MorphButton8Click(sender); };
}

void TTransformationsWindow::CreateConversionControls() {
    Shape4 = CreateGroup(this, Bevel4, Bounds(184, 144, 161, 65), 65);
    Label5 = CreateLabel(this, "Konvertálás", 188, 148, true);
    ComboBox1 = new TComboBox(this);
    ComboBox1->SetBounds(200, 168, 65, 21);
    ComboBox1->SetStyle(csDropDown);
    ComboBox1->SetItems({"jpg-re", "bmp-re"});
    ComboBox1->SetItemIndex(0);
    ComboBox1->OnChange = [this](TObject* sender) { ComboBox1Change(sender); };
    MorphButton5 = CreateWideButton(this, 0, "a kijelölt fájl(ok) konvertálása", 272, 160);
    MorphButton5->OnClick = [this](TObject* sender) { MorphButton5Click(sender); };
    TrackBar1 = new TTrackBar(this);
    TrackBar1->SetBounds(224, 192, 105, 9);
    TrackBar1->SetMin(4);
    TrackBar1->SetMax(100);
    TrackBar1->SetPosition(90);
    TrackBar1->SetHint("minőség");
    TrackBar1->SetShowHint(true);
    TrackBar1->OnChange = [this](TObject* sender) { TrackBar1Change(sender); };
    Label9 = CreateLabel(this, "rossz", 188, 188, true);
    Label8 = CreateLabel(this, "jó", 332, 188, true);
}

void TTransformationsWindow::FormCreate() {
    SetColor(clBlack);
    SetDoubleBuffered(true);
    FileListBox->SetMask(FileWindow->FilterComboBox->Mask());
}

void TTransformationsWindow::FileListBoxChange() {
    const int index = FileListBox->ItemIndex();
    if (index < 0 || index >= FileListBox->Count()) return;
    FileWindow->FileListBox->SetItemIndex(index);
    FileWindow->FileName->SetCaption(FileListBox->FileName());
    MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
    fileindex->SetCaption(IntToStr(FileListBox->SelCount()));
}

void TTransformationsWindow::MorphButton3Click(TObject* sender) { TurnBatch(sender->Tag != 0); }
void TTransformationsWindow::MorphButton1Click(TObject* sender) { MirrorBatch(sender->Tag != 1); }
void TTransformationsWindow::MorphButton2Click(TObject*) { MorphButton1Click(MorphButton2); }
void TTransformationsWindow::MorphButton5Click(TObject*) { ConvertBatch(); }
void TTransformationsWindow::MorphButton8Click(TObject*) { ScaleBatch(); }
void TTransformationsWindow::MorphButton6Click(TObject* sender) { MoveCopyBatch(sender->Tag == 1); }
void TTransformationsWindow::MorphButton9Click(TObject*) { Hide(); }

void TTransformationsWindow::TrackBar1Change(TObject*) {
    Label5->SetCaption("Konvertálás   " + IntToStr(TrackBar1->Position()) + "%");
}

int TTransformationsWindow::TargetItem() const {
    const std::vector<std::string> items = ComboBox1->Items();
    const auto found = std::find(items.begin(), items.end(), ComboBox1->Text());
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void TTransformationsWindow::ComboBox1Change(TObject*) { TrackBar1->SetEnabled(TargetItem() == 0); }

int TTransformationsWindow::SizeBoxValue(const TEdit& edit, const TUpDown& upDown) {
    try {
        return std::clamp(StrToInt(edit.Text()), upDown.Min(), upDown.Max());
    } catch (const EConvertError&) {
        return upDown.Position();
    }
}

void TTransformationsWindow::RadioButton1Click(TObject*) {
    CheckBox1->SetChecked(true);
    CheckBox1->SetEnabled(false);
    SpinEditW->SetEnabled(false);
    SpinEditH->SetEnabled(false);
}

void TTransformationsWindow::RadioButton4Click(TObject*) {
    CheckBox1->SetEnabled(true);
    SpinEditW->SetEnabled(true);
    SpinEditH->SetEnabled(true);
}

// A box's partner follows the picture on view's proportions; with nothing on
// view there are none to follow, and the partner stays as it is.
void TTransformationsWindow::SpinEditWKeyUp(TObject*, std::uint16_t&, TShiftState) {
    if (!CheckBox1->Checked()) return;
    LastEditedWidth = true;
    if (Viewer.PictureWidth <= 0 || Viewer.PictureHeight <= 0) return;
    const double ratio = static_cast<double>(Viewer.PictureWidth) / SizeBoxValue(*SpinEditW, *W);
    SpinEditH->SetText(IntToStr(static_cast<std::int64_t>(std::nearbyint(Viewer.PictureHeight / ratio))));
}

void TTransformationsWindow::SpinEditHKeyUp(TObject*, std::uint16_t&, TShiftState) {
    if (!CheckBox1->Checked()) return;
    LastEditedWidth = false;
    if (Viewer.PictureWidth <= 0 || Viewer.PictureHeight <= 0) return;
    const double ratio = static_cast<double>(Viewer.PictureHeight) / SizeBoxValue(*SpinEditH, *H);
    SpinEditW->SetText(IntToStr(static_cast<std::int64_t>(std::nearbyint(Viewer.PictureWidth / ratio))));
}

TScaleChoice TTransformationsWindow::ScaleChoice() const {
    TScaleChoice choice;
    if (RadioButton1->Checked())
        choice.Fraction = TScaleFraction::sfHalf;
    else if (RadioButton2->Checked())
        choice.Fraction = TScaleFraction::sfQuarter;
    else if (RadioButton3->Checked())
        choice.Fraction = TScaleFraction::sfEighth;
    else
        choice.Fraction = TScaleFraction::sfCustom;
    choice.Width = SizeBoxValue(*SpinEditW, *W);
    choice.Height = SizeBoxValue(*SpinEditH, *H);
    choice.KeepProportions = CheckBox1->Checked();
    choice.LastEditedWidth = LastEditedWidth;
    return choice;
}

void TTransformationsWindow::ResetOptionFrames() {
    for (TShape* frame : {Shape5, Shape6, Shape7, Shape8, Shape9}) {
        frame->Pen().Color = Viewer.coText;
        frame->Invalidate();
    }
}

void TTransformationsWindow::OptionMouseMove(TObject* sender, TShiftState, int, int) {
    optionHover_ = true;
    TShape* lit = Shape6;
    if (sender != CheckBox1) {
        ResetOptionFrames();
        lit = sender == RadioButton1 ? Shape5 : sender == RadioButton2 ? Shape8 : sender == RadioButton3 ? Shape9 : Shape7;
    }
    lit->Pen().Color = Viewer.coSelect;
    lit->Invalidate();
}

void TTransformationsWindow::FormMouseMove(TObject*, TShiftState shift, int x, int y) {
    drag_.MouseMove(*this, shift, x, y);
    if (optionHover_) {
        optionHover_ = false;
        ResetOptionFrames();
    }
}

void TTransformationsWindow::FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
    MainWindow->FormKeyDown(sender, key, shift);
}

}  // namespace lumvex
