// The settings store: values survive on disk, names ignore letter case, wrong
// types raise the data-type error, and a damaged store or a second writer
// never costs the entries that can still be read.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "TestFiles.h"
#include "platform/SysUtils.h"
#include "platform/services/Registry.h"

namespace lumvex {
namespace {

using namespace std::string_literals;

using test::ScopedEnv;

class RegistryTest : public testing::Test {
protected:
    test::TempDir dir_;
    ScopedEnv storeDir_{"LUMVEX_REGISTRY_DIR", dir_.Path().c_str()};

    std::string StorePath() const { return dir_.File("HKEY_LOCAL_MACHINE.txt"); }

    std::set<std::string> FilesInStoreDir() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.Path()))
            names.insert(entry.path().filename().string());
        return names;
    }
};

// Opens SOFTWARE\TARNIC\Lumvex one level at a time, creating what is missing.
void OpenSettingsKey(TRegistry& reg) {
    for (const char* name : {"SOFTWARE", "TARNIC", "Lumvex"}) {
        reg.CreateKey(name);
        ASSERT_TRUE(reg.OpenKey(name, false)) << name;
    }
}

const std::string Awkward = "line one\nline two\r\n\ttab \"quoted\" a=b [k] #c 100% C:\\Program Files\\x.exe ";
const std::string Hungarian = "árvíztűrő tükörfúrógép ŐŰ";
const std::string Bytes = "nul\0byte \x01\x7f\xff end"s;

TEST_F(RegistryTest, StringsAndIntegersComeBackFromDiskExactly) {
    {
        TRegistry reg;
        OpenSettingsKey(reg);
        reg.WriteString("awkward", Awkward);
        reg.WriteString("hungarian", Hungarian);
        reg.WriteString("bytes", Bytes);
        reg.WriteString("empty", "");
        reg.WriteString("", "the default value");
        reg.WriteString("odd = [name] #1 %", "odd name");
        reg.WriteString("név ű", "non-ASCII name");
        reg.WriteInteger("x", -271);
        reg.WriteInteger("min", INT_MIN);
        reg.WriteInteger("max", INT_MAX);
        reg.WriteBool("c1", true);
        reg.WriteBool("c3", false);
        reg.CloseKey();
    }
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_EQ(reg.ReadString("awkward"), Awkward);
    EXPECT_EQ(reg.ReadString("hungarian"), Hungarian);
    EXPECT_EQ(reg.ReadString("bytes"), Bytes);
    EXPECT_TRUE(reg.ValueExists("empty"));
    EXPECT_EQ(reg.ReadString("empty"), "");
    EXPECT_EQ(reg.ReadString(""), "the default value");
    EXPECT_EQ(reg.ReadString("odd = [name] #1 %"), "odd name");
    EXPECT_EQ(reg.ReadString("név ű"), "non-ASCII name");
    EXPECT_EQ(reg.ReadInteger("x"), -271);
    EXPECT_EQ(reg.ReadInteger("min"), INT_MIN);
    EXPECT_EQ(reg.ReadInteger("max"), INT_MAX);
    EXPECT_TRUE(reg.ReadBool("c1"));
    EXPECT_EQ(reg.ReadInteger("c1"), 1);
    EXPECT_FALSE(reg.ReadBool("c3"));

    // One line per item, nothing but printable ASCII, so a line break or a
    // stray byte in a value can never split or break the file.
    const std::string text = ReadFileBytes(StorePath());
    for (char c : text) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7F)) << int(static_cast<unsigned char>(c));
}

