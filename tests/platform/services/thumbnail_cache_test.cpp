// The desktop's shared thumbnail cache: entries that every program using the
// same names finds, trusted only while they still describe their file,
// written whole or not at all, and never a cause of an error.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>
#include <zlib.h>

#include "TestFiles.h"
#include "TestTools.h"
#include "platform/SysUtils.h"
#include "platform/services/ThumbnailCache.h"
#include "platform/services/ThumbnailEntryFiles.h"
#include "platform/services/ThumbnailNames.h"
#include "platform/services/ThumbnailPng.h"

namespace lumvex {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::TempDir;
using TText = std::vector<std::pair<std::string, std::string>>;

constexpr std::int64_t FileTime = 1700000000;

void SetModificationTime(const std::string& path, std::int64_t seconds, long nanoseconds = 0) {
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TThumbnailStamp StampOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size};
}

// Red on the left half, blue on the right.
TBitmap TwoColours(int width, int height) {
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.SetPixel(x, y, x < width / 2 ? clRed : clBlue);
    return picture;
}

// A picture that compresses badly, so that its entry takes long to write.
TBitmap Noise(int width, int height, unsigned seed) {
    std::mt19937 random(seed);
    TBitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) picture.SetPixel(x, y, random() & 0xFFFFFF);
    return picture;
}

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code missing;
    for (const auto& entry : fs::directory_iterator(folder, missing)) names.insert(entry.path().filename().string());
    return names;
}

int ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

class ThumbnailCacheTest : public testing::Test {
protected:
    TempDir dir_;
    std::string folder_ = dir_.File("cache/thumbnails");
    TThumbnailCache cache_{folder_};
    std::string failFolder_ = folder_ + "/fail/lumvex-" LUMVEX_VERSION;

    // A picture file with a known modification time; the cache never reads
    // what is in it.
    std::string Picture(const std::string& name, const std::string& bytes = "picture bytes") {
        const std::string path = dir_.Write("pictures/" + name, bytes);
        SetModificationTime(path, FileTime);
        return path;
    }
    std::string Entry(const std::string& folder, const std::string& file) const {
        return folder + "/" + ThumbnailEntryName(FileUri(file));
    }
    std::string Normal(const std::string& file) const { return Entry(folder_ + "/normal", file); }
    // Looks up, then keeps a picture, as the browser does with what it made.
    void StoreFor(const std::string& file, const TBitmap& picture) {
        const TCachedThumbnail looked = cache_.LookUp(file, clWhite);
        ASSERT_NE(looked.Answer, TCacheAnswer::Uncached);
        cache_.Store(file, looked.Stamp, picture, 1000, 500);
    }
    TCacheAnswer AnswerFor(const std::string& file) const { return cache_.LookUp(file, clWhite).Answer; }
    // An entry as another program leaves it.
    void Place(const std::string& entry, const std::string& bytes) {
        fs::create_directories(ExtractFileDir(entry));
        WriteFileAtomically(entry, bytes);
    }
    TText TextOf(const std::string& file) const { return {{"Thumb::URI", FileUri(file)}, {"Thumb::MTime", "1700000000"}}; }
};

TEST(ThumbnailNames, FileUrisAreEncodedAsEveryProgramOfTheCacheEncodesThem) {
    EXPECT_EQ(FileUri("/tmp/a b/été 100%.jpg"), "file:///tmp/a%20b/%C3%A9t%C3%A9%20100%25.jpg");
    EXPECT_EQ(FileUri("/p/!$&'()*+,-.:=@_~Az09.jpg"), "file:///p/!$&'()*+,-.:=@_~Az09.jpg");
    EXPECT_EQ(FileUri("/p/a;b#c?d[e]\"<>^`{|}\\\t.jpg"),
              "file:///p/a%3Bb%23c%3Fd%5Be%5D%22%3C%3E%5E%60%7B%7C%7D%5C%09.jpg");
    EXPECT_EQ(FileUri("/a//b/./c/../d.jpg"), "file:///a/b/d.jpg");
    EXPECT_EQ(FileUri("/../a.jpg"), "file:///a.jpg");

    TempDir dir;
    const std::string before = fs::current_path().string();
    fs::current_path(dir.Path());
    EXPECT_EQ(FileUri("sub/x y.jpg"), "file://" + dir.Path() + "/sub/x%20y.jpg");
    fs::current_path(before);

    EXPECT_EQ(ThumbnailEntryName("file:///home/jens/photos/me.png"), "c6ee772d9e49320e97ec29a7eb5b1697.png");
    EXPECT_EQ(ThumbnailEntryName(FileUri("/tmp/a b/été 100%.jpg")), "38b157f1b3f23e21f350ec7857427ee6.png");
}

