// Replacing a picture file never leaves it half-written: a read-only file,
// a full disk and a process killed while writing all leave the original as
// it was, and no temporary file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "TestFiles.h"
#include "imageops/PictureFiles.h"
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
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{20000, 20000};
        setrlimit(RLIMIT_FSIZE, &limit);
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

}  // namespace
