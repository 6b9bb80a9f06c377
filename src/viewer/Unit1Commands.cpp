// The main window's commands, keys and mouse.
#include <algorithm>

#include "viewer/Unit1.h"
#include "navigation/Unit2.h"
#include "imageops/Unit3.h"
#include "appearance/Unit4.h"
#include "navigation/Unit6.h"
#include "windowparts/WindowParts.h"
#include "platform/SysUtils.h"
#include "platform/services/Application.h"
#include "platform/services/KeyCodes.h"
#include "platform/services/Screen.h"
#include "platform/services/Shell.h"

namespace lumvex {

void TForm1::MorphButton1Click(TObject* sender) { ViewCommand(sender ? sender->Tag : 0); }

void TForm1::ViewCommand(int number) {
    switch (number) {
    case 1:
        Form4->SaveOptions();
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
        Form2->SetVisible(!Form2->Visible());
        Viewer.FileWindowShown = Form2->Visible();
        ShowToolWindowsInFront();
        break;
    case 8: ToggleToolWindow(Form4); break;
    case 9: ToggleToolWindow(Form3); break;
    case 10: RunExe(Form4->Edit1->Text(), 1, {Form2->FileName->Caption()}); break;
    case 11: ToggleMark(); break;
    case 12: DeleteMarkedFiles(); break;
    case 13:
    case 14: {
        const bool left = number == 14;
        if (Form3->FileListBox->SelCount() == 1)
            RotateViewedPicture(left, *Form3->Gauge);
        else
            Form3->TurnBatch(left);
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
        Form4->CheckBox3->SetChecked(false);
        break;
    case 16:
        Form6->Show();
        Form6->Build();
        Form6->FormResize();
        Hide();
        Form2->Show();
        break;
    default: break;  // 0, 5 and unknown numbers do nothing
    }
}

void TForm1::ToggleToolWindow(TForm* window) { window->SetVisible(!window->Visible()); }

void TForm1::ToggleFullScreen() {
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

void TForm1::ImageDblClick(TObject*) { ViewCommand(4); }

void TForm1::FormKeyDown(TObject*, std::uint16_t& key, TShiftState) {
    const std::uint16_t k = key;
    if (k < Viewer.KeyHeld.size()) Viewer.KeyHeld[k] = true;
    if (k == VK_RETURN) ViewCommand(7);
    if (k == VK_DECIMAL) ViewCommand(9);
    if (k == 'B') ViewCommand(8);
    if (k == VK_NUMPAD0 && Form6->Visible()) {
        Form6->MorphButton1Click(Form6->MorphButton1);
        Form2->SetVisible(Viewer.FileWindowShown);
        return;
    }
    if (!Active()) return;
    switch (k) {
    case 'F': ViewCommand(4); break;
    case VK_NUMPAD0:
        Form6->SetBounds(Left(), Top(), Width(), Height());
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

void TForm1::FormKeyUp(TObject*, std::uint16_t& key, TShiftState) {
    if (key < Viewer.KeyHeld.size()) Viewer.KeyHeld[key] = false;
}

bool TForm1::MarksOverlayEmpty() const { return !SelectLabel->Visible() || SelectLabel->Caption().empty(); }

void TForm1::StepPicture(bool forward) {
    TFileListBox* list = Form2->FileListBox;
    if (forward) {
        const int i = list->ItemIndex() + 1;
        list->SetItemIndex(i > list->Count() - 1 ? 0 : i);
    } else {
        list->SetItemIndex(list->ItemIndex() - 1);
        if (list->ItemIndex() < 0) list->SetItemIndex(list->Count() - 1);
    }
    if (MarksOverlayEmpty()) {
        Form2->FileListBoxChange();
    } else {
        Form2->FileName->SetCaption(list->FileName());
        LoadImage(list->FileName(), Image, TImg);
        ResizeImage(Image, TImg);
    }
}

void TForm1::ImageMouseMove(TObject*, TShiftState shift, int x, int y) {
    if (Viewer.Drag.MouseMove(*this, shift, x, y, !Viewer.FullScreen) && !Form2->Undocked &&
        Width() != Screen.Width() && Height() != Screen.Height())
        Form2->DockPlacement(Top(), Left(), Width());
}

void TForm1::Shape1MouseMove(TObject*, TShiftState shift, int, int) {
    if (shift & ssLeft) ResizeToGrip(*this, *sizer, 100, 37);
}

void TForm1::Shape1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { ApplyFileWindowHeight(); }

void TForm1::TimerTimer(TObject*) {
    MoveImage(Image);
    DimInactiveWindows();
}

// The path goes as one argument, so no quote within it can split it. A program
// that cannot start raises an error naming it.
void TForm1::RunExe(const std::string& program, int, const std::vector<std::string>& arguments) {
    ShellExecute("Open", ExtractFileName(program), arguments, ExtractFilePath(program));
}

}  // namespace lumvex
