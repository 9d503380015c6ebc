// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/platform.h"

#include <array>
#include <cfenv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tallimo::platform {

#if TALLIMO_HAVE_STRTOLD_L
Value ParseCNumber(const std::string &text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtold_l(text.c_str(), nullptr, c);
}
#else
// Without a locale-taking strtold the text gets the separator of the C library's current locale.
Value ParseCNumber(const std::string &text)
{
    std::string local = text;
    const std::string::size_type point = local.find('.');
    if (point != std::string::npos)
        local.replace(point, 1, std::localeconv()->decimal_point);
    return std::strtold(local.c_str(), nullptr);
}
#endif

// The C library prints the exact binary value and honours the rounding mode (checked at
// configuration), so printing toward zero gives the leading digits without rounding.
int TruncatedDigits(Value magnitude, int count, char *digits)
{
    const int savedMode = std::fegetround();
    std::fesetround(FE_TOWARDZERO);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", count - 1, magnitude);
    std::fesetround(savedMode);

    // buffer: d.ddd...e[+-]x, with the locale's decimal point
    int k = 0;
    for (const char *p = buffer; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits[k++] = *p;
    }
    digits[k] = '\0';
    return std::atoi(std::strchr(buffer, 'e') + 1);
}

#if TALLIMO_HAVE_INT128
// A compiler extension, checked at configuration; `__extension__` says so to -Wpedantic.
__extension__ typedef unsigned __int128 UInt128;
#endif

std::optional<std::uint64_t> ScaledMantissa(std::uint64_t mantissa, int powerOfFive, int shift)
{
#if TALLIMO_HAVE_INT128
    static constexpr auto powers = [] {
        std::array<std::uint64_t, 28> table{};  // 5^27, the largest power asked for, is below 2^64
        std::uint64_t power = 1;
        for (auto &entry : table) {
            entry = power;
            power *= 5;
        }
        return table;
    }();
    UInt128 scaled = static_cast<UInt128>(mantissa) * powers.at(static_cast<size_t>(powerOfFive));
    scaled >>= shift;
    constexpr auto largest = std::numeric_limits<std::uint64_t>::max();
    return scaled > largest ? largest : static_cast<std::uint64_t>(scaled);
#else
    (void)mantissa;
    (void)powerOfFive;
    (void)shift;
    return std::nullopt;
#endif
}

// The x87 format in memory, little-endian: the 64-bit mantissa with its explicit top bit, then
// 15 bits of exponent biased by 16383 and the sign.
std::optional<ExtendedParts> SplitExtended(Value value)
{
    unsigned char bytes[sizeof(Value)];
    std::memcpy(bytes, &value, sizeof bytes);
    std::uint64_t mantissa = 0;
    std::memcpy(&mantissa, bytes, sizeof mantissa);
    const int biased = (bytes[8] | (bytes[9] << 8)) & 0x7fff;
    if (biased == 0 || biased == 0x7fff || (mantissa >> 63) == 0)
        return std::nullopt;
    return ExtendedParts{mantissa, biased - 16382};
}

}  // namespace tallimo::platform
