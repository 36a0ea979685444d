// Attribute sets read from arbitrary XML, then every value converted and written again.
#include "FuzzInput.h"

#include "core/IOutputFile.h"
#include "xml/AttributeSet.h"
#include "xml/XmlReader.h"
#include "xml/XmlWriter.h"

using namespace nox::audio;

namespace {

//! Counts what is written and keeps nothing.
class CountingOutputFile : public IOutputFile {
public:
    s32 write(const void*, u32 sizeToWrite) override {
        written_ += sizeToWrite;
        return static_cast<s32>(sizeToWrite);
    }
    bool seek(s32, bool) override { return false; }
    s32 getPos() override { return static_cast<s32>(written_); }
    const char* getFileName() override { return "counted"; }

private:
    u64 written_ = 0;
};

void readEveryKind(IAttributeSet* attributes, s32 index) {
    static const char* const literals[] = {"a", "b", nullptr};
    u8 binary[16];
    attributes->getInt(index);
    attributes->getFloat(index);
    attributes->getString(index);
    attributes->getBool(index);
    attributes->getEnumIndex(index, literals);
    attributes->getColor(index);
    attributes->getColorf(index);
    attributes->getVector3d(index);
    attributes->getBinary(index, binary, sizeof binary);
    attributes->getTexture(index);
    attributes->getUserPointer(index);
    attributes->getAttributeTypeString(index);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IInputFile* file = dravon_fuzz::inputFile(data, size);
    IXmlReader16* reader = createXmlReader16(file);
    file->decRef();
    IAttributeSet* attributes = createAttributeSet(nullptr);
    attributes->read(reader, false);
    reader->decRef();
    for (s32 i = 0; i < attributes->getAttributeCount(); ++i)
        readEveryKind(attributes, i);
    CountingOutputFile* output = new CountingOutputFile();
    IXmlWriter* writer = createXmlWriter(output);
    attributes->write(writer);
    writer->decRef();
    output->decRef();
    attributes->decRef();
    return 0;
}
