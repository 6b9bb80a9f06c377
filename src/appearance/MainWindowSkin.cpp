// The skin of all windows: bars and backgrounds painted as gradients of the
// window colours, texts in the text colour, sizes for the button size, and
// the button glyphs tinted to the button colours.
#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <span>
#include <utility>

#include "appearance/Skin.h"
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"
#include "navigation/BrowserWindow.h"
#include "appearance/AboutWindow.h"
#include "viewer/LateWindows.h"

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
    ShowStretched(*BrowserWindow->TopImage, titleBar);
    ShowStretched(*BrowserWindow->BottomImage, titleBar);
    for (TLabel* title : {BrowserWindow->TopLabel, BrowserWindow->BottomLabel}) {
        SetFontColor(*title, Viewer.coText);
        SetFontPoints(*title, B == 24 ? 16 : 12);
    }
    for (TControl* bar : std::initializer_list<TControl*>{BrowserWindow->Panel1, BrowserWindow->Panel2, BrowserWindow->TopImage,
                                                          BrowserWindow->BottomImage})
        bar->SetHeight(B + 2);
    BrowserWindow->ScrollBox1->SetColor(Viewer.co2);
    BrowserWindow->ScrollBox1->HorzScrollBar().SetColor(Viewer.co1);
    BrowserWindow->ScrollBox1->VertScrollBar().SetColor(Viewer.co1);
    SetSquare(*BrowserWindow->MorphButton1, B);
    BrowserWindow->MorphButton1->SetLeft(BrowserWindow->Panel1->Width() - B - 2);
    SetSquare(*BrowserWindow->sizer, B);
    if (!BrowserWindow->Visible()) return;
    TCellGrid& cells = *BrowserWindow->Cells;
    for (int i = 0; i < cells.Count(); ++i) cells.SetCellColor(i, Viewer.co1);
    SetFontColor(cells, Viewer.coText);
}

TBitmap TitleBarPicture() {
    TBitmap titleBar(1, TitleBarRows, TPixelFormat::pf24bit);
    GradientFill(titleBar.Canvas(), 1, TitleBarRows, false, 50, Viewer.co2, Viewer.co1, Viewer.co2);
    return titleBar;
}

// The file window's background, computed for its width and stretched in the
// windows that share it.
TBitmap BackgroundPicture() {
    TBitmap background(FileWindow->Width(), 1, TPixelFormat::pf24bit);
    GradientFill(background.Canvas(), FileWindow->Width(), 1, true, 0, Viewer.co2, Viewer.co1, Viewer.co2);
    return background;
}

// The transformations window: the shared bars and background, texts, fields,
// the gauge and the close button's size and place.
void SkinTransformationsWindow(const TBitmap& titleBar, const TBitmap& background) {
    const int B = Viewer.ButtonSize;
    TTransformationsWindow& window = *TransformationsWindow;
    window.BackShape->Pen().Color = Viewer.co1;
    ShowStretched(*window.TopImage, titleBar);
    ShowStretched(*window.BackImage, background);
    for (TLabel* text : {window.TopLabel, window.Label1, window.Label2, window.Label3, window.Label4, window.Label5,
                         window.Label6, window.Label7, window.Label8, window.Label9, window.Label10, window.fileindex})
        SetFontColor(*text, Viewer.coText);
    for (TControl* field : std::initializer_list<TControl*>{window.ComboBox1, window.CheckBox1, window.RadioButton1,
                                                            window.RadioButton2, window.RadioButton3, window.RadioButton4,
                                                            window.FileListBox, window.SpinEditW, window.SpinEditH})
        SetFieldColors(*field, Viewer.co1, Viewer.coText);
    window.Gauge->SetBackColor(Viewer.co1);
    window.Gauge->SetForeColor(Viewer.co2);
    SetFontPoints(*window.TopLabel, B == 24 ? 16 : 12);
    window.TopImage->SetHeight(B + 2);
    SetSquare(*window.MorphButton9, B);
    window.MorphButton9->SetLeft(window.Width() - FileWindow->MorphButton1->Width() - 5);
    SetFontPoints(*window.FileListBox, B / 2);
}

// The windows built after the first paint (LateWindows) take the skin of the
// moment when they are built.
void SkinLateWindows() {
    const TBitmap titleBar = TitleBarPicture();
    SkinTransformationsWindow(titleBar, BackgroundPicture());
    AboutWindow->BackShape->Pen().Color = Viewer.co1;
    SkinBrowser(titleBar);
}

// A button and the glyph cell it shows.
struct GlyphButton {
    TMorphButton* button;
    int cell;
};

