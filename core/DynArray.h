// Growable array with a sorted flag, heap sort and bisection search.
#ifndef DRAVON_CORE_DYN_ARRAY_H
#define DRAVON_CORE_DYN_ARRAY_H

#include "IAllocator.h"
#include "dravon/Types.h"

#include <utility>

namespace nox {
namespace audio {

//! Compares with the element type's own less-than.
struct NaturalLess {
    template <typename T> bool operator()(const T& a, const T& b) const { return a < b; }
};

//! Growable array. Appending marks it unsorted; when full it grows to `used * 2 + 1` elements.
//! Arrays of pointers do not own their targets.
template <typename T> class DynArray {
public:
    DynArray() = default;
    DynArray(const DynArray& other) { *this = other; }
    DynArray& operator=(const DynArray& other) {
        if (this == &other)
            return *this;
        clear();
        reserve(other.used_);
        for (s32 i = 0; i < other.used_; ++i)
            allocator_.construct(data_ + i, other.data_[i]);
        used_ = other.used_;
        isSorted_ = other.isSorted_;
        return *this;
    }
    ~DynArray() { clear(); }

    //! Appends a copy of `element`, which may be an element of this same array.
    void push_back(const T& element) {
        if (used_ == allocated_) {
            T aside(element);
            reserve(used_ * 2 + 1);
            allocator_.construct(data_ + used_, std::move(aside));
        } else {
            allocator_.construct(data_ + used_, element);
        }
        ++used_;
        isSorted_ = false;
    }

    //! Removes the element at `index`, moving later elements one place down; order is kept.
    void erase(s32 index) {
        for (s32 i = index; i + 1 < used_; ++i)
            data_[i] = std::move(data_[i + 1]);
        allocator_.destruct(data_ + used_ - 1);
        --used_;
    }

    //! Destroys every element, frees the storage and marks the array sorted.
    void clear() {
        for (s32 i = 0; i < used_; ++i)
            allocator_.destruct(data_ + i);
        if (data_)
            allocator_.deallocate(data_);
        data_ = nullptr;
        allocated_ = used_ = 0;
        isSorted_ = true;
    }

    s32 size() const { return used_; }
    bool empty() const { return used_ == 0; }
    s32 allocated() const { return allocated_; }
    bool isSorted() const { return isSorted_; }
    T& operator[](s32 index) { return data_[index]; }
    const T& operator[](s32 index) const { return data_[index]; }
    T* begin() { return data_; }
    T* end() { return data_ + used_; }

    //! Ascending heap sort (not stable); marks the array sorted.
    template <typename Less = NaturalLess> void sort(Less less = Less()) {
        // Positions are 1-based in the heap; entry(i) is data_[i - 1].
        for (s32 i = used_ / 2; i >= 1; --i)
            siftDown(i, used_, less);
        for (s32 last = used_; last >= 1; --last) {
            std::swap(data_[0], data_[last - 1]);
            siftDown(1, last - 1, less);
        }
        isSorted_ = true;
    }

    //! Sorts when the array holds at least 2 elements and is marked unsorted.
    template <typename Less = NaturalLess> void sortIfNeeded(Less less = Less()) {
        if (!isSorted_ && used_ >= 2)
            sort(less);
    }

    //! Bisection search for `key`, sorting first if needed. Returns an index of an element
    //! equal to `key` (neither less than the other), or -1.
    template <typename Key, typename Less = NaturalLess>
    s32 binarySearch(const Key& key, Less less = Less()) {
        sortIfNeeded(less);
        if (used_ == 0)
            return -1;
        s32 left = 0;
        s32 right = used_ - 1;
        s32 m;
        do {
            m = (left + right) >> 1;
            if (less(key, data_[m]))
                right = m - 1;
            else
                left = m + 1;
        } while ((less(key, data_[m]) || less(data_[m], key)) && left <= right);
        return (!less(key, data_[m]) && !less(data_[m], key)) ? m : -1;
    }

    //! First index of an element equal to `element`, or -1.
    s32 linearSearch(const T& element) const {
        for (s32 i = 0; i < used_; ++i)
            if (data_[i] == element)
                return i;
        return -1;
    }

private:
    void reserve(s32 capacity) {
        T* fresh = allocator_.allocate(capacity);
        for (s32 i = 0; i < used_; ++i) {
            allocator_.construct(fresh + i, std::move(data_[i]));
            allocator_.destruct(data_ + i);
        }
        if (data_)
            allocator_.deallocate(data_);
        data_ = fresh;
        allocated_ = capacity;
    }

    template <typename Less> void siftDown(s32 i, s32 max, Less& less) {
        while (2 * i <= max) {
            s32 child = 2 * i;
            if (child + 1 <= max && less(data_[child - 1], data_[child]))
                ++child;
            if (!less(data_[i - 1], data_[child - 1]))
                return;
            std::swap(data_[i - 1], data_[child - 1]);
            i = child;
        }
    }

    T* data_ = nullptr;
    s32 allocated_ = 0;
    s32 used_ = 0;
    bool isSorted_ = true;
    IAllocator<T> allocator_;
};

} // namespace audio
} // namespace nox

#endif
