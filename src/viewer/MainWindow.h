#pragma once
// The main window: the viewer itself. It owns the viewer's state, which the
// other windows read and write directly.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "components/FadeWorks.h"
#include "components/Gauges.h"
#include "components/MorphButton.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Shape.h"
#include "platform/controls/Timer.h"
#include "viewer/HeldPicture.h"
#include "windowparts/WindowDrag.h"

namespace lumvex {

// Zoom steps multiply or divide the picture's size by this; a pan tick moves
// by PanStep plus a share of the zoom and the picture's size.
inline constexpr double ZoomFactor = 1.5;
inline constexpr int PanStep = 10;

// The viewer's state, shared by the windows for the life of the process.
struct TViewerState {
    bool StartFilePending = false;
    std::uint8_t FitMode = 2;  // 0 centre, 1 stretch, 2 proportional, 3 tile, 4 zoom
    bool TiledBitmap = false;
    int ZoomSteps = 0;
    double ViewCenterX = 0, ViewCenterY = 0;
    int PictureWidth = 0, PictureHeight = 0;
    int AreaLeft = 0, AreaTop = 0, AreaWidth = 0, AreaHeight = 0;
    std::array<bool, 256> KeyHeld{};
    WindowDrag Drag;  // the main window dragged by its bars or picture
    bool FullScreen = false;
    std::array<int, 4> SavedBounds{};
    bool FileWindowShown = false;
    std::uint8_t ButtonSize = 16;
    bool FadeInactive = true;
    bool ColorDialogOpen = false;
    TColor co1 = 0, co2 = 0, coText = 0, coSelect = 0, ibtc = 0, abtc = 0;

    // Dimming of the main and file windows while the program is inactive: on
    // from the tick that notices, counting DimLevel down from 600; the opacity
    // follows below 255, down to 160, where the tool windows are hidden.
    bool Dimming = false;
    std::uint16_t DimLevel = 0;
    // The tool windows that the dimming hid, to be shown again with the focus.
    bool TransformationsHidden = false;
    bool OptionsHidden = false;

    // The picture named on the command line ("" when there is none).
    std::string CommandLinePicture;
};
extern TViewerState Viewer;

// Back to the state of a process that has just started.
void ResetViewerState();

class TMainWindow : public TForm {
public:
    TMainWindow();

    TImage* BackLogo;
    TShape* BackShape;
    TShape* border;
    TImage* Image;
    TImage* BottomImage;
    TLabel* BottomLabel;
    TLabel* SelectLabel2;
    TLabel* SelectLabel3;
    TLabel* SelectLabel4;
    TLabel* SelectLabel5;
    TLabel* SelectLabel;
    TImage* TopImage;
    TLabel* TopLabel;
    TMorphButton* MorphButton5;  // full screen without a frame
    TMorphButton* MorphButton4;  // minimise
    TMorphButton* MorphButton3;  // maximise
    TMorphButton* MorphButton1;  // close
    TMorphButton* MorphButton14;  // turn left
    TMorphButton* MorphButton13;  // turn right
    TMorphButton* MorphButton10;  // edit in the external editor
    TMorphButton* MorphButton12;  // delete
    TMorphButton* MorphButton11;  // mark
    TMorphButton* MorphButton8;  // options window
    TMorphButton* MorphButton9;  // transformations window
    TMorphButton* MorphButton2;  // thumbnail browser
    TMorphButton* MorphButton7;  // file window
    TMorphButton* MorphButton15;  // background black or white
    TMorphButton* MorphButton6;  // the fit-mode menu
    TImage* logo;
    TImage* bt_big;
    TImage* sizer;
    TImage* TImg;
    TImage* TImg2;
    TPopupMenu PicturePositionMenu;
    TMenuItem* nyjtas1;
    TMenuItem* Kzpen1;
    TMenuItem* Mozaik1;
    TMenuItem* Nyjts1;
    TTimer* Destruktor;
    TTimer Timer;
    TFadeWorks FadeWorks{this};

    void FormCreate();
    void DestruktorTimer();
    // The late windows (LateWindows) are built after the first paint that
    // follows, or after LateWindowsAtTheLatestMs without one.
    void AwaitFirstPaint();
    static constexpr int LateWindowsAtTheLatestMs = 500;
    void FormResize();
    void FormClose();
    // Saves the settings as the program closes. Closing always ends the
    // program: a save that fails is shown in the error box, and the close
    // goes on.
    void SaveOptionsForClose();

    // Loading (the file's picture onto the display) and the bars' texts.
    void LoadImage(const std::string& fileName, TImage* target, TImage* work);
    void GetFileInfo(const std::string& fileName);
    // Has the neighbours of the current file decoded ahead (Prefetch).
    void PrefetchNeighbours();

    // Placement of the display picture in the picture area.
    void nyjtas1Click(TObject* sender);
    void ResizeImage(TImage* target, TImage* work);
    void Zoom(TImage* target, TImage* work, bool zoomIn);
    void AlignToRect(TImage* target);
    void MoveImage(TImage* target);
    // The numpad plus and minus rules.
    void ZoomKey(bool zoomIn);

    // Turns the picture on view a quarter, writes it to the current file and
    // shows it. Unless TImg still holds that file's picture as the file is
    // now, the file is read again first; a file that is gone is not made anew.
    void RotateViewedPicture(bool Left, TGauge& gauge);
    THeldPicture HeldPicture;

    // Commands, keys and mouse.
    void MorphButton1Click(TObject* sender);
    void ViewCommand(int number);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);
    void FormKeyUp(TObject* sender, std::uint16_t& key, TShiftState shift);
    void ImageMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ImageDblClick(TObject* sender);
    void Shape1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Shape1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void TimerTimer(TObject* sender);
    void RunExe(const std::string& program, int showMode, const std::vector<std::string>& arguments);
    void StepPicture(bool forward);

    // The marks: mark or unmark the current file, clear them all, delete the
    // marked files, and the overlay that names them.
    void ToggleMark();
    void ClearMarks();
    // True when the deletion was confirmed and ran.
    bool DeleteMarkedFiles();
    void SetSelectLabel();
    bool MarksOverlayEmpty() const;

    // The file-window height rule.
    void ApplyFileWindowHeight();

    // One step of the inactive-window dimming, run on every 10 ms tick.
    void DimInactiveWindows();

    // The skin of all windows: colours, gradients, sizes and fonts; and the
    // button glyphs tinted to the button colours.
    void SetSkin();
    void SetButtonSkin();

private:
    void CreateControls();
    void LoadDesignPictures();
    void StartAnimation(TImage* target);
    bool PictureFits() const;
    bool ZoomStep(bool zoomIn);  // false when the step changed nothing
    TMorphButton* CreateButton(int tag, const std::string& hint, int left, int top);
    void ToggleFullScreen();
    void ToggleToolWindow(TForm* window);
    void ShowToolWindowsInFront();
};

extern TMainWindow* MainWindow;

// A file size as the information line shows it: "1000B", "128KB", "12MB".
std::string SizeText(std::int64_t bytes);

}  // namespace lumvex
