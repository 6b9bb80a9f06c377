#pragma once
// What the viewer does with a picture file's bytes: the picture kind chosen
// by the file's content (else its extension) decodes them, then the picture is copied to the
// true-colour display bitmap. Every fuzz target goes this way, so a fault
// found here is one a user could meet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "components/MPGifImg.h"
#include "platform/SysUtils.h"
#include "platform/graphics/DisplayCopy.h"
#include "platform/graphics/LibraryImage.h"
#include "platform/graphics/Picture.h"
#include "platform/services/Application.h"

namespace lumvex::fuzz {

// The toolkit's application (the GIF plain-text extension draws text) and
// the picture kinds the program registers at start.
inline void StartAsTheProgramDoes(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application.Initialize(*argc, *argv);
    Application.ErrorBox = [](const std::string&) {};
    RegisterGIFImage();
}

// Returns the loaded picture, or nullptr when it was refused with the
// program's own error (the only outcome besides success that is allowed).
inline std::unique_ptr<TGraphic> LoadAsTheViewerDoes(const char* fileName, const std::uint8_t* data,
                                                     std::size_t size) {
    try {
        std::string bytes(reinterpret_cast<const char*>(data), size);
        std::unique_ptr<TGraphic> picture = TPicture::CreateForContent(bytes, fileName);
        picture->LoadFromBytes(std::move(bytes));
        TBitmap display;
        CopyToDisplay(*picture, display);
        return picture;
    } catch (const Exception&) {
        return nullptr;
    }
}

// The browser's thumbnail of the bytes: a picture read by its own library is
// decoded the cheap way, at about a cell's size.
inline void LoadAsTheBrowserDoes(const char* fileName, const std::uint8_t* data, std::size_t size) {
    try {
        std::string bytes(reinterpret_cast<const char*>(data), size);
        std::unique_ptr<TGraphic> picture = TPicture::CreateForContent(bytes, fileName, TPicture::TKinds::StillOnly);
        if (auto* still = dynamic_cast<TLibraryImage*>(picture.get())) {
            still->Load(std::move(bytes), TDecodeRequest{nullptr, 80, 70});
            TBitmap reduced;
            reduced.Assign(*still);
        }
    } catch (const Exception&) {
    }
}

}  // namespace lumvex::fuzz
