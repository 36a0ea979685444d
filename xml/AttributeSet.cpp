#include "AttributeSet.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {

const char16_t attributesElement[] = u"attributes";

String<char16_t> wide(const CharString& text) {
    String<char16_t> result;
    result.assignConverted(text.c_str());
    return result;
}

CharString narrow(const char16_t* text) {
    CharString result;
    result.assignConverted(text);
    return result;
}

} // namespace

template <typename Value, typename Key>
Value AttributeSet::valueOf(Key key, Value (Attribute::*getter)() const, Value empty) {
    Attribute* attribute = lookup(key);
    return attribute ? (attribute->*getter)() : empty;
}

const char* AttributeSet::getAttributeName(s32 index) {
    Attribute* attribute = at(index);
    return attribute ? attribute->getName().c_str() : nullptr;
}

s32 AttributeSet::getAttributeType(const char* name) {
    return valueOf(name, &Attribute::getType, ATTRIBUTE_NONE);
}

s32 AttributeSet::getAttributeType(s32 index) {
    return valueOf(index, &Attribute::getType, ATTRIBUTE_NONE);
}

const char16_t* AttributeSet::getAttributeTypeString(s32 index) {
    Attribute* attribute = at(index);
    return attribute ? attribute->getTypeString() : nullptr;
}

s32 AttributeSet::findAttribute(const char* name) {
    if (!name)
        return -1;
    for (s32 i = 0; i < attributes_.size(); ++i)
        if (attributes_[i]->getName() == name)
            return i;
    return -1;
}

void AttributeSet::clear() {
    for (Attribute* attribute : attributes_)
        delete attribute;
    attributes_.clear();
}

bool AttributeSet::read(IXmlReader16* reader, bool readCurrentElementOnly) {
    if (!reader)
        return false;
    clear();
    if (readCurrentElementOnly && String<char16_t>(reader->getNodeName()) != attributesElement)
        return false;
    while (reader->read()) {
        s32 type = reader->getNodeType();
        if (type == XML_NODE_ELEMENT_END &&
            String<char16_t>(reader->getNodeName()) == attributesElement)
            break;
        if (type != XML_NODE_ELEMENT)
            continue;
        E_ATTRIBUTE_TYPE kind = readableAttributeType(reader->getNodeName());
        if (kind == ATTRIBUTE_NONE)
            continue;
        CharString name = narrow(reader->getAttributeValueSafe(u"name"));
        append(kind, name.c_str())
            ->setString(narrow(reader->getAttributeValueSafe(u"value")).c_str());
    }
    return true;
}

bool AttributeSet::write(IXmlWriter* writer) {
    if (!writer)
        return false;
    writer->writeElement(attributesElement, false);
    writer->writeLineBreak();
    for (Attribute* attribute : attributes_) {
        String<char16_t> name = wide(attribute->getName());
        String<char16_t> value = wide(attribute->getString());
        writer->writeElement(attribute->getTypeString(), true, u"name", name.c_str(), u"value",
                             value.c_str());
        writer->writeLineBreak();
    }
    writer->writeClosingTag(attributesElement);
    writer->writeLineBreak();
    return true;
}

void AttributeSet::addInt(const char* name, s32 value) {
    append(ATTRIBUTE_INT, name)->setInt(value);
}
void AttributeSet::setInt(const char* name, s32 value) {
    findOrAppend(ATTRIBUTE_INT, name)->setInt(value);
}
s32 AttributeSet::getInt(const char* name) {
    return valueOf(name, &Attribute::getInt, 0);
}
s32 AttributeSet::getInt(s32 index) {
    return valueOf(index, &Attribute::getInt, 0);
}

void AttributeSet::addFloat(const char* name, f32 value) {
    append(ATTRIBUTE_FLOAT, name)->setFloat(value);
}
void AttributeSet::setFloat(const char* name, f32 value) {
    findOrAppend(ATTRIBUTE_FLOAT, name)->setFloat(value);
}
f32 AttributeSet::getFloat(const char* name) {
    return valueOf(name, &Attribute::getFloat, 0.f);
}
f32 AttributeSet::getFloat(s32 index) {
    return valueOf(index, &Attribute::getFloat, 0.f);
}

void AttributeSet::addString(const char* name, const char* value) {
    append(ATTRIBUTE_STRING, name)->setString(value);
}
void AttributeSet::setString(const char* name, const char* value) {
    findOrAppend(ATTRIBUTE_STRING, name)->setString(value);
}
CharString AttributeSet::getString(const char* name) {
    return valueOf(name, &Attribute::getString, CharString());
}
CharString AttributeSet::getString(s32 index) {
    return valueOf(index, &Attribute::getString, CharString());
}

void AttributeSet::addBool(const char* name, bool value) {
    append(ATTRIBUTE_BOOL, name)->setBool(value);
}
void AttributeSet::setBool(const char* name, bool value) {
    findOrAppend(ATTRIBUTE_BOOL, name)->setBool(value);
}
bool AttributeSet::getBool(const char* name) {
    return valueOf(name, &Attribute::getBool, false);
}
bool AttributeSet::getBool(s32 index) {
    return valueOf(index, &Attribute::getBool, false);
}

