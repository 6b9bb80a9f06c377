// The four association boxes make Lumvex the opener of JPEG, BMP, GIF and ICO
// files: in the registration store under HKEY_CLASSES_ROOT, and, when the
// user clicks one, in the desktop's own record of default applications.
#include <initializer_list>
#include <string>
#include <vector>

#include "appearance/DesktopAssociations.h"
#include "appearance/OptionsWindow.h"
#include "platform/services/Application.h"
#include "platform/services/Registry.h"

namespace lumvex {
namespace {

// The key path is reached from the root one name at a time; the key is
// closed after its value is written.
void WriteDefault(TRegistry& registry, std::initializer_list<std::string> path, const std::string& value) {
    registry.CloseKey();
    for (const std::string& name : path) {
        registry.CreateKey(name);
        if (!registry.OpenKey(name, false))
            throw ERegistryException("Failed to open key " + name + " of HKEY_CLASSES_ROOT");
    }
    registry.WriteString("", value);
    registry.CloseKey();
}

struct Registration {
    const char* extension;
    const char* identifier;
    const char* iconSuffix;  // nullptr: no icon
};

void Register(TRegistry& registry, const Registration& r, const std::string& program) {
    WriteDefault(registry, {r.extension}, r.identifier);
    WriteDefault(registry, {r.identifier, "shell", "open", "command"}, "\"" + program + "\" \"%1\"");
    if (r.iconSuffix) WriteDefault(registry, {r.identifier, "DefaultIcon"}, program + r.iconSuffix);
}

void Withdraw(TRegistry& registry, const Registration& r) {
    WriteDefault(registry, {r.extension}, "");
    registry.CloseKey();
    registry.DeleteKey(r.identifier);  // a key that is not there is no error
}

}  // namespace

void TOptionsWindow::CheckBox5Click(TObject*) {
    const std::string program = Application.ExeName;
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    // The shell's usual identifiers first; each type then gets Lumvex's
    // identifier, or an empty value when it is withdrawn.
    const std::pair<const char*, const char*> usual[] = {
        {".bmp", "Paint.Picture"}, {".jpg", "jpegfile"}, {".jpeg", "jpegfile"}, {".ico", "icofile"}, {".gif", "giffile"}};
    for (auto [extension, identifier] : usual) WriteDefault(registry, {extension}, identifier);

    struct Type {
        TCheckBox* box;
        std::vector<Registration> registrations;
        const char* mimeType;
    };
    const Type types[] = {
        {CheckBox5, {{".jpg", "Lumvex.jpg", ",4"}, {".jpeg", "Lumvex.jpeg", ",4"}}, "image/jpeg"},
        {CheckBox6, {{".bmp", "Lumvex.bmp", ",1"}}, "image/bmp"},
        {CheckBox7, {{".gif", "Lumvex.gif", ",2"}}, "image/gif"},
        {CheckBox8, {{".ico", "Lumvex.ico", nullptr}}, "image/vnd.microsoft.icon"},
    };
    std::vector<MimeDefault> defaults;
    for (const Type& type : types) {
        for (const Registration& r : type.registrations) {
            if (type.box->Checked())
                Register(registry, r, program);
            else
                Withdraw(registry, r);
        }
        defaults.push_back({type.mimeType, type.box->Checked()});
    }
    if (!loadingOptions_) UpdateDesktopAssociations(program, defaults);
}

}  // namespace lumvex
