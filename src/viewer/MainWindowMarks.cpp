// The marked files, as the main window marks, clears and shows them.
#include "viewer/MainWindow.h"
#include "navigation/FileWindow.h"
#include "imageops/TransformationsWindow.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"

namespace lumvex {

void TMainWindow::ToggleMark() {
    const int i = FileWindow->FileListBox->ItemIndex();
    TFileListBox* marks = TransformationsWindow->FileListBox;
    if (i < 0 || i >= marks->Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    marks->SetSelected(i, !marks->Selected(i));
    SetSelectLabel();
}

void TMainWindow::ClearMarks() {
    TransformationsWindow->FileListBox->ClearSelection();
    SetSelectLabel();
}

// The current file when exactly one file is marked (whichever carries the
// mark), otherwise every marked file. Files are deleted for good; one that
// cannot be deleted is passed over.
bool TMainWindow::DeleteMarkedFiles() {
    TFileListBox* marks = TransformationsWindow->FileListBox;
    TFileListBox* list = FileWindow->FileListBox;
    if (marks->SelCount() == 1) {
        const int i = list->ItemIndex();
        if (i < 0 || i >= list->Count()) throw EListError("List index out of bounds (" + IntToStr(i) + ")");
        const std::string question = "FIGYELEM!\rBiztos, hogy törölni akarja a(z) " + list->Items()[i] + " fájlt?";
        if (MessageDlg(question, mtWarning, mbYesNoCancel) != mrYes) return false;
        DeleteFile(FileWindow->FileName->Caption());
    } else {
        if (MessageDlg("FIGYELEM!\rÖn több fájlt is kijelölt törlésre!\rTörli őket?", mtWarning, mbYesNoCancel) !=
            mrYes)
            return false;
        TransformationsWindow->Gauge->SetMinValue(0);
        TransformationsWindow->Gauge->SetMaxValue(marks->SelCount() - 1);
        TransformationsWindow->Gauge->SetProgress(0);
        const std::string folder = IncludeTrailingPathDelimiter(FileWindow->DirectoryListBox->Directory());
        for (int i = 0; i < marks->Count(); ++i) {
            if (!marks->Selected(i)) continue;
            DeleteFile(folder + marks->Items()[i]);
            TransformationsWindow->Gauge->SetProgress(TransformationsWindow->Gauge->Progress() + 1);
        }
    }
    HeldPicture.Forget();
    list->Update();
    marks->Update();
    return true;
}

void TMainWindow::SetSelectLabel() {
    TFileListBox* marks = TransformationsWindow->FileListBox;
    TransformationsWindow->fileindex->SetCaption(IntToStr(marks->SelCount()));
    std::string text;
    for (int i = 0; i < marks->Count(); ++i)
        if (marks->Selected(i)) text += marks->Items()[i] + "; ";

    TBitmap measure(1, 1);
    measure.Canvas().Font = Font();
    const int lineWidth = measure.Canvas().TextWidth(text);
    const int lineHeight = measure.Canvas().TextHeight(text);
    SelectLabel->SetCaption(text);
    int width = lineWidth;
    int height = SelectLabel->Height();
    if (Width() < width) width = Width();
    if (Width() - 16 < width) {
        width = Width() - 16;
        height = lineHeight * (lineWidth / std::max(1, Width() - 16) + 2) + 4;
    }
    for (TLabel* label : {SelectLabel, SelectLabel2, SelectLabel3, SelectLabel4, SelectLabel5}) {
        label->SetCaption(text);
        label->SetWidth(width);
        label->SetHeight(height);
        label->SetVisible(!text.empty());
    }
}

}  // namespace lumvex
