#include "Attribute.h"

#include "NumberText.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace nox {
namespace audio {

namespace {

const char16_t* const typeNames[ATTRIBUTE_NONE] = {
    u"int",    u"float",    u"string", u"bool",    u"enum",       u"color",
    u"colorf", u"vector3d", u"binary", u"texture", u"userPointer"};

template <typename... Values> CharString format(const char* pattern, Values... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return CharString(text);
}

CharString formatFloat(f32 value) {
    return format("%f", static_cast<double>(value));
}

//! Reads up to `count` numbers into `components`; the ones the text lacks stay 0.
void readNumbers(const char* text, f32* components, s32 count) {
    for (s32 i = 0; i < count; ++i)
        components[i] = 0.f;
    if (!text)
        return;
    for (s32 i = 0; i < count; ++i) {
        while (*text && *text != '-' && (*text < '0' || *text > '9'))
            ++text;
        if (!*text)
            return;
        text = parseFloat(text, components[i]);
    }
}

s32 hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

class IntAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_INT; }
    CharString getString() const override { return format("%d", value_); }
    void setString(const char* text) override { value_ = text ? parseInt(text) : 0; }
    s32 getInt() const override { return value_; }
    void setInt(s32 value) override { value_ = value; }
    f32 getFloat() const override { return static_cast<f32>(value_); }
    void setFloat(f32 value) override { value_ = truncateToS32(value); }

private:
    s32 value_ = 0;
};

class FloatAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_FLOAT; }
    CharString getString() const override { return formatFloat(value_); }
    void setString(const char* text) override {
        value_ = 0.f;
        if (text)
            parseFloat(text, value_);
    }
    s32 getInt() const override { return truncateToS32(value_); }
    void setInt(s32 value) override { value_ = static_cast<f32>(value); }
    f32 getFloat() const override { return value_; }
    void setFloat(f32 value) override { value_ = value; }

private:
    f32 value_ = 0.f;
};

class StringAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_STRING; }
    CharString getString() const override { return value_; }
    void setString(const char* text) override { value_ = text; }
    s32 getInt() const override { return parseInt(value_.c_str()); }
    void setInt(s32 value) override { value_ = CharString(value); }
    f32 getFloat() const override {
        f32 value;
        parseFloat(value_.c_str(), value);
        return value;
    }
    void setFloat(f32 value) override { value_ = formatFloat(value); }
    bool getBool() const override { return value_ == "true"; }
    void setBool(bool value) override { value_ = value ? "true" : "false"; }

    //! Pairs of hexadecimal digits, high digit first.
    void getBinary(void* out, s32 size) const override {
        Attribute::getBinary(out, size);
        u8* bytes = static_cast<u8*>(out);
        for (s32 i = 0; i < size && 2 * i + 1 < value_.size(); ++i)
            bytes[i] = static_cast<u8>(hexDigit(value_[2 * i]) << 4 | hexDigit(value_[2 * i + 1]));
    }
    void setBinary(const void* data, s32 size) override {
        static const char digits[] = "0123456789abcdef";
        value_ = CharString();
        const u8* bytes = static_cast<const u8*>(data);
        for (s32 i = 0; bytes && i < size; ++i) {
            char pair[2] = {digits[bytes[i] >> 4], digits[bytes[i] & 15]};
            value_.append(pair, 2);
        }
    }

private:
    CharString value_;
};

class BinaryAttribute : public StringAttribute {
public:
    using StringAttribute::StringAttribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_BINARY; }
};

class BoolAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_BOOL; }
    CharString getString() const override { return value_ ? "true" : "false"; }
    void setString(const char* text) override { value_ = CharString(text) == "true"; }
    bool getBool() const override { return value_; }
    void setBool(bool value) override { value_ = value; }

private:
    bool value_ = false;
};

class EnumAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_ENUM; }
    CharString getString() const override { return value_; }
    void setString(const char* text) override { value_ = text; }
    void setEnum(const char* value, const char* const* literals) override {
        value_ = value;
        literals_.clear();
        for (s32 i = 0; literals && literals[i]; ++i)
            literals_.push_back(CharString(literals[i]));
    }
    const DynArray<CharString>* getEnumLiterals() const override { return &literals_; }

private:
    CharString value_;
    DynArray<CharString> literals_;
};

class ColorAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_COLOR; }
    CharString getString() const override { return format("%08x", value_); }
    void setString(const char* text) override {
        unsigned value = 0;
        if (text)
            std::sscanf(text, "%8x", &value);
        value_ = value;
    }
    u32 getColor() const override { return value_; }
    void setColor(u32 value) override { value_ = value; }
    ColorF getColorf() const override {
        ColorF color;
        color.alpha = channel(24);
        color.red = channel(16);
        color.green = channel(8);
        color.blue = channel(0);
        return color;
    }

