// The XML readers: format detection and conversion, every node type, entities, attributes.
#include "XmlTestFiles.h"

#include "xml/XmlReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

Bytes ascii(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

template <typename Reader> Reader* over(const Bytes& bytes, Reader* (*create)(IInputFile*)) {
    IInputFile* file = memoryFile(bytes, "test.xml");
    Reader* reader = create(file);
    file->decRef();
    return reader;
}

IXmlReader8* reader8(const Bytes& bytes) {
    return over(bytes, createXmlReader8);
}
IXmlReader16* reader16(const Bytes& bytes) {
    return over(bytes, createXmlReader16);
}
IXmlReader8* reader8(const std::string& text) {
    return reader8(ascii(text));
}

std::u16string text16(const char16_t* text) {
    return text ? std::u16string(text) : u"(null)";
}

//! "type:name" of every node until read() ends, with the reader released.
template <typename C> std::vector<std::string> nodes(IXmlReader<C>* reader) {
    std::vector<std::string> result;
    while (reader->read()) {
        std::string name;
        for (const C* at = reader->getNodeName(); *at; ++at)
            name += static_cast<char>(*at);
        result.push_back(std::to_string(reader->getNodeType()) + ":" + name);
    }
    reader->decRef();
    return result;
}

const Bytes markUtf8 = {0xEF, 0xBB, 0xBF};
const Bytes markUtf16BE = {0xFE, 0xFF};
const Bytes markUtf16LE = {0xFF, 0xFE};
const Bytes markUtf32BE = {0x00, 0x00, 0xFE, 0xFF};
const Bytes markUtf32LE = {0xFF, 0xFE, 0x00, 0x00};

} // namespace

TEST(XmlReaderTest, EveryByteOrderMarkWithBothReaders) {
    const char16_t* document = u"<r x=\"1\">T</r>";
    std::u32string document32(document, document + 14);
    struct Case {
        Bytes bytes;
        s32 format;
    } cases[] = {
        {ascii("<r x=\"1\">T</r>"), TEXT_FORMAT_ASCII},
        {withMark(markUtf8, ascii("<r x=\"1\">T</r>")), TEXT_FORMAT_UTF8},
        {withMark(markUtf16BE, utf16(document, true)), TEXT_FORMAT_UTF16_BE},
        {withMark(markUtf16LE, utf16(document)), TEXT_FORMAT_UTF16_LE},
        {withMark(markUtf32BE, utf32(document32, true)), TEXT_FORMAT_UTF32_BE},
        {withMark(markUtf32LE, utf32(document32)), TEXT_FORMAT_UTF32_LE},
    };
    for (const Case& c : cases) {
        IXmlReader8* narrow = reader8(c.bytes);
        IXmlReader16* wide = reader16(c.bytes);
        EXPECT_EQ(narrow->getSourceFormat(), c.format);
        EXPECT_EQ(wide->getSourceFormat(), c.format);
        EXPECT_EQ(narrow->getParserFormat(), TEXT_FORMAT_UTF8);
        EXPECT_EQ(wide->getParserFormat(), TEXT_FORMAT_UTF16_LE);
        ASSERT_TRUE(narrow->read());
        ASSERT_TRUE(wide->read());
        EXPECT_STREQ(narrow->getAttributeValue("x"), "1") << c.format;
        EXPECT_EQ(text16(wide->getAttributeValue(u"x")), u"1") << c.format;
        EXPECT_EQ(nodes(narrow), (std::vector<std::string>{"3:T", "2:r"})) << c.format;
        EXPECT_EQ(nodes(wide), (std::vector<std::string>{"3:T", "2:r"})) << c.format;
    }
}

