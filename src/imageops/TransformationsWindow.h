#pragma once
// The transformations window. Its multi-selection file list holds the marked
// files of the program; its folder and mask follow the file window's. Its
// buttons run batches over the marked files: turn, mirror, convert, scale,
// and move or copy to a folder.
#include <string>
#include <vector>

#include "windowparts/WindowDrag.h"
#include "components/BrwsFldr.h"
#include "components/Gauges.h"
#include "components/MorphButton.h"
#include "imageops/PixelTransforms.h"
#include "platform/controls/Bevel.h"
#include "platform/controls/FileCtrls.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"
#include "platform/controls/StdCtrls.h"

namespace lumvex {

class TTransformationsWindow : public TForm {
public:
    TTransformationsWindow();

    TImage* TopImage;
    TLabel* TopLabel;
    TMorphButton* MorphButton9;  // close
    TImage* BackImage;
    TShape* BackShape;
    TBevel* Bevel3;
    TShape* Shape3;
    TLabel* Label7;
    TLabel* fileindex;
    TFileListBox* FileListBox;
    TGauge* Gauge;
    TBevel* Bevel2;
    TShape* Shape1;
    TLabel* Label4;
    TLabel* Label10;
    TMorphButton* MorphButton1;  // mirror left-right
    TMorphButton* MorphButton2;  // mirror top-bottom
    TMorphButton* MorphButton4;  // turn left
    TMorphButton* MorphButton3;  // turn right
    TBevel* Bevel1;
    TShape* Shape2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TEdit* SpinEditW;
    TUpDown* W;
    TEdit* SpinEditH;
    TUpDown* H;
    TRadioButton* RadioButton4;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TRadioButton* RadioButton3;
    TShape* Shape7;
    TShape* Shape5;
    TShape* Shape8;
    TShape* Shape9;
    TCheckBox* CheckBox1;  // keep proportions
    TShape* Shape6;
    TMorphButton* MorphButton8;  // scale the marked files
    TBevel* Bevel4;
    TShape* Shape4;
    TLabel* Label5;
    TComboBox* ComboBox1;  // target format
    TMorphButton* MorphButton5;  // convert the marked files
    TTrackBar* TrackBar1;  // JPEG quality
    TLabel* Label9;
    TLabel* Label8;
    TBevel* Bevel5;
    TLabel* Label6;
    TMorphButton* MorphButton6;  // move
    TMorphButton* MorphButton7;  // copy
    TBrowseForFolder BrowseFolder;

    bool LastEditedWidth = false;

    void FormCreate();
    void FileListBoxChange();
    void MorphButton3Click(TObject* sender);
    void MorphButton1Click(TObject* sender);
    void MorphButton2Click(TObject* sender);
    void MorphButton5Click(TObject* sender);
    void MorphButton8Click(TObject* sender);
    void MorphButton6Click(TObject* sender);
    void MorphButton9Click(TObject* sender);
    void TrackBar1Change(TObject* sender);
    void ComboBox1Change(TObject* sender);
    void RadioButton1Click(TObject* sender);
    void RadioButton4Click(TObject* sender);
    void SpinEditWKeyUp(TObject* sender, std::uint16_t& key, TShiftState shift);
    void SpinEditHKeyUp(TObject* sender, std::uint16_t& key, TShiftState shift);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void OptionMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);

    // The batches over the marked files, for this window's buttons and for
    // the other windows that start them.
    void TurnBatch(bool Left);
    void MirrorBatch(bool Vertical);
    void ConvertBatch();
    void ScaleBatch();
    void MoveCopyBatch(bool Move);  // Move deletes the sources once copied

    // The scaling choice the options make.
    TScaleChoice ScaleChoice() const;

private:
    void CreateControls();
    void CreateScalingControls();
    void CreateConversionControls();
    // The names of the marked files, in list order, and their full paths.
    std::vector<std::string> MarkedNames() const;
    std::string SourcePath(const std::string& name) const;
    // The counter k/n, shown at once.
    void ShowProgress(int k, int count);
    void ForgetViewedPicture();
    void ReloadViewedFile();
    void RereadFileLists();
    void ResetOptionFrames();
    // The target item the box's text names (-1 for text typed by hand).
    int TargetItem() const;
    // A size box's value as typed, within the up-down's range.
    static int SizeBoxValue(const TEdit& edit, const TUpDown& upDown);

    WindowDrag drag_;
    bool optionHover_ = false;
};

extern TTransformationsWindow* TransformationsWindow;

}  // namespace lumvex