TEST(ThumbnailCacheFolder, FollowsTheUsersCacheFolder) {
    const test::ScopedEnv home("HOME", "/home/someone");
    {
        const test::ScopedEnv cache("XDG_CACHE_HOME", "/var/cache/someone");
        EXPECT_EQ(TThumbnailCache::UserFolder(), "/var/cache/someone/thumbnails");
    }
    {
        const test::ScopedEnv cache("XDG_CACHE_HOME", "relative/cache");
        EXPECT_EQ(TThumbnailCache::UserFolder(), "/home/someone/.cache/thumbnails");
    }
    const test::ScopedEnv cache("XDG_CACHE_HOME", nullptr);
    EXPECT_EQ(TThumbnailCache::UserFolder(), "/home/someone/.cache/thumbnails");
}

TEST_F(ThumbnailCacheTest, AKeptThumbnailIsFoundInPrivateFilesThatNameItsFile) {
    const std::string file = Picture("été 1.jpg");
    StoreFor(file, TwoColours(400, 200));

    const TCachedThumbnail found = cache_.LookUp(file, clWhite);
    ASSERT_EQ(found.Answer, TCacheAnswer::Found);
    ASSERT_EQ(found.Picture.Width(), 128);
    ASSERT_EQ(found.Picture.Height(), 64);
    EXPECT_EQ(found.Picture.Pixel(5, 32), clRed);
    EXPECT_EQ(found.Picture.Pixel(122, 32), clBlue);
    EXPECT_EQ(found.ImageWidth, 1000);
    EXPECT_EQ(found.ImageHeight, 500);

    EXPECT_EQ(NamesIn(folder_ + "/normal"), std::set<std::string>{ThumbnailEntryName(FileUri(file))});
    EXPECT_EQ(ModeOf(folder_), 0700);
    EXPECT_EQ(ModeOf(folder_ + "/normal"), 0700);
    EXPECT_EQ(ModeOf(Normal(file)), 0600);
    // Plain text chunks, which every reader of the cache understands.
    const std::string bytes = ReadFileBytes(Normal(file));
    EXPECT_NE(bytes.find("tEXtThumb::URI\0"s + FileUri(file)), std::string::npos);
    EXPECT_NE(bytes.find("tEXtThumb::MTime\0"s "1700000000"), std::string::npos);
    EXPECT_NE(bytes.find("tEXtThumb::Size\0"s "13"), std::string::npos);

    // A picture within the folder's size is kept as it is.
    const std::string small = Picture("small.jpg");
    StoreFor(small, TwoColours(50, 30));
    EXPECT_EQ(cache_.LookUp(small, clWhite).Picture.Width(), 50);
}

// An entry whose pixels fit in one block of the disk as they are is not
// compressed, which would save no room; a larger one is.
TEST_F(ThumbnailCacheTest, OnlyEntriesLargerThanADiskBlockAreCompressed) {
    const TText text = TextOf(Picture("photo.jpg"));
    for (const auto& [width, height] : {std::pair{40, 30}, std::pair{48, 30}, std::pair{128, 96}}) {
        const TBitmap flat = TwoColours(width, height);
        const std::string bytes = WriteThumbnailPng(flat, text);
        const std::size_t pixels = std::size_t(height) * (1 + 3 * width);
        if (pixels + 300 <= 4096) {
            EXPECT_GT(bytes.size(), pixels) << width;
            EXPECT_LE(bytes.size(), 4096u) << width;
        } else {
            EXPECT_LT(bytes.size(), 1000u) << width;
        }
        const std::optional<TThumbnailPng> read = ReadThumbnailPng(bytes, 128, clWhite);
        ASSERT_TRUE(read) << width;
        EXPECT_EQ(read->Picture.Pixel(1, 1), clRed);
        EXPECT_EQ(read->Picture.Pixel(width - 1, height - 1), clBlue);
    }
}

