#pragma once
// A list that owns the objects it holds and frees those it still holds when
// it goes.
#include <cstddef>
#include <memory>
#include <vector>

namespace lumvex {

template <class T>
class TMPOwnedObjectList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    T& operator[](int index) const { return *items_[static_cast<std::size_t>(index)]; }
    void Add(std::unique_ptr<T> item) { items_.push_back(std::move(item)); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace lumvex
