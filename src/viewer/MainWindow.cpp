#include "viewer/MainWindow.h"

#include <algorithm>
#include <utility>

#include "viewer/LateWindows.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"
#include "windowparts/WindowParts.h"
#include "platform/services/Application.h"
#include "platform/threads/WorkerPool.h"
#include "platform/services/Resources.h"
#include "platform/services/Screen.h"
#include "platform/services/StartupTiming.h"

namespace lumvex {

TViewerState Viewer;

void ResetViewerState() { Viewer = TViewerState{}; }

TMainWindow* MainWindow = nullptr;

TMainWindow::TMainWindow() {
    MainWindow = this;
    if (!Application.MainForm()) Application.SetMainForm(this);
    SetBorderStyle(bsNone);
    SetCaption("Lumvex2");
    TFont font;
    font.PixelHeight = 11;
    font.Style = fsBold;
    SetFont(font);
    SetBounds(271, 122, 632, 446);
    // Almost transparent until the start-up step has run.
    FadeWorks.SetSteps(100);
    FadeWorks.SetBlendValue(1);
    SetKeyPreview(true);
    CreateControls();
    LoadDesignPictures();

    OnResize = [this](TObject*) { FormResize(); };
    OnClose = [this](TObject*, TCloseAction&) { FormClose(); };
    OnKeyDown = [this](TObject* s, std::uint16_t& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnKeyUp = [this](TObject* s, std::uint16_t& k, TShiftState sh) { FormKeyUp(s, k, sh); };
    OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ImageMouseMove(s, sh, x, y); };
    FormCreate();
}

TMorphButton* TMainWindow::CreateButton(int tag, const std::string& hint, int left, int top) {
    TMorphButton* button = CreateImageButton(this, tag, hint, left, top);
    button->OnClick = [this](TObject* sender) { MorphButton1Click(sender); };
    return button;
}

void TMainWindow::CreateControls() {
    auto dragHere = [this](TControl* control) {
        control->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ImageMouseMove(s, sh, x, y); };
    };

    BackLogo = new TImage(this);
    BackLogo->SetBounds(0, 18, 632, 410);
    BackLogo->SetCenter(true);
    BackLogo->SetTransparent(true);
    dragHere(BackLogo);

    BackShape = CreateFrame(this, Bounds(0, 18, 632, 410));
    dragHere(BackShape);

    border = new TShape(this);
    border->SetBounds(256, 32, 41, 33);
    border->Brush().Style = TBrushStyle::bsClear;
    border->Pen().Color = clWhite;
    dragHere(border);

    Image = new TImage(this);
    Image->SetBounds(1, 18, 105, 105);
    Image->OnDblClick = [this](TObject* sender) { ImageDblClick(sender); };
    dragHere(Image);

    BottomImage = new TImage(this);
    BottomImage->SetHeight(18);
    BottomImage->SetAlign(alBottom);
    BottomImage->SetStretch(true);
    dragHere(BottomImage);

    BottomLabel = CreateTitle(this, "Lumvex", 8, 432);
    dragHere(BottomLabel);

    struct Mark {
        TLabel** label;
        int left, top;
        TColor color;
    };
    const Mark marks[] = {{&SelectLabel2, 7, 26, clBlack},
                          {&SelectLabel3, 9, 26, clBlack},
                          {&SelectLabel4, 8, 25, clBlack},
                          {&SelectLabel5, 8, 27, clBlack},
                          {&SelectLabel, 8, 26, clRed}};
    for (const Mark& m : marks) {
        TLabel* label = new TLabel(this);
        label->SetAutoSize(false);
        label->SetTransparent(true);
        label->SetWordWrap(true);
        TFont font;
        font.PixelHeight = 11;
        font.Style = fsBold;
        font.Color = m.color;
        label->SetFont(font);
        label->SetBounds(m.left, m.top, 57, 15);
        label->SetCaption("No Image");
        label->Hide();
        *m.label = label;
    }

    TopImage = CreateTitleBar(this);
    TopImage->OnDblClick = [this](TObject* sender) { MorphButton1Click(sender); };
    dragHere(TopImage);

    TopLabel = CreateTitle(this, "Lumvex", 24, 2);
    TopLabel->OnDblClick = [this](TObject* sender) { MorphButton1Click(sender); };
    dragHere(TopLabel);