TEST(XmlReaderTest, UnitsAreCutOrWidenedWithTheirSign) {
    // A UTF-16 file read by the 8-bit reader keeps the low byte of each unit.
    IXmlReader8* narrow = reader8(withMark(markUtf16LE, utf16(u"<\u0141\u00E9/>")));
    ASSERT_TRUE(narrow->read());
    EXPECT_EQ(narrow->getSourceFormat(), TEXT_FORMAT_UTF16_LE);
    EXPECT_EQ(std::string(narrow->getNodeName()), "A\xE9");
    narrow->decRef();
    // An ASCII byte 0xE9 read by the 16-bit reader is widened with its sign.
    IXmlReader16* wide = reader16(ascii("<a v=\"\xE9\"/>"));
    ASSERT_TRUE(wide->read());
    EXPECT_EQ(text16(wide->getAttributeValue(u"v")), std::u16string(1, char16_t(0xFFE9)));
    wide->decRef();
    // A UTF-32 code point above 0xFFFF keeps its low 16 bits.
    wide = reader16(withMark(markUtf32BE, utf32(U"<\U00012345/>", true)));
    ASSERT_TRUE(wide->read());
    EXPECT_EQ(text16(wide->getNodeName()), std::u16string(1, char16_t(0x2345)));
    wide->decRef();
    // A unit that becomes zero ends the text.
    EXPECT_EQ(nodes(reader8(withMark(markUtf16LE, utf16(u"<a/>\u0100<b/>")))),
              std::vector<std::string>{"1:a"});
}

TEST(XmlReaderTest, EntitiesAreReplacedInTextAndAttributes) {
    IXmlReader8* reader = reader8("<e a=\"x&amp;y\" b=\"&lt;&gt;&quot;&apos;\" c=\"&bad;z&amp\" "
                                  "d=\"&#65;\" f='q&amp;'>1 &lt; 2 &amp;&amp; 3</e>");
    ASSERT_TRUE(reader->read());
    EXPECT_STREQ(reader->getAttributeValue("a"), "x&y");
    EXPECT_STREQ(reader->getAttributeValue("b"), "<>\"'");
    EXPECT_STREQ(reader->getAttributeValue("c"), "&bad;z&amp");
    EXPECT_STREQ(reader->getAttributeValue("d"), "&#65;");
    EXPECT_STREQ(reader->getAttributeValue("f"), "q&");
    EXPECT_EQ(nodes(reader), (std::vector<std::string>{"3:1 < 2 && 3", "2:e"}));
}

TEST(XmlReaderTest, EmptyElementsWithAndWithoutSpace) {
    IXmlReader8* reader = reader8("<a/><b /><c x='1'/><d></d>");
    const char* names[] = {"a", "b", "c", "d"};
    const bool empty[] = {true, true, true, false};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(reader->read());
        EXPECT_EQ(reader->getNodeType(), XML_NODE_ELEMENT);
        EXPECT_STREQ(reader->getNodeName(), names[i]);
        EXPECT_EQ(reader->isEmptyElement(), empty[i]) << names[i];
    }
    EXPECT_STREQ(reader->getAttributeValue("x"), nullptr);
    ASSERT_TRUE(reader->read());
    EXPECT_EQ(reader->getNodeType(), XML_NODE_ELEMENT_END);
    EXPECT_FALSE(reader->read());
    reader->decRef();
}

TEST(XmlReaderTest, CommentsCDataAndInstructions) {
    EXPECT_EQ(
        nodes(reader8("<?xml version=\"1.0\"?><!-- c --><!--<b>x</b>--><![CDATA[ <x> &amp; ]]>"
                      "<r/>")),
        (std::vector<std::string>{"6:", "4: c ", "4:<b>x</b>", "5: <x> &amp; ", "1:r"}));
    // An unterminated CDATA section is empty and ends the text.
    EXPECT_EQ(nodes(reader8("<a/><![CDATA[ open <b/>")), (std::vector<std::string>{"1:a", "5:"}));
    EXPECT_EQ(nodes(reader8("<![")), (std::vector<std::string>{"5:"}));
}

