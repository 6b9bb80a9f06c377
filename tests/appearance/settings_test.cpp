// The settings store: the colour texts, loading and saving the nineteen
// values, and a store that survives a kill in the middle of a save.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "appearance/ColorText.h"
#include "ViewerSupport.h"
#include "platform/SysUtils.h"
#include "platform/services/Registry.h"
#include "platform/services/RegistryFile.h"

using namespace lumvex;
using namespace lumvex::test;

namespace {

TEST(ColorText, WritesBasicNamesOrDollarHexAndReadsNamesHexAndDecimal) {
    EXPECT_EQ(ColorToString(0x00FF00), "clLime");
    EXPECT_EQ(ColorToString(0x0080FF), "$000080FF");
    EXPECT_EQ(ColorToString(0x24DB7B), "$0024DB7B");
    EXPECT_EQ(ColorToString(0x000080), "clMaroon");
    EXPECT_EQ(StringToColor("clLime"), 0x00FF00u);
    EXPECT_EQ(StringToColor("$000080FF"), 0x0080FFu);
    EXPECT_EQ(StringToColor("33023"), 0x0080FFu);
    EXPECT_EQ(StringToColor("clBtnFace"), 0x8000000Fu);
    EXPECT_EQ(StringToColor("clInfoBk"), 0x80000018u);
    for (TColor c : {0x000000u, 0xFFFFFFu, 0x123456u, 0xC0C0C0u, 0xFF00FFu})
        EXPECT_EQ(StringToColor(ColorToString(c)), c);
    for (const char* bad : {"", "green", "$", "$12345678A", "$G0", "0x10 "})
        EXPECT_THROW(StringToColor(bad), EConvertError) << bad;
}

const char* const AllValues[] = {"x",    "y",    "width", "height", "co1", "co2", "coText", "coSelect", "ibtc", "abtc",
                                 "c1",   "c2",   "c3",    "c4",     "c5",  "c6",  "c7",     "c8",       "edit"};

class Settings : public OnePictureFolderTest {
protected:
    // Every test starts from an empty store and the defaults.
    void SetUp() override {
        std::filesystem::remove_all(RegistryFolder());
        StartWindows();
        Viewer.co1 = 0x24DB7B, Viewer.co2 = 0x0D4F2C, Viewer.coText = 0, Viewer.coSelect = 0xFFFFFF;
        Viewer.ibtc = 0x008000, Viewer.abtc = 0x00FF00;
        TCheckBox* boxes[] = {OptionsWindow->CheckBox1, OptionsWindow->CheckBox2, OptionsWindow->CheckBox3, OptionsWindow->CheckBox4,
                              OptionsWindow->CheckBox5, OptionsWindow->CheckBox6, OptionsWindow->CheckBox7, OptionsWindow->CheckBox8};
        for (int i = 0; i < 8; ++i) boxes[i]->SetChecked(i != 2 && i != 3);
        OptionsWindow->Edit1->SetText("mspaint");
        MainWindow->SetBounds(271, 122, 632, 446);
    }
    static void Store(const std::function<void(TRegistry&)>& write) {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", true));
        write(registry);
    }
};

TEST_F(Settings, AnEmptyStoreKeepsTheDefaultsAndSavingWritesAllNineteenValues) {
    RecordedErrors errors;
    OptionsWindow->LoadOptions();
    EXPECT_TRUE(errors.Messages.empty());
    EXPECT_EQ(Viewer.co1, 0x24DB7Bu);
    EXPECT_EQ(MainWindow->Left(), 271);
    EXPECT_TRUE(OptionsWindow->CheckBox1->Checked());
    EXPECT_FALSE(OptionsWindow->CheckBox3->Checked());
    OptionsWindow->SaveOptions();

    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    for (const char* level : {"SOFTWARE", "TARNIC", "Lumvex"}) ASSERT_TRUE(registry.OpenKey(level, false));
    for (const char* name : AllValues) EXPECT_TRUE(registry.ValueExists(name)) << name;
    EXPECT_EQ(registry.ReadInteger("x"), 271);
    EXPECT_EQ(registry.ReadInteger("height"), 446);
    const std::pair<const char*, const char*> colours[] = {{"co1", "$0024DB7B"},  {"co2", "$000D4F2C"},
                                                           {"coText", "clBlack"}, {"coSelect", "clWhite"},
                                                           {"ibtc", "clGreen"},   {"abtc", "clLime"}};
    for (auto [name, text] : colours) EXPECT_EQ(registry.ReadString(name), text);
    const int flags[] = {1, 1, 0, 0, 1, 1, 1, 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(registry.ReadInteger("c" + std::to_string(i + 1)), flags[i]);
    EXPECT_EQ(registry.ReadString("edit"), "mspaint");
}

TEST_F(Settings, StoredValuesReachTheWindowsAndFlagsRunTheirClickActions) {
    Store([](TRegistry& r) {
        r.WriteInteger("x", -20);
        r.WriteInteger("y", 40);
        r.WriteInteger("width", 500);
        r.WriteInteger("height", 380);
        r.WriteString("co1", "clRed");
        r.WriteString("ibtc", "$000080FF");
        r.WriteString("abtc", "33023");
        r.WriteInteger("c1", 7);
        r.WriteInteger("c2", 0);
        r.WriteInteger("c3", 1);
        r.WriteInteger("c4", 1);
        r.WriteString("edit", "/opt/paint tool/bin/paint");
    });
    Viewer.FadeInactive = true;
    MainWindow->BackLogo->Hide();
    OptionsWindow->LoadOptions();
    EXPECT_EQ(MainWindow->Left(), -20);
    EXPECT_EQ(MainWindow->Top(), 40);
    EXPECT_EQ(MainWindow->Width(), 500);
    EXPECT_EQ(MainWindow->Height(), 380);
    EXPECT_EQ(Viewer.co1, clRed);
    EXPECT_EQ(Viewer.ibtc, 0x0080FFu);
    EXPECT_EQ(Viewer.abtc, 0x0080FFu);
    EXPECT_TRUE(OptionsWindow->CheckBox1->Checked());
    EXPECT_FALSE(Viewer.FadeInactive);
    EXPECT_TRUE(MainWindow->BackLogo->Visible());
    // Big buttons already during loading, before the skin is applied again.
    EXPECT_EQ(Viewer.ButtonSize, 24);
    EXPECT_EQ(OptionsWindow->Edit1->Text(), "/opt/paint tool/bin/paint");

    OptionsWindow->SaveOptions();
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_EQ(registry.ReadInteger("c1"), 1);
    EXPECT_EQ(registry.ReadString("ibtc"), "$000080FF");
    EXPECT_EQ(registry.ReadString("co1"), "clRed");
    OptionsWindow->CheckBox4->SetChecked(false);
}

TEST_F(Settings, AWrongTypeOrABadColourStopsTheLoadAtThatValue) {
    Store([](TRegistry& r) {
        r.WriteString("co1", "clRed");
        r.WriteInteger("co2", 5);
        r.WriteString("coText", "clWhite");
        r.WriteInteger("c3", 1);
    });
    {
        RecordedErrors errors;
        OptionsWindow->LoadOptions();
        ASSERT_EQ(errors.Messages.size(), 1u);
        EXPECT_NE(errors.Messages[0].find("co2"), std::string::npos) << errors.Messages[0];
    }
    EXPECT_EQ(Viewer.co1, clRed);
    EXPECT_EQ(Viewer.co2, 0x0D4F2Cu);
    EXPECT_EQ(Viewer.coText, clBlack);
    EXPECT_FALSE(OptionsWindow->CheckBox3->Checked());

    Store([](TRegistry& r) {
        r.WriteString("co2", "clBlue");
        r.WriteString("coText", "not a colour");
        r.WriteString("ibtc", "clRed");
    });
    RecordedErrors errors;
    OptionsWindow->LoadOptions();
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find("not a colour"), std::string::npos) << errors.Messages[0];
    EXPECT_EQ(Viewer.co2, clBlue);
    EXPECT_EQ(Viewer.ibtc, 0x008000u);
}

TEST_F(Settings, TheMainWindowsPlaceAndSizeComeBackAfterARestart) {
    MainWindow->SetBounds(90, 60, 700, 520);
    OptionsWindow->SaveOptions();
    MainWindow->SetBounds(271, 122, 632, 446);
    OptionsWindow->LoadOptions();
    EXPECT_EQ(MainWindow->Left(), 90);
    EXPECT_EQ(MainWindow->Top(), 60);
    EXPECT_EQ(MainWindow->Width(), 700);
    EXPECT_EQ(MainWindow->Height(), 520);
}

TEST_F(Settings, ADamagedStoreLoadsWhatCanBeReadShowsOneErrorAndKeepsTheBytes) {
    Store([](TRegistry& r) {
        r.WriteString("co1", "clRed");
        r.WriteInteger("c3", 1);
    });
    const std::string path = RegistryFile("HKEY_LOCAL_MACHINE").Path();
    std::string bytes = ReadFileBytes(path);
    bytes += "co2=sz:$00FF";  // cut off in the middle of a line
    WriteFileAtomically(path, bytes);

    RecordedErrors errors;
    OptionsWindow->LoadOptions();
    ASSERT_EQ(errors.Messages.size(), 1u);
    EXPECT_NE(errors.Messages[0].find(path), std::string::npos) << errors.Messages[0];
    EXPECT_EQ(Viewer.co1, clRed);
    EXPECT_EQ(Viewer.co2, 0x0D4F2Cu);
    EXPECT_TRUE(OptionsWindow->CheckBox3->Checked());
    EXPECT_EQ(ReadFileBytes(path + ".damaged"), bytes);

    // Saving writes a whole store again.
    OptionsWindow->SaveOptions();
    bool damaged = true;
    RegistryKey::FromText(ReadFileBytes(path), &damaged);
    EXPECT_FALSE(damaged);
    OptionsWindow->CheckBox3->SetChecked(false);
}

TEST_F(Settings, AnotherCopysSavedValuesSurviveOurSave) {
    OptionsWindow->SaveOptions();
    Store([](TRegistry& r) { r.WriteString("other", "kept"); });
    OptionsWindow->SaveOptions();
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("SOFTWARE\\TARNIC\\Lumvex", false));
    EXPECT_EQ(registry.ReadString("other"), "kept");
}

