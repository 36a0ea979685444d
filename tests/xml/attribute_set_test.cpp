// Attribute sets: the eleven kinds, their conversions, and the way through XML and back.
#include "XmlTestFiles.h"

#include "xml/AttributeSet.h"
#include "xml/XmlReader.h"
#include "xml/XmlWriter.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace nox::audio;
using namespace dravon_test;

namespace {

class Texture : public INamedObject {
public:
    const char* getName() override { return "stone.png"; }
};

//! What `attributes` writes, after the XML header when `header`.
Bytes written(IAttributeSet* attributes, bool header = false) {
    MemoryOutputFile* file = new MemoryOutputFile();
    IXmlWriter* writer = createXmlWriter(file);
    if (header)
        writer->writeXmlHeader();
    EXPECT_TRUE(attributes->write(writer));
    writer->decRef();
    Bytes bytes = file->bytes;
    file->decRef();
    return bytes;
}

//! A 16-bit reader over `bytes`, already moved `steps` nodes forward.
IXmlReader16* readerOver(const Bytes& bytes, int steps = 0) {
    IInputFile* file = memoryFile(bytes, "attributes.xml");
    IXmlReader16* reader = createXmlReader16(file);
    file->decRef();
    for (int i = 0; i < steps; ++i)
        reader->read();
    return reader;
}

//! `text` as UTF-16 with its byte-order mark.
Bytes marked(const std::u16string& text) {
    return withMark({0xFF, 0xFE}, utf16(text));
}

//! The attribute set read from the XML text `text`.
IAttributeSet* readFrom(const std::u16string& text) {
    IAttributeSet* attributes = createAttributeSet(nullptr);
    IXmlReader16* reader = readerOver(marked(text));
    EXPECT_TRUE(attributes->read(reader, false));
    reader->decRef();
    return attributes;
}

class AttributeSetTest : public ::testing::Test {
protected:
    void SetUp() override { set_ = createAttributeSet(&context_); }
    void TearDown() override { set_->decRef(); }
    int context_ = 0;
    IAttributeSet* set_ = nullptr;
};

const char* const levels[] = {"low", "mid", "high", nullptr};

} // namespace

TEST_F(AttributeSetTest, FloatOfOneHalfIsWrittenWithSixDigits) {
    set_->addFloat("volume", 0.5f);
    EXPECT_EQ(written(set_), utf16(u"<attributes>\n"
                                   u"\t<float name=\"volume\" value=\"0.500000\" />\n"
                                   u"</attributes>\n"));
}

TEST_F(AttributeSetTest, EveryKindIsWrittenAndReadBackButBinary) {
    Texture* texture = new Texture();
    int user = 0;
    set_->addInt("int", -42);
    set_->addFloat("float", 1.25f);
    set_->addString("string", "hello world");
    set_->addBool("bool", true);
    set_->addEnum("enum", "mid", levels);
    set_->addColor("color", 0x80FF4020);
    set_->addColorf("colorf", ColorF{0.5f, -0.25f, 1.f, 0.75f});
    set_->addVector3d("vector", Vector3(1.5f, -2.f, 3.25f));
    const std::uint8_t bytes[] = {0x00, 0xAB, 0xFF};
    set_->addBinary("binary", bytes, 3);
    set_->addTexture("texture", texture);
    set_->addUserPointer("user", &user);
    texture->decRef();
    ASSERT_EQ(set_->getAttributeCount(), 11);
    for (s32 i = 0; i < 11; ++i)
        EXPECT_EQ(set_->getAttributeType(i), i);
    EXPECT_STREQ(set_->getString("binary").c_str(), "00abff");
    EXPECT_STREQ(set_->getString("texture").c_str(), "stone.png");

    // The header's instruction, then the element "attributes".
    IXmlReader16* reader = readerOver(written(set_, true), 2);
    IAttributeSet* copy = createAttributeSet(nullptr);
    EXPECT_TRUE(copy->read(reader, true));
    reader->decRef();
    ASSERT_EQ(copy->getAttributeCount(), 10);
    EXPECT_EQ(copy->getAttributeType("binary"), ATTRIBUTE_NONE);
    for (s32 i = 0; i < 10; ++i) {
        const char* name = copy->getAttributeName(i);
        EXPECT_EQ(copy->getAttributeType(i), set_->getAttributeType(name)) << name;
        if (copy->getAttributeType(i) != ATTRIBUTE_TEXTURE) {
            EXPECT_STREQ(copy->getString(i).c_str(), set_->getString(name).c_str()) << name;
        }
    }
    EXPECT_EQ(copy->getInt("int"), -42);
    EXPECT_FLOAT_EQ(copy->getFloat("float"), 1.25f);
    EXPECT_TRUE(copy->getBool("bool"));
    EXPECT_EQ(copy->getEnumIndex("enum", levels), 1);
    EXPECT_EQ(copy->getColor("color"), 0x80FF4020u);
    EXPECT_FLOAT_EQ(copy->getColorf("colorf").green, -0.25f);
    EXPECT_FLOAT_EQ(copy->getColorf("colorf").alpha, 0.75f);
    EXPECT_FLOAT_EQ(copy->getVector3d("vector").y, -2.f);
    EXPECT_EQ(copy->getUserPointer("user"), &user);
    // A texture has no text form to read back: the attribute comes back empty.
    EXPECT_EQ(copy->getTexture("texture"), nullptr);
    copy->decRef();
}

