#include "XmlReader.h"

#include "NumberText.h"
#include "core/LittleEndian.h"

#include <cstring>
#include <memory>
#include <new>

namespace nox {
namespace audio {

namespace {

struct ByteOrderMark {
    s32 format;
    s32 length;
    s32 unitWidth;
    bool bigEndian;
};

ByteOrderMark detectFormat(const u8* bytes) {
    u32 word = readU32(bytes);
    if (word == 0xFFFE0000)
        return {TEXT_FORMAT_UTF32_BE, 4, 4, true};
    if (word == 0x0000FEFF)
        return {TEXT_FORMAT_UTF32_LE, 4, 4, false};
    if ((word & 0xFFFF) == 0xFFFE)
        return {TEXT_FORMAT_UTF16_BE, 2, 2, true};
    if ((word & 0xFFFF) == 0xFEFF)
        return {TEXT_FORMAT_UTF16_LE, 2, 2, false};
    if ((word & 0xFFFFFF) == 0xBFBBEF)
        return {TEXT_FORMAT_UTF8, 3, 1, false};
    return {TEXT_FORMAT_ASCII, 0, 1, false};
}

u32 sourceUnit(const u8* at, s32 width, bool bigEndian) {
    u32 unit = 0;
    for (s32 i = 0; i < width; ++i)
        unit |= static_cast<u32>(at[bigEndian ? i : width - 1 - i]) << (8 * (width - 1 - i));
    return unit;
}

template <typename C> C parserUnit(u32 unit, s32 width) {
    // An 8-bit unit widens with its sign: the bytes 128 to 255 become 0xFF80 to 0xFFFF.
    if (width == 1 && sizeof(C) > 1)
        return static_cast<C>(static_cast<s16>(static_cast<s8>(static_cast<u8>(unit))));
    return static_cast<C>(unit);
}

template <typename C> bool isWhitespace(C unit) {
    return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\r';
}

} // namespace

template <typename C> XmlReader<C>::XmlReader(IInputFile* file) {
    parserFormat_ = sizeof(C) == 1 ? TEXT_FORMAT_UTF8 : TEXT_FORMAT_UTF16_LE;
    static const char* const entityTexts[5] = {"&amp;", "<lt;", ">gt;", "\"quot;", "'apos;"};
    for (s32 i = 0; i < 5; ++i)
        entities_[i].assignConverted(entityTexts[i]);
    load(file);
}

template <typename C> XmlReader<C>::~XmlReader() {
    delete[] text_;
}

template <typename C> void XmlReader<C>::load(IInputFile* file) {
    s32 size = file->getSize();
    if (size <= 0)
        return;
    std::unique_ptr<u8[]> bytes(new (std::nothrow) u8[static_cast<u32>(size) + 4]);
    if (!bytes)
        return;
    s32 length = file->read(bytes.get(), static_cast<u32>(size));
    if (length <= 0)
        return;
    std::memset(bytes.get() + length, 0, 4);
    ByteOrderMark mark = detectFormat(bytes.get());
    sourceFormat_ = mark.format;
    s32 count = length > mark.length ? (length - mark.length) / mark.unitWidth : 0;
    convert(bytes.get() + mark.length, count, mark.unitWidth, mark.bigEndian);
}

template <typename C>
void XmlReader<C>::convert(const u8* units, s32 count, s32 width, bool bigEndian) {
    text_ = new (std::nothrow) C[count + 1];
    if (!text_)
        return;
    s32 converted = 0;
    // A unit that becomes zero ends the text, so the parser's scans all stop at one terminator.
    while (converted < count) {
        C unit = parserUnit<C>(sourceUnit(units + converted * width, width, bigEndian), width);
        if (unit == 0)
            break;
        text_[converted++] = unit;
    }
    text_[converted] = 0;
    textSize_ = converted + 1;
    textBegin_ = position_ = text_;
}

template <typename C> bool XmlReader<C>::read() {
    if (!text_ || position_ - textBegin_ >= textSize_ - 1 || *position_ == 0)
        return false;
    if (*find(position_, '<') == 0)
        return false;
    parseNode();
    return true;
}

template <typename C> void XmlReader<C>::parseNode() {
    const C* start = position_;
    position_ = find(position_, '<');
    s32 length = static_cast<s32>(position_ - start);
    bool ignorable = length < 3;
    for (s32 i = 0; i < length && ignorable; ++i)
        ignorable = isWhitespace(start[i]);
    if (length > 0 && !ignorable) {
        nodeType_ = XML_NODE_TEXT;
        nodeName_ = replaceEntities(Text(start, length));
        return;
    }
    ++position_;
    switch (*position_) {
    case '/':
        parseElementEnd();
        break;
    case '?':
        nodeType_ = XML_NODE_UNKNOWN;
        nodeName_ = emptyString_;
        moveAfter('>');
        break;
    case '!':
        if (position_[1] == '[')
            parseCData();
        else
            parseComment();
        break;
    default:
        parseElement();
        break;
    }
}

template <typename C> void XmlReader<C>::parseElementEnd() {
    nodeType_ = XML_NODE_ELEMENT_END;
    isEmptyElement_ = false;
    attributes_.clear();
    const C* start = ++position_;
    position_ = find(position_, '>');
    nodeName_ = Text(start, static_cast<s32>(position_ - start));
    moveAfter('>');
}

template <typename C> void XmlReader<C>::parseCData() {
    nodeType_ = XML_NODE_CDATA;
    // Over the "![CDATA[" of the markup, but never past the end of the text.
    for (s32 i = 0; i < 8 && *position_; ++i)
        ++position_;
    for (const C* end = position_; *end; ++end) {
        if (end[0] == ']' && end[1] == ']' && end[2] == '>') {
            nodeName_ = Text(position_, static_cast<s32>(end - position_));
            position_ = end + 3;
            return;
        }
    }
    nodeName_ = emptyString_;
    position_ = find(position_, 0);
}

template <typename C> void XmlReader<C>::parseComment() {
    nodeType_ = XML_NODE_COMMENT;
    const C* start = ++position_;
    for (s32 depth = 1; *position_; ++position_) {
        if (*position_ == '<')
            ++depth;
        else if (*position_ == '>' && --depth == 0)
            break;
    }
    // Less the dashes of "<!--" and "-->".
    s32 length = static_cast<s32>(position_ - start) - 4;
    nodeName_ = length > 0 ? Text(start + 2, length) : emptyString_;
    moveAfter('>');
}

template <typename C> void XmlReader<C>::parseElement() {
    nodeType_ = XML_NODE_ELEMENT;
    isEmptyElement_ = false;
    attributes_.clear();
    const C* start = position_;
    while (*position_ && !isWhitespace(*position_) && *position_ != '>')
        ++position_;
    nodeName_ = Text(start, static_cast<s32>(position_ - start));
    if (!parseAttributes()) {
        // An element abandoned at the end of the text keeps what was read so far.
        position_ = find(position_, 0);
        return;
    }
    if (!nodeName_.empty() && nodeName_[nodeName_.size() - 1] == '/') {
        nodeName_ = nodeName_.subString(0, nodeName_.size() - 1);
        isEmptyElement_ = true;
    }
    moveAfter('>');
}

template <typename C> bool XmlReader<C>::parseAttributes() {
    while (*position_ != '>') {
        if (*position_ == 0)
            return false;
        if (isWhitespace(*position_)) {
            ++position_;
        } else if (*position_ == '/') {
            isEmptyElement_ = true;
            return true;
        } else if (!readAttribute()) {
            return false;
        }
    }
    return true;
}

template <typename C> bool XmlReader<C>::readAttribute() {
    const C* nameStart = position_;
    while (*position_ && !isWhitespace(*position_) && *position_ != '=')
        ++position_;
    if (*position_ == 0)
        return false;
    Text name(nameStart, static_cast<s32>(position_ - nameStart));
    ++position_;
    while (*position_ && *position_ != '"' && *position_ != '\'')
        ++position_;
    if (*position_ == 0)
        return false;
    C quote = *position_++;
    const C* valueStart = position_;
    position_ = find(position_, quote);
    if (*position_ == 0)
        return false;
    Attribute attribute;
    attribute.name = replaceEntities(name);
    attribute.value = replaceEntities(Text(valueStart, static_cast<s32>(position_ - valueStart)));
    attributes_.push_back(attribute);
    ++position_;
    return true;
}

template <typename C> void XmlReader<C>::moveAfter(C unit) {
    position_ = find(position_, unit);
    if (*position_)
        ++position_;
}

template <typename C> const C* XmlReader<C>::find(const C* from, C unit) const {
    while (*from && *from != unit)
        ++from;
    return from;
}

template <typename C> String<C> XmlReader<C>::replaceEntities(const Text& text) const {
    Text result;
    s32 copiedUpTo = 0;
    for (s32 i = 0; i < text.size() - 2; ++i) {
        if (text[i] != '&')
            continue;
        s32 entity = matchEntity(text, i + 1);
        if (entity < 0)
            continue;
        result.append(text.c_str() + copiedUpTo, i - copiedUpTo);
        result.append(entities_[entity][0]);
        i += entities_[entity].size() - 1;
        copiedUpTo = i + 1;
    }
    if (copiedUpTo == 0)
        return text;
    result.append(text.c_str() + copiedUpTo, text.size() - copiedUpTo);
    return result;
}

template <typename C> s32 XmlReader<C>::matchEntity(const Text& text, s32 from) const {
    for (s32 k = 0; k < 5; ++k) {
        const Text& entry = entities_[k];
        s32 j = 1;
        // The text's terminator differs from every name unit, so the scan stops inside it.
        while (j < entry.size() && text[from + j - 1] == entry[j])
            ++j;
        if (j == entry.size())
            return k;
    }
    return -1;
}

template <typename C>
const typename XmlReader<C>::Attribute* XmlReader<C>::findAttribute(const C* name) const {
    if (!name)
        return nullptr;
    for (s32 i = 0; i < attributes_.size(); ++i)
        if (attributes_[i].name == name)
            return &attributes_[i];
    return nullptr;
}

template <typename C> const C* XmlReader<C>::getAttributeName(s32 index) {
    return index >= 0 && index < attributes_.size() ? attributes_[index].name.c_str() : nullptr;
}

template <typename C> const C* XmlReader<C>::getAttributeValue(const C* name) {
    const Attribute* attribute = findAttribute(name);
    return attribute ? attribute->value.c_str() : nullptr;
}

template <typename C> const C* XmlReader<C>::getAttributeValue(s32 index) {
    return index >= 0 && index < attributes_.size() ? attributes_[index].value.c_str() : nullptr;
}

template <typename C> const C* XmlReader<C>::getAttributeValueSafe(const C* name) {
    const Attribute* attribute = findAttribute(name);
    return attribute ? attribute->value.c_str() : emptyString_.c_str();
}

template <typename C> s32 XmlReader<C>::getAttributeValueAsInt(s32 index) {
    return truncateToS32(getAttributeValueAsFloat(index));
}

template <typename C> s32 XmlReader<C>::getAttributeValueAsInt(const C* name) {
    return truncateToS32(getAttributeValueAsFloat(name));
}

template <typename C> f32 XmlReader<C>::getAttributeValueAsFloat(s32 index) {
    return toFloat(getAttributeValue(index));
}

template <typename C> f32 XmlReader<C>::getAttributeValueAsFloat(const C* name) {
    return toFloat(getAttributeValue(name));
}

template <typename C> f32 XmlReader<C>::toFloat(const C* value) {
    if (!value)
        return 0.f;
    CharString narrow;
    narrow.assignConverted(value);
    f32 number;
    parseFloat(narrow.c_str(), number);
    return number;
}

template class XmlReader<char>;
template class XmlReader<char16_t>;

IXmlReader16* createXmlReader16(IInputFile* file) {
    return file ? new XmlReader<char16_t>(file) : nullptr;
}

IXmlReader8* createXmlReader8(IInputFile* file) {
    return file ? new XmlReader<char>(file) : nullptr;
}

} // namespace audio
} // namespace nox
