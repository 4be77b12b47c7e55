// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

// Sizes, addresses and offsets travel as text; these are the conversions and
// the checked 32-bit arithmetic every user of them shares.
namespace numeric {

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after "$", "0x" or "0X". Anything else, or a value beyond 32 bits, raises
// "'%s' is not a valid integer value". Hexadecimal takes up to 8 digits and
// keeps their bit pattern (FFFFFFFF is -1), as addresses need.
std::int32_t toInt(const QString& text);
bool tryToInt(const QString& text, std::int32_t& value);

// The INI reader's integer rule: "0x" or "0X" before more digits marks
// hexadecimal, otherwise as toInt; anything unreadable gives the default.
std::int32_t iniToInt(const QString& text, std::int32_t defaultValue);

// Checked signed 32-bit arithmetic, raising "Integer overflow".
std::int32_t add(std::int32_t a, std::int32_t b);
std::int32_t sub(std::int32_t a, std::int32_t b);
std::int32_t fromSize(std::int64_t value);

// Upper-case hexadecimal of the value's low bits, fixed width.
QString hex(std::uint32_t value, int digits);
QString hexByte(std::uint8_t value);                            // "7F"
QString hexBytes(const std::uint8_t* bytes, std::size_t count); // "7F00A1"
QString hexAddress(std::uint64_t address);                      // "0x01400000"
// The value of exactly `digits` hexadecimal digits, nothing for anything else.
std::optional<std::uint32_t> hexField(const QString& text, int digits);

// One past the last address a 32-bit firmware has.
inline constexpr std::uint64_t kAddressSpace = std::uint64_t(1) << 32;

// part / whole * 100 rounded to the nearest integer, ties to even, computed
// exactly; whole must not be 0.
std::int64_t percentHalfEven(std::int64_t part, std::int64_t whole);

} // namespace numeric