private:
    f32 channel(s32 shift) const { return static_cast<f32>((value_ >> shift) & 0xFF) / 255.f; }
    u32 value_ = 0;
};

class ColorfAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_COLORF; }
    CharString getString() const override {
        return format("%f, %f, %f, %f", static_cast<double>(value_.red),
                      static_cast<double>(value_.green), static_cast<double>(value_.blue),
                      static_cast<double>(value_.alpha));
    }
    void setString(const char* text) override {
        f32 components[4];
        readNumbers(text, components, 4);
        value_.red = components[0];
        value_.green = components[1];
        value_.blue = components[2];
        value_.alpha = components[3];
    }
    ColorF getColorf() const override { return value_; }
    void setColorf(const ColorF& value) override { value_ = value; }

private:
    ColorF value_;
};

class Vector3dAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_VECTOR3D; }
    CharString getString() const override {
        return format("%f, %f, %f", static_cast<double>(value_.x), static_cast<double>(value_.y),
                      static_cast<double>(value_.z));
    }
    void setString(const char* text) override {
        f32 components[3];
        readNumbers(text, components, 3);
        value_ = Vector3(components[0], components[1], components[2]);
    }
    Vector3 getVector() const override { return value_; }
    void setVector(const Vector3& value) override { value_ = value; }

private:
    Vector3 value_;
};

class TextureAttribute : public Attribute {
public:
    using Attribute::Attribute;
    ~TextureAttribute() override { setTexture(nullptr); }
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_TEXTURE; }
    CharString getString() const override {
        return CharString(texture_ ? texture_->getName() : nullptr);
    }
    //! A texture has no text form that could be read back.
    void setString(const char*) override {}
    INamedObject* getTexture() const override { return texture_; }
    void setTexture(INamedObject* texture) override {
        if (texture)
            texture->incRef();
        if (texture_)
            texture_->decRef();
        texture_ = texture;
    }

private:
    INamedObject* texture_ = nullptr;
};

class UserPointerAttribute : public Attribute {
public:
    using Attribute::Attribute;
    E_ATTRIBUTE_TYPE getType() const override { return ATTRIBUTE_USER_POINTER; }
    // "0x" and the hexadecimal address: all of it, on systems with 64-bit pointers too.
    CharString getString() const override {
        return format("0x%" PRIxPTR, reinterpret_cast<std::uintptr_t>(value_));
    }
    void setString(const char* text) override {
        std::uintptr_t address = 0;
        if (text)
            std::sscanf(text, "0x%" SCNxPTR, &address);
        value_ = reinterpret_cast<void*>(address);
    }
    void* getUserPointer() const override { return value_; }
    void setUserPointer(void* value) override { value_ = value; }

private:
    void* value_ = nullptr;
};

} // namespace

const char16_t* Attribute::getTypeString() const {
    return typeNames[getType()];
}

void Attribute::getBinary(void* out, s32 size) const {
    if (out && size > 0)
        std::memset(out, 0, static_cast<std::size_t>(size));
}

E_ATTRIBUTE_TYPE readableAttributeType(const char16_t* typeName) {
    static const E_ATTRIBUTE_TYPE readable[] = {
        ATTRIBUTE_ENUM, ATTRIBUTE_COLOR,       ATTRIBUTE_COLORF,  ATTRIBUTE_FLOAT,
        ATTRIBUTE_INT,  ATTRIBUTE_STRING,      ATTRIBUTE_TEXTURE, ATTRIBUTE_VECTOR3D,
        ATTRIBUTE_BOOL, ATTRIBUTE_USER_POINTER};
    for (E_ATTRIBUTE_TYPE type : readable)
        if (String<char16_t>(typeNames[type]) == typeName)
            return type;
    return ATTRIBUTE_NONE;
}

Attribute* createAttribute(E_ATTRIBUTE_TYPE type, const char* name) {
    switch (type) {
    case ATTRIBUTE_INT:
        return new IntAttribute(name);
    case ATTRIBUTE_FLOAT:
        return new FloatAttribute(name);
    case ATTRIBUTE_STRING:
        return new StringAttribute(name);
    case ATTRIBUTE_BOOL:
        return new BoolAttribute(name);
    case ATTRIBUTE_ENUM:
        return new EnumAttribute(name);
    case ATTRIBUTE_COLOR:
        return new ColorAttribute(name);
    case ATTRIBUTE_COLORF:
        return new ColorfAttribute(name);
    case ATTRIBUTE_VECTOR3D:
        return new Vector3dAttribute(name);
    case ATTRIBUTE_BINARY:
        return new BinaryAttribute(name);
    case ATTRIBUTE_TEXTURE:
        return new TextureAttribute(name);
    default:
        return new UserPointerAttribute(name);
    }
}

} // namespace audio
} // namespace nox
