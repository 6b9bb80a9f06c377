// The association boxes: the registration store under HKEY_CLASSES_ROOT and
// the desktop's own files, in a temporary home folder.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <utility>

#include "appearance/DesktopAssociations.h"
#include "TestTools.h"
#include "ViewerSupport.h"
#include "platform/SysUtils.h"
#include "platform/services/Application.h"
#include "platform/services/Registry.h"
#include "platform/services/RegistryFile.h"
#include "platform/services/Shell.h"
#include "platform/services/TestInput.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

constexpr const char* Program = "/opt/Lumvex Viewer/lumvex";

// The default value of a key of HKEY_CLASSES_ROOT, or nullopt when the key
// is not there.
std::optional<std::string> ClassDefault(const std::string& key) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    if (!registry.OpenKey(key, false)) return std::nullopt;
    return registry.ReadString("");
}

class Associations : public OnePictureFolderTest {
protected:
    // All four boxes checked, with nothing written yet.
    void SetUp() override {
        // No entry installed with the program, unless a test puts one there.
        const char* dataDirs = std::getenv("XDG_DATA_DIRS");
        savedDataDirs = dataDirs ? std::optional<std::string>(dataDirs) : std::nullopt;
        setenv("XDG_DATA_DIRS", (dir.Path() + "/system").c_str(), 1);
        StartWindows();
        savedProgram = Application.ExeName;
        Application.ExeName = Program;
        shell.emplace();
        for (int pass = 0; pass < 2; ++pass) {
            std::filesystem::remove(RegistryFile("HKEY_CLASSES_ROOT").Path());
            std::filesystem::remove_all(ExtractFileDir(UserMimeAppsFile()));
            std::filesystem::remove_all(UserApplicationsFolder());
            if (pass == 0)
                for (TCheckBox* box : Boxes()) box->SetChecked(true);
        }
        shell->Calls.clear();
    }
    void TearDown() override {
        for (const std::string& message : unexpected.Messages) ADD_FAILURE() << message;
        shell.reset();
        Application.ExeName = savedProgram;
        if (savedDataDirs)
            setenv("XDG_DATA_DIRS", savedDataDirs->c_str(), 1);
        else
            unsetenv("XDG_DATA_DIRS");
    }
    static std::vector<TCheckBox*> Boxes() {
        return {OptionsWindow->CheckBox5, OptionsWindow->CheckBox6, OptionsWindow->CheckBox7, OptionsWindow->CheckBox8};
    }
    int HandlerRuns() const {
        int runs = 0;
        for (const ScriptedShell::Call& call : shell->Calls) runs += call.Program == "update-desktop-database";
        return runs;
    }
    // Stores the flags given, as an earlier run would have.
    static void StoreFlags(std::initializer_list<std::pair<const char*, int>> flags) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", true));
        for (auto [name, value] : flags) registry.WriteInteger(name, value);
    }
    // A mimeapps.list in which another viewer opens the four types.
    static std::string OtherViewersDefaults() {
        const std::string text =
            "[Default Applications]\n"
            "image/jpeg=otherviewer.desktop;\n"
            "image/bmp=otherviewer.desktop;\n"
            "image/gif=otherviewer.desktop;\n"
            "image/vnd.microsoft.icon=otherviewer.desktop;\n";
        std::filesystem::create_directories(ExtractFileDir(UserMimeAppsFile()));
        WriteFileAtomically(UserMimeAppsFile(), text);
        return text;
    }
    RecordedErrors unexpected;
    std::string savedProgram;
    std::optional<std::string> savedDataDirs;
    std::optional<ScriptedShell> shell;
};