void AttributeSet::addEnum(const char* name, const char* value, const char* const* literals) {
    append(ATTRIBUTE_ENUM, name)->setEnum(value, literals);
}
void AttributeSet::setEnum(const char* name, const char* value, const char* const* literals) {
    findOrAppend(ATTRIBUTE_ENUM, name)->setEnum(value, literals);
}
CharString AttributeSet::getEnum(const char* name) {
    return getString(name);
}
CharString AttributeSet::getEnum(s32 index) {
    return getString(index);
}
s32 AttributeSet::getEnumIndex(const char* name, const char* const* literals) {
    return enumIndex(find(name), literals);
}
s32 AttributeSet::getEnumIndex(s32 index, const char* const* literals) {
    return enumIndex(at(index), literals);
}
void AttributeSet::getEnumLiterals(const char* name, DynArray<CharString>& literals) {
    literals.clear();
    Attribute* attribute = find(name);
    if (const DynArray<CharString>* stored = attribute ? attribute->getEnumLiterals() : nullptr)
        literals = *stored;
}

void AttributeSet::addColor(const char* name, u32 value) {
    append(ATTRIBUTE_COLOR, name)->setColor(value);
}
void AttributeSet::setColor(const char* name, u32 value) {
    findOrAppend(ATTRIBUTE_COLOR, name)->setColor(value);
}
u32 AttributeSet::getColor(const char* name) {
    return valueOf(name, &Attribute::getColor, 0u);
}
u32 AttributeSet::getColor(s32 index) {
    return valueOf(index, &Attribute::getColor, 0u);
}

void AttributeSet::addColorf(const char* name, const ColorF& value) {
    append(ATTRIBUTE_COLORF, name)->setColorf(value);
}
void AttributeSet::setColorf(const char* name, const ColorF& value) {
    findOrAppend(ATTRIBUTE_COLORF, name)->setColorf(value);
}
ColorF AttributeSet::getColorf(const char* name) {
    return valueOf(name, &Attribute::getColorf, ColorF());
}
ColorF AttributeSet::getColorf(s32 index) {
    return valueOf(index, &Attribute::getColorf, ColorF());
}

void AttributeSet::addVector3d(const char* name, const Vector3& value) {
    append(ATTRIBUTE_VECTOR3D, name)->setVector(value);
}
void AttributeSet::setVector3d(const char* name, const Vector3& value) {
    findOrAppend(ATTRIBUTE_VECTOR3D, name)->setVector(value);
}
Vector3 AttributeSet::getVector3d(const char* name) {
    return valueOf(name, &Attribute::getVector, Vector3());
}
Vector3 AttributeSet::getVector3d(s32 index) {
    return valueOf(index, &Attribute::getVector, Vector3());
}

void AttributeSet::addBinary(const char* name, const void* data, s32 size) {
    append(ATTRIBUTE_BINARY, name)->setBinary(data, size);
}
void AttributeSet::setBinary(const char* name, const void* data, s32 size) {
    findOrAppend(ATTRIBUTE_BINARY, name)->setBinary(data, size);
}
void AttributeSet::getBinary(const char* name, void* out, s32 size) {
    binaryOf(find(name), out, size);
}
void AttributeSet::getBinary(s32 index, void* out, s32 size) {
    binaryOf(at(index), out, size);
}

void AttributeSet::addTexture(const char* name, INamedObject* texture) {
    append(ATTRIBUTE_TEXTURE, name)->setTexture(texture);
}
void AttributeSet::setTexture(const char* name, INamedObject* texture) {
    findOrAppend(ATTRIBUTE_TEXTURE, name)->setTexture(texture);
}
INamedObject* AttributeSet::getTexture(const char* name) {
    Attribute* attribute = find(name);
    return attribute ? attribute->getTexture() : nullptr;
}
INamedObject* AttributeSet::getTexture(s32 index) {
    Attribute* attribute = at(index);
    return attribute ? attribute->getTexture() : nullptr;
}

void AttributeSet::addUserPointer(const char* name, void* value) {
    append(ATTRIBUTE_USER_POINTER, name)->setUserPointer(value);
}
void AttributeSet::setUserPointer(const char* name, void* value) {
    findOrAppend(ATTRIBUTE_USER_POINTER, name)->setUserPointer(value);
}
void* AttributeSet::getUserPointer(const char* name) {
    Attribute* attribute = find(name);
    return attribute ? attribute->getUserPointer() : nullptr;
}
void* AttributeSet::getUserPointer(s32 index) {
    Attribute* attribute = at(index);
    return attribute ? attribute->getUserPointer() : nullptr;
}

Attribute* AttributeSet::find(const char* name) {
    return at(findAttribute(name));
}

Attribute* AttributeSet::at(s32 index) {
    return index >= 0 && index < attributes_.size() ? attributes_[index] : nullptr;
}

Attribute* AttributeSet::append(E_ATTRIBUTE_TYPE type, const char* name) {
    Attribute* attribute = createAttribute(type, name);
    attributes_.push_back(attribute);
    return attribute;
}

Attribute* AttributeSet::findOrAppend(E_ATTRIBUTE_TYPE type, const char* name) {
    Attribute* attribute = find(name);
    return attribute ? attribute : append(type, name);
}

void AttributeSet::binaryOf(Attribute* attribute, void* out, s32 size) {
    if (attribute)
        attribute->getBinary(out, size);
    else if (out && size > 0)
        std::memset(out, 0, static_cast<std::size_t>(size));
}

s32 AttributeSet::enumIndex(Attribute* attribute, const char* const* literals) {
    if (!attribute || !literals)
        return -1;
    CharString value = attribute->getString();
    for (s32 i = 0; literals[i]; ++i)
        if (value == literals[i])
            return i;
    return -1;
}

IAttributeSet* createAttributeSet(void* context) {
    return new AttributeSet(context);
}

} // namespace audio
} // namespace nox