TEST_F(ThumbnailCacheTest, AThumbnailOfAnotherTimeOrSizeIsMadeAgain) {
    const std::string file = Picture("photo.jpg");
    StoreFor(file, TwoColours(40, 20));
    ASSERT_EQ(AnswerFor(file), TCacheAnswer::Found);
    SetModificationTime(file, FileTime + 1);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    SetModificationTime(file, FileTime - 1);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    SetModificationTime(file, FileTime);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Found);
    Picture("photo.jpg", "picture bytes, and more");
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);

    // Other programs may leave out the size, or give the time to a fraction
    // of a second; the time must still be the file's.
    const auto withTime = [&](const std::string& mtime) {
        Place(Normal(file), WriteThumbnailPng(TwoColours(40, 20), {{"Thumb::URI", FileUri(file)}, {"Thumb::MTime", mtime}}));
        return AnswerFor(file);
    };
    EXPECT_EQ(withTime("1700000000"), TCacheAnswer::Found);
    EXPECT_EQ(withTime("1700000000.25"), TCacheAnswer::Found);
    EXPECT_EQ(withTime("1700000001.25"), TCacheAnswer::Miss);
    EXPECT_EQ(withTime("1700000000x"), TCacheAnswer::Miss);
    EXPECT_EQ(withTime("1700000000."), TCacheAnswer::Miss);
    EXPECT_EQ(withTime(""), TCacheAnswer::Miss);
    EXPECT_EQ(withTime(" 1700000000"), TCacheAnswer::Miss);
    Place(Normal(file), WriteThumbnailPng(TwoColours(40, 20), {{"Thumb::URI", FileUri(file)}}));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
}

TEST_F(ThumbnailCacheTest, LargeIsReadWhereNormalHasNothingSound) {
    const std::string file = Picture("photo.jpg");
    Place(Entry(folder_ + "/large", file), WriteThumbnailPng(TwoColours(256, 100), TextOf(file)));
    TCachedThumbnail found = cache_.LookUp(file, clWhite);
    ASSERT_EQ(found.Answer, TCacheAnswer::Found);
    EXPECT_EQ(found.Picture.Width(), 256);
    EXPECT_EQ(found.ImageWidth, 0);  // the entry does not say
    TText sized = TextOf(file);
    sized.insert(sized.end(), {{"Thumb::Image::Width", "4000"}, {"Thumb::Image::Height", "99999999999"}});
    Place(Entry(folder_ + "/large", file), WriteThumbnailPng(TwoColours(256, 100), sized));
    found = cache_.LookUp(file, clWhite);
    EXPECT_EQ(found.ImageWidth, 0);  // a size no picture has
    EXPECT_EQ(found.ImageHeight, 0);

    // Larger than normal allows: not a sound entry of normal.
    Place(Normal(file), WriteThumbnailPng(TwoColours(200, 100), TextOf(file)));
    EXPECT_EQ(cache_.LookUp(file, clWhite).Picture.Width(), 256);
    Place(Normal(file), WriteThumbnailPng(TwoColours(128, 50), TextOf(file)));
    EXPECT_EQ(cache_.LookUp(file, clWhite).Picture.Width(), 128);
    fs::remove(Normal(file));
    Place(Entry(folder_ + "/large", file), WriteThumbnailPng(TwoColours(257, 100), TextOf(file)));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
}

TEST_F(ThumbnailCacheTest, DamagedEntriesAreIgnoredAndMadeAgain) {
    const std::string file = Picture("photo.jpg");
    StoreFor(file, Noise(128, 96, 1));
    const std::string whole = ReadFileBytes(Normal(file));
    ASSERT_EQ(AnswerFor(file), TCacheAnswer::Found);

    for (const std::size_t kept : {std::size_t(0), std::size_t(7), std::size_t(8), std::size_t(60), whole.size() / 2,
                                   whole.size() - 12, whole.size() - 1}) {
        Place(Normal(file), whole.substr(0, kept));
        EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss) << "cut after " << kept << " bytes";
    }
    std::string flipped = whole;
    flipped[whole.find("IDAT") + 100] ^= 0x55;  // the chunk's check sum no longer fits
    Place(Normal(file), flipped);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    Place(Normal(file), "\xFF\xD8\xFF\xE0 not a PNG file");
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    // The entry of another file under this file's name.
    Place(Normal(file), WriteThumbnailPng(TwoColours(40, 20), TextOf(dir_.File("pictures/other.jpg"))));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    // A header that claims a picture far beyond the folder's size.
    std::string huge = whole;
    huge.replace(16, 8, "\x00\x01\x00\x00\x00\x01\x00\x00"s);
    const uLong sum = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    for (int i = 0; i < 4; ++i) huge[29 + i] = char(sum >> (24 - 8 * i));
    Place(Normal(file), huge);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);

    // Once found by the fuzzer: a text chunk claiming 1.8 GB, refused unread.
    Place(Normal(file), ReadFileBytes(LUMVEX_TEST_DATA "/fuzz-finds/thumbnail-text-chunk-of-1.8-gb.png"));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);

    StoreFor(file, TwoColours(40, 20));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Found);

    fs::remove(Normal(file));
    fs::create_directory(Normal(file));  // a folder where the entry should be
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    EXPECT_NO_THROW(StoreFor(file, TwoColours(40, 20)));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
}

