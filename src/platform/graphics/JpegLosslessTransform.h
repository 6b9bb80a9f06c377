#pragma once
// Turning and mirroring a JPEG picture without decoding it, through
// TurboJPEG's transform: the compressed blocks are moved, nothing is
// quantised again.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/graphics/FlipTurn.h"
#include "platform/graphics/JpegMetadata.h"

namespace lumvex::jpeg {

// A JPEG file in the buffer TurboJPEG wrote it to.
class TransformedJpeg {
public:
    std::string_view Bytes() const { return {reinterpret_cast<const char*>(data_.get()), size_}; }

private:
    friend std::optional<TransformedJpeg> TransformLosslessly(std::string_view bytes, TFlipTurn transform);
    struct Free {
        void operator()(unsigned char* data) const;
    };
    std::unique_ptr<unsigned char, Free> data_;
    std::size_t size_ = 0;
};

// The file's picture transformed, as a JPEG file that holds no markers but
// its encoder's own; std::nullopt when the transform is not perfect (a side
// it moves is not whole blocks) or TurboJPEG cannot read the data.
std::optional<TransformedJpeg> TransformLosslessly(std::string_view bytes, TFlipTurn transform);

// Writes a JPEG file's bytes with the markers put after its start and JFIF
// header, piece by piece, the file's bytes not copied.
void WriteWithMarkers(TReplacingFile& file, std::string_view bytes, const std::vector<Marker>& markers);

}  // namespace lumvex::jpeg
