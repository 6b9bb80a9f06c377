#include "navigation/FileWindow.h"

#include <algorithm>

#include "viewer/MainWindow.h"
#include "imageops/TransformationsWindow.h"
#include "appearance/OptionsWindow.h"
#include "navigation/BrowserWindow.h"
#include "viewer/LateWindows.h"
#include "windowparts/WindowParts.h"
#include "platform/SysUtils.h"
#include "platform/services/Screen.h"

namespace lumvex {

TFileWindow* FileWindow = nullptr;

namespace {

TFont ListFont(const char* name) {
    TFont font;
    font.Name = name;
    font.PixelHeight = 11;
    return font;
}

}  // namespace

TFileWindow::TFileWindow() {
    FileWindow = this;
    DesignWindow(this, "Fájl ablak", Bounds(814, 146, 190, 398));
    FadeWorks.SetSteps(50);
    FadeWorks.SetBlendValue(1);
    CreateControls();
    OnKeyDown = KeysTo(this);
    OnShow = [this](TObject*) { FormShow(); };
    FormCreate();
}

void TFileWindow::CreateControls() {
    auto drag = [this](TControl* control) {
        control->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { BackImageMouseMove(s, sh, x, y); };
    };
    auto rollUp = [this](TControl* control) {
        control->OnDblClick = [this](TObject* sender) { TopLabelDblClick(sender); };
    };

    TopImage = CreateTitleBar(this);
    TopImage->Tag = 2;
    drag(TopImage);
    rollUp(TopImage);

    TopLabel = CreateTitle(this, "Fájl ablak", 8, 2);
    TopLabel->SetAutoSize(false);
    TopLabel->SetBounds(8, 2, 70, 14);
    TopLabel->Tag = 2;
    drag(TopLabel);
    rollUp(TopLabel);

    MorphButton1 = CreateImageButton(this, 1, "Bezárás", 169, 1);
    MorphButton1->OnClick = [this](TObject* sender) { MorphButton1Click(sender); };
    MorphButton2 = CreateImageButton(this, 1, "ablak dokkolása", 151, 1);
    MorphButton2->OnClick = [this](TObject* sender) { MorphButton2Click(sender); };

    BackImage = new TImage(this);
    BackImage->SetBounds(0, 18, 190, 380);
    BackImage->SetStretch(true);
    drag(BackImage);

    BackShape = CreateFrame(this, Bounds(0, 18, 190, 380));
    BackShape->Pen().Style = TPenStyle::psDashDotDot;
    drag(BackShape);

    BackShape2 = new TShape(this);
    BackShape2->SetBounds(8, 24, 177, 17);
    BackShape2->Brush().Color = clLime;

    Bevel1 = new TBevel(this);
    Bevel1->SetBounds(8, 24, 177, 17);

    FileName = new TLabel(this);
    FileName->SetAutoSize(false);
    FileName->SetAlignment(taRightJustify);
    FileName->SetFont(TopLabel->Font());
    FileName->SetTransparent(true);
    FileName->SetBounds(8, 24, 169, 17);
    FileName->SetCaption("");
    FileName->Tag = 2;
    drag(FileName);

    auto forwardKeys = [this](TControl* control) {
        control->OnKeyDown = KeysTo(this);
    };

    FilterComboBox = new TFilterComboBox(this);
    FilterComboBox->SetBounds(8, 48, 177, 22);
    FilterComboBox->SetHint("Szűrő");
    FilterComboBox->SetShowHint(true);
    FilterComboBox->SetFont(ListFont("Times New Roman"));
    FilterComboBox->SetFilter(
        std::string("Összes támogatott formátum|") + PictureMask +
        "|*.bmp|*.bmp|*.jpg;*.jpeg|*.jpg;*.jpeg|*.ico|*.ico|*.gif|*.gif|*.png|*.png|*.webp|*.webp|"
        "*.tif;*.tiff|*.tif;*.tiff|*.heic;*.heif|*.heic;*.heif|*.avif|*.avif|*.jxl|*.jxl");
    forwardKeys(FilterComboBox);

    DriveComboBox = new TDriveComboBox(this);
    DriveComboBox->SetBounds(8, 75, 177, 20);
    DriveComboBox->SetFont(ListFont("Courier New"));
    forwardKeys(DriveComboBox);

    DirectoryListBox = new TDirectoryListBox(this);
    DirectoryListBox->SetBounds(7, 98, 177, 167);
    DirectoryListBox->SetFont(ListFont("Times New Roman"));
    DirectoryListBox->SetItemHeight(16);
    forwardKeys(DirectoryListBox);

    FileListBox = new TFileListBox(this, PictureMask);
    FileListBox->SetBounds(7, 272, 177, 122);
    FileListBox->SetFont(ListFont("Times New Roman"));
    FileListBox->SetItemHeight(14);
    forwardKeys(FileListBox);

    DriveComboBox->SetDirList(DirectoryListBox);
    DirectoryListBox->SetFileList(FileListBox);
    FilterComboBox->SetFileList(FileListBox);
    FilterComboBox->SetItemIndex(0);

    FilterComboBox->OnChange = [this](TObject*) { FilterComboBoxChange(); };
    DirectoryListBox->OnChange = [this](TObject*) { DirectoryListBoxChange(); };
    FileListBox->OnChange = [this](TObject*) { FileListBoxChange(); };
}

void TFileWindow::FormCreate() {
    SetColor(clBlack);
    FileListBox->SetMask(FilterComboBox->Mask());
    FileListBox->SetItemIndex(0);
}

void TFileWindow::FileListBoxChange() {
    // The start file is shown whatever the list held: started from a folder
    // without pictures, nothing is selected yet.
    const int index = FileListBox->ItemIndex();
    if (Viewer.StartFilePending) {
        ShowStartFile();
    } else if (index >= 0 && index < FileListBox->Count()) {
        FileName->SetCaption(FileListBox->FileName());
        MainWindow->LoadImage(FileName->Caption(), MainWindow->Image, MainWindow->TImg);
        MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
    }
    MirrorIntoMarks();
}

// The first showing after a start with a picture named on the command line.
// The start file is no longer pending from here on: not for the folder change
// below, which shows the file list anew, nor after a start file that fails.
void TFileWindow::ShowStartFile() {
    Viewer.StartFilePending = false;
    const std::string& parameter = Viewer.CommandLinePicture;
    const auto slash = parameter.rfind(PathDelim);
    const std::string folder = slash == std::string::npos ? std::string() : parameter.substr(0, slash);
    const std::string name = slash == std::string::npos ? parameter : parameter.substr(slash + 1);
    // The root folder is "/" itself, not the empty text before its separator.
    DirectoryListBox->SetDirectory(slash == 0 ? std::string(1, PathDelim) : folder);
    int found = -1;
    const auto& names = FileListBox->Items();
    for (int i = 0; i < static_cast<int>(names.size()) && found < 0; ++i)
        if (names[i] == name) found = i;
    FileListBox->SetItemIndex(found);
    FileName->SetCaption(FileListBox->FileName());
    MainWindow->LoadImage(FileName->Caption(), MainWindow->Image, MainWindow->TImg);
    MainWindow->ResizeImage(MainWindow->Image, MainWindow->TImg);
}

// Choosing a file here leaves exactly that file marked. The marks list is
// built after the first picture is shown; the first file is marked then.
void TFileWindow::MirrorIntoMarks() {
    WhenLateWindowsBuilt([this] {
        TFileListBox* marks = TransformationsWindow->FileListBox;
        marks->ClearSelection();
        const int index = FileListBox->ItemIndex();
        if (index >= 0 && index < marks->Count()) marks->SetSelected(index, true);
    });
}

void TFileWindow::DirectoryListBoxChange() {
    WhenLateWindowsBuilt([this] { TransformationsWindow->FileListBox->SetDirectoryFrom(*FileListBox); });
    FileName->SetCaption("");
    MainWindow->Image->Picture().Bitmap().SetWidth(0);
    MainWindow->border->SetWidth(0);
    FileListBoxChange();
    WhenLateWindowsBuilt([] {
        if (BrowserWindow->Visible()) BrowserWindow->Build();
    });
}

void TFileWindow::FilterComboBoxChange() {
    WhenLateWindowsBuilt([this] { TransformationsWindow->FileListBox->SetMask(FilterComboBox->Mask()); });
}

void TFileWindow::BackImageMouseMove(TObject*, TShiftState shift, int x, int y) {
    if (!drag_.MouseMove(*this, shift, x, y)) return;
    if (!Undocked && MainWindow->Width() != Screen.Width() && MainWindow->Height() != Screen.Height())
        MainWindow->SetBounds(Left() - MainWindow->Width(), Top(), MainWindow->Width(), MainWindow->Height());
}

void TFileWindow::TopLabelDblClick(TObject*) {
    if (Height() == 18) {
        SetHeight(savedHeight_);
    } else {
        savedHeight_ = Height();
        SetHeight(18);
    }
}

void TFileWindow::MorphButton1Click(TObject*) { Hide(); }

void TFileWindow::MorphButton2Click(TObject*) {
    Undocked = !Undocked;
    if (!Undocked) DockPlacement(MainWindow->Top(), MainWindow->Left(), MainWindow->Width());
}

void TFileWindow::DockPlacement(int top, int left, int width) {
    int dockLeft = left + width;
    if (dockLeft > Screen.Width() - Width() / 2) dockLeft = left - Width();
    SetBounds(dockLeft, top, Width(), Height());
}

void TFileWindow::FitToHeight(int height) {
    const int h = std::max(height, 400);
    SetHeight(h);
    FileListBox->SetHeight(h - 10 - FileListBox->Top());
}

void TFileWindow::FormKeyDown(TObject* sender, std::uint16_t& key, TShiftState shift) {
    MainWindow->FormKeyDown(sender, key, shift);
}

void TFileWindow::FormShow() {
    for (TForm* tool : {static_cast<TForm*>(TransformationsWindow), static_cast<TForm*>(OptionsWindow)})
        if (tool && tool->Visible()) tool->BringToFront();
}

}  // namespace lumvex