TEST_F(ThumbnailCacheTest, AFailureIsRecordedUntilTheFileChanges) {
    const std::string file = Picture("damaged.jpg");
    cache_.StoreFailure(file, cache_.LookUp(file, clWhite).Stamp);
    EXPECT_EQ(NamesIn(failFolder_), std::set<std::string>{ThumbnailEntryName(FileUri(file))});
    EXPECT_EQ(ModeOf(failFolder_), 0700);
    EXPECT_EQ(ModeOf(Entry(failFolder_, file)), 0600);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Failed);

    SetModificationTime(file, FileTime + 60);  // mended, say: tried again
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    SetModificationTime(file, FileTime);
    StoreFor(file, TwoColours(40, 20));  // a thumbnail made after all wins
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Found);

    // What another program could not read may be readable here.
    const std::string other = Picture("other.jpg");
    Place(Entry(folder_ + "/fail/someviewer-1.0", other), WriteThumbnailPng(TBitmap(1, 1), TextOf(other)));
    EXPECT_EQ(AnswerFor(other), TCacheAnswer::Miss);
}

TEST_F(ThumbnailCacheTest, APictureChangedWhileItsThumbnailWasMadeIsNotKept) {
    const std::string file = Picture("photo.jpg", "first");
    // Rewritten within the same second, with as many bytes.
    TThumbnailStamp before = cache_.LookUp(file, clWhite).Stamp;
    Picture("photo.jpg", "fir5t");
    SetModificationTime(file, FileTime, 5000);
    cache_.Store(file, before, TwoColours(40, 20), 0, 0);
    cache_.StoreFailure(file, before);
    EXPECT_FALSE(fs::exists(folder_));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);

    before = cache_.LookUp(file, clWhite).Stamp;
    SetModificationTime(file, FileTime + 1);
    cache_.Store(file, before, TwoColours(40, 20), 0, 0);
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);

    before = cache_.LookUp(file, clWhite).Stamp;
    fs::remove(file);
    cache_.Store(file, before, TwoColours(40, 20), 0, 0);
    cache_.StoreFailure(file, before);
    EXPECT_FALSE(fs::exists(folder_));
}

TEST_F(ThumbnailCacheTest, FilesInsideTheCacheAreNeverKept) {
    const std::string file = Picture("photo.jpg");
    StoreFor(file, TwoColours(40, 20));
    const std::set<std::string> entries = NamesIn(folder_ + "/normal");
    const std::string inside = Normal(file);

    EXPECT_EQ(AnswerFor(inside), TCacheAnswer::Uncached);
    cache_.Store(inside, StampOf(inside), TwoColours(40, 20), 0, 0);
    cache_.StoreFailure(inside, StampOf(inside));
    // Through a link from outside, or a cache named in a roundabout way.
    fs::create_symlink(inside, dir_.File("pictures/link.png"));
    EXPECT_EQ(AnswerFor(dir_.File("pictures/link.png")), TCacheAnswer::Uncached);
    const TThumbnailCache roundabout(dir_.File("cache/./thumbnails/../thumbnails/"));
    roundabout.Store(inside, StampOf(inside), TwoColours(40, 20), 0, 0);
    EXPECT_EQ(NamesIn(folder_ + "/normal"), entries);
    EXPECT_FALSE(fs::exists(failFolder_));

    // Through a folder that is a link into the cache, from another cache
    // object that saw its folder already there.
    fs::create_directory_symlink(folder_ + "/normal", dir_.File("pictures/normal"));
    const std::string throughFolder = dir_.File("pictures/normal/" + ThumbnailEntryName(FileUri(file)));
    EXPECT_EQ(TThumbnailCache(folder_).LookUp(throughFolder, clWhite).Answer, TCacheAnswer::Uncached);
    EXPECT_EQ(AnswerFor(throughFolder), TCacheAnswer::Uncached);

    // A folder beside the cache whose name merely begins like it is outside.
    const std::string beside = dir_.Write("cache/thumbnails-old/photo.jpg", "bytes");
    StoreFor(beside, TwoColours(40, 20));
    EXPECT_EQ(AnswerFor(beside), TCacheAnswer::Found);
}

