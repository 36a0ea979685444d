// The attribute container that IFileManager::createAttributeSet() makes.
#ifndef DRAVON_XML_ATTRIBUTE_SET_H
#define DRAVON_XML_ATTRIBUTE_SET_H

#include "Attribute.h"
#include "IAttributeSet.h"

namespace nox {
namespace audio {

//! Owns its attributes; the search by name is linear from the first attribute.
class AttributeSet : public IAttributeSet {
public:
    explicit AttributeSet(void* context) : context_(context) {}
    ~AttributeSet() override { clear(); }

    s32 getAttributeCount() override { return attributes_.size(); }
    const char* getAttributeName(s32 index) override;
    s32 getAttributeType(const char* name) override;
    s32 getAttributeType(s32 index) override;
    const char16_t* getAttributeTypeString(s32 index) override;
    s32 findAttribute(const char* name) override;
    void clear() override;
    void* getContext() override { return context_; }
    bool read(IXmlReader16* reader, bool readCurrentElementOnly) override;
    bool write(IXmlWriter* writer) override;

    void addInt(const char* name, s32 value) override;
    void setInt(const char* name, s32 value) override;
    s32 getInt(const char* name) override;
    s32 getInt(s32 index) override;
    void addFloat(const char* name, f32 value) override;
    void setFloat(const char* name, f32 value) override;
    f32 getFloat(const char* name) override;
    f32 getFloat(s32 index) override;
    void addString(const char* name, const char* value) override;
    void setString(const char* name, const char* value) override;
    CharString getString(const char* name) override;
    CharString getString(s32 index) override;
    void addBool(const char* name, bool value) override;
    void setBool(const char* name, bool value) override;
    bool getBool(const char* name) override;
    bool getBool(s32 index) override;
    void addEnum(const char* name, const char* value, const char* const* literals) override;
    void setEnum(const char* name, const char* value, const char* const* literals) override;
    CharString getEnum(const char* name) override;
    CharString getEnum(s32 index) override;
    s32 getEnumIndex(const char* name, const char* const* literals) override;
    s32 getEnumIndex(s32 index, const char* const* literals) override;
    void getEnumLiterals(const char* name, DynArray<CharString>& literals) override;
    void addColor(const char* name, u32 value) override;
    void setColor(const char* name, u32 value) override;
    u32 getColor(const char* name) override;
    u32 getColor(s32 index) override;
    void addColorf(const char* name, const ColorF& value) override;
    void setColorf(const char* name, const ColorF& value) override;
    ColorF getColorf(const char* name) override;
    ColorF getColorf(s32 index) override;
    void addVector3d(const char* name, const Vector3& value) override;
    void setVector3d(const char* name, const Vector3& value) override;
    Vector3 getVector3d(const char* name) override;
    Vector3 getVector3d(s32 index) override;
    void addBinary(const char* name, const void* data, s32 size) override;
    void setBinary(const char* name, const void* data, s32 size) override;
    void getBinary(const char* name, void* out, s32 size) override;
    void getBinary(s32 index, void* out, s32 size) override;
    void addTexture(const char* name, INamedObject* texture) override;
    void setTexture(const char* name, INamedObject* texture) override;
    INamedObject* getTexture(const char* name) override;
    INamedObject* getTexture(s32 index) override;
    void addUserPointer(const char* name, void* value) override;
    void setUserPointer(const char* name, void* value) override;
    void* getUserPointer(const char* name) override;
    void* getUserPointer(s32 index) override;

private:
    Attribute* find(const char* name);
    Attribute* at(s32 index);
    Attribute* lookup(const char* name) { return find(name); }
    Attribute* lookup(s32 index) { return at(index); }
    //! The value `getter` gives for the attribute of `key` (a name or an index), or `empty`.
    template <typename Value, typename Key>
    Value valueOf(Key key, Value (Attribute::*getter)() const, Value empty);
    Attribute* append(E_ATTRIBUTE_TYPE type, const char* name);
    //! The first attribute named `name`, or a new one of `type`.
    Attribute* findOrAppend(E_ATTRIBUTE_TYPE type, const char* name);
    static void binaryOf(Attribute* attribute, void* out, s32 size);
    static s32 enumIndex(Attribute* attribute, const char* const* literals);

    DynArray<Attribute*> attributes_;
    void* context_;
};

//! A new empty attribute set (the caller's) that keeps `context` unchanged.
IAttributeSet* createAttributeSet(void* context);

} // namespace audio
} // namespace nox

#endif
