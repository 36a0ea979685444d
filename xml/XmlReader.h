// The XML reader of 8-bit or 16-bit characters: loads a whole file, then parses node by node.
#ifndef DRAVON_XML_XML_READER_H
#define DRAVON_XML_XML_READER_H

#include "IXmlReader.h"
#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! Converts the whole file to units `C` at construction (detecting the byte-order mark) and
//! keeps no reference to it afterwards. Only the entities &amp; &lt; &gt; &quot; and &apos; are
//! decoded; there is no DTD and no validation.
template <typename C> class XmlReader : public IXmlReader<C> {
public:
    //! Reads all of `file` (not null); the caller keeps its reference.
    explicit XmlReader(IInputFile* file);
    ~XmlReader() override;

    bool read() override;
    s32 getNodeType() override { return nodeType_; }
    s32 getAttributeCount() override { return attributes_.size(); }
    const C* getAttributeName(s32 index) override;
    const C* getAttributeValue(const C* name) override;
    const C* getAttributeValue(s32 index) override;
    const C* getAttributeValueSafe(const C* name) override;
    s32 getAttributeValueAsInt(s32 index) override;
    s32 getAttributeValueAsInt(const C* name) override;
    f32 getAttributeValueAsFloat(s32 index) override;
    f32 getAttributeValueAsFloat(const C* name) override;
    const C* getNodeName() override { return nodeName_.c_str(); }
    const C* getNodeData() override { return nodeName_.c_str(); }
    bool isEmptyElement() override { return isEmptyElement_; }
    s32 getSourceFormat() override { return sourceFormat_; }
    s32 getParserFormat() override { return parserFormat_; }

private:
    typedef String<C> Text;
    struct Attribute {
        Text name;
        Text value;
    };

    void load(IInputFile* file);
    void convert(const u8* units, s32 count, s32 width, bool bigEndian);
    void parseNode();
    void parseElementEnd();
    void parseCData();
    void parseComment();
    void parseElement();
    //! Reads the attributes up to the element's ">"; false when the text ends first.
    bool parseAttributes();
    bool readAttribute();
    void moveAfter(C unit);
    const C* find(const C* from, C unit) const;
    Text replaceEntities(const Text& text) const;
    s32 matchEntity(const Text& text, s32 from) const;
    const Attribute* findAttribute(const C* name) const;
    static f32 toFloat(const C* value);

    C* text_ = nullptr;
    const C* position_ = nullptr;
    const C* textBegin_ = nullptr;
    //! Units of text, the terminating zero included.
    s32 textSize_ = 0;
    s32 nodeType_ = XML_NODE_NONE;
    s32 sourceFormat_ = TEXT_FORMAT_ASCII;
    s32 parserFormat_;
    Text nodeName_;
    Text emptyString_;
    bool isEmptyElement_ = false;
    //! Each the replacement character followed by the entity's name and ';'.
    Text entities_[5];
    DynArray<Attribute> attributes_;
};

//! A reader of 16-bit characters over `file`, or null for a null file. The caller owns the
//! reader; the file is only read during the call.
IXmlReader16* createXmlReader16(IInputFile* file);
//! A reader of 8-bit characters over `file`, or null for a null file.
IXmlReader8* createXmlReader8(IInputFile* file);

} // namespace audio
} // namespace nox

#endif
