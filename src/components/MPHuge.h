#pragma once
// A block of bytes of any size with a read position: holds a whole file or
// the concatenated data of an image. Reads at the end deliver fewer bytes
// (none past the end); they never touch memory outside the block.
#include <cstddef>
#include <cstdint>
#include <string>

namespace lumvex {

class TMPMemoryStream {
public:
    TMPMemoryStream() = default;
    explicit TMPMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

    std::size_t Size() const { return bytes_.size(); }
    const std::string& Bytes() const { return bytes_; }
    const std::uint8_t* Data() const { return reinterpret_cast<const std::uint8_t*>(bytes_.data()); }

    std::size_t Position() const { return position_; }
    // Positions past the end are held at the end.
    void Seek(std::size_t position) { position_ = position < bytes_.size() ? position : bytes_.size(); }

    // Copies up to count bytes from the position on and returns how many it copied.
    std::size_t Read(void* dest, std::size_t count);
    // Appends bytes at the end; the position stays.
    void Append(const void* source, std::size_t count);

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace lumvex
