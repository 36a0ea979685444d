#include "XmlWriter.h"

namespace nox {
namespace audio {

XmlWriter::XmlWriter(IOutputFile* file) : file_(file) {
    if (file_)
        file_->incRef();
}

XmlWriter::~XmlWriter() {
    if (file_)
        file_->decRef();
}

void XmlWriter::writeXmlHeader() {
    if (!file_)
        return;
    static const char16_t byteOrderMark = 0xFEFF;
    write(&byteOrderMark, 1);
    write(u"<?xml version=\"1.0\"?>");
    writeLineBreak();
    textWrittenLast_ = false;
}

void XmlWriter::writeElement(const char16_t* name, bool empty, const char16_t* attribute1Name,
                             const char16_t* attribute1Value, const char16_t* attribute2Name,
                             const char16_t* attribute2Value, const char16_t* attribute3Name,
                             const char16_t* attribute3Value, const char16_t* attribute4Name,
                             const char16_t* attribute4Value, const char16_t* attribute5Name,
                             const char16_t* attribute5Value) {
    if (!file_ || !name)
        return;
    writeTabs();
    write(u"<");
    write(name);
    writeAttribute(attribute1Name, attribute1Value);
    writeAttribute(attribute2Name, attribute2Value);
    writeAttribute(attribute3Name, attribute3Value);
    writeAttribute(attribute4Name, attribute4Value);
    writeAttribute(attribute5Name, attribute5Value);
    if (empty) {
        write(u" />");
    } else {
        write(u">");
        ++tabDepth_;
    }
    textWrittenLast_ = false;
}

void XmlWriter::writeComment(const char16_t* text) {
    if (!file_ || !text)
        return;
    write(u"<!--");
    write(text);
    write(u"-->");
    textWrittenLast_ = false;
}

void XmlWriter::writeClosingTag(const char16_t* name) {
    if (!file_ || !name)
        return;
    --tabDepth_;
    if (tabDepth_ > 0 && !textWrittenLast_)
        writeTabs();
    write(u"</");
    write(name);
    write(u">");
    textWrittenLast_ = false;
}

void XmlWriter::writeText(const char16_t* text) {
    if (!file_ || !text)
        return;
    const char16_t* run = text;
    for (; *text; ++text) {
        const char16_t* entity = *text == '&'   ? u"&amp;"
                                 : *text == '<' ? u"&lt;"
                                 : *text == '>' ? u"&gt;"
                                 : *text == '"' ? u"&quot;"
                                                : nullptr;
        if (!entity)
            continue;
        write(run, static_cast<s32>(text - run));
        write(entity);
        run = text + 1;
    }
    write(run);
    textWrittenLast_ = true;
}

void XmlWriter::writeLineBreak() {
    if (file_)
        write(u"\n");
}

void XmlWriter::write(const char16_t* text, s32 count) {
    u8 bytes[256];
    s32 filled = 0;
    for (s32 i = 0; count < 0 ? text[i] != 0 : i < count; ++i) {
        bytes[filled++] = static_cast<u8>(text[i] & 0xFF);
        bytes[filled++] = static_cast<u8>(text[i] >> 8);
        if (filled == sizeof bytes) {
            file_->write(bytes, filled);
            filled = 0;
        }
    }
    if (filled > 0)
        file_->write(bytes, static_cast<u32>(filled));
}

void XmlWriter::writeTabs() {
    for (s32 i = 0; i < tabDepth_; ++i)
        write(u"\t");
}

void XmlWriter::writeAttribute(const char16_t* name, const char16_t* value) {
    if (!name || !value)
        return;
    write(u" ");
    write(name);
    write(u"=\"");
    write(value);
    write(u"\"");
}

IXmlWriter* createXmlWriter(IOutputFile* file) {
    return new XmlWriter(file);
}

} // namespace audio
} // namespace nox
