#include "platform/graphics/Picture.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/graphics/Heif.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/Jxl.h"
#include "platform/graphics/Png.h"
#include "platform/graphics/Tiff.h"
#include "platform/graphics/WebP.h"

namespace lumvex {
namespace {

struct FileFormat {
    std::string description;
    TPicture::Factory factory;
    bool animated = false;
};

struct ContentKind {
    TPicture::Signature signature;
    TPicture::Factory factory;
    bool animated = false;
};

template <class T>
TPicture::Factory Make() {
    return [] { return std::make_unique<T>(); };
}

bool StartsWith(std::string_view bytes, std::string_view head) { return bytes.substr(0, head.size()) == head; }

struct FormatTable {
    std::mutex lock;
    std::map<std::string, FileFormat> formats;
    std::vector<ContentKind> kinds;  // asked from the last

    FormatTable() {
        formats["bmp"] = {"Bitmaps", Make<TBitmap>()};
        formats["jpg"] = {"JPEG Image File", Make<TJPEGImage>()};
        formats["jpeg"] = formats["jpg"];
        formats["ico"] = {"Icons", Make<TIcon>()};
        formats["png"] = {"Portable Network Graphics", Make<TPngImage>()};
        formats["webp"] = {"WebP Image", Make<TWebPImage>()};
        formats["tif"] = {"Tagged Image File Format", Make<TTiffImage>()};
        formats["tiff"] = formats["tif"];
        formats["heic"] = {"High Efficiency Image File", Make<THeifImage>()};
        formats["heif"] = formats["heic"];
        formats["avif"] = {"AV1 Image File", Make<THeifImage>()};
        formats["jxl"] = {"JPEG XL Image", Make<TJxlImage>()};

        kinds.push_back({[](std::string_view b) { return StartsWith(b, "BM"); }, Make<TBitmap>()});
        kinds.push_back({[](std::string_view b) { return StartsWith(b, "\xFF\xD8\xFF"); }, Make<TJPEGImage>()});
        kinds.push_back(
            {[](std::string_view b) { return StartsWith(b, std::string_view("\0\0\1\0", 4)); }, Make<TIcon>()});
        kinds.push_back({IsPngData, Make<TPngImage>()});
        kinds.push_back({IsWebPData, Make<TWebPImage>()});
        kinds.push_back({IsTiffData, Make<TTiffImage>()});
        kinds.push_back({IsHeifData, Make<THeifImage>()});
        kinds.push_back({IsJxlData, Make<TJxlImage>()});
    }
};

FormatTable& Formats() {
    static FormatTable table;
    return table;
}

std::string ExtensionKey(const std::string& fileName) {
    std::string ext = LowerCase(ExtractFileExt(fileName));
    return ext.empty() ? ext : ext.substr(1);
}

struct Choice {
    TPicture::Factory factory;
    bool animated = false;
    bool onlyAnimated = false;  // StillOnly found nothing but an animated kind
};

Choice Choose(std::string_view bytes, const std::string& fileName, TPicture::TKinds kinds) {
    const bool stillOnly = kinds == TPicture::TKinds::StillOnly;
    FormatTable& table = Formats();
    std::lock_guard guard(table.lock);
    bool animatedKnows = false;
    for (auto it = table.kinds.rbegin(); it != table.kinds.rend(); ++it) {
        if (!it->signature(bytes)) continue;
        if (stillOnly && it->animated) {
            animatedKnows = true;
            continue;
        }
        return {it->factory, it->animated};
    }
    if (animatedKnows) return {nullptr, true, true};
    auto it = table.formats.find(ExtensionKey(fileName));
    if (it == table.formats.end()) return {};
    if (stillOnly && it->second.animated) return {nullptr, true, true};
    return {it->second.factory, it->second.animated};
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description, Factory factory,
                                  bool animated) {
    FormatTable& table = Formats();
    std::lock_guard guard(table.lock);
    table.formats[LowerCase(extension)] = {description, std::move(factory), animated};
}

void TPicture::RegisterSignature(Signature signature, Factory factory, bool animated) {
    FormatTable& table = Formats();
    std::lock_guard guard(table.lock);
    table.kinds.push_back({std::move(signature), std::move(factory), animated});
}

std::string TPicture::FileFormatDescription(const std::string& fileName) {
    FormatTable& table = Formats();
    std::lock_guard guard(table.lock);
    auto it = table.formats.find(ExtensionKey(fileName));
    return it == table.formats.end() ? std::string() : it->second.description;
}

std::unique_ptr<TGraphic> TPicture::CreateForFile(const std::string& fileName) {
    return CreateForContent(std::string_view(), fileName);
}

std::unique_ptr<TGraphic> TPicture::CreateForContent(std::string_view bytes, const std::string& fileName,
                                                     TKinds kinds) {
    const Choice choice = Choose(bytes, fileName, kinds);
    if (choice.onlyAnimated) return nullptr;
    if (!choice.factory)
        throw EInvalidGraphic("Unknown picture file extension (" + ExtractFileExt(fileName) + ")");
    return choice.factory();
}

bool TPicture::AnimatedContent(std::string_view bytes, const std::string& fileName) {
    return Choose(bytes, fileName, TKinds::Any).animated;
}

std::unique_ptr<TGraphic> TPicture::LoadGraphic(const std::string& fileName) {
    CheckPictureFileSize(fileName);
    std::string bytes = ReadFileBytes(fileName);
    std::unique_ptr<TGraphic> graphic = CreateForContent(bytes, fileName);
    graphic->LoadFromBytes(std::move(bytes));
    return graphic;
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange = [this](TGraphic&) { Changed(); };
    Changed();
}

void TPicture::Assign(const TGraphic* graphic) { SetGraphic(graphic ? graphic->Clone() : nullptr); }

TBitmap& TPicture::Bitmap() {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
    if (!bitmap) {
        SetGraphic(std::make_unique<TBitmap>());
        bitmap = static_cast<TBitmap*>(graphic_.get());
    }
    return *bitmap;
}

void TPicture::LoadFromFile(const std::string& fileName) { SetGraphic(LoadGraphic(fileName)); }

void TPicture::SaveToFile(const std::string& fileName) const {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}

}  // namespace lumvex