TEST_F(RegistryTest, MissingValuesAndKeys) {
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_FALSE(reg.ValueExists("x"));
    EXPECT_TRUE(FilesInStoreDir().empty()) << "reading creates nothing";

    OpenSettingsKey(reg);
    EXPECT_FALSE(reg.ValueExists("x"));
    EXPECT_EQ(reg.ReadString("edit"), "");
    try {
        reg.ReadInteger("width");
        ADD_FAILURE() << "no error for a missing integer";
    } catch (const ERegistryException& e) {
        EXPECT_NE(e.Message().find("'width'"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(reg.ReadBool("c1"), ERegistryException);

    // A failed open leaves the open key as it was.
    reg.WriteInteger("x", 5);
    EXPECT_FALSE(reg.OpenKey("nothing here", false));
    EXPECT_EQ(reg.ReadInteger("x"), 5);
    // A value is looked up in the open key only.
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE", false));
    EXPECT_FALSE(reg.ValueExists("x"));
}

TEST_F(RegistryTest, ReadingTheWrongTypeRaisesTheDataTypeError) {
    TRegistry reg;
    OpenSettingsKey(reg);
    reg.WriteInteger("co1", 0x24DB7B);
    reg.WriteString("x", "271");
    auto expectTypeError = [](auto read, const std::string& name) {
        try {
            read();
            ADD_FAILURE() << "no data-type error for " << name;
        } catch (const ERegistryException& e) {
            EXPECT_NE(e.Message().find("Invalid data type for '" + name + "'"), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find("SOFTWARE\\TARNIC\\Lumvex"), std::string::npos) << e.Message();
        }
    };
    expectTypeError([&] { reg.ReadString("co1"); }, "co1");
    expectTypeError([&] { reg.ReadInteger("x"); }, "x");
    expectTypeError([&] { reg.ReadBool("x"); }, "x");

    // Writing another type replaces the value, type and all.
    reg.WriteString("co1", "clLime");
    EXPECT_EQ(reg.ReadString("co1"), "clLime");
}

TEST_F(RegistryTest, KeysAreReachedByRelativeOrAbsolutePathsInAnyLetterCase) {
    TRegistry reg;
    OpenSettingsKey(reg);
    reg.WriteInteger("Width", 632);
    reg.WriteInteger("WIDTH", 640);  // the same value
    reg.WriteString("Ű", "upper");
    reg.WriteString("ű", "lower");  // the same value in another case
    reg.WriteString("\xff" "A", "not UTF-8");
    reg.WriteString("\xfe" "A", "another name");
    reg.CloseKey();

    TRegistry again;
    ASSERT_TRUE(again.OpenKey("software\\tarnic\\LUMVEX", false));
    EXPECT_EQ(again.ReadInteger("width"), 640);
    EXPECT_EQ(again.ReadString("ű"), "lower");
    EXPECT_EQ(again.ReadString("\xff" "a"), "not UTF-8");
    EXPECT_EQ(again.ReadString("\xfe" "a"), "another name");
    again.CloseKey();
    ASSERT_TRUE(again.OpenKey("Software", false));
    ASSERT_TRUE(again.OpenKey("Tarnic\\Lumvex\\", false)) << "relative to the open key";
    EXPECT_EQ(again.ReadInteger("Width"), 640);
    ASSERT_TRUE(again.OpenKey("\\SOFTWARE\\TARNIC", false)) << "absolute from the root";
    EXPECT_FALSE(again.ValueExists("width"));

    // The name a key or value was made with is the one kept on disk.
    const std::string text = ReadFileBytes(StorePath());
    EXPECT_NE(text.find("[SOFTWARE\\TARNIC\\Lumvex]"), std::string::npos) << text;
    EXPECT_NE(text.find("Width=dword:640"), std::string::npos) << text;
}

TEST_F(RegistryTest, DeleteKeyRemovesTheKeyWithItsSubkeysOnly) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKey(".bmp", true));
    reg.WriteString("", "Lumvex.bmp");
    ASSERT_TRUE(reg.OpenKey("\\Lumvex.bmp\\shell\\open\\command", true));
    reg.WriteString("", "\"/opt/my programs/lumvex\" \"%1\"");
    ASSERT_TRUE(reg.OpenKey("\\Lumvex.bmp\\DefaultIcon", true));
    reg.WriteString("", "/opt/my programs/lumvex,1");
    reg.CloseKey();

    EXPECT_TRUE(reg.DeleteKey("LUMVEX.BMP"));
    EXPECT_FALSE(reg.DeleteKey("Lumvex.bmp")) << "deleting a missing key is no error";

    TRegistry again;
    again.SetRootKey(HKEY_CLASSES_ROOT);
    EXPECT_FALSE(again.OpenKey("Lumvex.bmp", false));
    EXPECT_FALSE(again.OpenKey("Lumvex.bmp\\shell\\open\\command", false));
    ASSERT_TRUE(again.OpenKey(".bmp", false));
    EXPECT_EQ(again.ReadString(""), "Lumvex.bmp");

    // Each root key is a store of its own.
    again.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(again.OpenKey(".bmp", false));
    EXPECT_TRUE(FileExists(dir_.File("HKEY_CLASSES_ROOT.txt")));
}

TEST_F(RegistryTest, TheStoreFolderComesFromTheEnvironment) {
    const std::string nested = dir_.File("a/b");
    {
        ScopedEnv storeDir("LUMVEX_REGISTRY_DIR", nested.c_str());
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("SOFTWARE", true));
        EXPECT_TRUE(FileExists(nested + "/HKEY_LOCAL_MACHINE.txt")) << "missing folders are made";
    }
    {
        ScopedEnv storeDir("LUMVEX_REGISTRY_DIR", nullptr);
        ScopedEnv config("XDG_CONFIG_HOME", dir_.File("config").c_str());
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("SOFTWARE", true));
        EXPECT_TRUE(FileExists(dir_.File("config/lumvex/HKEY_LOCAL_MACHINE.txt")));
    }
}

