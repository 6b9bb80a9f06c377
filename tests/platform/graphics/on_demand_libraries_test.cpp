// libheif and libjxl are opened when the first picture of theirs is decoded:
// sniffing other files leaves them unloaded, a system without one of them (or
// with a version lacking a function) gets the program's error for those
// pictures and keeps opening every other kind, and once the library is there
// it is used. One scenario in one process, since a library once loaded stays.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "FormatFiles.h"
#include "platform/SharedLibrary.h"
#include "platform/SysUtils.h"
#include "platform/graphics/Picture.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

bool Loaded(const char* soname) {
    void* handle = dlopen(soname, RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

// The picture kind that content sniffing gives, or "" for none.
std::string KindOf(std::string_view bytes, const std::string& name) {
    try {
        return TPicture::CreateForContent(bytes, name)->ClassName();
    } catch (const EInvalidGraphic&) {
        return "";
    }
}

// The message of the error that loading the file raises, or "" when it loads.
std::string LoadError(const std::string& path) {
    TPicture picture;
    try {
        picture.LoadFromFile(path);
    } catch (const Exception& error) {
        return error.Message();
    }
    return "";
}

}  // namespace

TEST(OnDemandLibraries, OpenedOnlyForTheirPicturesAndMissedWithTheProgramsError) {
    TempDir dir;
    FormatFiles files{dir};
    const std::string source = files.Quadrants();
    LUMVEX_REQUIRE_FILE(files, source);
    const std::string heic = files.Make("photo.heic", "heif-enc -L quadrants.png -o %o");
    LUMVEX_REQUIRE_FILE(files, heic);
    const std::string jxl = files.Make("picture.jxl", "cjxl -d 0 quadrants.png %o");
    LUMVEX_REQUIRE_FILE(files, jxl);
    ASSERT_FALSE(Loaded(LUMVEX_LIBHEIF_SONAME)) << "the test binary must not link libheif";
    ASSERT_FALSE(Loaded(LUMVEX_LIBJXL_SONAME)) << "the test binary must not link libjxl";

    // Sniffing a video of the ISO media family, a PNG and a JPEG XL file
    // loads neither library.
    EXPECT_EQ(KindOf(std::string("\0\0\0\x18" "ftypisom\0\0\0\0isommp42", 24), "clip.mp4"), "");
    EXPECT_EQ(KindOf(ReadFileBytes(source), "quadrants"), "TPngImage");
    EXPECT_EQ(KindOf(ReadFileBytes(jxl), "picture"), "TJxlImage");
    EXPECT_FALSE(Loaded(LUMVEX_LIBHEIF_SONAME));
    EXPECT_FALSE(Loaded(LUMVEX_LIBJXL_SONAME));

    // libheif not installed; a libjxl_threads that lacks its functions.
    ReplaceSharedLibrary(LUMVEX_LIBHEIF_SONAME, "liblumvex-absent-heif.so.1");
    ReplaceSharedLibrary(LUMVEX_LIBJXL_THREADS_SONAME, LUMVEX_LIBJXL_SONAME);
    EXPECT_EQ(KindOf(ReadFileBytes(heic), "photo"), "THeifImage") << "still known for what it is";
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string heifError = LoadError(heic);
        EXPECT_NE(heifError.find("HEIF and AVIF pictures cannot be read"), std::string::npos) << heifError;
        EXPECT_NE(heifError.find("liblumvex-absent-heif.so.1"), std::string::npos) << heifError;
        const std::string jxlError = LoadError(jxl);
        EXPECT_NE(jxlError.find("JPEG XL pictures cannot be read"), std::string::npos) << jxlError;
        EXPECT_NE(jxlError.find("has no function JxlResizableParallelRunner"), std::string::npos) << jxlError;
    }
    EXPECT_EQ(LoadError(source), "") << "other kinds still open";

    // Installed afterwards: the next picture opens them.
    ReplaceSharedLibrary(LUMVEX_LIBHEIF_SONAME, LUMVEX_LIBHEIF_SONAME);
    ReplaceSharedLibrary(LUMVEX_LIBJXL_THREADS_SONAME, LUMVEX_LIBJXL_THREADS_SONAME);
    EXPECT_EQ(LoadError(heic), "");
    EXPECT_EQ(LoadError(jxl), "");
    EXPECT_TRUE(Loaded(LUMVEX_LIBHEIF_SONAME));
    EXPECT_TRUE(Loaded(LUMVEX_LIBJXL_SONAME));
}
