#include "NumberText.h"

#include <cmath>
#include <cstring>

namespace nox {
namespace audio {

namespace {

const s32 tableDigits = 15;
const f32 negativePowersOfTen[tableDigits + 1] = {0.f,    0.1f,   1e-2f,  1e-3f, 1e-4f,  1e-5f,
                                                  1e-6f,  1e-7f,  1e-8f,  1e-9f, 1e-10f, 1e-11f,
                                                  1e-12f, 1e-13f, 1e-14f, 1e-15f};

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

const char* parseLong(const char* text, s64& value) {
    const char* at = text;
    while (isSpace(*at))
        ++at;
    bool negative = *at == '-';
    if (*at == '-' || *at == '+')
        ++at;
    if (!isDigit(*at)) {
        value = 0;
        return text;
    }
    // Accumulate toward the negative side, which holds one more value than the positive side.
    const s64 lowest = -0x7FFFFFFFFFFFFFFFLL - 1;
    s64 sum = 0;
    bool saturated = false;
    for (; isDigit(*at); ++at) {
        s32 digit = *at - '0';
        if (sum < (lowest + digit) / 10)
            saturated = true;
        else
            sum = sum * 10 - digit;
    }
    if (saturated)
        value = negative ? lowest : -(lowest + 1);
    else
        value = negative ? sum : (sum == lowest ? -(lowest + 1) : -sum);
    return at;
}

const char* parseFloat(const char* text, f32& value) {
    bool negative = *text == '-';
    if (negative)
        ++text;
    s64 integer;
    text = parseLong(text, integer);
    value = static_cast<f32>(integer);
    if (*text == '.') {
        ++text;
        s64 fraction;
        const char* end = parseLong(text, fraction);
        s32 consumed = static_cast<s32>(end - text);
        if (consumed > tableDigits) {
            char first[tableDigits + 1];
            std::memcpy(first, text, tableDigits);
            first[tableDigits] = 0;
            parseLong(first, fraction);
            consumed = tableDigits;
        }
        value += static_cast<f32>(fraction) * negativePowersOfTen[consumed];
        text = end;
        if (*text == 'e') {
            s64 exponent;
            text = parseLong(text + 1, exponent);
            value *= std::pow(10.f, static_cast<f32>(exponent));
        }
    }
    if (negative)
        value = -value;
    return text;
}

s32 parseInt(const char* text) {
    s64 value;
    parseLong(text, value);
    if (value > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    if (value < -0x7FFFFFFF - 1)
        return -0x7FFFFFFF - 1;
    return static_cast<s32>(value);
}

s32 truncateToS32(f32 value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.f)
        return 0x7FFFFFFF;
    if (value <= -2147483648.f)
        return -0x7FFFFFFF - 1;
    return static_cast<s32>(value);
}

} // namespace audio
} // namespace nox
