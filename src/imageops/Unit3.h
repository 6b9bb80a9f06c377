#pragma once
// The transformations window. Its multi-selection file list holds the marked
// files of the program; its folder and mask follow the file window's.
#include <string>
#include <vector>

#include "windowparts/WindowDrag.h"
#include "components/Gauges.h"
#include "components/MorphButton.h"
#include "platform/controls/FileCtrls.h"
#include "platform/controls/Form.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/Shape.h"

namespace lumvex {

class TForm3 : public TForm {
public:
    TForm3();

    TImage* TopImage;
    TLabel* TopLabel;
    TMorphButton* MorphButton9;
    TImage* BackImage;
    TShape* BackShape;
    TLabel* Label7;
    TLabel* fileindex;
    TFileListBox* FileListBox;
    TGauge* Gauge;

    void FormCreate();
    void FileListBoxChange();
    void MorphButton9Click(TObject* sender);
    void FormMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift);

    // The batches over the marked files, for this window's buttons and for
    // the other windows that start them.
    void TurnBatch(bool Left);
    void MirrorBatch(bool Vertical);
    void MoveCopyBatch(bool Move);  // Move deletes the sources once copied

private:
    void CreateControls();
    // The names of the marked files, in list order, and their full paths.
    std::vector<std::string> MarkedNames() const;
    std::string SourcePath(const std::string& name) const;
    // The counter k/n, shown at once.
    void ShowProgress(int k, int count);
    void ReloadViewedFile();

    WindowDrag drag_;
};

extern TForm3* Form3;

}  // namespace lumvex
