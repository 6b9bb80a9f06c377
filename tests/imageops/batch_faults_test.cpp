// Batches that meet a damaged file, a taken name, a symbolic link or a source
// that cannot be deleted: what was done stays done, the error is told once,
// and no file the user did not choose is touched.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "ImageOpsSupport.h"
#include "imageops/CopyFileContents.h"
#include "platform/services/Dialogs.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

const std::string Damaged = "\xFF\xD8 broken";

class BatchFaults : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        a = WritePicture("a.jpg", Numbered(8, 6));
        dir.Write("b.jpg", Damaged);
        c = WritePicture("c.jpg", Numbered(5, 7));
        aBytes = ReadFileBytes(a);
        cBytes = ReadFileBytes(c);
        aPicture = DecodedJpeg(a);
        Open();
        View("a.jpg");
        Mark({"a.jpg", "b.jpg", "c.jpg"});
    }
    // Runs the batch as a click would; the error box records what it shows.
    std::vector<std::string> Run(const std::function<void()>& batch) {
        RecordedErrors errors;
        Application.Dispatch(batch);
        return errors.Messages;
    }
    void ExpectOnlyTheFirstChanged(const std::vector<std::string>& errors) {
        EXPECT_EQ(errors.size(), 1u);
        EXPECT_NE(ReadFileBytes(a), aBytes);
        EXPECT_EQ(ReadFileBytes(dir.File("b.jpg")), Damaged);
        EXPECT_EQ(ReadFileBytes(c), cBytes);
        EXPECT_TRUE(dialogs.Messages.empty());  // no closing message
    }
    std::string a, c, aBytes, cBytes;
    TBitmap aPicture;
    ScriptedDialogs dialogs;
};

TEST_F(BatchFaults, ATurnStopsAtTheDamagedSecondFile) {
    ExpectOnlyTheFirstChanged(Run([] { TransformationsWindow->TurnBatch(true); }));
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(Turned(aPicture, true), 90));
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
}

TEST_F(BatchFaults, AConversionStopsAtTheDamagedSecondFile) {
    dialogs.MessageAnswers = {mrYes};
    TransformationsWindow->TrackBar1->SetPosition(30);
    ExpectOnlyTheFirstChanged(Run([] { TransformationsWindow->ConvertBatch(); }));
    EXPECT_EQ(ReadFileBytes(a), JpegBytes(aPicture, 30));
}

TEST_F(BatchFaults, AScalingWithOverwriteStopsAtTheDamagedSecondFile) {
    dialogs.MessageAnswers = {mrYes};
    TransformationsWindow->RadioButton1->SetChecked(true);  // to half the size
    ExpectOnlyTheFirstChanged(Run([] { TransformationsWindow->ScaleBatch(); }));
    EXPECT_EQ(DecodedJpeg(a).Width(), 4);
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{"a.jpg", "b.jpg", "c.jpg"}));
}

using MoveAndCopy = WindowTest;

TEST_F(MoveAndCopy, AMoveAnsweredYesReplacesTheOtherFile) {
    TempDir target;
    const std::string a = WritePicture("a.bmp", Numbered(4, 4));
    const std::string bytes = ReadFileBytes(a);
    target.Write("a.bmp", "another picture");
    Open();
    Mark({"a.bmp"});
    ScriptedDialogs dialogs;
    dialogs.FolderAnswers = {target.Path()};
    dialogs.MessageAnswers = {mrYes};
    TransformationsWindow->MoveCopyBatch(true);
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"A művelet(ek) sikeres(ek) volt(ak)!"});
    EXPECT_EQ(ReadFileBytes(target.File("a.bmp")), bytes);
    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(TransformationsWindow->FileListBox->Items().empty());
}

// The folder's entries cannot change while it is immutable (root included).
class ImmutableFolder {
public:
    explicit ImmutableFolder(const std::string& folder) : folder_(folder) {
        set_ = std::system(("chattr +i '" + folder_ + "' 2>/dev/null").c_str()) == 0;
    }
    ~ImmutableFolder() {
        if (set_) std::system(("chattr -i '" + folder_ + "'").c_str());
    }
    bool Set() const { return set_; }

private:
    std::string folder_;
    bool set_;
};