// A save killed at any moment leaves the old values or the new ones, all of
// them, in a store that reads without damage.
TEST_F(Settings, ASaveKilledAtAnyMomentLeavesAWholeStore) {
    OptionsWindow->SaveOptions();
    std::mt19937 random(20261209);
    const std::string path = RegistryFile("HKEY_LOCAL_MACHINE").Path();
    for (int attempt = 0; attempt < 200; ++attempt) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves alternately a window at 1000 + n wide and edit "n".
            for (int n = 0;; ++n) {
                MainWindow->SetWidth(1000 + n % 2);
                OptionsWindow->Edit1->SetText(std::to_string(n % 2));
                OptionsWindow->SaveOptions();
            }
        }
        usleep(std::uniform_int_distribution<int>(0, 20000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        bool damaged = true;
        const RegistryKey store = RegistryKey::FromText(ReadFileBytes(path), &damaged);
        ASSERT_FALSE(damaged) << "attempt " << attempt;
        const RegistryKey* key = store.Find({"SOFTWARE", "TARNIC", "Lumvex"});
        ASSERT_NE(key, nullptr);
        for (const char* name : AllValues) ASSERT_NE(key->Value(name), nullptr) << name;
        const int width = key->Value("width")->Number;
        const std::string edit = key->Value("edit")->Text;
        if (width == 632)
            EXPECT_EQ(edit, "mspaint");
        else
            EXPECT_EQ(edit, std::to_string(width - 1000)) << "attempt " << attempt;
    }
}

}  // namespace
