#include "platform/graphics/PixelBuffer.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <utility>

namespace lumvex {
namespace {

constexpr std::size_t RecycleThreshold = std::size_t(1) << 20;  // only blocks of 1 MiB and up
constexpr std::size_t RecycleSlots = 3;
constexpr std::size_t RecycleLimit = std::size_t(128) << 20;  // all kept blocks together

struct Block {
    std::uint8_t* data = nullptr;
    std::size_t capacity = 0;
};

// Shared by the user-interface thread and the thumbnail worker.
struct Recycler {
    std::mutex lock;
    std::array<Block, RecycleSlots> slots{};

    std::size_t Kept() const {
        std::size_t total = 0;
        for (const Block& b : slots) total += b.capacity;
        return total;
    }

    static void Drop(Block& b) {
        std::free(b.data);
        b = Block{};
    }

    // A block that fits takes at most twice the size asked for. When none
    // fits, the picture has changed size: kept blocks too large for it go, so
    // a huge picture's memory does not outlive it.
    Block Take(std::size_t size) {
        std::lock_guard guard(lock);
        Block* best = nullptr;
        for (Block& b : slots)
            if (b.data && b.capacity >= size && b.capacity <= size * 2 &&
                (!best || b.capacity < best->capacity))
                best = &b;
        if (best) return std::exchange(*best, Block{});
        for (Block& b : slots)
            if (b.capacity > size * 2) Drop(b);
        return {};
    }

    // Keeps the block unless that would hold more than RecycleLimit; smaller
    // kept blocks make room for a larger one.
    bool Give(Block block) {
        if (block.capacity > RecycleLimit) return false;
        std::lock_guard guard(lock);
        for (;;) {
            if (Kept() + block.capacity <= RecycleLimit)
                for (Block& b : slots)
                    if (!b.data) {
                        b = block;
                        return true;
                    }
            Block* smallest = nullptr;
            for (Block& b : slots)
                if (b.data && (!smallest || b.capacity < smallest->capacity)) smallest = &b;
            if (!smallest || smallest->capacity >= block.capacity) return false;
            Drop(*smallest);
        }
    }
};

Recycler& TheRecycler() {
    static Recycler* recycler = new Recycler;  // lives for the process, never destroyed
    return *recycler;
}

}  // namespace

std::size_t PixelBuffer::RecycledBytes() {
    Recycler& recycler = TheRecycler();
    std::lock_guard guard(recycler.lock);
    return recycler.Kept();
}

PixelBuffer PixelBuffer::Uninitialised(std::size_t size) {
    PixelBuffer b;
    if (size == 0) return b;
    if (size >= RecycleThreshold) {
        Block block = TheRecycler().Take(size);
        if (block.data) {
            b.data_ = block.data;
            b.capacity_ = block.capacity;
            b.size_ = size;
            return b;
        }
    }
    b.data_ = static_cast<std::uint8_t*>(std::malloc(size));
    if (!b.data_) throw std::bad_alloc();
    b.size_ = b.capacity_ = size;
    return b;
}

PixelBuffer::PixelBuffer(std::size_t size) : PixelBuffer(Uninitialised(size)) {
    if (data_) std::memset(data_, 0, size_);
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

PixelBuffer::~PixelBuffer() { Release(); }

void PixelBuffer::Release() {
    if (!data_) return;
    if (capacity_ < RecycleThreshold || !TheRecycler().Give(Block{data_, capacity_})) std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
}

}  // namespace lumvex
