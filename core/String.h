// Zero-terminated text of 8-bit or 16-bit units with exact-size storage.
#ifndef DRAVON_CORE_STRING_H
#define DRAVON_CORE_STRING_H

#include "IAllocator.h"
#include "dravon/Types.h"

#include <type_traits>
#include <utility>

namespace nox {
namespace audio {

//! Text of units `T`, always zero-terminated. Storage is allocated to exactly the size needed.
//! Comparison treats units as signed values, so the byte 0xE9 sorts before 'a'.
template <typename T> class String {
public:
    String() { assignUnits(nullptr, 0); }
    String(const T* text) { assignUnits(text, text ? lengthOf(text) : 0); }
    String(const T* text, s32 length) { assignUnits(text, length); }
    String(const String& other) { assignUnits(other.data_, other.size()); }
    //! The text left behind is empty; making it allocates one unit, whose failure ends the
    //! process like that of any small allocation.
    String(String&& other) noexcept
        : data_(other.data_), allocated_(other.allocated_), used_(other.used_) {
        other.assignUnits(nullptr, 0);
    }
    //! Decimal text of `number`, with '-' before negative values.
    explicit String(s32 number) {
        assignUnits(nullptr, 0);
        appendNumber(number);
    }
    ~String() { allocator_.deallocate(data_); }

    String& operator=(const String& other) {
        if (this != &other)
            replaceWith(other.data_, other.size());
        return *this;
    }

    String& operator=(String&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(allocated_, other.allocated_);
        std::swap(used_, other.used_);
        return *this;
    }

    //! Copies `text`; null empties the string; the string's own data leaves it unchanged.
    String& operator=(const T* text) {
        if (text == data_)
            return *this;
        replaceWith(text, text ? lengthOf(text) : 0);
        return *this;
    }

    //! Copies text of another unit width, keeping the low bits of each unit.
    template <typename U> void assignConverted(const U* text) {
        s32 length = text ? lengthOf(text) : 0;
        T* fresh = allocator_.allocate(length + 1);
        for (s32 i = 0; i < length; ++i)
            fresh[i] = static_cast<T>(text[i]);
        fresh[length] = 0;
        adopt(fresh, length + 1);
    }

    const T* c_str() const { return data_; }
    //! Number of units before the terminator.
    s32 size() const { return used_ - 1; }
    bool empty() const { return used_ == 1; }
    //! Bytes of storage, in units.
    s32 allocated() const { return allocated_; }

    T& operator[](s32 index) { return data_[index]; }
    const T& operator[](s32 index) const { return data_[index]; }

    String& append(T unit) { return append(&unit, 1); }
    String& append(const T* text) { return text ? append(text, lengthOf(text)) : *this; }
    String& append(const String& other) { return append(other.data_, other.size()); }
    String& append(const T* text, s32 length) {
        if (length <= 0)
            return *this;
        s32 newUsed = used_ + length;
        T* fresh = allocator_.allocate(newUsed);
        copyUnits(fresh, data_, size());
        copyUnits(fresh + size(), text, length);
        fresh[newUsed - 1] = 0;
        adopt(fresh, newUsed);
        return *this;
    }
    String& operator+=(const String& other) { return append(other); }
    String& operator+=(const T* text) { return append(text); }
    String& operator+=(T unit) { return append(unit); }

    //! Turns 'A' to 'Z' into 'a' to 'z'; every other unit stays.
    String& makeLower() {
        for (s32 i = 0; i < size(); ++i)
            if (data_[i] >= 'A' && data_[i] <= 'Z')
                data_[i] = static_cast<T>(data_[i] + ('a' - 'A'));
        return *this;
    }

    //! First position of `text`, or -1 (also for a null or empty text).
    s32 find(const T* text) const {
        if (!text || !text[0])
            return -1;
        s32 length = lengthOf(text);
        for (s32 start = 0; start + length <= size(); ++start) {
            s32 i = 0;
            while (i < length && data_[start + i] == text[i])
                ++i;
            if (i == length)
                return start;
        }
        return -1;
    }

    //! Last position of `unit`, or -1.
    s32 findLast(T unit) const {
        for (s32 i = size() - 1; i >= 0; --i)
            if (data_[i] == unit)
                return i;
        return -1;
    }

    //! `length` units from `begin`, clipped to the string.
    String subString(s32 begin, s32 length) const {
        if (begin < 0)
            begin = 0;
        if (begin > size())
            begin = size();
        if (length > size() - begin)
            length = size() - begin;
        return String(data_ + begin, length < 0 ? 0 : length);
    }

    bool operator==(const String& other) const {
        if (used_ != other.used_)
            return false;
        for (s32 i = 0; i < used_; ++i)
            if (data_[i] != other.data_[i])
                return false;
        return true;
    }
    bool operator!=(const String& other) const { return !(*this == other); }
    bool operator==(const T* text) const {
        if (!text)
            return false;
        s32 i = 0;
        for (; data_[i] && text[i]; ++i)
            if (data_[i] != text[i])
                return false;
        return data_[i] == text[i];
    }
    bool operator!=(const T* text) const { return !(*this == text); }

    //! Units compared as signed values, the first difference decides; otherwise the shorter
    //! string is less.
    bool operator<(const String& other) const {
        for (s32 i = 0; data_[i] && other.data_[i]; ++i) {
            Signed a = static_cast<Signed>(data_[i]);
            Signed b = static_cast<Signed>(other.data_[i]);
            if (a != b)
                return a < b;
        }
        return used_ < other.used_;
    }

    template <typename U> static s32 lengthOf(const U* text) {
        s32 length = 0;
        while (text[length])
            ++length;
        return length;
    }

private:
    using Signed = std::make_signed_t<T>;

    static void copyUnits(T* to, const T* from, s32 count) {
        for (s32 i = 0; i < count; ++i)
            to[i] = from[i];
    }

    void assignUnits(const T* text, s32 length) {
        data_ = allocator_.allocate(length + 1);
        if (text)
            copyUnits(data_, text, length);
        data_[length] = 0;
        allocated_ = used_ = length + 1;
    }

    void replaceWith(const T* text, s32 length) {
        T* fresh = allocator_.allocate(length + 1);
        if (text)
            copyUnits(fresh, text, length);
        fresh[length] = 0;
        adopt(fresh, length + 1);
    }

    void adopt(T* fresh, s32 used) {
        allocator_.deallocate(data_);
        data_ = fresh;
        allocated_ = used_ = used;
    }

    void appendNumber(s32 number) {
        // Digits from the end, then one append: 11 units hold "-2147483648".
        T text[11];
        s32 start = 11;
        // Work with the negative value so that the smallest s32 needs no special case.
        s32 rest = number < 0 ? number : -number;
        do {
            text[--start] = static_cast<T>('0' - rest % 10);
            rest /= 10;
        } while (rest != 0);
        if (number < 0)
            text[--start] = static_cast<T>('-');
        append(text + start, 11 - start);
    }

    T* data_ = nullptr;
    s32 allocated_ = 0;
    s32 used_ = 0;
    IAllocator<T> allocator_;
};

//! 8-bit text.
typedef String<char> CharString;

} // namespace audio
} // namespace nox

#endif
