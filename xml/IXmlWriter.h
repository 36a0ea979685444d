// Writes XML as 16-bit little-endian text.
#ifndef DRAVON_XML_I_XML_WRITER_H
#define DRAVON_XML_I_XML_WRITER_H

#include "dravon/RefCounted.h"
#include "dravon/Types.h"

namespace nox {
namespace audio {

//! Writes XML into an output file, two bytes per character, little-endian. It keeps no element
//! stack: the caller writes closing tags in the right order. Every operation does nothing
//! without an output file, and writeElement, writeComment, writeClosingTag and writeText do
//! nothing when their first argument is null. One thread at a time.
class IXmlWriter : public virtual RefCounted {
public:
    //! The byte-order mark, <?xml version="1.0"?> and a line break.
    virtual void writeXmlHeader() = 0;
    //! Tabs for the depth, then <name, then name="value" for each pair whose name and value are
    //! both given (values are written as they are), then " />" when `empty`, else ">" and one
    //! level deeper.
    virtual void writeElement(
        const char16_t* name, bool empty = false, const char16_t* attribute1Name = nullptr,
        const char16_t* attribute1Value = nullptr, const char16_t* attribute2Name = nullptr,
        const char16_t* attribute2Value = nullptr, const char16_t* attribute3Name = nullptr,
        const char16_t* attribute3Value = nullptr, const char16_t* attribute4Name = nullptr,
        const char16_t* attribute4Value = nullptr, const char16_t* attribute5Name = nullptr,
        const char16_t* attribute5Value = nullptr) = 0;
    //! <!--text-->
    virtual void writeComment(const char16_t* text) = 0;
    //! One level up, tabs for the depth unless text came just before, then </name>.
    virtual void writeClosingTag(const char16_t* name) = 0;
    //! The text with &, <, > and the double quote written as entities.
    virtual void writeText(const char16_t* text) = 0;
    //! A line feed.
    virtual void writeLineBreak() = 0;
};

} // namespace audio
} // namespace nox

#endif
