// The transformations window's batches over the marked files.
#include "imageops/FileTransforms.h"
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

}  // namespace lumvex
