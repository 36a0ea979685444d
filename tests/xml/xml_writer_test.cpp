// The XML writer's output, byte for byte.
#include "XmlTestFiles.h"

#include "xml/XmlWriter.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using namespace dravon_test;

namespace {

class XmlWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = new MemoryOutputFile();
        writer_ = createXmlWriter(file_);
    }
    void TearDown() override {
        writer_->decRef();
        file_->decRef();
    }
    MemoryOutputFile* file_ = nullptr;
    IXmlWriter* writer_ = nullptr;
};

} // namespace

TEST_F(XmlWriterTest, HeaderIsTheMarkTheDeclarationAndALineBreak) {
    writer_->writeXmlHeader();
    EXPECT_EQ(file_->bytes, withMark({0xFF, 0xFE}, utf16(u"<?xml version=\"1.0\"?>\n")));
}

TEST_F(XmlWriterTest, NestedElementsAreIndentedByTabs) {
    writer_->writeElement(u"root", false, u"a", u"1", u"skipped", nullptr, nullptr, u"x", u"b",
                          u"<&>", u"c", u"3");
    writer_->writeLineBreak();
    writer_->writeElement(u"child", false);
    writer_->writeLineBreak();
    writer_->writeElement(u"leaf", true, u"k", u"v");
    writer_->writeLineBreak();
    writer_->writeClosingTag(u"child");
    writer_->writeLineBreak();
    writer_->writeComment(u" note ");
    writer_->writeClosingTag(u"root");
    EXPECT_EQ(file_->bytes, utf16(u"<root a=\"1\" b=\"<&>\" c=\"3\">\n"
                                  u"\t<child>\n"
                                  u"\t\t<leaf k=\"v\" />\n"
                                  u"\t</child>\n"
                                  u"<!-- note --></root>"));
}

TEST_F(XmlWriterTest, ClosingTagFollowsTextWithoutTabs) {
    writer_->writeElement(u"a", false);
    writer_->writeElement(u"b", false);
    writer_->writeText(u"x & y < z > \"q\" 'p'");
    writer_->writeClosingTag(u"b");
    writer_->writeClosingTag(u"a");
    EXPECT_EQ(file_->bytes, utf16(u"<a>\t<b>x &amp; y &lt; z &gt; &quot;q&quot; 'p'</b></a>"));
}

TEST_F(XmlWriterTest, NullArgumentsWriteNothing) {
    writer_->writeElement(nullptr, false, u"a", u"b");
    writer_->writeComment(nullptr);
    writer_->writeClosingTag(nullptr);
    writer_->writeText(nullptr);
    EXPECT_TRUE(file_->bytes.empty());
    // The null element did not change the depth either.
    writer_->writeElement(u"e", true);
    EXPECT_EQ(file_->bytes, utf16(u"<e />"));
}

TEST(XmlWriterWithoutFileTest, EveryOperationDoesNothing) {
    IXmlWriter* writer = createXmlWriter(nullptr);
    writer->writeXmlHeader();
    writer->writeElement(u"a", false);
    writer->writeText(u"t");
    writer->writeComment(u"c");
    writer->writeClosingTag(u"a");
    writer->writeLineBreak();
    writer->decRef();
}

TEST(XmlWriterLongTextTest, TextLongerThanTheBufferIsWrittenWhole) {
    MemoryOutputFile* file = new MemoryOutputFile();
    IXmlWriter* writer = createXmlWriter(file);
    std::u16string text(1000, u'\u0141');
    writer->writeText(text.c_str());
    writer->decRef();
    EXPECT_EQ(file->bytes, utf16(text));
    file->decRef();
}