TEST_F(Associations, UncheckingBmpAloneRewritesTheOtherTypesAndDeletesItsIdentifier) {
    OptionsWindow->CheckBox5Click(nullptr);
    ASSERT_EQ(ClassDefault("Lumvex.bmp\\shell\\open\\command"), "\"/opt/Lumvex Viewer/lumvex\" \"%1\"");
    {
        TRegistry registry;
        registry.SetRootKey(HKEY_CLASSES_ROOT);
        ASSERT_TRUE(registry.OpenKey(".jpg", false));
        registry.WriteString("", "changed by another program");
    }
    OptionsWindow->CheckBox6->SetChecked(false);
    EXPECT_EQ(HandlerRuns(), 2);
    EXPECT_EQ(ClassDefault(".jpg"), "Lumvex.jpg");
    EXPECT_EQ(ClassDefault(".jpeg"), "Lumvex.jpeg");
    EXPECT_EQ(ClassDefault(".gif"), "Lumvex.gif");
    EXPECT_EQ(ClassDefault(".ico"), "Lumvex.ico");
    EXPECT_EQ(ClassDefault(".bmp"), "");
    EXPECT_EQ(ClassDefault("Lumvex.bmp"), std::nullopt);
    // The program path is quoted, blanks and all.
    EXPECT_EQ(ClassDefault("Lumvex.jpeg\\shell\\open\\command"), "\"/opt/Lumvex Viewer/lumvex\" \"%1\"");
    EXPECT_EQ(ClassDefault("Lumvex.jpg\\DefaultIcon"), "/opt/Lumvex Viewer/lumvex,4");
    EXPECT_EQ(ClassDefault("Lumvex.jpeg\\DefaultIcon"), "/opt/Lumvex Viewer/lumvex,4");
    EXPECT_EQ(ClassDefault("Lumvex.gif\\DefaultIcon"), "/opt/Lumvex Viewer/lumvex,2");
    EXPECT_EQ(ClassDefault("Lumvex.ico\\DefaultIcon"), std::nullopt);
    EXPECT_EQ(ClassDefault("Lumvex.ico\\shell\\open\\command"), "\"/opt/Lumvex Viewer/lumvex\" \"%1\"");
}

TEST_F(Associations, WithAllFourUncheckedNoLumvexKeyIsLeft) {
    OptionsWindow->CheckBox5Click(nullptr);
    for (TCheckBox* box : Boxes()) box->SetChecked(false);
    for (const char* key : {"Lumvex.jpg", "Lumvex.jpeg", "Lumvex.bmp", "Lumvex.gif", "Lumvex.ico"})
        EXPECT_EQ(ClassDefault(key), std::nullopt) << key;
    for (const char* extension : {".jpg", ".jpeg", ".bmp", ".gif", ".ico"})
        EXPECT_EQ(ClassDefault(extension), "") << extension;
    EXPECT_FALSE(std::filesystem::exists(UserApplicationsFolder() + "/org.example.Lumvex.desktop"));
}

TEST_F(Associations, TheDesktopFilesSayWhatTheBoxesSayAndKeepOtherApplicationsLines) {
    // The desktop's tools answer only for a program that is there.
    const std::string program = dir.File("lumvex");
    std::filesystem::copy_file("/bin/true", program, std::filesystem::copy_options::overwrite_existing);
    Application.ExeName = program;
    const std::string mimeApps = UserMimeAppsFile();
    const std::string theirs =
        "# written by hand\r\n"
        "[Default Applications]\n"
        "image/png=otherviewer.desktop\n"
        "image/jpeg=photos.desktop\n"
        "\r\n"
        "[Added Associations]\r\n"
        "image/gif=gifview.desktop;\r\n";
    std::filesystem::create_directories(ExtractFileDir(mimeApps));
    WriteFileAtomically(mimeApps, theirs);

    OptionsWindow->CheckBox6->SetChecked(false);
    const std::string ours = ReadFileBytes(mimeApps);
    EXPECT_NE(ours.find("image/jpeg=org.example.Lumvex.desktop;photos.desktop\n"), std::string::npos) << ours;
    EXPECT_NE(ours.find("image/png=otherviewer.desktop\n"), std::string::npos) << ours;
    EXPECT_NE(ours.find("image/gif=org.example.Lumvex.desktop;\n"), std::string::npos) << ours;
    EXPECT_NE(ours.find("image/vnd.microsoft.icon=org.example.Lumvex.desktop;\n"), std::string::npos) << ours;
    EXPECT_EQ(ours.find("image/bmp"), std::string::npos) << ours;
    EXPECT_NE(ours.find("[Added Associations]\r\nimage/gif=gifview.desktop;\r\n"), std::string::npos) << ours;
    const std::string entry = ReadFileBytes(UserApplicationsFolder() + "/org.example.Lumvex.desktop");
    EXPECT_NE(entry.find("\nExec=" + program + " %f\n"), std::string::npos) << entry;
    // The desktop drops the entry once its program is gone.
    EXPECT_NE(entry.find("\nTryExec=" + program + "\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nMimeType=image/jpeg;image/gif;image/vnd.microsoft.icon;\n"), std::string::npos) << entry;

    if (ToolInstalled("xdg-mime")) {
        EXPECT_EQ(RunTool("xdg-mime query default image/jpeg 2>/dev/null"), "org.example.Lumvex.desktop\n");
    } else {
        std::printf("xdg-mime is not installed: the desktop's own answer is not checked\n");
    }
    if (ToolInstalled("desktop-file-validate")) {
        const std::string entryPath = UserApplicationsFolder() + "/org.example.Lumvex.desktop";
        EXPECT_EQ(std::system(("desktop-file-validate '" + entryPath + "'").c_str()), 0);
    }

    // Withdrawn again, the other applications' file is as it was, byte for byte.
    for (TCheckBox* box : Boxes()) box->SetChecked(false);
    EXPECT_EQ(ReadFileBytes(mimeApps), theirs);
}

