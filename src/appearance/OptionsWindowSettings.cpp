// The settings store: the scheme colours, the options, the editor program
// and the main window's place and size, kept under
// HKEY_LOCAL_MACHINE\SOFTWARE\TARNIC\Lumvex.
#include <array>
#include <initializer_list>
#include <optional>
#include <string>

#include "appearance/ColorText.h"
#include "appearance/OptionsWindow.h"
#include "viewer/MainWindow.h"
#include "platform/services/Application.h"
#include "platform/services/Registry.h"

namespace lumvex {
namespace {

// The settings key, reached one level at a time: each name is created below
// the key before it, then opened.
void OpenSettingsKey(TRegistry& registry) {
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    for (const char* name : {"SOFTWARE", "TARNIC", "Lumvex"}) {
        registry.CreateKey(name);
        if (!registry.OpenKey(name, false))
            throw ERegistryException(std::string("Failed to open key ") + name + " of HKEY_LOCAL_MACHINE");
    }
}

struct ColorValue {
    const char* name;
    TColor& field;
};

std::array<ColorValue, 6> ColorValues() {
    return {{{"co1", Viewer.co1},
             {"co2", Viewer.co2},
             {"coText", Viewer.coText},
             {"coSelect", Viewer.coSelect},
             {"ibtc", Viewer.ibtc},
             {"abtc", Viewer.abtc}}};
}

// The boxes that hold the flags "c1" to "c8".
std::array<TCheckBox*, 8> FlagBoxes(const TOptionsWindow& window) {
    return {window.CheckBox1, window.CheckBox2, window.CheckBox3, window.CheckBox4,
            window.CheckBox5, window.CheckBox6, window.CheckBox7, window.CheckBox8};
}

std::string FlagName(std::size_t index) { return "c" + std::to_string(index + 1); }

}  // namespace

void TOptionsWindow::LoadOptions() {
    TRegistry registry;
    std::string damagedFile, damagedCopy;
    std::optional<Exception> stopped;
    try {
        OpenSettingsKey(registry);
        damagedFile = registry.DamagedFile();
        damagedCopy = registry.DamagedCopy();
        if (registry.ValueExists("x")) MainWindow->SetLeft(registry.ReadInteger("x"));
        if (registry.ValueExists("y")) MainWindow->SetTop(registry.ReadInteger("y"));
        if (registry.ValueExists("width")) MainWindow->SetWidth(registry.ReadInteger("width"));
        if (registry.ValueExists("height")) MainWindow->SetHeight(registry.ReadInteger("height"));
        for (const ColorValue& colour : ColorValues())
            if (registry.ValueExists(colour.name)) colour.field = StringToColor(registry.ReadString(colour.name));
        // Through the boxes: a box whose state changes runs its click action.
        const std::array<TCheckBox*, 8> boxes = FlagBoxes(*this);
        struct Loading {
            bool& flag;
            explicit Loading(bool& f) : flag(f) { flag = true; }
            ~Loading() { flag = false; }
        } loading(loadingOptions_);
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (registry.ValueExists(FlagName(i))) boxes[i]->SetChecked(registry.ReadBool(FlagName(i)));
        if (registry.ValueExists("edit")) Edit1->SetText(registry.ReadString("edit"));
    } catch (const Exception& error) {
        // Loading stops at the value that failed; start-up goes on with the
        // values read so far and the defaults for the rest.
        stopped = error;
    }
    registry.CloseKey();
    MainWindow->SetButtonSkin();
    if (!damagedFile.empty())
        Application.ShowException(ERegistryException(
            "The settings file \"" + damagedFile + "\" is damaged. The settings that could be read were loaded, "
            "the others keep their defaults. The damaged file was kept as \"" + damagedCopy + "\"."));
    if (stopped) Application.ShowException(*stopped);
}

void TOptionsWindow::SaveOptions() {
    TRegistry registry;
    OpenSettingsKey(registry);
    // All values in one replacement of the file: a crash keeps the old ones.
    registry.BeginUpdate();
    registry.WriteInteger("x", MainWindow->Left());
    registry.WriteInteger("y", MainWindow->Top());
    registry.WriteInteger("width", MainWindow->Width());
    registry.WriteInteger("height", MainWindow->Height());
    for (const ColorValue& colour : ColorValues()) registry.WriteString(colour.name, ColorToString(colour.field));
    const std::array<TCheckBox*, 8> boxes = FlagBoxes(*this);
    for (std::size_t i = 0; i < boxes.size(); ++i) registry.WriteBool(FlagName(i), boxes[i]->Checked());
    registry.WriteString("edit", Edit1->Text());
    registry.EndUpdate();
    registry.CloseKey();
}

}  // namespace lumvex
