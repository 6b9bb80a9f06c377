#pragma once
// A holder for one picture of any registered kind. Loading a file picks the
// kind from the file's content (its signature) and, when no kind knows the
// content, from the file name's extension, in any letter case.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"

namespace lumvex {

class TPicture {
public:
    using Factory = std::function<std::unique_ptr<TGraphic>()>;
    // Whether a file's bytes are of a kind.
    using Signature = std::function<bool(std::string_view bytes)>;
    // Which kinds may be created: an animated picture runs timers, which
    // belong to the user-interface thread, so workers ask for still ones.
    enum class TKinds { Any, StillOnly };

    TPicture();
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Adds a picture kind for an extension given without its dot ("gif").
    static void RegisterFileFormat(const std::string& extension, const std::string& description, Factory factory,
                                   bool animated = false);
    // Adds a picture kind told by content; kinds added later are asked first.
    static void RegisterSignature(Signature signature, Factory factory, bool animated = false);
    // The description registered for a file's extension, or "" when none is.
    static std::string FileFormatDescription(const std::string& fileName);
    // A new empty picture of the kind registered for the file's extension;
    // raises EInvalidGraphic naming the extension when there is none.
    static std::unique_ptr<TGraphic> CreateForFile(const std::string& fileName);
    // A new empty picture of the kind the bytes are, else of the kind of the
    // file name's extension; raises EInvalidGraphic naming the extension when
    // neither tells one. With StillOnly an animated kind is passed over for a
    // still one that also knows the content, and nullptr means that only an
    // animated kind does.
    static std::unique_ptr<TGraphic> CreateForContent(std::string_view bytes, const std::string& fileName,
                                                      TKinds kinds = TKinds::Any);
    // Whether the kind chosen for these bytes is an animated one.
    static bool AnimatedContent(std::string_view bytes, const std::string& fileName);
    // Reads a file and decodes it as the kind its content tells; a file over
    // the picture budget is not read.
    static std::unique_ptr<TGraphic> LoadGraphic(const std::string& fileName);

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
