// The main window's commands, keys and mouse.
#include <algorithm>

#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"
#include "navigation/BrowserWindow.h"
#include "viewer/LateWindows.h"
#include "windowparts/WindowParts.h"
#include "platform/SysUtils.h"
#include "platform/services/Application.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/Screen.h"
#include "platform/services/Shell.h"

namespace lumvex {

void TMainWindow::MorphButton1Click(TObject* sender) { ViewCommand(sender ? sender->Tag : 0); }

void TMainWindow::ViewCommand(int number) {
    BuildLateWindows();  // a command may come before the first paint
    switch (number) {
    case 1:
        SaveOptionsForClose();
        DestroyHandle();
        Application.Terminate();
        break;
    case 2: SetWindowState(WindowState() == wsNormal ? wsMaximized : wsNormal); break;
    case 3: Application.Minimize(); break;
    case 4: ToggleFullScreen(); break;
    case 6: {
        TPoint at = Mouse.CursorPos();
        PicturePositionMenu.Popup(at.X, at.Y);
        break;
    }
    case 7:
        FileWindow->SetVisible(!FileWindow->Visible());
        Viewer.FileWindowShown = FileWindow->Visible();
        ShowToolWindowsInFront();
        break;
    case 8: ToggleToolWindow(OptionsWindow); break;
    case 9: ToggleToolWindow(TransformationsWindow); break;
    case 10: RunExe(OptionsWindow->Edit1->Text(), 1, {FileWindow->FileName->Caption()}); break;
    case 11: ToggleMark(); break;
    case 12: DeleteMarkedFiles(); break;
    case 13:
    case 14: {
        const bool left = number == 14;
        if (TransformationsWindow->FileListBox->SelCount() == 1)
            RotateViewedPicture(left, *TransformationsWindow->Gauge);
        else
            TransformationsWindow->TurnBatch(left);
        ResizeImage(Image, TImg);
        break;
    }
    case 15:
        if (Color() == clBlack) {
            border->Pen().Color = clBlack;
            SetColor(clWhite);
        } else {
            border->Pen().Color = clWhite;
            SetColor(clBlack);
        }
        border->Invalidate();
        OptionsWindow->CheckBox3->SetChecked(false);
        break;
    case 16:
        BrowserWindow->Show();
        BrowserWindow->Build();
        BrowserWindow->FormResize();
        Hide();
        FileWindow->Show();
        break;
    default: break;  // 0, 5 and unknown numbers do nothing
    }
}

void TMainWindow::ToggleToolWindow(TForm* window) { window->SetVisible(!window->Visible()); }

void TMainWindow::ToggleFullScreen() {
    if (WindowState() == wsMaximized) SetWindowState(wsNormal);
    TControl* barControls[] = {TopImage,      BottomImage,   BackShape,     sizer,         TopLabel,
                               BottomLabel,   logo,          MorphButton1,  MorphButton2,  MorphButton3,
                               MorphButton4,  MorphButton5,  MorphButton6,  MorphButton7,  MorphButton8,
                               MorphButton9,  MorphButton10, MorphButton11, MorphButton12, MorphButton13,
                               MorphButton14, MorphButton15};
    if (TopImage->Visible()) {
        SetFormStyle(fsStayOnTop);
        Viewer.SavedBounds = {Left(), Top(), Width(), Height()};
        Viewer.FullScreen = true;
        SetBounds(0, 0, Screen.Width(), Screen.Height());
        for (TControl* control : barControls) control->Hide();
        Viewer.AreaLeft = 0;
        Viewer.AreaTop = 0;
        Viewer.AreaWidth = Screen.Width();
        Viewer.AreaHeight = Screen.Height();
        ResizeImage(Image, TImg);
    } else {
        Viewer.FullScreen = false;
        SetBounds(Viewer.SavedBounds[0], Viewer.SavedBounds[1], Viewer.SavedBounds[2], Viewer.SavedBounds[3]);
        for (TControl* control : barControls) control->Show();
        ResizeImage(Image, TImg);
    }
}

void TMainWindow::ImageDblClick(TObject*) { ViewCommand(4); }

void TMainWindow::FormKeyDown(TObject*, std::uint16_t& key, TShiftState) {
    BuildLateWindows();  // a key may come before the first paint
    const std::uint16_t k = key;
    if (k < Viewer.KeyHeld.size()) Viewer.KeyHeld[k] = true;
    if (k == VK_RETURN) ViewCommand(7);
    if (k == VK_DECIMAL) ViewCommand(9);
    if (k == 'B') ViewCommand(8);
    if (k == VK_NUMPAD0 && BrowserWindow->Visible()) {
        BrowserWindow->MorphButton1Click(BrowserWindow->MorphButton1);
        FileWindow->SetVisible(Viewer.FileWindowShown);
        return;
    }
    if (!Active()) return;
    switch (k) {
    case 'F': ViewCommand(4); break;
    case VK_NUMPAD0:
        BrowserWindow->SetBounds(Left(), Top(), Width(), Height());
        ViewCommand(16);
        break;
    case 'L': ViewCommand(14); break;
    case 'R': ViewCommand(13); break;
    case VK_INSERT: ViewCommand(11); break;
    case 'E': ViewCommand(10); break;
    case VK_HOME: ClearMarks(); break;
    case VK_BACK: StepPicture(false); break;
    case VK_SPACE: StepPicture(true); break;
    case VK_ADD: ZoomKey(true); break;
    case VK_SUBTRACT: ZoomKey(false); break;
    default: break;
    }
}

void TMainWindow::FormKeyUp(TObject*, std::uint16_t& key, TShiftState) {
    if (key < Viewer.KeyHeld.size()) Viewer.KeyHeld[key] = false;
}

bool TMainWindow::MarksOverlayEmpty() const { return !SelectLabel->Visible() || SelectLabel->Caption().empty(); }

void TMainWindow::StepPicture(bool forward) {
    TFileListBox* list = FileWindow->FileListBox;
    if (forward) {
        const int i = list->ItemIndex() + 1;
        list->SetItemIndex(i > list->Count() - 1 ? 0 : i);
    } else {
        list->SetItemIndex(list->ItemIndex() - 1);
        if (list->ItemIndex() < 0) list->SetItemIndex(list->Count() - 1);
    }
    if (MarksOverlayEmpty()) {
        FileWindow->FileListBoxChange();
    } else {
        FileWindow->FileName->SetCaption(list->FileName());
        LoadImage(list->FileName(), Image, TImg);
        ResizeImage(Image, TImg);
    }
}

void TMainWindow::ImageMouseMove(TObject*, TShiftState shift, int x, int y) {
    if (Viewer.Drag.MouseMove(*this, shift, x, y, !Viewer.FullScreen) && !FileWindow->Undocked &&
        Width() != Screen.Width() && Height() != Screen.Height())
        FileWindow->DockPlacement(Top(), Left(), Width());
}

void TMainWindow::Shape1MouseMove(TObject*, TShiftState shift, int, int) {
    if (shift & ssLeft) ResizeToGrip(*this, *sizer, 100, 37);
}

void TMainWindow::Shape1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ApplyFileWindowHeight(); }

void TMainWindow::TimerTimer(TObject*) {
    MoveImage(Image);
    DimInactiveWindows();
}

// The path goes as one argument, so no quote within it can split it. A program
// that cannot start raises an error naming it.
void TMainWindow::RunExe(const std::string& program, int, const std::vector<std::string>& arguments) {
    ShellExecute("Open", ExtractFileName(program), arguments, ExtractFilePath(program));
}

}  // namespace lumvex
