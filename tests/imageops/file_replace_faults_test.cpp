// Replacing a picture file never leaves it half-written: a read-only file,
// a full disk and a process killed while writing all leave the original as
// it was, and no temporary file behind. Copies and moves lose no file either.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "TestFiles.h"
#include "imageops/CopyFileContents.h"
#include "imageops/PictureFiles.h"
#include "platform/AtomicFile.h"
#include "platform/SysUtils.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

TBitmap Noise(int width, int height) {
    TBitmap bitmap(width, height, TPixelFormat::pf24bit);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width * 3; ++x) row[x] = static_cast<std::uint8_t>(random());
    }
    return bitmap;
}

// Runs work in a child process (as user nobody when asked) and returns its
// exit status: 0 when work raised EWriteError.
int InChild(bool asNobody, const std::function<void()>& work) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (asNobody && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        try {
            work();
        } catch (const EWriteError&) {
            _exit(0);
        } catch (...) {
            _exit(2);
        }
        _exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

// Writes past limit bytes fail in the calling process from now on.
void LimitFileSize(rlim_t limit) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit fileSize{limit, limit};
    setrlimit(RLIMIT_FSIZE, &fileSize);
}

// Work that reports failure by its result, for InChild.
void ExpectFailure(bool succeeded) {
    if (!succeeded) throw EWriteError("failed as expected");
}

std::string NoiseBytes(std::size_t size) {
    std::mt19937 random(5);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

TEST(FileReplaceFaults, AReadOnlyFileIsNotReplaced) {
    TempDir dir;
    const std::string path = dir.Write("a.jpg", "original bytes");
    chmod(dir.Path().c_str(), 0777);  // the folder stays writable: only the file is read-only
    chmod(path.c_str(), 0444);
    // Root may write anything; a child that drops to nobody may not.
    EXPECT_EQ(InChild(geteuid() == 0, [&] { WriteJpeg(Noise(8, 8), path); }), 0);
    EXPECT_EQ(ReadFileBytes(path), "original bytes");
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"a.jpg"});
}

TEST(FileReplaceFaults, AFullDiskLeavesTheOriginal) {
    TempDir dir;
    const std::string path = dir.File("a.bmp");
    WriteBmp(Noise(64, 64), path, TPixelFormat::pf24bit);
    const std::string before = ReadFileBytes(path);
    // A file-size limit below the new file's size: writes past it fail.
    const int status = InChild(false, [&] {
        LimitFileSize(20000);
        WriteBmp(Noise(128, 128), path, TPixelFormat::pf24bit);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"a.bmp"});
}

TEST(FileReplaceFaults, AKillWhileWritingLeavesTheOldFileOrTheNewOneWhole) {
    TempDir dir;
    const std::string path = dir.File("a.bmp");
    const TBitmap next = Noise(1200, 900);
    WriteBmp(next, dir.File("next.bmp"), TPixelFormat::pf24bit);
    const std::string after = ReadFileBytes(dir.File("next.bmp"));
    DeleteFile(dir.File("next.bmp"));
    const std::string before = "old picture";

    const auto start = std::chrono::steady_clock::now();
    dir.Write("a.bmp", before);
    WriteBmp(next, path, TPixelFormat::pf24bit);
    const auto once = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(11);
    int killedBefore = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        dir.Write("a.bmp", before);
        const pid_t pid = fork();
        if (pid == 0) {
            WriteBmp(next, path, TPixelFormat::pf24bit);
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (2 * once.count() + 1)));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const std::string now = ReadFileBytes(path);
        ASSERT_TRUE(now == before || now == after) << "attempt " << attempt;
        killedBefore += now == before;
        // A kill after the data was complete but before the rename can leave
        // the finished temporary file; the next write of the file removes it.
        if (Names(dir.Path()) != std::set<std::string>{"a.bmp"}) WriteBmp(next, path, TPixelFormat::pf24bit);
        ASSERT_EQ(Names(dir.Path()), std::set<std::string>{"a.bmp"}) << "attempt " << attempt;
    }
    EXPECT_GT(killedBefore, 0);
}