// The glyphs of the buttons that show a small picture and of those that show
// a word (the wide cells), tinted to the button colours.
void TintButtons(const TBitmap& sheet, std::span<const GlyphButton> buttons, std::span<const GlyphButton> wideButtons) {
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

// The late windows' buttons, tinted to the button colours of the moment.
void TintLateWindowButtons() {
    TTransformationsWindow& transformations = *TransformationsWindow;
    const GlyphButton buttons[] = {
        {transformations.MorphButton9, 5},  {transformations.MorphButton1, 12}, {transformations.MorphButton2, 11},
        {transformations.MorphButton3, 14}, {transformations.MorphButton4, 15}, {BrowserWindow->MorphButton1, 5},
        {AboutWindow->MorphButton1, 5}};
    const GlyphButton wideButtons[] = {{transformations.MorphButton6, 0},
                                       {transformations.MorphButton7, 1},
                                       {transformations.MorphButton5, 2},
                                       {transformations.MorphButton8, 3}};
    TintButtons(MainWindow->bt_big->Picture().Bitmap(), buttons, wideButtons);
}

// The options window: frames, swatches, the shared bars and texts.
void SkinOptionsWindow(const TBitmap& titleBar, const TBitmap& background) {
    OptionsWindow->BackShape->Pen().Color = Viewer.co1;
    for (TShape* frame : {OptionsWindow->Shape5, OptionsWindow->Shape6, OptionsWindow->Shape7}) frame->Pen().Color = Viewer.coText;
    const std::pair<TShape*, TColor> swatches[] = {{OptionsWindow->Shape1, Viewer.co1},     {OptionsWindow->Shape2, Viewer.co2},
                                                   {OptionsWindow->Shape3, Viewer.coText},  {OptionsWindow->Shape4, Viewer.coSelect},
                                                   {OptionsWindow->Shape10, Viewer.ibtc},   {OptionsWindow->Shape11, Viewer.abtc}};
    for (auto [swatch, color] : swatches) {
        swatch->Brush().Color = color;
        swatch->Invalidate();
    }
    ShowStretched(*OptionsWindow->TopImage, titleBar);
    ShowStretched(*OptionsWindow->BackImage, background);
    for (TControl* text : std::initializer_list<TControl*>{OptionsWindow->TopLabel, OptionsWindow->Label1, OptionsWindow->Label2,
                                                           OptionsWindow->Label3, OptionsWindow->Label4})
        SetFontColor(*text, Viewer.coText);
    for (TControl* field : std::initializer_list<TControl*>{
             OptionsWindow->CheckBox1, OptionsWindow->CheckBox2, OptionsWindow->CheckBox3, OptionsWindow->CheckBox4, OptionsWindow->CheckBox5,
             OptionsWindow->CheckBox6, OptionsWindow->CheckBox7, OptionsWindow->CheckBox8, OptionsWindow->Edit1, OptionsWindow->ComboBox1})
        SetFieldColors(*field, Viewer.co1, Viewer.coText);
}

}  // namespace

void TMainWindow::SetSkin() {
    const int B = Viewer.ButtonSize;
    const bool big = Viewer.ButtonSize == 24;

    BackShape->Pen().Color = Viewer.co1;

    const TBitmap titleBar = TitleBarPicture();
    ShowStretched(*TopImage, titleBar);
    ShowStretched(*BottomImage, titleBar);

    FileWindow->BackShape->Pen().Color = Viewer.co1;
    FileWindow->BackShape2->Brush().Color = Viewer.co1;
    const TBitmap background = BackgroundPicture();
    ShowStretched(*FileWindow->BackImage, background);
    ShowStretched(*FileWindow->TopImage, titleBar);
    for (TControl* text : {static_cast<TControl*>(FileWindow->TopLabel), static_cast<TControl*>(FileWindow->FileName)})
        SetFontColor(*text, Viewer.coText);
    for (TControl* list : std::initializer_list<TControl*>{FileWindow->DriveComboBox, FileWindow->FilterComboBox,
                                                           FileWindow->DirectoryListBox, FileWindow->FileListBox})
        SetFieldColors(*list, Viewer.co1, Viewer.coText);

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

    for (TLabel* title : {TopLabel, FileWindow->TopLabel, OptionsWindow->TopLabel})
        SetFontPoints(*title, big ? 16 : 12);
    SetFontPoints(*BottomLabel, big ? 14 : 12);

    FileWindow->TopImage->SetHeight(B + 2);
    SetSquare(*FileWindow->MorphButton1, B);
    SetSquare(*FileWindow->MorphButton2, B);
    for (TControl* below : std::initializer_list<TControl*>{FileWindow->FileName, FileWindow->Bevel1, FileWindow->BackShape2})
        below->SetTop(B + 7);
    FileWindow->MorphButton1->SetLeft(FileWindow->Width() - FileWindow->MorphButton1->Width() - 5);
    // Plus one: the dock button overlaps the close button by a pixel.
    FileWindow->MorphButton2->SetLeft(FileWindow->MorphButton1->Left() - B + 1);
    for (TControl* list : std::initializer_list<TControl*>{FileWindow->DirectoryListBox, FileWindow->FileListBox,
                                                           FileWindow->FilterComboBox, FileWindow->DriveComboBox,
                                                           FileWindow->FileName})
        SetFontPoints(*list, B / 2);

    OptionsWindow->TopImage->SetHeight(B + 2);
    SetSquare(*OptionsWindow->MorphButton8, B);
    OptionsWindow->MorphButton8->SetLeft(OptionsWindow->Width() - FileWindow->MorphButton1->Width() - 5);

    WhenLateWindowsBuilt(SkinLateWindows);
}

void TMainWindow::SetButtonSkin() {
    const GlyphButton buttons[] = {
        {MorphButton12, 0}, {MorphButton11, 1},  {MorphButton5, 2},  {MorphButton4, 3},
        {MorphButton3, 4},  {MorphButton1, 5},   {MorphButton7, 6},  {MorphButton9, 7},
        {MorphButton10, 9}, {MorphButton6, 10},  {MorphButton15, 13}, {MorphButton13, 14},
        {MorphButton14, 15}, {MorphButton8, 16}, {MorphButton2, 17}, {FileWindow->MorphButton1, 5},
        {FileWindow->MorphButton2, 8}, {OptionsWindow->MorphButton8, 5}, {OptionsWindow->MorphButton1, 6},
    };
    const GlyphButton wideButtons[] = {{OptionsWindow->MorphButton2, 5}};
    TintButtons(bt_big->Picture().Bitmap(), buttons, wideButtons);
    WhenLateWindowsBuilt(TintLateWindowButtons);
}

}  // namespace lumvex
