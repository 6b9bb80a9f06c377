#include "platform/graphics/Heif.h"

#include <libheif/heif.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/SharedLibrary.h"
#include "platform/SysUtils.h"

namespace lumvex {
namespace {

// Rows stored between two looks at the cancel token.
constexpr int RowsPerBlock = 64;
// How far a coded picture may pass its declared size: its coding blocks.
constexpr int CodingPadding = 128;

// libheif is opened when the first HEIF or AVIF picture is decoded.
struct THeifFunctions {
    TSharedLibrary Library{LUMVEX_LIBHEIF_SONAME, "HEIF and AVIF pictures"};
    LUMVEX_LIBRARY_FUNCTION(Library, heif_check_filetype);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_init);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_context_alloc);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_context_free);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_context_read_from_memory_without_copy);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_context_get_primary_image_handle);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_context_set_maximum_image_size_limit);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_release);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_width);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_height);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_has_alpha_channel);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_number_of_thumbnails);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_list_of_thumbnail_IDs);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_thumbnail);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_list_of_metadata_block_IDs);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_metadata_size);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_metadata);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_color_profile_type);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_raw_color_profile_size);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_handle_get_raw_color_profile);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_decoding_options_alloc);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_decoding_options_free);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_decode_image);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_release);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_get_plane_readonly);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_get_width);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_get_height);
    LUMVEX_LIBRARY_FUNCTION(Library, heif_image_is_premultiplied_alpha);

    THeifFunctions() { heif_init(nullptr); }
};

const THeifFunctions& Heif() { return LoadedFunctions<THeifFunctions>(); }

template <auto THeifFunctions::*Release>
struct Releaser {
    template <class T>
    void operator()(T* p) const { (Heif().*Release)(p); }
};
using Context = std::unique_ptr<heif_context, Releaser<&THeifFunctions::heif_context_free>>;
using Handle = std::unique_ptr<heif_image_handle, Releaser<&THeifFunctions::heif_image_handle_release>>;
using Image = std::unique_ptr<heif_image, Releaser<&THeifFunctions::heif_image_release>>;
using Options = std::unique_ptr<heif_decoding_options, Releaser<&THeifFunctions::heif_decoding_options_free>>;

void Check(const heif_error& error) {
    if (error.code == heif_error_Ok) return;
    if (error.code == heif_error_Memory_allocation_error) throw EOutOfResources(std::string("HEIF picture: ") + error.message);
    throw EInvalidGraphic(std::string("Damaged HEIF file: ") + error.message);
}

// The main brands of the HEIF family (ISO 23008-12 and its AV1, VVC and EVC
// kin): only a file of one of them is shown to libheif, so that sniffing a
// video or any other ISO media file does not load the library.
bool HasHeifBrand(std::string_view bytes) {
    static constexpr std::string_view Brands[] = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                                  "hevm", "hevs", "mif1", "msf1", "avif", "avis",
                                                  "vvic", "vvis", "evbi", "evbs"};
    if (bytes.size() < 12 || bytes.substr(4, 4) != "ftyp") return false;
    return std::find(std::begin(Brands), std::end(Brands), bytes.substr(8, 4)) != std::end(Brands);
}

// The smallest embedded thumbnail that serves a reduced request, or nothing.
Handle ChooseThumbnail(heif_image_handle* primary, const TDecodeRequest& request) {
    const THeifFunctions& heif = Heif();
    const int count = heif.heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || (request.MinWidth <= 0 && request.MinHeight <= 0)) return nullptr;
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif.heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    for (const heif_item_id id : ids) {
        heif_image_handle* thumbnail = nullptr;
        if (heif.heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok) continue;
        Handle candidate(thumbnail);
        const int width = heif.heif_image_handle_get_width(thumbnail);
        const int height = heif.heif_image_handle_get_height(thumbnail);
        if (!ServesReduced(width, height, request)) continue;
        if (!best || std::int64_t(width) * height < std::int64_t(heif.heif_image_handle_get_width(best.get())) *
                                                        heif.heif_image_handle_get_height(best.get()))
            best = std::move(candidate);
    }
    return best;
}

