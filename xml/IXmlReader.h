// A forward-only XML pull parser over text of 8-bit or 16-bit characters.
#ifndef DRAVON_XML_I_XML_READER_H
#define DRAVON_XML_I_XML_READER_H

#include "dravon/RefCounted.h"
#include "dravon/Types.h"

namespace nox {
namespace audio {

//! The encoding a reader found in its file (by its byte-order mark) or parses in.
enum E_TEXT_FORMAT {
    TEXT_FORMAT_ASCII = 0,    //!< no byte-order mark; counts as little-endian
    TEXT_FORMAT_UTF8 = 1,     //!< EF BB BF
    TEXT_FORMAT_UTF16_BE = 2, //!< FE FF
    TEXT_FORMAT_UTF16_LE = 3, //!< FF FE
    TEXT_FORMAT_UTF32_BE = 4, //!< 00 00 FE FF
    TEXT_FORMAT_UTF32_LE = 5  //!< FF FE 00 00
};

//! The kind of the node a reader stands on.
enum E_XML_NODE_TYPE {
    XML_NODE_NONE = 0,        //!< before the first read()
    XML_NODE_ELEMENT = 1,     //!< <name attributes> or <name/>
    XML_NODE_ELEMENT_END = 2, //!< </name>
    XML_NODE_TEXT = 3,        //!< text between markup, entities replaced
    XML_NODE_COMMENT = 4,     //!< <!-- text -->
    XML_NODE_CDATA = 5,       //!< <![CDATA[ text ]]>
    XML_NODE_UNKNOWN = 6      //!< an instruction such as <?xml ...?>
};

//! Delivers one node per read(). `C` is the character unit: char16_t for the 16-bit reader
//! (16-bit units here, not the 32-bit wchar_t of Linux), char for the 8-bit reader. The reader
//! never validates and never reports errors: malformed text yields whatever nodes it gives.
//! Every returned text belongs to the reader and stays valid until the next read(). One thread
//! at a time.
template <typename C> class IXmlReader : public RefCounted {
public:
    ~IXmlReader() override = default;

    //! Moves to the next node; false at the end of the text.
    virtual bool read() = 0;
    //! An E_XML_NODE_TYPE.
    virtual s32 getNodeType() = 0;
    //! Attributes of the last element read.
    virtual s32 getAttributeCount() = 0;
    //! Name of attribute `index`; null outside 0 to count - 1.
    virtual const C* getAttributeName(s32 index) = 0;
    //! Value of the attribute `name` (compared exactly); null when absent or `name` is null.
    virtual const C* getAttributeValue(const C* name) = 0;
    //! Value of attribute `index`; null outside the range.
    virtual const C* getAttributeValue(s32 index) = 0;
    //! Value of the attribute `name`, or an empty text when absent.
    virtual const C* getAttributeValueSafe(const C* name) = 0;
    //! The value read as a number and truncated toward zero; 0 when absent.
    virtual s32 getAttributeValueAsInt(s32 index) = 0;
    virtual s32 getAttributeValueAsInt(const C* name) = 0;
    //! The value read as a number; 0 when absent.
    virtual f32 getAttributeValueAsFloat(s32 index) = 0;
    virtual f32 getAttributeValueAsFloat(const C* name) = 0;
    //! The element's name, or the text of a text, comment or CDATA node.
    virtual const C* getNodeName() = 0;
    //! The same text as getNodeName().
    virtual const C* getNodeData() = 0;
    //! True for an element written as <name/> or <name />.
    virtual bool isEmptyElement() = 0;
    //! The E_TEXT_FORMAT found in the file.
    virtual s32 getSourceFormat() = 0;
    //! The E_TEXT_FORMAT the reader parses in: TEXT_FORMAT_UTF16_LE or TEXT_FORMAT_UTF8.
    virtual s32 getParserFormat() = 0;
};

//! The reader of 16-bit characters that IFileManager::createXmlReader() makes.
typedef IXmlReader<char16_t> IXmlReader16;
//! The reader of 8-bit characters that IFileManager::createXmlReaderUtf8() makes.
typedef IXmlReader<char> IXmlReader8;

} // namespace audio
} // namespace nox

#endif