TEST_F(ThumbnailCacheTest, AReaderNeverSeesPartOfAnEntry) {
    const std::string file = Picture("photo.jpg");
    const TThumbnailStamp stamp = cache_.LookUp(file, clWhite).Stamp;
    const std::string entry = Normal(file);
    std::atomic<bool> done{false};
    int whole = 0, broken = 0;
    std::thread reader([&] {
        while (!done.load()) {
            std::string bytes;
            try {
                bytes = ReadFileBytes(entry);
            } catch (const EFOpenError&) {
                continue;  // not written yet
            }
            (ReadThumbnailPng(bytes, 128, clWhite) ? whole : broken)++;
        }
    });
    for (int i = 0; i < 40; ++i)
        cache_.Store(file, stamp, i % 2 ? Noise(128, 128, i) : TwoColours(30, 20), 0, 0);
    done = true;
    reader.join();
    EXPECT_EQ(broken, 0);
    EXPECT_GT(whole, 0);
    EXPECT_EQ(NamesIn(folder_ + "/normal"), std::set<std::string>{ThumbnailEntryName(FileUri(file))});
}

TEST_F(ThumbnailCacheTest, AWriteThatFailsLeavesTheEntryBeforeItAndNoTemporaryFile) {
    const std::string file = Picture("photo.jpg");
    StoreFor(file, TwoColours(40, 20));
    const std::string before = ReadFileBytes(Normal(file));

    // A file-size limit far below the new entry's size: the write stops halfway.
    const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit limit{4096, oldLimit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_NO_THROW(cache_.Store(file, cache_.LookUp(file, clWhite).Stamp, Noise(128, 128, 7), 0, 0));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    signal(SIGXFSZ, oldSignal);

    EXPECT_EQ(ReadFileBytes(Normal(file)), before);
    EXPECT_EQ(NamesIn(folder_ + "/normal"), std::set<std::string>{ThumbnailEntryName(FileUri(file))});
}

// Entries are written as unnamed files given their name when whole; where
// that cannot be (a file system without unnamed files, or an entry there
// already, which a link cannot replace) through a temporary name and a
// rename. Either way the entry is whole and private, and nothing else is left.
TEST_F(ThumbnailCacheTest, EitherWayOfWritingAnEntryLeavesItWholeAndNothingElse) {
    const std::string folder = folder_ + "/normal";
    const std::string first = WriteThumbnailPng(TwoColours(40, 20), {});
    const std::string second = WriteThumbnailPng(Noise(60, 30, 3), {});
    for (const TEntryWrite way : {TEntryWrite::Linked, TEntryWrite::Renamed}) {
        const std::string name = way == TEntryWrite::Linked ? "linked.png" : "renamed.png";
        ASSERT_TRUE(WriteEntryAtomically(folder, name, first, way));
        EXPECT_EQ(ReadFileBytes(folder + "/" + name), first);
        EXPECT_EQ(ModeOf(folder + "/" + name), 0600);
        // A stale entry replaced.
        ASSERT_TRUE(WriteEntryAtomically(folder, name, second, way));
        EXPECT_EQ(ReadFileBytes(folder + "/" + name), second);
    }
    EXPECT_EQ(ModeOf(folder), 0700);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"linked.png", "renamed.png"}));

    // A write cut short by a file-size limit leaves the entry before it, and
    // no temporary file, either way.
    const auto oldSignal = signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit limit{1024, oldLimit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string large = WriteThumbnailPng(Noise(128, 128, 5), {});
    const bool linked = WriteEntryAtomically(folder, "new.png", large, TEntryWrite::Linked);
    const bool renamed = WriteEntryAtomically(folder, "renamed.png", large, TEntryWrite::Renamed);
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    signal(SIGXFSZ, oldSignal);
    EXPECT_FALSE(linked);
    EXPECT_FALSE(renamed);
    EXPECT_EQ(ReadFileBytes(folder + "/renamed.png"), second);
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"linked.png", "renamed.png"}));

    // A missing folder is made either way; a file in its place fails both.
    EXPECT_TRUE(WriteEntryAtomically(folder_ + "/large", "a.png", first, TEntryWrite::Linked));
    EXPECT_TRUE(WriteEntryAtomically(folder_ + "/fail/x", "a.png", first, TEntryWrite::Renamed));
    dir_.Write("cache/file", "a file where a folder would be");
    for (const TEntryWrite way : {TEntryWrite::Linked, TEntryWrite::Renamed})
        EXPECT_FALSE(WriteEntryAtomically(dir_.File("cache/file"), "a.png", first, way));
}

