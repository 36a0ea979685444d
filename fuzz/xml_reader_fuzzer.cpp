// Both XML readers over arbitrary text, every node and every attribute queried.
#include "FuzzInput.h"

#include "xml/XmlReader.h"

using namespace nox::audio;

namespace {

template <typename C> void readAll(IXmlReader<C>* reader) {
    static const C name[] = {'n', 'a', 'm', 'e', 0};
    while (reader->read()) {
        reader->getNodeType();
        reader->getNodeName();
        reader->isEmptyElement();
        s32 count = reader->getAttributeCount();
        for (s32 i = -1; i <= count; ++i) {
            reader->getAttributeValueAsInt(i);
            reader->getAttributeValueAsFloat(i);
            if (const C* attribute = reader->getAttributeName(i))
                reader->getAttributeValueSafe(attribute);
            reader->getAttributeValue(i);
        }
        reader->getAttributeValueAsFloat(name);
    }
    reader->decRef();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IInputFile* file = dravon_fuzz::inputFile(data, size);
    readAll(createXmlReader8(file));
    file->seek(0, false);
    readAll(createXmlReader16(file));
    file->decRef();
    return 0;
}
