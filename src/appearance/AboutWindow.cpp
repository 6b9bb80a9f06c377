#include "appearance/AboutWindow.h"

#include <cstring>
#include <random>

#include "viewer/MainWindow.h"
#include "windowparts/WindowParts.h"
#include "platform/services/Resources.h"
#include "platform/services/Shell.h"

namespace lumvex {

TAboutWindow* AboutWindow = nullptr;
int GlitchThreshold = 0;

namespace {

constexpr int LogoWidth = 473;
constexpr int GlitchRows = 171;

// A uniform pseudo-random integer 0..n-1.
int Random(int n) {
    static std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<int>(0, n - 1)(generator);
}

TFont CourierNew(int pixels, TColor color, unsigned style = 0) {
    TFont font;
    font.Name = "Courier New";
    font.PixelHeight = pixels;
    font.Color = color;
    font.Style = style;
    return font;
}

}  // namespace

TAboutWindow::TAboutWindow() {
    AboutWindow = this;
    SetBorderStyle(bsNone);
    SetFormStyle(fsStayOnTop);
    SetCaption("Névjegy");
    SetColor(clBlack);
    SetBounds(300, 200, 478, 292);
    CreateControls();
    Timer1.SetEnabled(false);
    Timer1.SetInterval(100);
    Timer1.OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    Timer2.SetEnabled(false);
    Timer2.SetInterval(1000);
    Timer2.OnTimer = [this](TObject* sender) { Timer2Timer(sender); };
    OnActivate = [this](TObject* sender) { FormActivate(sender); };
    OnClose = [this](TObject* sender, TCloseAction&) { FormClose(sender); };
}

void TAboutWindow::CreateControls() {
    const TMouseMoveEvent drag = [this](TObject* s, TShiftState sh, int x, int y) { imgMouseMove(s, sh, x, y); };

    BackShape = CreateFrame(this, Bounds(0, 0, 478, 292));
    BackShape->OnMouseMove = drag;
    img = new TImage(this);
    img->SetBounds(2, 2, 473, 287);
    img->OnMouseMove = drag;
    MorphButton1 = CreateImageButton(this, 0, "bezárás", 449, 4, 24);
    MorphButton1->OnClick = [this](TObject* sender) { MorphButton1Click(sender); };
    Icon = new TImage(this);
    Icon->SetBounds(160, 176, 32, 32);
    Icon->SetStretch(true);
    LoadResourcePicture(Icon->Picture(), resource::Icons[0]);
    Icon->OnMouseMove = drag;

    auto label = [&](const char* caption, int left, int top, const TFont& font) {
        auto* l = new TLabel(this);
        l->SetFont(font);
        l->SetTransparent(true);
        l->SetCaption(caption);
        l->SetLeft(left);
        l->SetTop(top);
        return l;
    };
    Label2 = label("Lumvex v2.0", 200, 180, CourierNew(19, 0x663300, fsBold));
    Label1 = label("Lumvex v2.0", 208, 180, CourierNew(19, 0xFF8000));
    Label1->OnMouseMove = drag;
    const TColor linkColor = 0xC16100;
    Label4 = label("web:", 8, 220, CourierNew(13, linkColor));
    Label4->OnMouseMove = drag;
    Label3 = label(AboutWebAddress, 48, 220, CourierNew(13, linkColor, fsUnderline));
    Label3->SetCursor(crHandPoint);
    Label3->OnClick = [this](TObject* sender) { Label3Click(sender); };
    Label5 = label((std::string("e-mail: ") + AboutMailAddress).c_str(), 256, 220, CourierNew(13, linkColor));
    Label5->OnMouseMove = drag;
    Label6 = label("A program írója semmilyen felelőséget nem vállal a programért. "
                   "A Lumvex a TARNIC saját programja.",
                   8, 244, CourierNew(13, linkColor));
    Label6->SetAutoSize(false);
    Label6->SetWordWrap(true);
    Label6->SetBounds(8, 244, 457, 37);
    Label6->OnMouseMove = drag;

    TImg = new TImage(this);
    TImg->Hide();
}

void TAboutWindow::FormActivate(TObject*) {
    SetDoubleBuffered(true);
    // The logo's top rows are the animation's source.
    TBitmap source(LogoWidth, GlitchRows, TPixelFormat::pf24bit);
    if (const TGraphic* logo = MainWindow->BackLogo->Picture().Graphic()) source.Canvas().Draw(0, 0, *logo);
    source.SetPixelFormat(TPixelFormat::pf24bit);
    TImg->Picture().Assign(&source);
    const TBitmap display(LogoWidth, GlitchRows, TPixelFormat::pf24bit);
    img->Picture().Assign(&display);
    Timer1.SetEnabled(true);
    Timer2.SetEnabled(true);
}

void TAboutWindow::Timer1Timer(TObject*) {
    Label2->SetLeft(208 + Random(5));
    Label2->SetTop(180 + Random(5));
    const TBitmap& source = TImg->Picture().Bitmap();
    TBitmap& display = img->Picture().Bitmap();
    if (source.Width() < LogoWidth || source.Height() < GlitchRows || display.Width() < LogoWidth ||
        display.Height() < GlitchRows)
        return;  // not prepared: the window was never activated
    for (int y = 0; y < GlitchRows; ++y) {
        const std::uint8_t* from = source.ScanLine(y);
        std::uint8_t* to = display.ScanLine(y);
        if (Random(2) != 0) {
            std::memcpy(to, from, 3 * std::size_t(LogoWidth));
            continue;
        }
        for (int x = 0; x < 3 * LogoWidth; x += 3) {
            const bool dark = from[x + 1] > GlitchThreshold;  // bytes blue, green, red
            for (int c = 0; c < 3; ++c) to[x + c] = dark ? 0 : from[x + c];
        }
    }
    GlitchThreshold = 230;
    img->Repaint();
}

void TAboutWindow::Timer2Timer(TObject*) {
    GlitchThreshold = 100;
    Timer2.SetInterval(300 + Random(5000));
}

void TAboutWindow::imgMouseMove(TObject*, TShiftState shift, int x, int y) { drag_.MouseMove(*this, shift, x, y); }

void TAboutWindow::MorphButton1Click(TObject* sender) {
    FormClose(sender);
    Hide();
}

void TAboutWindow::FormClose(TObject*) {
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    SetDoubleBuffered(false);
}

void TAboutWindow::Label3Click(TObject*) { OpenURL(AboutWebAddress); }

}  // namespace lumvex