    MorphButton5 = CreateButton(4, "teljes méret abalak nélkül", 560, 1);
    MorphButton4 = CreateButton(3, "kis méret", 577, 1);
    MorphButton3 = CreateButton(2, "teljes méret", 594, 1);
    MorphButton1 = CreateButton(1, "bezárás", 611, 1);
    MorphButton14 = CreateButton(14, "forgatás balra 90 fokkal", 0, 429);
    MorphButton13 = CreateButton(13, "forgatás jobbra 90 fokkal", 0, 429);
    MorphButton10 = CreateButton(10, "kép szerkesztése", 0, 429);
    MorphButton12 = CreateButton(12, "törlés", 0, 429);
    MorphButton11 = CreateButton(11, "kijelölés", 0, 429);
    MorphButton8 = CreateButton(8, "beállítások", 0, 429);
    MorphButton9 = CreateButton(9, "transzformációk", 0, 429);
    MorphButton2 = CreateButton(16, "tallóz", 0, 429);
    MorphButton7 = CreateButton(7, "fájl ablak", 0, 429);
    MorphButton15 = CreateButton(15, "Háttér váltása", 0, 429);
    MorphButton6 = CreateButton(6, "kép elrendezése", 0, 429);

    logo = new TImage(this);
    logo->SetBounds(4, 1, 15, 15);
    logo->SetStretch(true);
    logo->SetTransparent(true);
    dragHere(logo);

    bt_big = new TImage(this);
    bt_big->SetBounds(8, 96, 432, 96);
    bt_big->Hide();

    sizer = new TImage(this);
    sizer->SetBounds(608, 432, 16, 16);
    sizer->SetCursor(crSizeNWSE);
    sizer->SetStretch(true);
    sizer->SetTransparent(true);
    sizer->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { Shape1MouseMove(s, sh, x, y); };
    sizer->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        Shape1MouseUp(s, b, sh, x, y);
    };

    TImg = new TImage(this);
    TImg->SetBounds(168, 40, 105, 105);
    TImg->SetAutoSize(true);
    TImg->Hide();
    TImg2 = new TImage(this);
    TImg2->SetBounds(208, 40, 105, 105);
    TImg2->SetAutoSize(true);
    TImg2->Hide();

    struct Entry {
        TMenuItem** item;
        const char* caption;
        int mode;
    };
    const Entry entries[] = {{&nyjtas1, "Méretarányos nyújtás\t1", 2},
                             {&Kzpen1, "Középen (eredeti méret)\t2", 0},
                             {&Mozaik1, "Mozaik\t3", 3},
                             {&Nyjts1, "Nyújtás\t4", 1}};
    for (const Entry& e : entries) {
        TMenuItem* item = PicturePositionMenu.Items().Add(e.caption);
        item->Tag = e.mode;
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
        item->OnClick = [this](TObject* sender) { nyjtas1Click(sender); };
        *e.item = item;
    }

    Destruktor = new TTimer;
    Destruktor->SetInterval(1);
    Destruktor->OnTimer = [this](TObject*) { DestruktorTimer(); };
    Timer.SetInterval(10);
    Timer.OnTimer = [this](TObject* sender) { TimerTimer(sender); };
}

// The pictures that are part of the window's design.
void TMainWindow::LoadDesignPictures() {
    LoadResourcePicture(BackLogo->Picture(), resource::BackgroundLogo);
    LoadResourcePicture(logo->Picture(), resource::Emblem);
    LoadResourcePicture(sizer->Picture(), resource::SizeGrip);
    LoadResourcePicture(bt_big->Picture(), resource::GlyphSheet);
}

void TMainWindow::FormCreate() {
    if (!Viewer.CommandLinePicture.empty()) Viewer.StartFilePending = true;
}

void TMainWindow::ApplyFileWindowHeight() {
    FileWindow->FitToHeight(Height());
}