TEST_F(AttributeSetTest, VectorsAndColoursWithMissingComponentsAndNegativeSigns) {
    IAttributeSet* read = readFrom(u"<attributes><vector3d name=\"v\" value=\"-1.5, 2\"/>"
                                   u"<colorf name=\"c\" value=\"x -0.5 ; 7\"/>"
                                   u"<vector3d name=\"none\" value=\"no numbers\"/></attributes>");
    Vector3 v = read->getVector3d("v");
    EXPECT_FLOAT_EQ(v.x, -1.5f);
    EXPECT_FLOAT_EQ(v.y, 2.f);
    EXPECT_FLOAT_EQ(v.z, 0.f);
    ColorF c = read->getColorf("c");
    EXPECT_FLOAT_EQ(c.red, -0.5f);
    EXPECT_FLOAT_EQ(c.green, 7.f);
    EXPECT_FLOAT_EQ(c.blue, 0.f);
    EXPECT_FLOAT_EQ(c.alpha, 0.f);
    EXPECT_FLOAT_EQ(read->getVector3d("none").x, 0.f);
    read->decRef();
}

TEST_F(AttributeSetTest, BoolIsTrueOnlyForLowerCaseTrue) {
    IAttributeSet* read = readFrom(u"<attributes><bool name=\"a\" value=\"True\"/>"
                                   u"<bool name=\"b\" value=\"true\"/>"
                                   u"<bool name=\"c\" value=\"true \"/></attributes>");
    EXPECT_FALSE(read->getBool("a"));
    EXPECT_TRUE(read->getBool("b"));
    EXPECT_FALSE(read->getBool("c"));
    read->decRef();
}

TEST_F(AttributeSetTest, ReadingStopsAtTheEndOfAttributesAndSkipsUnknownElements) {
    IXmlReader16* reader =
        readerOver(marked(u"<doc><attributes><int name=\"a\" value=\"1\"/><other name=\"o\"/>"
                          u"<binary name=\"b\" value=\"ff\"/></attributes><int name=\"after\"/>"));
    // With the flag the reader must stand on "attributes".
    EXPECT_FALSE(set_->read(reader, true));
    reader->read();
    EXPECT_FALSE(set_->read(reader, true));
    reader->read();
    set_->addInt("old", 1);
    EXPECT_TRUE(set_->read(reader, true));
    EXPECT_EQ(set_->getAttributeCount(), 1);
    EXPECT_EQ(set_->getInt("a"), 1);
    EXPECT_EQ(set_->findAttribute("old"), -1);
    EXPECT_EQ(set_->findAttribute("after"), -1);
    reader->decRef();
    EXPECT_FALSE(set_->read(nullptr, false));
    EXPECT_FALSE(set_->write(nullptr));
}

TEST_F(AttributeSetTest, MissingAttributesGiveEmptyValues) {
    set_->addInt("x", 3);
    EXPECT_EQ(set_->getAttributeType("missing"), ATTRIBUTE_NONE);
    EXPECT_EQ(set_->getAttributeType(1), ATTRIBUTE_NONE);
    EXPECT_EQ(set_->getAttributeType(static_cast<const char*>(nullptr)), ATTRIBUTE_NONE);
    EXPECT_EQ(set_->getAttributeName(-1), nullptr);
    EXPECT_EQ(set_->getAttributeTypeString(1), nullptr);
    EXPECT_EQ(std::u16string(set_->getAttributeTypeString(0)), u"int");
    EXPECT_EQ(set_->getInt("missing"), 0);
    EXPECT_EQ(set_->getFloat(5), 0.f);
    EXPECT_TRUE(set_->getString("missing").empty());
    EXPECT_EQ(set_->getColor("missing"), 0u);
    EXPECT_EQ(set_->getColorf(7).red, 0.f);
    EXPECT_EQ(set_->getVector3d("missing").z, 0.f);
    EXPECT_EQ(set_->getTexture("missing"), nullptr);
    EXPECT_EQ(set_->getUserPointer(-2), nullptr);
    // Kinds that do not convert give empty values too.
    EXPECT_EQ(set_->getVector3d("x").x, 0.f);
    EXPECT_FALSE(set_->getBool("x"));
    EXPECT_EQ(set_->getContext(), &context_);
}

