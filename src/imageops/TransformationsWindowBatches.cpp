// The transformations window's batches over the marked files.
#include "imageops/ConvertFile.h"
#include "imageops/CopyFileContents.h"
#include "imageops/FileTransforms.h"
#include "imageops/ResizeFile.h"
#include "imageops/PixelTransforms.h"
#include "imageops/TransformationsWindow.h"
#include "navigation/FileWindow.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"
#include "viewer/MainWindow.h"

namespace lumvex {

std::vector<std::string> TTransformationsWindow::MarkedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < FileListBox->Count(); ++i)
        if (FileListBox->Selected(i)) names.push_back(FileListBox->Items()[i]);
    return names;
}

std::string TTransformationsWindow::SourcePath(const std::string& name) const {
    return IncludeTrailingPathDelimiter(FileListBox->Directory()) + name;
}

void TTransformationsWindow::ShowProgress(int k, int count) {
    fileindex->SetCaption(IntToStr(k) + "/" + IntToStr(count));
    fileindex->Repaint();
}

// Files are about to be written, moved or deleted: the next turn of the
// picture on view reads its file again.
void TTransformationsWindow::ForgetViewedPicture() { MainWindow->HeldPicture.Forget(); }

void TTransformationsWindow::ReloadViewedFile() {
    MainWindow->LoadImage(FileWindow->FileName->Caption(), MainWindow->Image, MainWindow->TImg);
    MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
}

// New files appear and moved ones go; the file window keeps its current file.
void TTransformationsWindow::RereadFileLists() {
    const std::string current = ExtractFileName(FileWindow->FileName->Caption());
    FileWindow->FileListBox->Update();
    FileListBox->Update();
    const auto& items = FileWindow->FileListBox->Items();
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (items[i] == current) FileWindow->FileListBox->SetItemIndex(i);
}

void TTransformationsWindow::TurnBatch(bool Left) {
    const std::vector<std::string> names = MarkedNames();
    const int count = static_cast<int>(names.size());
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(count - 1);  // no file marked: the gauge's range error ends the batch
    Gauge->SetProgress(0);
    std::string report;
    int k = 0;
    ForgetViewedPicture();
    for (const std::string& name : names) {
        ShowProgress(++k, count);
        if (!RotateFile(SourcePath(name), Left, *MainWindow->TImg2, *Gauge))
            report += "A(z) " + name + " fájlt nem sikerült elforgatni (csak jpg-et és bmp-t lehet).\r";
        Gauge->SetProgress(Gauge->Progress() + 1);
        Gauge->Repaint();
    }
    if (count > 1) ShowMessage(report.empty() ? "A művelet sikeres volt!" : report);
    if (count == 1) ReloadViewedFile();
}

void TTransformationsWindow::MirrorBatch(bool Vertical) {
    const std::vector<std::string> names = MarkedNames();
    const int count = static_cast<int>(names.size());
    if (count == 0) return;
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(count - 1);
    Gauge->SetProgress(0);
    ForgetViewedPicture();
    MainWindow->TImg->Picture().Bitmap().SetPixelFormat(TPixelFormat::pf24bit);
    std::string report;
    int k = 0;
    for (const std::string& name : names) {
        ShowProgress(++k, count);
        if (MirrorFile(SourcePath(name), Vertical))
            Gauge->SetProgress(k);
        else
            report += "A(z) " + name + " fájlt nem sikerült tükrözni (csak jpg-et és bmp-t lehet).\r";
    }
    if (count > 1) ShowMessage(report.empty() ? "A művelet sikeres volt!" : report);
    if (count == 1) ReloadViewedFile();
}

void TTransformationsWindow::ConvertBatch() {
    const std::vector<std::string> names = MarkedNames();
    const int count = static_cast<int>(names.size());
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(count);
    Gauge->SetProgress(0);
    // Text typed into the box by hand chooses no target: every file is passed over.
    const int item = TargetItem();
    const TConvertTarget target = item == 0 ? TConvertTarget::ToJpg : item == 1 ? TConvertTarget::ToBmp : TConvertTarget::None;
    if (target == TConvertTarget::ToJpg && !JpegQualityWarning(names)) return;
    TOverwriteMode mode = TOverwriteMode::Ask;
    ForgetViewedPicture();
    for (const std::string& name : names) {
        if (ConvertFile(FileListBox->Directory(), name, target, TrackBar1->Position(), mode, *MainWindow->TImg2) ==
            TConvertResult::EndBatch)
            return;
        Gauge->SetProgress(Gauge->Progress() + 1);
        Gauge->Repaint();
    }
    if (count == 1) ReloadViewedFile();
    RereadFileLists();
}

void TTransformationsWindow::ScaleBatch() {
    const TModalResult answer = ReplaceFilesWarning();
    if (answer != mrYes && answer != mrNo) return;
    const bool overwrite = answer == mrYes;
    const std::vector<std::string> names = MarkedNames();
    const int count = static_cast<int>(names.size());
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(count - 1);  // no file marked: the gauge's range error ends the batch
    Gauge->SetProgress(0);
    TResizeWork work;
    const TScaleChoice choice = ScaleChoice();
    ForgetViewedPicture();
    for (const std::string& name : names) {
        ResizeFile(SourcePath(name), choice, overwrite, work, *MainWindow->TImg);
        Gauge->SetProgress(Gauge->Progress() + 1);
        Gauge->Repaint();
    }
    if (count == 1) ReloadViewedFile();
    RereadFileLists();
}

void TTransformationsWindow::MoveCopyBatch(bool Move) {
    if (!BrowseFolder.Execute()) return;
    const std::string folder = IncludeTrailingPathDelimiter(BrowseFolder.Path);
    const std::vector<std::string> names = MarkedNames();
    TOverwriteMode mode = TOverwriteMode::Ask;
    Gauge->SetProgress(0);
    Gauge->SetMaxValue(static_cast<int>(names.size()));
    std::string report;
    ForgetViewedPicture();
    for (const std::string& name : names) {
        const std::string source = SourcePath(name);
        const std::string target = folder + name;
        switch (AskOverwrite(target, "A(z) " + name + " fájl már létezik.  Felülírja?", mode)) {
        case TOverwriteAction::EndBatch: return;
        case TOverwriteAction::PassOver: Gauge->SetProgress(Gauge->Progress() + 1); continue;
        case TOverwriteAction::Write: break;
        }
        // A file is never copied onto itself, nor deleted as its own copy.
        const TTransfer result = Move ? MoveFileTo(source, target)
                                        : CopyFileContents(source, target) ? TTransfer::Done : TTransfer::NotCopied;
        if (result == TTransfer::NotCopied)
            report += "\rA(z) " + source + "fájlt nem sikerült másolni.";
        else if (result == TTransfer::NotDeleted)
            report += "\rA(z) " + source + "fájlt nem sikerült törölni.";
        Gauge->SetProgress(Gauge->Progress() + 1);
        Repaint();
    }
    ShowMessage(report.empty() ? "A művelet(ek) sikeres(ek) volt(ak)!" : report);
    Gauge->SetProgress(0);
    RereadFileLists();
}

}  // namespace lumvex