TEST_F(ThumbnailCacheTest, ACacheThatCannotBeWrittenCostsNothingButTheCache) {
    const std::string file = Picture("photo.jpg");
    dir_.Write("cache/thumbnails", "a file where the folder should be");
    const TCachedThumbnail looked = cache_.LookUp(file, clWhite);
    EXPECT_EQ(looked.Answer, TCacheAnswer::Miss);
    EXPECT_NO_THROW(cache_.Store(file, looked.Stamp, TwoColours(40, 20), 0, 0));
    EXPECT_NO_THROW(cache_.StoreFailure(file, looked.Stamp));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);

    // Having failed, the cache and its copies stop trying for the rest of
    // their build; a cache made afresh tries again.
    fs::remove(folder_);
    const TThumbnailCache copy = cache_;
    copy.Store(file, looked.Stamp, TwoColours(40, 20), 0, 0);
    EXPECT_FALSE(fs::exists(Normal(file)));
    TThumbnailCache(folder_).Store(file, looked.Stamp, TwoColours(40, 20), 0, 0);
    EXPECT_TRUE(fs::exists(Normal(file)));
}

// Root writes through permission bits, but not into an immutable folder.
TEST_F(ThumbnailCacheTest, AnImmutableCacheKeepsWhatItHasAndTakesNothingNew) {
    const std::string kept = Picture("kept.jpg");
    StoreFor(kept, TwoColours(40, 20));
    const std::string normal = folder_ + "/normal";
    if (std::system(("chattr +i '" + folder_ + "' '" + normal + "' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +i is not available here (not root, or a file system without the flag)";
    struct Thaw {
        std::string folders;
        ~Thaw() { [[maybe_unused]] const int ignored = std::system(("chattr -i " + folders).c_str()); }
    } thaw{"'" + folder_ + "' '" + normal + "'"};

    const std::string file = Picture("photo.jpg");
    const TCachedThumbnail looked = cache_.LookUp(file, clWhite);
    EXPECT_NO_THROW(cache_.Store(file, looked.Stamp, TwoColours(40, 20), 0, 0));
    EXPECT_NO_THROW(cache_.StoreFailure(file, looked.Stamp));
    EXPECT_EQ(AnswerFor(file), TCacheAnswer::Miss);
    EXPECT_EQ(AnswerFor(kept), TCacheAnswer::Found);
    EXPECT_EQ(NamesIn(normal), std::set<std::string>{ThumbnailEntryName(FileUri(kept))});
}

// ImageMagick reads and writes the cache's text chunks on its own.
TEST_F(ThumbnailCacheTest, EntriesAreSharedWithAnIndependentReaderAndWriter) {
    if (!test::ToolInstalled("convert") || !test::ToolInstalled("identify")) GTEST_SKIP() << "ImageMagick is not installed";
    const std::string file = Picture("a b%.jpg");
    StoreFor(file, TwoColours(400, 200));
    const std::string told = test::RunTool("identify -verbose '" + Normal(file) + "'");
    EXPECT_NE(told.find("Thumb::URI: " + FileUri(file)), std::string::npos) << told;
    EXPECT_NE(told.find("Thumb::MTime: 1700000000"), std::string::npos);
    EXPECT_NE(told.find("Geometry: 128x64+0+0"), std::string::npos);

    // Half red, half transparent: the background shows through.
    const std::string other = Picture("other é.png");
    std::string uri = FileUri(other);
    for (std::size_t at = 0; (at = uri.find('%', at)) != std::string::npos; at += 2) uri.insert(at, "%");
    const std::string entry = Entry(folder_ + "/large", other);
    fs::create_directories(ExtractFileDir(entry));
    ASSERT_EQ(std::system(("convert -size 200x100 xc:none -fill red -draw 'rectangle 0,0 99,99' -set Thumb::URI '" +
                           uri + "' -set Thumb::MTime 1700000000 'PNG32:" + entry + "'")
                              .c_str()),
              0);
    const TCachedThumbnail found = cache_.LookUp(other, clLime);
    ASSERT_EQ(found.Answer, TCacheAnswer::Found);
    EXPECT_EQ(found.Picture.Width(), 200);
    EXPECT_EQ(found.Picture.Pixel(10, 50), clRed);
    EXPECT_EQ(found.Picture.Pixel(190, 50), clLime);
}

}  // namespace
}  // namespace lumvex