TEST_F(MoveAndCopy, AMoveWhoseDeleteFailsIsReportedAndKeepsBothFiles) {
    TempDir target;
    const std::string a = WritePicture("a.bmp", Numbered(4, 4));
    const std::string bytes = ReadFileBytes(a);
    Open();
    Mark({"a.bmp"});
    ImmutableFolder locked(dir.Path());
    if (!locked.Set()) GTEST_SKIP() << "chattr +i is not possible here (needs root on ext2/3/4, xfs or btrfs)";
    ScriptedDialogs dialogs;
    dialogs.FolderAnswers = {target.Path()};
    TransformationsWindow->MoveCopyBatch(true);
    EXPECT_EQ(dialogs.Messages, std::vector<std::string>{"\rA(z) " + a + "fájlt nem sikerült törölni."});
    EXPECT_EQ(ReadFileBytes(a), bytes);
    EXPECT_EQ(ReadFileBytes(target.File("a.bmp")), bytes);
}

// A name that is a symbolic link: the link is replaced, and the file it led
// to, which the user was never asked about, stays as it was.
TEST_F(MoveAndCopy, CopyOrMoveOntoALinkReplacesTheLinkNotItsFile) {
    TempDir elsewhere;
    const std::string kept = elsewhere.Write("kept.bmp", "the user's other picture");
    for (bool move : {false, true}) {
        TempDir target;
        const std::string a = WritePicture("a.bmp", Numbered(4, 4));
        const std::string bytes = ReadFileBytes(a);
        std::filesystem::create_symlink(kept, target.File("a.bmp"));
        Open();
        Mark({"a.bmp"});
        ScriptedDialogs dialogs;
        dialogs.FolderAnswers = {target.Path()};
        dialogs.MessageAnswers = {mrYes};
        TransformationsWindow->MoveCopyBatch(move);
        EXPECT_EQ(dialogs.Questions.size(), 1u);
        EXPECT_FALSE(std::filesystem::is_symlink(target.File("a.bmp"))) << move;
        EXPECT_EQ(ReadFileBytes(target.File("a.bmp")), bytes);
        EXPECT_EQ(ReadFileBytes(kept), "the user's other picture");
        EXPECT_EQ(FileExists(a), !move);
    }
}

bool FailingRename(const std::string&, const std::string&) { return false; }

TEST(LinkTargets, AMoveAcrossFileSystemsAndACopyOntoALinkToTheSource) {
    TempDir from, to, elsewhere;
    const std::string kept = elsewhere.Write("kept.bmp", "kept");
    const std::string source = from.Write("a.bmp", "moved");
    std::filesystem::create_symlink(kept, to.File("a.bmp"));
    EXPECT_EQ(MoveFileTo(source, to.File("a.bmp"), FailingRename), TTransfer::Done);
    EXPECT_FALSE(std::filesystem::is_symlink(to.File("a.bmp")));
    EXPECT_EQ(ReadFileBytes(to.File("a.bmp")), "moved");
    EXPECT_EQ(ReadFileBytes(kept), "kept");
    EXPECT_FALSE(FileExists(source));

    // A link to the source itself becomes a copy; the source stays.
    std::filesystem::create_symlink(to.File("a.bmp"), to.File("self.bmp"));
    EXPECT_TRUE(CopyFileContents(to.File("a.bmp"), to.File("self.bmp")));
    EXPECT_FALSE(std::filesystem::is_symlink(to.File("self.bmp")));
    EXPECT_EQ(ReadFileBytes(to.File("self.bmp")), "moved");
    EXPECT_EQ(ReadFileBytes(to.File("a.bmp")), "moved");
    // The usual bits of a new file, not the link's own.
    const mode_t mask = umask(0);
    umask(mask);
    struct stat st {};
    stat(to.File("self.bmp").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0666u & ~mask);
}

}  // namespace
