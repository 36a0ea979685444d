// A named, typed property bag that saves itself to XML and loads itself from it.
#ifndef DRAVON_XML_I_ATTRIBUTE_SET_H
#define DRAVON_XML_I_ATTRIBUTE_SET_H

#include "IXmlReader.h"
#include "IXmlWriter.h"
#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/RefCounted.h"
#include "dravon/Vector3.h"

namespace nox {
namespace audio {

//! The kind of an attribute, as getAttributeType() reports it.
enum E_ATTRIBUTE_TYPE {
    ATTRIBUTE_INT = 0,
    ATTRIBUTE_FLOAT = 1,
    ATTRIBUTE_STRING = 2,
    ATTRIBUTE_BOOL = 3,
    ATTRIBUTE_ENUM = 4,
    ATTRIBUTE_COLOR = 5,
    ATTRIBUTE_COLORF = 6,
    ATTRIBUTE_VECTOR3D = 7,
    ATTRIBUTE_BINARY = 8,
    ATTRIBUTE_TEXTURE = 9,
    ATTRIBUTE_USER_POINTER = 10,
    //! There is no such attribute.
    ATTRIBUTE_NONE = 11
};

//! A colour of four float channels.
struct ColorF {
    f32 red = 0.f;
    f32 green = 0.f;
    f32 blue = 0.f;
    f32 alpha = 0.f;
};

//! A reference-counted object with a name, as texture attributes hold it.
class INamedObject : public virtual RefCounted {
public:
    //! The object's name; the object owns the text.
    virtual const char* getName() = 0;
};

//! Values of eleven kinds under names. Adding always appends, even under an existing name;
//! setting changes the first attribute of that name, converted to its kind, or appends one.
//! Getters return the first attribute of a name converted to the asked kind, or 0, false, an
//! empty text, null, a zero vector or a zero colour when there is none (or the index is outside
//! the set, or the kind does not convert). Names are compared exactly. Colours are 0xAARRGGBB.
//! One thread at a time.
class IAttributeSet : public virtual RefCounted {
public:
    virtual s32 getAttributeCount() = 0;
    //! Name of attribute `index`; null outside the set. Owned by the set.
    virtual const char* getAttributeName(s32 index) = 0;
    //! An E_ATTRIBUTE_TYPE; ATTRIBUTE_NONE when missing.
    virtual s32 getAttributeType(const char* name) = 0;
    virtual s32 getAttributeType(s32 index) = 0;
    //! The type name used in XML ("int", "colorf", ...); null outside the set.
    virtual const char16_t* getAttributeTypeString(s32 index) = 0;
    //! Index of the first attribute named `name`, or -1.
    virtual s32 findAttribute(const char* name) = 0;
    //! Removes every attribute.
    virtual void clear() = 0;
    //! The context given when the set was created.
    virtual void* getContext() = 0;

    //! Replaces the content by the attributes read from `reader` up to the end of the element
    //! "attributes"; with `readCurrentElementOnly`, only when the reader stands on that element.
    //! Binary attributes are not read. False for a null reader or another current element.
    virtual bool read(IXmlReader16* reader, bool readCurrentElementOnly) = 0;
    //! Writes the element "attributes" with one empty element per attribute; false for a null
    //! writer.
    virtual bool write(IXmlWriter* writer) = 0;

    virtual void addInt(const char* name, s32 value) = 0;
    virtual void setInt(const char* name, s32 value) = 0;
    virtual s32 getInt(const char* name) = 0;
    virtual s32 getInt(s32 index) = 0;

    virtual void addFloat(const char* name, f32 value) = 0;
    virtual void setFloat(const char* name, f32 value) = 0;
    virtual f32 getFloat(const char* name) = 0;
    virtual f32 getFloat(s32 index) = 0;

    //! Strings are copied. Getting a string of any kind gives its text form.
    virtual void addString(const char* name, const char* value) = 0;
    virtual void setString(const char* name, const char* value) = 0;
    virtual CharString getString(const char* name) = 0;
    virtual CharString getString(s32 index) = 0;

    virtual void addBool(const char* name, bool value) = 0;
    virtual void setBool(const char* name, bool value) = 0;
    virtual bool getBool(const char* name) = 0;
    virtual bool getBool(s32 index) = 0;

    //! `literals` is a null-terminated list of the values the enumeration may take (may be
    //! null); it is copied.
    virtual void addEnum(const char* name, const char* value, const char* const* literals) = 0;
    virtual void setEnum(const char* name, const char* value, const char* const* literals) = 0;
    virtual CharString getEnum(const char* name) = 0;
    virtual CharString getEnum(s32 index) = 0;
    //! Position of the value within the caller's null-terminated `literals`; -1 when the
    //! attribute is missing, the list is null or empty, or the value is not in it.
    virtual s32 getEnumIndex(const char* name, const char* const* literals) = 0;
    virtual s32 getEnumIndex(s32 index, const char* const* literals) = 0;
    //! Copies the stored literals of an enumeration into `literals` (emptied first).
    virtual void getEnumLiterals(const char* name, DynArray<CharString>& literals) = 0;

    virtual void addColor(const char* name, u32 value) = 0;
    virtual void setColor(const char* name, u32 value) = 0;
    virtual u32 getColor(const char* name) = 0;
    virtual u32 getColor(s32 index) = 0;

    //! A colour attribute reads as a float colour with each channel divided by 255.
    virtual void addColorf(const char* name, const ColorF& value) = 0;
    virtual void setColorf(const char* name, const ColorF& value) = 0;
    virtual ColorF getColorf(const char* name) = 0;
    virtual ColorF getColorf(s32 index) = 0;

    virtual void addVector3d(const char* name, const Vector3& value) = 0;
    virtual void setVector3d(const char* name, const Vector3& value) = 0;
    virtual Vector3 getVector3d(const char* name) = 0;
    virtual Vector3 getVector3d(s32 index) = 0;

    //! `size` bytes, kept as hexadecimal text.
    virtual void addBinary(const char* name, const void* data, s32 size) = 0;
    virtual void setBinary(const char* name, const void* data, s32 size) = 0;
    //! Zeroes `size` bytes at `out` and fills them with at most `size` decoded bytes.
    virtual void getBinary(const char* name, void* out, s32 size) = 0;
    virtual void getBinary(s32 index, void* out, s32 size) = 0;

    //! The object (may be null) is referenced while the attribute holds it.
    virtual void addTexture(const char* name, INamedObject* texture) = 0;
    virtual void setTexture(const char* name, INamedObject* texture) = 0;
    //! Borrowed.
    virtual INamedObject* getTexture(const char* name) = 0;
    virtual INamedObject* getTexture(s32 index) = 0;

    virtual void addUserPointer(const char* name, void* value) = 0;
    virtual void setUserPointer(const char* name, void* value) = 0;
    virtual void* getUserPointer(const char* name) = 0;
    virtual void* getUserPointer(s32 index) = 0;
};

} // namespace audio
} // namespace nox

#endif
