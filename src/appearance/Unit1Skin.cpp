// The skin of all windows: bars and backgrounds painted as gradients of the
// window colours, texts in the text colour, sizes for the button size, and
// the button glyphs tinted to the button colours.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <span>
#include <utility>

#include "appearance/Skin.h"
#include "viewer/Unit1.h"
#include "navigation/Unit2.h"
#include "imageops/Unit3.h"
#include "appearance/Unit4.h"
#include "navigation/Unit6.h"
#include "appearance/Unit5.h"

namespace lumvex {

namespace {

constexpr int TitleBarRows = 18;

void SetFontColor(TControl& control, TColor color) {
    TFont font = static_cast<const TControl&>(control).Font();
    font.Color = color;
    control.SetFont(font);
}

void SetFontPoints(TControl& control, int points) {
    TFont font = static_cast<const TControl&>(control).Font();
    font.Size = points;
    font.PixelHeight = 0;
    control.SetFont(font);
}

void SetFieldColors(TControl& control, TColor field, TColor text) {
    control.SetColor(field);
    SetFontColor(control, text);
}

void SetSquare(TControl& control, int edge) { control.SetBounds(control.Left(), control.Top(), edge, edge); }

void ShowStretched(TImage& image, const TBitmap& bitmap) {
    image.Picture().Assign(&bitmap);
    image.SetStretch(true);
}

// Puts the cell of the work bitmap's first strip that starts at column left
// into a picture, as a 24-bit bitmap of the cell's size. The pixels are
// written in place, which tells no one: the button is rebuilt afterwards.
void CopyCell(const TBitmap& work, int left, int width, TPicture& picture) {
    const int height = glyphsheet::StripHeight;
    const auto* held = dynamic_cast<const TBitmap*>(picture.Graphic());
    if (!held || held->Width() != width || held->Height() != height || held->PixelFormat() != TPixelFormat::pf24bit) {
        const TBitmap cell(width, height, TPixelFormat::pf24bit);
        picture.Assign(&cell);
    }
    TBitmap& cell = picture.Bitmap();
    for (int y = 0; y < height; ++y) std::memcpy(cell.ScanLine(y), work.ScanLine(y) + 3 * left, 3 * size_t(width));
}

// The browser: its bars, its area and, while it is shown, its cells (marked
// ones included) in the window colour with captions in the text colour.
void SkinBrowser(const TBitmap& titleBar) {
    const int B = Viewer.ButtonSize;
    ShowStretched(*Form6->TopImage, titleBar);
    ShowStretched(*Form6->BottomImage, titleBar);
    for (TLabel* title : {Form6->TopLabel, Form6->BottomLabel}) {
        SetFontColor(*title, Viewer.coText);
        SetFontPoints(*title, B == 24 ? 16 : 12);
    }
    for (TControl* bar : std::initializer_list<TControl*>{Form6->Panel1, Form6->Panel2, Form6->TopImage,
                                                          Form6->BottomImage})
        bar->SetHeight(B + 2);
    Form6->ScrollBox1->SetColor(Viewer.co2);
    Form6->ScrollBox1->HorzScrollBar().SetColor(Viewer.co1);
    Form6->ScrollBox1->VertScrollBar().SetColor(Viewer.co1);
    SetSquare(*Form6->MorphButton1, B);
    Form6->MorphButton1->SetLeft(Form6->Panel1->Width() - B - 2);
    SetSquare(*Form6->sizer, B);
    if (!Form6->Visible()) return;
    for (TPanel* cell : Form6->Cells)
        if (cell) cell->SetColor(Viewer.co1);
    for (TLabel* caption : Form6->Captions)
        if (caption) SetFontColor(*caption, Viewer.coText);
}

// The options window: frames, swatches, the shared bars and texts.
void SkinOptionsWindow(const TBitmap& titleBar, const TBitmap& background) {
    Form4->BackShape->Pen().Color = Viewer.co1;
    for (TShape* frame : {Form4->Shape5, Form4->Shape6, Form4->Shape7}) frame->Pen().Color = Viewer.coText;
    const std::pair<TShape*, TColor> swatches[] = {{Form4->Shape1, Viewer.co1},     {Form4->Shape2, Viewer.co2},
                                                   {Form4->Shape3, Viewer.coText},  {Form4->Shape4, Viewer.coSelect},
                                                   {Form4->Shape10, Viewer.ibtc},   {Form4->Shape11, Viewer.abtc}};
    for (auto [swatch, color] : swatches) {
        swatch->Brush().Color = color;
        swatch->Invalidate();
    }
    ShowStretched(*Form4->TopImage, titleBar);
    ShowStretched(*Form4->BackImage, background);
    for (TControl* text : std::initializer_list<TControl*>{Form4->TopLabel, Form4->Label1, Form4->Label2,
                                                           Form4->Label3, Form4->Label4})
        SetFontColor(*text, Viewer.coText);
    for (TControl* field : std::initializer_list<TControl*>{
             Form4->CheckBox1, Form4->CheckBox2, Form4->CheckBox3, Form4->CheckBox4, Form4->CheckBox5,
             Form4->CheckBox6, Form4->CheckBox7, Form4->CheckBox8, Form4->Edit1, Form4->ComboBox1})
        SetFieldColors(*field, Viewer.co1, Viewer.coText);
}

}  // namespace

void TForm1::SetSkin() {
    const int B = Viewer.ButtonSize;
    const bool big = Viewer.ButtonSize == 24;

    BackShape->Pen().Color = Viewer.co1;
    Form5->BackShape->Pen().Color = Viewer.co1;

    TBitmap titleBar(1, TitleBarRows, TPixelFormat::pf24bit);
    GradientFill(titleBar.Canvas(), 1, TitleBarRows, false, 50, Viewer.co2, Viewer.co1, Viewer.co2);
    ShowStretched(*TopImage, titleBar);
    ShowStretched(*BottomImage, titleBar);

    // The file window's background is computed for its width now and
    // stretched in the windows that share it.
    Form2->BackShape->Pen().Color = Viewer.co1;
    Form2->BackShape2->Brush().Color = Viewer.co1;
    TBitmap background(Form2->Width(), 1, TPixelFormat::pf24bit);
    GradientFill(background.Canvas(), Form2->Width(), 1, true, 0, Viewer.co2, Viewer.co1, Viewer.co2);
    ShowStretched(*Form2->BackImage, background);
    ShowStretched(*Form2->TopImage, titleBar);
    for (TControl* text : {static_cast<TControl*>(Form2->TopLabel), static_cast<TControl*>(Form2->FileName)})
        SetFontColor(*text, Viewer.coText);
    for (TControl* list : std::initializer_list<TControl*>{Form2->DriveComboBox, Form2->FilterComboBox,
                                                           Form2->DirectoryListBox, Form2->FileListBox})
        SetFieldColors(*list, Viewer.co1, Viewer.coText);

    Form3->BackShape->Pen().Color = Viewer.co1;
    ShowStretched(*Form3->TopImage, titleBar);
    ShowStretched(*Form3->BackImage, background);
    for (TLabel* text : {Form3->TopLabel, Form3->Label1, Form3->Label2, Form3->Label3, Form3->Label4, Form3->Label5,
                         Form3->Label6, Form3->Label7, Form3->Label8, Form3->Label9, Form3->Label10, Form3->fileindex})
        SetFontColor(*text, Viewer.coText);
    for (TControl* field : std::initializer_list<TControl*>{
             Form3->ComboBox1, Form3->CheckBox1, Form3->RadioButton1, Form3->RadioButton2, Form3->RadioButton3,
             Form3->RadioButton4, Form3->FileListBox, Form3->SpinEditW, Form3->SpinEditH})
        SetFieldColors(*field, Viewer.co1, Viewer.coText);
    Form3->Gauge->SetBackColor(Viewer.co1);
    Form3->Gauge->SetForeColor(Viewer.co2);

    SkinOptionsWindow(titleBar, background);

    SetFontColor(*TopLabel, Viewer.coText);
    SetFontColor(*BottomLabel, Viewer.coText);

    for (TControl* square : std::initializer_list<TControl*>{
             MorphButton1, MorphButton2, MorphButton3, MorphButton4, MorphButton5, MorphButton6, MorphButton7,
             MorphButton8, MorphButton9, MorphButton10, MorphButton11, MorphButton12, MorphButton13,
             MorphButton14, MorphButton15, sizer})
        SetSquare(*square, B);
    TopImage->SetHeight(B + 2);
    BottomImage->SetHeight(B + 2);
    logo->Picture().Bitmap().SetTransparentColor(clBlack);
    SetSquare(*logo, B);
    TopLabel->SetLeft(B + 8);

    for (TLabel* title : {TopLabel, Form2->TopLabel, Form3->TopLabel, Form4->TopLabel})
        SetFontPoints(*title, big ? 16 : 12);
    SetFontPoints(*BottomLabel, big ? 14 : 12);

    Form2->TopImage->SetHeight(B + 2);
    SetSquare(*Form2->MorphButton1, B);
    SetSquare(*Form2->MorphButton2, B);
    for (TControl* below : std::initializer_list<TControl*>{Form2->FileName, Form2->Bevel1, Form2->BackShape2})
        below->SetTop(B + 7);
    Form2->MorphButton1->SetLeft(Form2->Width() - Form2->MorphButton1->Width() - 5);
    // Plus one: the dock button overlaps the close button by a pixel.
    Form2->MorphButton2->SetLeft(Form2->MorphButton1->Left() - B + 1);
    for (TControl* list : std::initializer_list<TControl*>{Form2->DirectoryListBox, Form2->FileListBox,
                                                           Form2->FilterComboBox, Form2->DriveComboBox,
                                                           Form2->FileName})
        SetFontPoints(*list, B / 2);

    Form3->TopImage->SetHeight(B + 2);
    SetSquare(*Form3->MorphButton9, B);
    Form3->MorphButton9->SetLeft(Form3->Width() - Form2->MorphButton1->Width() - 5);
    SetFontPoints(*Form3->FileListBox, B / 2);

    SkinBrowser(titleBar);
    Form4->TopImage->SetHeight(B + 2);
    SetSquare(*Form4->MorphButton8, B);
    Form4->MorphButton8->SetLeft(Form4->Width() - Form2->MorphButton1->Width() - 5);
}

void TForm1::SetButtonSkin() {
    // Every image button and the glyph cell it shows.
    struct GlyphButton {
        TMorphButton* button;
        int cell;
    };
    const GlyphButton buttons[] = {
        {MorphButton12, 0},  {MorphButton11, 1}, {MorphButton5, 2},  {MorphButton4, 3},  {MorphButton3, 4},
        {MorphButton1, 5},   {Form2->MorphButton1, 5},               {Form3->MorphButton9, 5},
        {Form6->MorphButton1, 5},
        {MorphButton7, 6},   {MorphButton9, 7},  {Form2->MorphButton2, 8},               {MorphButton10, 9},
        {MorphButton6, 10},  {MorphButton15, 13}, {MorphButton13, 14}, {MorphButton14, 15}, {MorphButton8, 16},
        {MorphButton2, 17},  {Form4->MorphButton8, 5}, {Form4->MorphButton1, 6},
        {Form5->MorphButton1, 5},
        {Form3->MorphButton1, 12}, {Form3->MorphButton2, 11}, {Form3->MorphButton3, 14}, {Form3->MorphButton4, 15},
    };
    // The buttons that show a word, and their wide cells.
    const GlyphButton wideButtons[] = {
        {Form4->MorphButton2, 5},
        {Form3->MorphButton6, 0}, {Form3->MorphButton7, 1}, {Form3->MorphButton5, 2}, {Form3->MorphButton8, 3},
    };
    const std::span<const GlyphButton> groups[] = {buttons, wideButtons};
    // The strips at rest go into the pictures shown at rest, the lit strips
    // into the pictures the buttons fade to.
    struct Pass {
        int firstRow;
        TColor color;
        TPicture& (TMorphButton::*picture)();
        std::span<const GlyphButton> buttons;
        int cellWidth;
    };
    const Pass passes[] = {
        {glyphsheet::SmallRestRow, Viewer.ibtc, &TMorphButton::MorphPic1, buttons, glyphsheet::SmallCellWidth},
        {glyphsheet::WideRestRow, Viewer.ibtc, &TMorphButton::MorphPic1, wideButtons, glyphsheet::WideCellWidth},
        {glyphsheet::SmallLitRow, Viewer.abtc, &TMorphButton::MorphPic2, buttons, glyphsheet::SmallCellWidth},
        {glyphsheet::WideLitRow, Viewer.abtc, &TMorphButton::MorphPic2, wideButtons, glyphsheet::WideCellWidth}};

    const TBitmap& sheet = bt_big->Picture().Bitmap();
    // Never smaller than the sheet's layout, so every cell can be read even
    // from a damaged sheet.
    TBitmap work(std::max(sheet.Width(), glyphsheet::Width), std::max(sheet.Height(), glyphsheet::Height),
                 TPixelFormat::pf24bit);
    work.Canvas().Brush = TBrush{clFuchsia, TBrushStyle::bsSolid};
    const TRect whole = Rect(0, 0, work.Width(), work.Height());
    const int lastOffset = glyphsheet::StripHeight - 1;
    // A button fading out holds its two pictures exchanged; give them back
    // first, so that the glyphs at rest land in the picture shown at rest.
    for (std::span<const GlyphButton> group : groups)
        for (const GlyphButton& b : group)
            if (b.button->Swapped()) b.button->Rebuild();
    for (const Pass& pass : passes) {
        work.Canvas().FillRect(whole);
        if (pass.color != clBlack)
            TintGlyphStrip(sheet, 40, pass.color, pass.firstRow, pass.firstRow + lastOffset, work);
        else
            work.Canvas().CopyRect(Rect(0, 0, sheet.Width(), glyphsheet::StripHeight), sheet,
                                   Rect(0, pass.firstRow, sheet.Width(), pass.firstRow + glyphsheet::StripHeight));
        for (const GlyphButton& b : pass.buttons) {
            TPicture& picture = (b.button->*pass.picture)();
            CopyCell(work, b.cell * pass.cellWidth, pass.cellWidth, picture);
        }
    }
    for (std::span<const GlyphButton> group : groups)
        for (const GlyphButton& b : group) b.button->Rebuild();
}

}  // namespace lumvex
