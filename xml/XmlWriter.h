// The XML writer: 16-bit little-endian text into an output file.
#ifndef DRAVON_XML_XML_WRITER_H
#define DRAVON_XML_XML_WRITER_H

#include "IXmlWriter.h"
#include "core/IOutputFile.h"

namespace nox {
namespace audio {

//! Writes into an output file that it references (null: every operation does nothing).
class XmlWriter : public IXmlWriter {
public:
    explicit XmlWriter(IOutputFile* file);
    ~XmlWriter() override;

    void writeXmlHeader() override;
    void writeElement(const char16_t* name, bool empty, const char16_t* attribute1Name,
                      const char16_t* attribute1Value, const char16_t* attribute2Name,
                      const char16_t* attribute2Value, const char16_t* attribute3Name,
                      const char16_t* attribute3Value, const char16_t* attribute4Name,
                      const char16_t* attribute4Value, const char16_t* attribute5Name,
                      const char16_t* attribute5Value) override;
    void writeComment(const char16_t* text) override;
    void writeClosingTag(const char16_t* name) override;
    void writeText(const char16_t* text) override;
    void writeLineBreak() override;

private:
    //! Writes `count` units (all up to the terminator when negative) as little-endian bytes.
    void write(const char16_t* text, s32 count = -1);
    void writeTabs();
    void writeAttribute(const char16_t* name, const char16_t* value);

    IOutputFile* file_;
    s32 tabDepth_ = 0;
    bool textWrittenLast_ = false;
};

//! A new writer over `file` (which may be null); the caller owns the writer.
IXmlWriter* createXmlWriter(IOutputFile* file);

} // namespace audio
} // namespace nox

#endif
