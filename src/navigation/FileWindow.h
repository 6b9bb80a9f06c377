#pragma once
// The file window: the folder navigation, and the keeper of the viewer's
// current file (the selected entry of its file list and the FileName label).
#include "windowparts/WindowDrag.h"
#include "components/FadeWorks.h"
#include "components/MorphButton.h"
#include "platform/controls/Bevel.h"
#include "platform/controls/FileCtrls.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"

namespace lumvex {

// The file types the viewer opens.
inline constexpr const char* PictureMask =
    "*.bmp;*.jpg;*.jpeg;*.ico;*.gif;*.png;*.webp;*.tif;*.tiff;*.heic;*.heif;*.avif;*.jxl";

class TFileWindow : public TForm {
public:
    TFileWindow();

    TImage* TopImage;
    TLabel* TopLabel;
    TMorphButton* MorphButton1;  // close
    TMorphButton* MorphButton2;  // dock or undock
    TImage* BackImage;
    TShape* BackShape;
    TShape* BackShape2;
    TBevel* Bevel1;
    TLabel* FileName;
    TFilterComboBox* FilterComboBox;
    TDriveComboBox* DriveComboBox;
    TDirectoryListBox* DirectoryListBox;
    TFileListBox* FileListBox;
    TFadeWorks FadeWorks{this};

    bool Undocked = false;

    void FormCreate();
    void FileListBoxChange();
    void DirectoryListBoxChange();
    void FilterComboBoxChange();
    void BackImageMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void TopLabelDblClick(TObject* sender);
    void MorphButton1Click(TObject* sender);
    void MorphButton2Click(TObject* sender);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);
    void FormShow();

    // Stands against the right edge of the window at (left, top) and of that
    // width, or against its left edge when more than half of this window would
    // leave the screen.
    void DockPlacement(int top, int left, int width);
    // As high as the window beside it (height), but at least 400, the file
    // list stretching to 10 pixels above the bottom edge.
    void FitToHeight(int height);

private:
    void CreateControls();
    void ShowStartFile();
    void MirrorIntoMarks();

    WindowDrag drag_;
    int savedHeight_ = 0;
};

extern TFileWindow* FileWindow;

}  // namespace lumvex
