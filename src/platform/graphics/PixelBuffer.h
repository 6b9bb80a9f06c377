#pragma once
// Owns the pixel memory of a bitmap. Large blocks are recycled: the last few
// released ones (at most 128 MiB together) are kept already touched, so the
// next picture of a similar size skips the cost of faulting in fresh pages.
#include <cstddef>
#include <cstdint>

namespace lumvex {

class PixelBuffer {
public:
    PixelBuffer() = default;
    explicit PixelBuffer(std::size_t size);  // zero-filled
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    ~PixelBuffer();

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

    // A buffer whose contents are not cleared (the caller overwrites every byte).
    static PixelBuffer Uninitialised(std::size_t size);
    // The bytes held for recycling, for tests.
    static std::size_t RecycledBytes();

private:
    void Release();

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace lumvex