TEST(FileReplaceFaults, AReplacedFileKeepsItsModeAndALinkIsWrittenThrough) {
    TempDir dir;
    const std::string path = dir.File("a.bmp");
    WriteBmp(Noise(4, 4), path, TPixelFormat::pf24bit);
    chmod(path.c_str(), 0640);
    std::filesystem::create_symlink("a.bmp", dir.File("link.bmp"));
    WriteBmp(Noise(9, 9), dir.File("link.bmp"), TPixelFormat::pf24bit);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.bmp")));
    TBitmap written;
    written.LoadFromFile(path);
    EXPECT_EQ(written.Width(), 9);
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{"a.bmp", "link.bmp"}));
}

TEST(CopyFaults, ACopyOntoAFullDiskLeavesNoPartFileAndKeepsTheSource) {
    TempDir from, to;
    const std::string bytes = NoiseBytes(600000);  // several blocks
    const std::string source = from.Write("a.bmp", bytes);
    to.Write("b.bmp", "old");
    for (const char* name : {"a.bmp", "b.bmp"}) {
        EXPECT_EQ(InChild(false,
                          [&] {
                              LimitFileSize(300000);
                              ExpectFailure(CopyFileContents(source, to.File(name)));
                          }),
                  0);
    }
    EXPECT_EQ(ReadFileBytes(source), bytes);
    EXPECT_EQ(Names(to.Path()), std::set<std::string>{"b.bmp"});
    EXPECT_EQ(ReadFileBytes(to.File("b.bmp")), "old");
    ASSERT_TRUE(CopyFileContents(source, to.File("b.bmp")));
    EXPECT_EQ(ReadFileBytes(to.File("b.bmp")), bytes);
}

// A move to another file system copies: the source goes only once the whole
// copy is there; a copy that does not fit keeps it and leaves no part behind.
using Move = std::function<TTransfer(const std::string& source, const std::string& target)>;

void ExpectMovesAcross(const TempDir& from, const std::string& to, const Move& move) {
    const std::string large = NoiseBytes(600000), small = NoiseBytes(20000);
    from.Write("large.bmp", large);
    from.Write("small.bmp", small);
    EXPECT_EQ(move(from.File("large.bmp"), to + "/large.bmp"), TTransfer::NotCopied);
    EXPECT_EQ(ReadFileBytes(from.File("large.bmp")), large);
    EXPECT_TRUE(Names(to).empty());
    EXPECT_EQ(move(from.File("small.bmp"), to + "/small.bmp"), TTransfer::Done);
    EXPECT_EQ(ReadFileBytes(to + "/small.bmp"), small);
    EXPECT_EQ(Names(from.Path()), std::set<std::string>{"large.bmp"});
}

// A 256 KiB tmpfs on a folder of its own, while it lives.
class SmallFileSystem {
public:
    SmallFileSystem()
        : mounted_(geteuid() == 0 && ::mount("tmpfs", folder_.Path().c_str(), "tmpfs", 0, "size=256k") == 0) {}
    ~SmallFileSystem() {
        if (mounted_) ::umount2(folder_.Path().c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    const std::string& Path() const { return folder_.Path(); }

private:
    TempDir folder_;
    bool mounted_;
};

TEST(MoveFaults, AMoveToASmallFileSystemKeepsTheSourceUntilTheCopyIsComplete) {
    TempDir from;
    SmallFileSystem to;
    if (!to.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here (needs root); the failed rename below stands in";
    ExpectMovesAcross(from, to.Path(), [](const std::string& s, const std::string& t) { return MoveFileTo(s, t); });
}

bool FailingRename(const std::string&, const std::string&) { return false; }

TEST(MoveFaults, AMoveWhoseRenameFailsCopiesAndKeepsTheSourceUntilTheCopyIsComplete) {
    TempDir from, to;
    ExpectMovesAcross(from, to.Path(), [](const std::string& s, const std::string& t) {
        // A full disk in a child for the large file; the small one fits.
        if (FileSize(s) < 300000) return MoveFileTo(s, t, FailingRename);
        return InChild(false,
                       [&] {
                           LimitFileSize(300000);
                           ExpectFailure(MoveFileTo(s, t, FailingRename) == TTransfer::Done);
                       }) == 0
                   ? TTransfer::NotCopied
                   : TTransfer::Done;
    });
}

}  // namespace

namespace {

int ReadBmpWidth(const std::string& path) {
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    return bitmap.Width();
}

// Folders that take no unnamed temporary files (vfat and exFAT cards, many
// network folders): the temporary file has a name from the start, and still
// never stays behind.
class NamedTemporaryFiles : public testing::Test {
protected:
    void SetUp() override { ForceNamedTemporaryFiles(true); }
    void TearDown() override { ForceNamedTemporaryFiles(false); }
};

TEST_F(NamedTemporaryFiles, AReplacementLeavesNoTemporaryFileAndAFailedOneKeepsTheOriginal) {
    TempDir dir;
    const std::string path = dir.File("a.bmp");
    WriteBmp(Noise(4, 4), path, TPixelFormat::pf24bit);
    WriteBmp(Noise(9, 9), path, TPixelFormat::pf24bit);
    EXPECT_EQ(ReadBmpWidth(path), 9);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"a.bmp"});
    const std::string before = ReadFileBytes(path);
    EXPECT_EQ(InChild(false,
                      [&] {
                          LimitFileSize(1000);
                          WriteBmp(Noise(200, 200), path, TPixelFormat::pf24bit);
                      }),
              0);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"a.bmp"});
}

