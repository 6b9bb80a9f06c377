// Deleting the current file or the marked files, after the warning box's Yes.
#include <gtest/gtest.h>

#include <memory>

#include "ViewerSupport.h"
#include "platform/SysUtils.h"
#include "platform/services/Dialogs.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

class Delete : public testing::Test {
protected:
    void StartWindows() {
        StartViewer(start->Path());
    }
    void SetUp() override {
        StartWindows();
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) WriteBmp(dir, name, 8, 8, clRed);
        FileWindow->DirectoryListBox->SetDirectory(dir.Path());
        FileWindow->FileListBox->SetItemIndex(0);
        FileWindow->FileListBoxChange();
    }
    std::unique_ptr<TempDir> start = std::make_unique<TempDir>();
    TempDir dir;
};

TEST_F(Delete, WithOneMarkItAsksAboutAndDeletesTheCurrentFile) {
    TransformationsWindow->FileListBox->SetSelected(0, false);
    TransformationsWindow->FileListBox->SetSelected(2, true);  // the mark is on c.bmp, a.bmp is shown
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    MainWindow->ViewCommand(12);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0].Message, "FIGYELEM!\rBiztos, hogy törölni akarja a(z) a.bmp fájlt?");
    EXPECT_FALSE(FileExists(dir.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("c.bmp")));
    EXPECT_EQ(FileWindow->FileListBox->Count(), 3);
    EXPECT_EQ(TransformationsWindow->FileListBox->SelCount(), 0);
}

TEST_F(Delete, WithSeveralMarksItDeletesEachByItsFullPath) {
    TransformationsWindow->FileListBox->SetSelected(1, true);
    TransformationsWindow->FileListBox->SetSelected(3, true);
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    MainWindow->ViewCommand(12);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(dialogs.Questions[0].Message, "FIGYELEM!\rÖn több fájlt is kijelölt törlésre!\rTörli őket?");
    EXPECT_FALSE(FileExists(dir.File("a.bmp")));
    EXPECT_TRUE(FileExists(dir.File("c.bmp")));
    EXPECT_FALSE(FileExists(dir.File("d.bmp")));
    EXPECT_EQ(TransformationsWindow->Gauge->MaxValue(), 2);
    EXPECT_EQ(TransformationsWindow->Gauge->Progress(), 2);
    EXPECT_EQ(FileWindow->FileListBox->Count(), 1);
}

TEST_F(Delete, OnlyYesDeletes) {
    for (TModalResult answer : {mrNo, mrCancel}) {
        ScriptedDialogs dialogs;
        dialogs.MessageAnswers = {answer};
        MainWindow->ViewCommand(12);
        EXPECT_TRUE(FileExists(dir.File("a.bmp")));
    }
}

TEST_F(Delete, WithNoMarkTheGaugeRefusesTheRangeAndNothingIsDeleted) {
    TransformationsWindow->FileListBox->SetSelected(0, false);
    ScriptedDialogs dialogs;
    dialogs.MessageAnswers = {mrYes};
    RecordedErrors errors;
    Application.Dispatch([] { MainWindow->ViewCommand(12); });
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_EQ(errors.Messages[0], "Value must be between 1 and 2147483647");
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp"}) EXPECT_TRUE(FileExists(dir.File(name)));
}

}  // namespace