void TMainWindow::DestruktorTimer() {
    if (!Destruktor) return;
    TimingMark("start-up step");
    FileWindow->FileName->SetCaption(FileWindow->FileListBox->FileName());
    Viewer.ZoomSteps = 0;
    SetDoubleBuffered(true);
    FileWindow->SetDoubleBuffered(true);
    SetColor(clBlack);
    Viewer.co1 = 0x24DB7B;
    Viewer.co2 = 0x0D4F2C;
    Viewer.coText = 0x000000;
    Viewer.coSelect = 0xFFFFFF;
    Viewer.ibtc = 0x008000;
    Viewer.abtc = 0x00FF00;
    OptionsWindow->LoadOptions();
    TimingMark("settings loaded");
    SetSkin();
    TimingMark("skin applied");
    FormResize();
    // A fade-in changes only the opacity: the file window stays hidden.
    if (OptionsWindow->CheckBox1->Checked()) {
        FadeWorks.FadeIn(255);
        FileWindow->FadeWorks.FadeIn(255);
    } else {
        Show();
        FadeWorks.SetBlendValue(255);
        FileWindow->Hide();
        FileWindow->FadeWorks.SetBlendValue(255);
    }
    Viewer.FadeInactive = OptionsWindow->CheckBox2->Checked();
    if (!OptionsWindow->CheckBox3->Checked()) BackLogo->Hide();
    ApplyFileWindowHeight();
    // Dispose of the one-shot timer; the step never runs again.
    TTimer* once = std::exchange(Destruktor, nullptr);
    once->SetEnabled(false);
    once->OnTimer = nullptr;
    delete once;
    // Whether the first picture loads or fails, the windows left for later
    // are built once what it left is on screen.
    struct AfterLoading {
        TMainWindow& window;
        ~AfterLoading() { window.AwaitFirstPaint(); }
    } afterLoading{*this};
    WhenLateWindowsBuilt([] { TransformationsWindow->FileListBoxChange(); });
    FileWindow->FileListBoxChange();
    TimingMark("first picture loaded");
}

void TMainWindow::AwaitFirstPaint() {
    AfterNextPaint([] {
        TimingMark("first picture painted");
        BuildLateWindows();
    });
    // A window that gets no paint (placed off the screen) does not keep them waiting.
    QueueOnUiThreadAfter(LateWindowsAtTheLatestMs, BuildLateWindows);
}

void TMainWindow::FormResize() {
    const int W = Width(), H = Height(), B = Viewer.ButtonSize;
    MorphButton1->SetLeft(W - MorphButton1->Width() - 5);
    MorphButton3->SetLeft(MorphButton1->Left() - B - 1);
    MorphButton4->SetLeft(MorphButton3->Left() - B - 1);
    MorphButton5->SetLeft(MorphButton4->Left() - B - 1);

    TMorphButton* bottom[] = {MorphButton6,  MorphButton15, MorphButton7,  MorphButton2,
                              MorphButton9,  MorphButton8,  MorphButton11, MorphButton12,
                              MorphButton10, MorphButton13, MorphButton14};
    for (TMorphButton* button : bottom) button->SetTop(H - B - 1);
    MorphButton6->SetLeft(W - 2 * B);
    for (int i = 1; i < 11; ++i) {
        // The wider gaps before MorphButton7 and MorphButton11 part the three groups.
        const bool groupGap = bottom[i] == MorphButton7 || bottom[i] == MorphButton11;
        bottom[i]->SetLeft(bottom[i - 1]->Left() - B - (groupGap ? B / 2 : 0) - 1);
    }

    sizer->SetTop(H - B - 2);
    sizer->SetLeft(W - B - 3);
    BottomLabel->SetTop(H - B);

    Viewer.AreaLeft = 0;
    Viewer.AreaTop = TopImage->Height();
    Viewer.AreaWidth = W;
    Viewer.AreaHeight = H - TopImage->Height() - BottomImage->Height();
    ResizeImage(Image, TImg);

    if (Screen.Width() != W && Screen.Height() != H && FileWindow) {
        FileWindow->DockPlacement(Top(), Left(), W);
        ApplyFileWindowHeight();
        ShowToolWindowsInFront();
    }
    border->SetBounds(Image->Left() - 1, Image->Top() - 1, Image->Width() + 2, Image->Height() + 2);
    Repaint();
}

void TMainWindow::ShowToolWindowsInFront() {
    for (TForm* tool : {static_cast<TForm*>(TransformationsWindow), static_cast<TForm*>(OptionsWindow)}) {
        if (tool && tool->Visible()) {
            tool->Show();
            tool->BringToFront();
        }
    }
}

void TMainWindow::FormClose() { SaveOptionsForClose(); }

void TMainWindow::SaveOptionsForClose() { Application.Dispatch([] { OptionsWindow->SaveOptions(); }); }

}  // namespace lumvex
