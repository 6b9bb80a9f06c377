// The program starts from a settings store cut short by hand: what could be
// read is used, one error names the file, and start-up runs to its end.
#include <gtest/gtest.h>

#include <filesystem>

#include "ViewerSupport.h"
#include "platform/SysUtils.h"
#include "platform/services/Registry.h"
#include "platform/services/RegistryFile.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

TEST(DamagedStore, TheProgramStartsWithWhatCouldBeReadAndShowsOneError) {
    std::filesystem::remove_all(RegistryFolder());
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", true));
        registry.WriteString("co1", "clRed");
        registry.WriteInteger("c3", 1);
        registry.WriteString("edit", "gimp");
    }
    const std::string path = RegistryFile("HKEY_LOCAL_MACHINE").Path();
    const std::string whole = ReadFileBytes(path);
    const std::string cut = whole.substr(0, whole.size() - 4);  // into the last line
    WriteFileAtomically(path, cut);

    TempDir dir;
    WriteBmp(dir, "a.bmp", 40, 30, clBlue);
    RecordedErrors errors;
    StartViewer(dir.Path());

    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find(path), std::string::npos) << errors.Messages[0];
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), cut);
    EXPECT_EQ(Viewer.co1, clRed);
    EXPECT_EQ(MainWindow->TopImage->Picture().Bitmap().Pixel(0, 9), clRed);
    EXPECT_TRUE(MainWindow->BackLogo->Visible());
    EXPECT_EQ(OptionsWindow->Edit1->Text(), "mspaint");  // the damaged line
    EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - a.bmp");
}

}  // namespace

namespace {

// A store that cannot be read at all: the program starts with its defaults,
// one error names the file and the copy of its bytes, and a later damage
// never overwrites a copy kept before.
TEST(DamagedStore, AStoreOfNoReadableLineIsToldAboutAndItsBytesAreKept) {
    std::string noise;
    for (int i = 0; i < 3000; ++i) noise += static_cast<char>((i * 7919 + i / 7) % 256);
    std::string truncatedBinary("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20);
    const std::string path = RegistryFile("HKEY_LOCAL_MACHINE").Path();
    TempDir dir;
    WriteBmp(dir, "a.bmp", 40, 30, clBlue);
    const struct {
        const std::string& bytes;
        const std::string keptAs;
    } stores[] = {{noise, path + ".damaged"}, {truncatedBinary, path + ".damaged-2"}};
    for (const auto& store : stores) {
        std::filesystem::create_directories(RegistryFolder());
        WriteFileAtomically(path, store.bytes);
        RecordedErrors errors;
        StartViewer(dir.Path());
        ASSERT_EQ(errors.Messages.size(), 1u);
        EXPECT_NE(errors.Messages[0].find("\"" + path + "\""), std::string::npos) << errors.Messages[0];
        EXPECT_NE(errors.Messages[0].find("\"" + store.keptAs + "\""), std::string::npos) << errors.Messages[0];
        EXPECT_EQ(ReadFileBytes(store.keptAs), store.bytes);
        EXPECT_EQ(Viewer.co1, 0x24DB7Bu);
        EXPECT_EQ(OptionsWindow->Edit1->Text(), "mspaint");
        EXPECT_EQ(MainWindow->TopLabel->Caption(), "Lumvex - a.bmp");
    }
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), noise);
}

}  // namespace
