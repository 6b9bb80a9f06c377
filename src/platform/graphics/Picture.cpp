#include "platform/graphics/Picture.h"

#include <map>
#include <mutex>

#include "platform/SysUtils.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Jpeg.h"

namespace lumvex {
namespace {

struct FileFormat {
    std::string description;
    TPicture::Factory factory;
};

struct FormatTable {
    std::mutex lock;
    std::map<std::string, FileFormat> formats;

    FormatTable() {
        formats["bmp"] = {"Bitmaps", [] { return std::make_unique<TBitmap>(); }};
        formats["jpg"] = {"JPEG Image File", [] { return std::make_unique<TJPEGImage>(); }};
        formats["jpeg"] = formats["jpg"];
        formats["ico"] = {"Icons", [] { return std::make_unique<TIcon>(); }};
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

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description, Factory factory) {
    FormatTable& table = Formats();
    std::lock_guard guard(table.lock);
    table.formats[LowerCase(extension)] = {description, std::move(factory)};
}

std::string TPicture::FileFormatDescription(const std::string& fileName) {
    FormatTable& table = Formats();
    std::lock_guard guard(table.lock);
    auto it = table.formats.find(ExtensionKey(fileName));
    return it == table.formats.end() ? std::string() : it->second.description;
}

std::unique_ptr<TGraphic> TPicture::CreateForFile(const std::string& fileName) {
    Factory factory;
    {
        FormatTable& table = Formats();
        std::lock_guard guard(table.lock);
        auto it = table.formats.find(ExtensionKey(fileName));
        if (it != table.formats.end()) factory = it->second.factory;
    }
    if (!factory) throw EInvalidGraphic("Unknown picture file extension (" + ExtractFileExt(fileName) + ")");
    return factory();
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

void TPicture::LoadFromFile(const std::string& fileName) {
    std::unique_ptr<TGraphic> graphic = CreateForFile(fileName);
    graphic->LoadFromFile(fileName);
    SetGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) const {
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::Changed() {
    if (OnChange) OnChange();
}

}  // namespace lumvex