TEST_F(RegistryTest, AStoreThatCannotBeWrittenRaisesAnErrorNamingTheKey) {
    dir_.Write("in-the-way", "a file, not a folder");
    ScopedEnv storeDir("LUMVEX_REGISTRY_DIR", dir_.File("in-the-way/store").c_str());
    TRegistry reg;
    try {
        reg.CreateKey("SOFTWARE");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_NE(e.Message().find("HKEY_LOCAL_MACHINE\\SOFTWARE"), std::string::npos) << e.Message();
    }
    EXPECT_THROW(reg.WriteInteger("x", 1), ERegistryException);
}

TEST_F(RegistryTest, ADamagedStoreKeepsWhatCanBeReadAndAWriteLosesNothingElse) {
    const std::string damaged =
        "# store\n"s +
        "[SOFTWARE\\TARNIC\\Lumvex]\n"
        "x=dword:271\n"
        "garbage without an equals sign\n" +
        "\x00\xff\xfe binary=\x01\x02\n"s +
        "co1=sz:$0024DB7B\n"
        "bad escape=sz:%G1\n"
        "cut escape=sz:ab%4\n"
        "too big=dword:99999999999\n"
        "no type=271\n"
        "[Broken%ZZ]\n"
        "lost=sz:under a damaged key\n"
        "[SOFTWARE\\Other]\r\n"
        "crlf=sz:kept\r\n"
        "y=dword:12";  // cut off in the middle of "y=dword:122"
    dir_.Write("HKEY_LOCAL_MACHINE.txt", damaged);

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_EQ(reg.ReadInteger("x"), 271);
    EXPECT_EQ(reg.ReadString("co1"), "$0024DB7B");
    for (const char* name : {"bad escape", "cut escape", "too big", "no type", "lost"})
        EXPECT_FALSE(reg.ValueExists(name)) << name;
    ASSERT_TRUE(reg.OpenKey("\\SOFTWARE\\Other", false));
    EXPECT_EQ(reg.ReadString("crlf"), "kept");
    EXPECT_FALSE(reg.ValueExists("y")) << "a cut-off last line is not read as 12";

    reg.WriteInteger("y", 122);
    TRegistry again;
    ASSERT_TRUE(again.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_EQ(again.ReadInteger("x"), 271);
    EXPECT_EQ(again.ReadString("co1"), "$0024DB7B");
    ASSERT_TRUE(again.OpenKey("\\SOFTWARE\\Other", false));
    EXPECT_EQ(again.ReadInteger("y"), 122);
    EXPECT_EQ(ReadFileBytes(StorePath() + ".damaged"), damaged) << "the damaged original is kept";
}

TEST_F(RegistryTest, ADamagedStoreReadAgainIsKeptAsideOnlyOnce) {
    const std::string damaged = "[SOFTWARE\\TARNIC\\Lumvex]\nx=dword:271\ngarbage\n";
    dir_.Write("HKEY_LOCAL_MACHINE.txt", damaged);
    const std::string copy = StorePath() + ".damaged";
    TRegistry first;
    ASSERT_TRUE(first.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    struct stat before {};
    ASSERT_EQ(::stat(copy.c_str(), &before), 0);
    TRegistry second;
    ASSERT_TRUE(second.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_EQ(second.ReadInteger("x"), 271);
    struct stat after{};
    ASSERT_EQ(::stat(copy.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the copy kept by the first read is not written again";
    EXPECT_EQ(ReadFileBytes(copy), damaged);
    EXPECT_FALSE(std::filesystem::exists(copy + "-2"));
}

TEST_F(RegistryTest, GarbageOrAnEmptyFileReadsAsAnEmptyStore) {
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919 + 13) % 256);
    for (const std::string& bytes : {noise, std::string(), "[\n[]]\n=\n%%%\n\n"s}) {
        dir_.Write("HKEY_LOCAL_MACHINE.txt", bytes);
        TRegistry reg;
        EXPECT_FALSE(reg.OpenKey("SOFTWARE", false));
        OpenSettingsKey(reg);
        reg.WriteString("edit", "mspaint");
        TRegistry again;
        ASSERT_TRUE(again.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
        EXPECT_EQ(again.ReadString("edit"), "mspaint");
    }
}

TEST_F(RegistryTest, AWriteLeavesNoTemporaryFileAndKeepsTheOtherKeys) {
    dir_.Write("HKEY_LOCAL_MACHINE.txt", "[SOFTWARE\\Someone]\nkept=sz:yes\n[SOFTWARE\\Empty]\n");
    TRegistry reg;
    OpenSettingsKey(reg);
    for (int i = 0; i < 5; ++i) reg.WriteInteger("c" + std::to_string(i + 1), i % 2);

    EXPECT_EQ(FilesInStoreDir(), (std::set<std::string>{"HKEY_LOCAL_MACHINE.txt", "HKEY_LOCAL_MACHINE.txt.lock"}));
    TRegistry again;
    ASSERT_TRUE(again.OpenKey("SOFTWARE\\Someone", false));
    EXPECT_EQ(again.ReadString("kept"), "yes");
    EXPECT_TRUE(again.OpenKey("\\SOFTWARE\\Empty", false)) << "a key without values stays";
}

TEST_F(RegistryTest, TwoInstancesWritingDifferentKeysKeepBothChanges) {
    TRegistry first;
    TRegistry second;
    ASSERT_TRUE(first.OpenKey("SOFTWARE\\First", true));
    ASSERT_TRUE(second.OpenKey("SOFTWARE\\Second", true));  // read before first writes
    first.WriteString("who", "first");
    second.WriteString("who", "second");
    first.WriteInteger("n", 1);

    TRegistry reader;
    ASSERT_TRUE(reader.OpenKey("SOFTWARE\\First", false));
    EXPECT_EQ(reader.ReadString("who"), "first");
    EXPECT_EQ(reader.ReadInteger("n"), 1);
    ASSERT_TRUE(reader.OpenKey("\\SOFTWARE\\Second", false));
    EXPECT_EQ(reader.ReadString("who"), "second");

    // Writers at the same time, each with its own lock file handle.
    auto writer = [](const std::string& key) {
        TRegistry reg;
        EXPECT_TRUE(reg.OpenKey(key, true));
        for (int i = 0; i < 25; ++i) reg.WriteInteger("v" + std::to_string(i), i);
    };
    std::thread a(writer, "Busy\\A");
    std::thread b(writer, "Busy\\B");
    a.join();
    b.join();
    for (const char* key : {"\\Busy\\A", "\\Busy\\B"}) {
        ASSERT_TRUE(reader.OpenKey(key, false)) << key;
        for (int i = 0; i < 25; ++i) EXPECT_EQ(reader.ReadInteger("v" + std::to_string(i)), i) << key << i;
    }
}

}  // namespace
}  // namespace lumvex