void ReadMetadata(heif_image_handle* handle, TEmbeddedMetadata& metadata) {
    const THeifFunctions& heif = Heif();
    metadata.Upright = true;
    heif_item_id id = 0;
    if (heif.heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) == 1) {
        std::string block(heif.heif_image_handle_get_metadata_size(handle, id), '\0');
        // The block starts with the offset of the TIFF header after its own four bytes.
        if (block.size() >= 4 && heif.heif_image_handle_get_metadata(handle, id, block.data()).code == heif_error_Ok) {
            const std::size_t offset = (std::uint32_t(std::uint8_t(block[0])) << 24) |
                                       (std::uint32_t(std::uint8_t(block[1])) << 16) |
                                       (std::uint32_t(std::uint8_t(block[2])) << 8) | std::uint8_t(block[3]);
            if (offset <= block.size() - 4) metadata.Exif = block.substr(4 + offset);
        }
    }
    const heif_color_profile_type profile = heif.heif_image_handle_get_color_profile_type(handle);
    if (profile == heif_color_profile_type_prof || profile == heif_color_profile_type_rICC) {
        std::string icc(heif.heif_image_handle_get_raw_color_profile_size(handle), '\0');
        if (!icc.empty() && heif.heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
            metadata.Icc = std::move(icc);
    }
}

}  // namespace

bool IsHeifData(std::string_view bytes) {
    if (!HasHeifBrand(bytes)) return false;
    const THeifFunctions* heif = nullptr;
    try {
        heif = &Heif();
    } catch (const ELibraryMissing&) {
        return true;  // decoding it then tells that the library is missing
    }
    const heif_filetype_result kind = heif->heif_check_filetype(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                                int(std::min<std::size_t>(bytes.size(), 1 << 16)));
    return kind == heif_filetype_yes_supported || kind == heif_filetype_yes_unsupported;
}

TDecodedPicture THeifImage::Decode(std::string_view bytes, const TDecodeRequest& request) const {
    const THeifFunctions& heif = Heif();
    Context context(heif.heif_context_alloc());
    if (!context) throw EOutOfResources("Out of memory");
    Check(heif.heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr));
    heif_image_handle* primary = nullptr;
    Check(heif.heif_context_get_primary_image_handle(context.get(), &primary));
    Handle handle(primary);

    TDecodedPicture picture;
    picture.FullWidth = heif.heif_image_handle_get_width(primary);
    picture.FullHeight = heif.heif_image_handle_get_height(primary);
    if (picture.FullWidth <= 0 || picture.FullHeight <= 0)
        throw EInvalidGraphic("Damaged HEIF file: it declares no picture size");
    CheckPictureSize(picture.FullWidth, picture.FullHeight);
    // The coded stream names a size of its own, which libheif allocates
    // before it compares: no side may pass the declared picture's longer
    // side by more than the coding blocks' padding.
    heif.heif_context_set_maximum_image_size_limit(context.get(),
                                              std::max(picture.FullWidth, picture.FullHeight) + CodingPadding);
    ReadMetadata(primary, picture.Metadata);
    Handle thumbnail = ChooseThumbnail(primary, request);
    heif_image_handle* shown = thumbnail ? thumbnail.get() : primary;
    picture.Alpha = heif.heif_image_handle_has_alpha_channel(shown);
    if (request.Cancel) request.Cancel->ThrowIfCancelled();

    Options options(heif.heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    Check(heif.heif_decode_image(shown, &decoded, heif_colorspace_RGB,
                            picture.Alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get()));
    Image image(decoded);
    int stride = 0;
    const std::uint8_t* plane = heif.heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif.heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif.heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || width <= 0 || height <= 0) throw EInvalidGraphic("Damaged HEIF file: it decodes to no pixels");
    picture.Pixels = NewDecodedBitmap(width, height, picture.Alpha);
    const bool premultiplied = heif.heif_image_is_premultiplied_alpha(decoded);
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