TEST(XmlReaderTest, WhitespaceOnlyTextOfTwoIsIgnoredAndOfThreeIsKept) {
    EXPECT_EQ(nodes(reader8("<a/>  <b/>")), (std::vector<std::string>{"1:a", "1:b"}));
    EXPECT_EQ(nodes(reader8("<a/>\r\n<b/>")), (std::vector<std::string>{"1:a", "1:b"}));
    EXPECT_EQ(nodes(reader8("<a/>   <b/>")), (std::vector<std::string>{"1:a", "3:   ", "1:b"}));
    EXPECT_EQ(nodes(reader8("<a/>x<b/>")), (std::vector<std::string>{"1:a", "3:x", "1:b"}));
    // Text after the last markup is never delivered.
    EXPECT_EQ(nodes(reader8("<a/>tail")), (std::vector<std::string>{"1:a"}));
}

TEST(XmlReaderTest, ElementAbandonedAtTheEndKeepsWhatWasRead) {
    IXmlReader8* reader = reader8("<r><e x=\"1\" y=\"2");
    ASSERT_TRUE(reader->read());
    ASSERT_TRUE(reader->read());
    EXPECT_EQ(reader->getNodeType(), XML_NODE_ELEMENT);
    EXPECT_STREQ(reader->getNodeName(), "e");
    EXPECT_EQ(reader->getAttributeCount(), 1);
    EXPECT_STREQ(reader->getAttributeName(0), "x");
    EXPECT_FALSE(reader->read());
    reader->decRef();
    for (const char* tail : {"<e x", "<e x=", "<e x=\"", "<e ", "<", "</e", "<!-- x", "<?x"})
        EXPECT_EQ(nodes(reader8(tail)).size(), 1u) << tail;
}

TEST(XmlReaderTest, ElementEndKeepsItsNameAsWritten) {
    EXPECT_EQ(nodes(reader8("<a></a ><b/>")), (std::vector<std::string>{"1:a", "2:a ", "1:b"}));
}

TEST(XmlReaderTest, AttributeAccess) {
    IXmlReader16* reader = reader16(ascii("<e i=\"12.75\" n=\"-3.5\" s=\"text\" e=\"2.5e2\"/>"));
    EXPECT_EQ(reader->getNodeType(), XML_NODE_NONE);
    ASSERT_TRUE(reader->read());
    EXPECT_EQ(reader->getAttributeCount(), 4);
    EXPECT_EQ(text16(reader->getAttributeName(2)), u"s");
    EXPECT_EQ(reader->getAttributeName(4), nullptr);
    EXPECT_EQ(reader->getAttributeName(-1), nullptr);
    EXPECT_EQ(text16(reader->getAttributeValue(1)), u"-3.5");
    EXPECT_EQ(reader->getAttributeValue(4), nullptr);
    EXPECT_EQ(reader->getAttributeValue(static_cast<const char16_t*>(nullptr)), nullptr);
    EXPECT_EQ(reader->getAttributeValue(u"S"), nullptr);
    EXPECT_EQ(text16(reader->getAttributeValueSafe(u"missing")), u"");
    EXPECT_EQ(reader->getAttributeValueAsInt(u"i"), 12);
    EXPECT_EQ(reader->getAttributeValueAsInt(1), -3);
    EXPECT_FLOAT_EQ(reader->getAttributeValueAsFloat(0), 12.75f);
    EXPECT_FLOAT_EQ(reader->getAttributeValueAsFloat(u"e"), 250.f);
    EXPECT_EQ(reader->getAttributeValueAsInt(u"missing"), 0);
    EXPECT_EQ(reader->getAttributeValueAsFloat(9), 0.f);
    EXPECT_EQ(reader->getAttributeValueAsInt(u"s"), 0);
    EXPECT_EQ(text16(reader->getNodeData()), u"e");
    reader->decRef();
}

TEST(XmlReaderTest, EmptyOrMarkupFreeTextReadsNothing) {
    for (const Bytes& bytes : {Bytes{}, ascii("plain text"), markUtf16LE, markUtf8}) {
        IXmlReader16* reader = reader16(bytes);
        EXPECT_FALSE(reader->read());
        EXPECT_EQ(reader->getNodeType(), XML_NODE_NONE);
        EXPECT_EQ(text16(reader->getNodeName()), u"");
        reader->decRef();
    }
    EXPECT_EQ(createXmlReader8(nullptr), nullptr);
    EXPECT_EQ(createXmlReader16(nullptr), nullptr);
}
