// Number reading and writing of the script language, in the "C" notation whatever
// the process locale (Qt sets the user's locale at start-up, and course scripts are
// written with decimal points). Every conversion to a 32-bit integer saturates, so
// no out-of-range value is undefined.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A decimal number at the start of text as the C library's string-to-double reads
// it (leading white space, sign, digits, point, exponent, "inf", "nan"; hexadecimal
// forms are not read); 0 when there is none.
double ParseLeadingDouble(std::string_view text);

// A decimal integer at the start of text as the C library's string-to-integer
// reads it (leading white space, sign, digits); 0 when there is none; held within
// 32 bits.
std::int32_t ParseLeadingInteger(std::string_view text);

// Truncated toward zero; not-a-number gives 0, values beyond 32 bits the nearest limit.
std::int32_t TruncateToInt32(double value);

// Rounded half away from zero, then as TruncateToInt32.
std::int32_t RoundToInt32(double value);

// Wrapping 32-bit arithmetic (two's complement), never undefined.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b);
std::int32_t WrapSub(std::int32_t a, std::int32_t b);
std::int32_t WrapMul(std::int32_t a, std::int32_t b);
std::int32_t WrapNeg(std::int32_t a);

// "%d" and "%g" (six significant digits).
std::string FormatInteger(std::int64_t value);
std::string FormatReal(double value);