TEST_F(Associations, ADamagedMimeAppsListGivesOneErrorAfterTheRegistryIsWritten) {
    const std::string mimeApps = UserMimeAppsFile();
    std::string damaged = "[Default Applications]\nimage/png=a.desktop\n";
    damaged += std::string("\xff\xfe\0garbage", 10);
    std::filesystem::create_directories(ExtractFileDir(mimeApps));
    WriteFileAtomically(mimeApps, damaged);
    RecordedErrors errors;
    OptionsWindow->CheckBox7->SetChecked(false);
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find(mimeApps), std::string::npos) << errors.Messages[0];
    EXPECT_EQ(ClassDefault("Lumvex.gif"), std::nullopt);
    EXPECT_EQ(ClassDefault(".jpg"), "Lumvex.jpg");
    EXPECT_EQ(ReadFileBytes(mimeApps), damaged);
}

TEST_F(Associations, AnApplicationsFolderThatCannotBeMadeGivesOneErrorNamingIt) {
    // Below a plain file no folder can be made, whoever runs the test.
    const std::string blocker = dir.Write("plain-file", "x");
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string savedValue = saved ? saved : "";
    setenv("XDG_DATA_HOME", (blocker + "/data").c_str(), 1);
    RecordedErrors errors;
    OptionsWindow->CheckBox8->SetChecked(false);
    setenv("XDG_DATA_HOME", savedValue.c_str(), 1);
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find(blocker + "/data/applications/org.example.Lumvex.desktop"), std::string::npos)
        << errors.Messages[0];
    EXPECT_EQ(ClassDefault("Lumvex.ico"), std::nullopt);
}

TEST_F(Associations, AStoredC6OfZeroWritesAllFourTypesOnceDuringLoading) {
    std::filesystem::remove_all(RegistryFolder());
    OptionsWindow->LoadOptions();
    EXPECT_FALSE(std::filesystem::exists(RegistryFile("HKEY_CLASSES_ROOT").Path()));
    StoreFlags({{"c6", 0}});
    OptionsWindow->LoadOptions();
    EXPECT_EQ(ClassDefault(".jpg"), "Lumvex.jpg");
    EXPECT_EQ(ClassDefault(".gif"), "Lumvex.gif");
    EXPECT_EQ(ClassDefault(".ico"), "Lumvex.ico");
    EXPECT_EQ(ClassDefault(".bmp"), "");
    EXPECT_EQ(ClassDefault("Lumvex.bmp"), std::nullopt);
}

TEST_F(Associations, StartUpLeavesTheDesktopsDefaultViewerAndAClickOnBmpMakesLumvexIt) {
    const std::string theirs = OtherViewersDefaults();
    StoreFlags({{"c6", 0}});
    StartViewer(dir.Path());
    EXPECT_FALSE(OptionsWindow->CheckBox6->Checked());
    EXPECT_EQ(ClassDefault(".jpg"), "Lumvex.jpg");  // the registration store as before
    EXPECT_EQ(ReadFileBytes(UserMimeAppsFile()), theirs);
    EXPECT_FALSE(std::filesystem::exists(UserApplicationsFolder()));
    EXPECT_EQ(HandlerRuns(), 0);

    MainWindow->ViewCommand(8);
    test_input::SendClick(*OptionsWindow->CheckBox6, 5, 8);
    ASSERT_TRUE(OptionsWindow->CheckBox6->Checked());
    const std::string ours = ReadFileBytes(UserMimeAppsFile());
    for (const char* type : {"image/jpeg", "image/bmp", "image/gif", "image/vnd.microsoft.icon"})
        EXPECT_NE(ours.find(std::string(type) + "=org.example.Lumvex.desktop;otherviewer.desktop;\n"), std::string::npos)
            << type << " in " << ours;
    EXPECT_TRUE(std::filesystem::exists(UserApplicationsFolder() + "/org.example.Lumvex.desktop"));
    EXPECT_EQ(HandlerRuns(), 1);
}