TEST_F(AttributeSetTest, ConversionsBetweenKinds) {
    set_->addInt("i", 7);
    set_->addFloat("f", -2.75f);
    set_->addColor("c", 0xFF0080FF);
    set_->addString("s", "true");
    EXPECT_FLOAT_EQ(set_->getFloat("i"), 7.f);
    EXPECT_EQ(set_->getInt("f"), -2);
    ColorF c = set_->getColorf("c");
    EXPECT_FLOAT_EQ(c.alpha, 1.f);
    EXPECT_FLOAT_EQ(c.red, 0.f);
    EXPECT_FLOAT_EQ(c.green, 128.f / 255.f);
    EXPECT_FLOAT_EQ(c.blue, 1.f);
    EXPECT_TRUE(set_->getBool("s"));
    // Setting converts to the kind of the first attribute of that name.
    set_->setFloat("s", 0.5f);
    EXPECT_STREQ(set_->getString("s").c_str(), "0.500000");
    EXPECT_EQ(set_->getAttributeType("s"), ATTRIBUTE_STRING);
    set_->setFloat("i", 9.99f);
    EXPECT_EQ(set_->getInt("i"), 9);
    set_->setString("i", "-12abc");
    EXPECT_EQ(set_->getInt("i"), -12);
    set_->setInt("new", 5);
    EXPECT_EQ(set_->getAttributeType("new"), ATTRIBUTE_INT);
    EXPECT_EQ(set_->getAttributeCount(), 5);
}

TEST_F(AttributeSetTest, BinaryIsDecodedIntoAZeroedBufferOfTheCallersSize) {
    set_->addString("hex", "0aFf7");
    std::uint8_t out[4];
    std::memset(out, 0xEE, sizeof out);
    set_->getBinary("hex", out, 4);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0xFF);
    EXPECT_EQ(out[2], 0x00);
    EXPECT_EQ(out[3], 0x00);
    std::memset(out, 0xEE, sizeof out);
    set_->getBinary(0, out, 1);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0xEE);
    set_->getBinary("missing", out, 4);
    EXPECT_EQ(out[3], 0x00);
}

TEST_F(AttributeSetTest, AddingAppendsAndSettingChangesTheFirst) {
    set_->addInt("n", 1);
    set_->addInt("n", 2);
    set_->setInt("n", 3);
    ASSERT_EQ(set_->getAttributeCount(), 2);
    EXPECT_EQ(set_->getInt(0), 3);
    EXPECT_EQ(set_->getInt(1), 2);
    EXPECT_EQ(set_->getInt("n"), 3);
    EXPECT_EQ(set_->findAttribute("N"), -1);
    set_->clear();
    EXPECT_EQ(set_->getAttributeCount(), 0);
}

TEST_F(AttributeSetTest, EnumerationIndexLookups) {
    const char* const empty[] = {nullptr};
    const char* const others[] = {"a", "b", nullptr};
    set_->addEnum("level", "high", levels);
    set_->addString("text", "mid");
    EXPECT_STREQ(set_->getEnum("level").c_str(), "high");
    EXPECT_STREQ(set_->getEnum(0).c_str(), "high");
    EXPECT_EQ(set_->getEnumIndex("level", levels), 2);
    EXPECT_EQ(set_->getEnumIndex(0, levels), 2);
    EXPECT_EQ(set_->getEnumIndex("text", levels), 1);
    EXPECT_EQ(set_->getEnumIndex("missing", levels), -1);
    EXPECT_EQ(set_->getEnumIndex(5, levels), -1);
    EXPECT_EQ(set_->getEnumIndex("level", nullptr), -1);
    EXPECT_EQ(set_->getEnumIndex("level", empty), -1);
    EXPECT_EQ(set_->getEnumIndex("level", others), -1);
    DynArray<CharString> literals;
    literals.push_back(CharString("stale"));
    set_->getEnumLiterals("level", literals);
    ASSERT_EQ(literals.size(), 3);
    EXPECT_STREQ(literals[2].c_str(), "high");
    set_->getEnumLiterals("text", literals);
    EXPECT_EQ(literals.size(), 0);
    set_->setEnum("level", "low", others);
    EXPECT_EQ(set_->getEnumIndex("level", levels), 0);
    set_->getEnumLiterals("level", literals);
    EXPECT_EQ(literals.size(), 2);
}

TEST_F(AttributeSetTest, TexturesAreReferencedWhileHeld) {
    Texture* texture = new Texture();
    set_->addTexture("t", texture);
    EXPECT_EQ(texture->getReferenceCount(), 2);
    EXPECT_EQ(set_->getTexture(0), texture);
    set_->setTexture("t", nullptr);
    EXPECT_EQ(texture->getReferenceCount(), 1);
    set_->setTexture("t", texture);
    set_->clear();
    EXPECT_EQ(texture->getReferenceCount(), 1);
    texture->decRef();
}
