#pragma once
// A holder for one picture of any registered kind; loading a file picks the
// kind from the file name's extension, in any letter case.
#include <functional>
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"

namespace lumvex {

class TPicture {
public:
    using Factory = std::function<std::unique_ptr<TGraphic>()>;

    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Adds a picture kind for an extension given without its dot ("gif").
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   Factory factory);
    // The description registered for a file's extension, or "" when none is.
    static std::string FileFormatDescription(const std::string& fileName);
    // A new empty picture of the kind registered for the file's extension;
    // raises EInvalidGraphic naming the extension when there is none.
    static std::unique_ptr<TGraphic> CreateForFile(const std::string& fileName);

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Holds a copy of graphic (nothing for nullptr).
    void Assign(const TGraphic* graphic);
    // The picture as a bitmap: a picture of another kind is replaced by an empty bitmap.
    TBitmap& Bitmap();

    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The old picture stays when loading fails.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    std::function<void()> OnChange;

private:
    void Changed();
    std::unique_ptr<TGraphic> graphic_;
};

}  // namespace lumvex