TEST_F(Associations, AnEntryInstalledWithTheProgramIsNamedAndNeverHiddenByTheUsersOwn) {
    const std::string installed = dir.Path() + "/system/applications/org.example.Lumvex.desktop";
    std::filesystem::create_directories(ExtractFileDir(installed));
    WriteFileAtomically(installed, "[Desktop Entry]\nType=Application\nName=Lumvex\nExec=lumvex %f\n");
    setenv("XDG_DATA_DIRS", (dir.Path() + "/elsewhere::relative:" + dir.Path() + "/system/").c_str(), 1);
    EXPECT_EQ(InstalledDesktopEntry(), installed);
    const std::string theirs = OtherViewersDefaults();

    OptionsWindow->CheckBox7->SetChecked(false);
    const std::string ours = ReadFileBytes(UserMimeAppsFile());
    EXPECT_NE(ours.find("image/jpeg=org.example.Lumvex.desktop;otherviewer.desktop;\n"), std::string::npos) << ours;
    EXPECT_NE(ours.find("image/gif=otherviewer.desktop;\n"), std::string::npos) << ours;
    EXPECT_FALSE(std::filesystem::exists(UserApplicationsFolder() + "/org.example.Lumvex.desktop"));
    EXPECT_EQ(HandlerRuns(), 0);

    // Without it, the user's own entry is written again.
    std::filesystem::remove(installed);
    OptionsWindow->CheckBox7->SetChecked(true);
    EXPECT_TRUE(std::filesystem::exists(UserApplicationsFolder() + "/org.example.Lumvex.desktop"));
}

TEST(DesktopEntry, QuotesAProgramPathWithBlanksOrSpecialCharacters) {
    EXPECT_NE(DesktopEntryText("/opt/Lumvex Viewer/lumvex", {"image/gif"}).find("\nExec=\"/opt/Lumvex Viewer/lumvex\" %f\n"),
              std::string::npos);
    EXPECT_NE(DesktopEntryText("/opt/a$b\\c", {}).find("\nExec=\"/opt/a\\\\$b\\\\\\\\c\" %f\n"), std::string::npos)
        << DesktopEntryText("/opt/a$b\\c", {});
    EXPECT_NE(DesktopEntryText("/usr/bin/lumvex", {}).find("\nExec=/usr/bin/lumvex %f\n"), std::string::npos);
    // A line break or a tab in the path stays inside the Exec line, escaped as a value.
    const std::string entry = DesktopEntryText("/opt/new\nline/lu\tmvex", {});
    EXPECT_NE(entry.find("\nExec=\"/opt/new\\nline/lu\\tmvex\" %f\n"), std::string::npos) << entry;
    EXPECT_EQ(entry.find("\nline"), std::string::npos) << entry;
}

TEST(MimeAppsList, AddsAGroupToAFileWithoutOneAndRefusesWhatIsNoKeyFile) {
    EXPECT_EQ(WithLumvexDefaults("", {{"image/gif", true}}), "[Default Applications]\nimage/gif=org.example.Lumvex.desktop;\n");
    EXPECT_EQ(WithLumvexDefaults("[Other]\nx=y", {{"image/gif", true}, {"image/bmp", false}}),
              "[Other]\nx=y\n[Default Applications]\nimage/gif=org.example.Lumvex.desktop;\n");
    // Lumvex already first: nothing changes.
    EXPECT_EQ(WithLumvexDefaults("[Default Applications]\nimage/gif = org.example.Lumvex.desktop;b.desktop\n", {{"image/gif", true}}),
              "[Default Applications]\nimage/gif = org.example.Lumvex.desktop;b.desktop\n");
    EXPECT_EQ(WithLumvexDefaults("[Default Applications]\nimage/gif=b.desktop;org.example.Lumvex.desktop;\n", {{"image/gif", false}}),
              "[Default Applications]\nimage/gif=b.desktop;\n");
    // A last line cut off after its carriage return still ends before the new group.
    EXPECT_EQ(WithLumvexDefaults("a=b\r", {{"image/gif", true}}), "a=b\r\n[Default Applications]\nimage/gif=org.example.Lumvex.desktop;\n");
    EXPECT_THROW(WithLumvexDefaults("[Default Applications]\nnot a key line\n", {{"image/gif", true}}), EConvertError);
}

}  // namespace