// A small vfat image mounted on a folder of its own while it lives: by the
// kernel where it can, else through FUSE.
class VfatCard {
public:
    VfatCard() {
        const std::string image = folder_.File("card.img");
        mount_ = folder_.File("card");
        std::filesystem::create_directory(mount_);
        if (std::system(("truncate -s 2M '" + image + "' && mkfs.vfat '" + image + "' >/dev/null 2>&1").c_str()) != 0)
            return;
        if (std::system(("mount -o loop '" + image + "' '" + mount_ + "' 2>/dev/null").c_str()) == 0) {
            unmount_ = "umount '" + mount_ + "'";
        } else if (std::system(("fusefat -o rw+ '" + image + "' '" + mount_ + "' >/dev/null 2>&1").c_str()) == 0 &&
                   FolderIsMounted()) {
            unmount_ = "fusermount -u '" + mount_ + "'";
        }
    }
    ~VfatCard() {
        if (!unmount_.empty() && std::system((unmount_ + " 2>/dev/null").c_str()) != 0 &&
            std::system(("umount -l '" + mount_ + "' 2>/dev/null").c_str()) != 0)
            ADD_FAILURE() << "the card at " << mount_ << " stays mounted";
    }
    bool Mounted() const { return !unmount_.empty(); }
    std::string File(const std::string& name) const { return mount_ + "/" + name; }
    const std::string& Path() const { return mount_; }

private:
    bool FolderIsMounted() const {
        const std::string mounts = ReadFileBytes("/proc/self/mounts");
        return mounts.find(" " + mount_ + " ") != std::string::npos;
    }
    TempDir folder_;
    std::string mount_;
    std::string unmount_;
};

TEST(VfatCard, APictureOnACardIsReplacedWholeAndAFullCardKeepsIt) {
    VfatCard card;
    if (!card.Mounted())
        GTEST_SKIP() << "no vfat image can be mounted here (needs root with vfat in the kernel, or fusefat and /dev/fuse)";
    const std::string path = card.File("a.bmp");
    WriteBmp(Noise(4, 4), path, TPixelFormat::pf24bit);
    WriteBmp(Noise(9, 9), path, TPixelFormat::pf24bit);
    EXPECT_EQ(ReadBmpWidth(path), 9);
    const std::string before = ReadFileBytes(path);
    EXPECT_THROW(WriteBmp(Noise(1200, 1200), path, TPixelFormat::pf24bit), EWriteError);  // past the card's size
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Names(card.Path()), std::set<std::string>{"a.bmp"});
    EXPECT_TRUE(CopyFileContents(path, card.File("b.bmp")));
    EXPECT_EQ(ReadFileBytes(card.File("b.bmp")), before);
}

}  // namespace
