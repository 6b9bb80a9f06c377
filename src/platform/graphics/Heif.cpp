#include "platform/graphics/Heif.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Rows stored between two looks at the cancel token.
constexpr int RowsPerBlock = 64;
// How far a coded picture may pass its declared size: its coding blocks.
constexpr int CodingPadding = 128;

template <class T, void (*Release)(T*)>
struct Releaser {
    void operator()(T* p) const { Release(p); }
};
using Context = std::unique_ptr<heif_context, Releaser<heif_context, heif_context_free>>;
using Handle = std::unique_ptr<heif_image_handle, Releaser<const heif_image_handle, heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, Releaser<const heif_image, heif_image_release>>;
using Options = std::unique_ptr<heif_decoding_options, Releaser<heif_decoding_options, heif_decoding_options_free>>;

void Check(const heif_error& error) {
    if (error.code == heif_error_Ok) return;
    if (error.code == heif_error_Memory_allocation_error) throw EOutOfResources(std::string("HEIF picture: ") + error.message);
    throw EInvalidGraphic(std::string("Damaged HEIF file: ") + error.message);
}

void StartLibrary() {
    static std::once_flag started;
    std::call_once(started, [] { heif_init(nullptr); });
}

// The smallest embedded thumbnail that serves a reduced request, or nothing.
Handle ChooseThumbnail(heif_image_handle* primary, const TDecodeRequest& request) {
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || (request.MinWidth <= 0 && request.MinHeight <= 0)) return nullptr;
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    for (const heif_item_id id : ids) {
        heif_image_handle* thumbnail = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok) continue;
        Handle candidate(thumbnail);
        const int width = heif_image_handle_get_width(thumbnail), height = heif_image_handle_get_height(thumbnail);
        if (!ServesReduced(width, height, request)) continue;
        if (!best || std::int64_t(width) * height <
                         std::int64_t(heif_image_handle_get_width(best.get())) * heif_image_handle_get_height(best.get()))
            best = std::move(candidate);
    }
    return best;
}

void ReadMetadata(heif_image_handle* handle, TEmbeddedMetadata& metadata) {
    metadata.Upright = true;
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) == 1) {
        std::string block(heif_image_handle_get_metadata_size(handle, id), '\0');
        // The block starts with the offset of the TIFF header after its own four bytes.
        if (block.size() >= 4 && heif_image_handle_get_metadata(handle, id, block.data()).code == heif_error_Ok) {
            const std::size_t offset = (std::uint32_t(std::uint8_t(block[0])) << 24) |
                                       (std::uint32_t(std::uint8_t(block[1])) << 16) |
                                       (std::uint32_t(std::uint8_t(block[2])) << 8) | std::uint8_t(block[3]);
            if (offset <= block.size() - 4) metadata.Exif = block.substr(4 + offset);
        }
    }
    const heif_color_profile_type profile = heif_image_handle_get_color_profile_type(handle);
    if (profile == heif_color_profile_type_prof || profile == heif_color_profile_type_rICC) {
        std::string icc(heif_image_handle_get_raw_color_profile_size(handle), '\0');
        if (!icc.empty() && heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
            metadata.Icc = std::move(icc);
    }
}

}  // namespace

bool IsHeifData(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(4, 4) != "ftyp") return false;
    const heif_filetype_result kind = heif_check_filetype(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                          int(std::min<std::size_t>(bytes.size(), 1 << 16)));
    return kind == heif_filetype_yes_supported || kind == heif_filetype_yes_unsupported;
}

TDecodedPicture THeifImage::Decode(std::string_view bytes, const TDecodeRequest& request) const {
    StartLibrary();
    Context context(heif_context_alloc());
    if (!context) throw EOutOfResources("Out of memory");
    Check(heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr));
    heif_image_handle* primary = nullptr;
    Check(heif_context_get_primary_image_handle(context.get(), &primary));
    Handle handle(primary);

    TDecodedPicture picture;
    picture.FullWidth = heif_image_handle_get_width(primary);
    picture.FullHeight = heif_image_handle_get_height(primary);
    if (picture.FullWidth <= 0 || picture.FullHeight <= 0)
        throw EInvalidGraphic("Damaged HEIF file: it declares no picture size");
    CheckPictureSize(picture.FullWidth, picture.FullHeight);
    // The coded stream names a size of its own, which libheif allocates
    // before it compares: no side may pass the declared picture's longer
    // side by more than the coding blocks' padding.
    heif_context_set_maximum_image_size_limit(context.get(),
                                              std::max(picture.FullWidth, picture.FullHeight) + CodingPadding);
    ReadMetadata(primary, picture.Metadata);
    Handle thumbnail = ChooseThumbnail(primary, request);
    heif_image_handle* shown = thumbnail ? thumbnail.get() : primary;
    picture.Alpha = heif_image_handle_has_alpha_channel(shown);
    if (request.Cancel) request.Cancel->ThrowIfCancelled();

    Options options(heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    Check(heif_decode_image(shown, &decoded, heif_colorspace_RGB,
                            picture.Alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get()));
    Image image(decoded);
    int stride = 0;
    const std::uint8_t* plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || width <= 0 || height <= 0) throw EInvalidGraphic("Damaged HEIF file: it decodes to no pixels");
    picture.Pixels = NewDecodedBitmap(width, height, picture.Alpha);
    const bool premultiplied = heif_image_is_premultiplied_alpha(decoded);
    for (int y = 0; y < height; ++y) {
        if (request.Cancel && y % RowsPerBlock == 0) request.Cancel->ThrowIfCancelled();
        const std::uint8_t* source = plane + std::size_t(stride) * y;
        std::uint8_t* row = picture.Pixels.ScanLine(y);
        if (!picture.Alpha) {
            StoreRgbRow(source, row, width);
        } else if (premultiplied) {
            StorePremultipliedRgbaRow(source, row, width);
        } else {
            StoreRgbaRow(source, row, width);
        }
    }
    return picture;
}

}  // namespace lumvex
