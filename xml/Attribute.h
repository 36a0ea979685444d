// The eleven kinds of attributes that an attribute set holds, with their conversions.
#ifndef DRAVON_XML_ATTRIBUTE_H
#define DRAVON_XML_ATTRIBUTE_H

#include "IAttributeSet.h"

namespace nox {
namespace audio {

//! One named value. Each kind overrides the getters and setters it converts to and from; the
//! others return 0, false, an empty value or null, and ignore what is set. getString() is the
//! text form written to XML and setString() reads it back.
class Attribute {
public:
    explicit Attribute(const char* name) : name_(name) {}
    Attribute(const Attribute&) = delete;
    Attribute& operator=(const Attribute&) = delete;
    virtual ~Attribute() = default;

    const CharString& getName() const { return name_; }
    virtual E_ATTRIBUTE_TYPE getType() const = 0;
    //! The type name used in XML.
    const char16_t* getTypeString() const;

    virtual CharString getString() const = 0;
    virtual void setString(const char* text) = 0;
    virtual s32 getInt() const { return 0; }
    virtual void setInt(s32) {}
    virtual f32 getFloat() const { return 0.f; }
    virtual void setFloat(f32) {}
    virtual bool getBool() const { return false; }
    virtual void setBool(bool) {}
    virtual void setEnum(const char* value, const char* const*) { setString(value); }
    virtual const DynArray<CharString>* getEnumLiterals() const { return nullptr; }
    virtual u32 getColor() const { return 0; }
    virtual void setColor(u32) {}
    virtual ColorF getColorf() const { return ColorF(); }
    virtual void setColorf(const ColorF&) {}
    virtual Vector3 getVector() const { return Vector3(); }
    virtual void setVector(const Vector3&) {}
    //! Zeroes `size` bytes at `out`, then decodes into them.
    virtual void getBinary(void* out, s32 size) const;
    virtual void setBinary(const void*, s32) {}
    virtual INamedObject* getTexture() const { return nullptr; }
    virtual void setTexture(INamedObject*) {}
    virtual void* getUserPointer() const { return nullptr; }
    virtual void setUserPointer(void*) {}

private:
    CharString name_;
};

//! The kind whose XML type name is `typeName`, or ATTRIBUTE_NONE for a name that is not read
//! from XML ("binary" among them).
E_ATTRIBUTE_TYPE readableAttributeType(const char16_t* typeName);

//! A new empty attribute of `type` (not ATTRIBUTE_NONE) named `name` (null: empty).
Attribute* createAttribute(E_ATTRIBUTE_TYPE type, const char* name);

} // namespace audio
} // namespace nox

#endif
