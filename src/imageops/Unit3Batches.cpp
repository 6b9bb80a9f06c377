// The transformations window's batches over the marked files.
#include "imageops/ConvertFile.h"
#include "imageops/CopyFileContents.h"
#include "imageops/FileTransforms.h"
#include "imageops/ResizeFile.h"
#include "imageops/PixelTransforms.h"
#include "imageops/Unit3.h"
#include "navigation/Unit2.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"
#include "viewer/Unit1.h"

namespace lumvex {

std::vector<std::string> TForm3::MarkedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < FileListBox->Count(); ++i)
        if (FileListBox->Selected(i)) names.push_back(FileListBox->Items()[i]);
    return names;
}

std::string TForm3::SourcePath(const std::string& name) const {
    return IncludeTrailingPathDelimiter(FileListBox->Directory()) + name;
}

void TForm3::ShowProgress(int k, int count) {
    fileindex->SetCaption(IntToStr(k) + "/" + IntToStr(count));
    fileindex->Repaint();
}

void TForm3::ReloadViewedFile() {
    Form1->LoadImage(Form2->FileName->Caption(), Form1->Image, Form1->TImg);
    Form1->ResizeImage(Form1->Image, Form1->TImg);
}

// New files appear and moved ones go; the file window keeps its current file.
void TForm3::RereadFileLists() {
    const std::string current = ExtractFileName(Form2->FileName->Caption());
    Form2->FileListBox->Update();
    FileListBox->Update();
    const auto& items = Form2->FileListBox->Items();
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (items[i] == current) Form2->FileListBox->SetItemIndex(i);
}

void TForm3::TurnBatch(bool Left) {
    const std::vector<std::string> names = MarkedNames();
    const int count = static_cast<int>(names.size());
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(count - 1);  // no file marked: the gauge's range error ends the batch
    Gauge->SetProgress(0);
    std::string report;
    int k = 0;
    for (const std::string& name : names) {
        ShowProgress(++k, count);
        RotateFile(SourcePath(name), Left, *Form1->TImg2, *Gauge);
        if (FileKind(name) == TFileKind::fkNone)
            report += "A(z) " + name + " fájlt nem sikerült elforgatni (csak jpg-et és bmp-t lehet).\r";
        Gauge->SetProgress(Gauge->Progress() + 1);
        Gauge->Repaint();
    }
    if (count > 1) ShowMessage(report.empty() ? "A művelet sikeres volt!" : report);
    if (count == 1) ReloadViewedFile();
}

void TForm3::MirrorBatch(bool Vertical) {
    const std::vector<std::string> names = MarkedNames();
    const int count = static_cast<int>(names.size());
    if (count == 0) return;
    Gauge->SetMinValue(0);
    Gauge->SetMaxValue(count - 1);
    Gauge->SetProgress(0);
    Form1->TImg->Picture().Bitmap().SetPixelFormat(TPixelFormat::pf24bit);
    std::string report;
    int k = 0;
    for (const std::string& name : names) {
        ShowProgress(++k, count);
        const std::string path = SourcePath(name);
        if (FileKind(path) != TFileKind::fkNone) {
            MirrorFile(path, Vertical);
            Gauge->SetProgress(k);
        } else {
            report += "A(z) " + name + " fájlt nem sikerült tükrözni (csak jpg-et és bmp-t lehet).\r";
        }
    }
    if (count > 1) ShowMessage(report.empty() ? "A művelet sikeres volt!" : report);
    if (count == 1) ReloadViewedFile();
}

void TForm3::ConvertBatch() {
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
    for (const std::string& name : names) {
        if (ConvertFile(FileListBox->Directory(), name, target, TrackBar1->Position(), mode, *Form1->TImg2) ==
            TConvertResult::EndBatch)
            return;
        Gauge->SetProgress(Gauge->Progress() + 1);
        Gauge->Repaint();
    }
    if (count == 1) ReloadViewedFile();
    RereadFileLists();
}

void TForm3::ScaleBatch() {
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
    Form1->TImgFileName.clear();
    for (const std::string& name : names) {
        ResizeFile(SourcePath(name), choice, overwrite, work, *Form1->TImg);
        Gauge->SetProgress(Gauge->Progress() + 1);
        Gauge->Repaint();
    }
    if (count == 1) ReloadViewedFile();
    RereadFileLists();
}

void TForm3::MoveCopyBatch(bool Move) {
    if (!BrowseFolder.Execute()) return;
    const std::string folder = IncludeTrailingPathDelimiter(BrowseFolder.Path);
    const std::vector<std::string> names = MarkedNames();
    TOverwriteMode mode = TOverwriteMode::Ask;
    Gauge->SetProgress(0);
    Gauge->SetMaxValue(static_cast<int>(names.size()));
    std::string report;
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
