// SPDX-License-Identifier: MIT
#include "dataset/NumericText.h"

#include "base/HexDigit.h"
#include "base/TarvexError.h"

#include <limits>

namespace numeric {

bool tryToInt(const QString& text, std::int32_t& value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' ')) {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    bool hexadecimal = false;
    if (i < n && text[i] == QLatin1Char('$')) {
        hexadecimal = true;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') &&
               (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        hexadecimal = true;
        i += 2;
    }
    if (i == n) {
        return false;
    }
    std::uint64_t magnitude = 0;
    const std::uint64_t limit =
        hexadecimal ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < n; ++i) {
        const int d = hexDigitValue(text[i].unicode());
        if (d < 0 || (!hexadecimal && d > 9)) {
            return false;
        }
        magnitude = magnitude * (hexadecimal ? 16 : 10) + std::uint64_t(d);
        if (magnitude > limit) {
            return false;
        }
    }
    const auto bits = std::uint32_t(magnitude);
    value = std::int32_t(negative ? std::uint32_t(0) - bits : bits);
    return true;
}

std::int32_t toInt(const QString& text) {
    std::int32_t value = 0;
    if (!tryToInt(text, value)) {
        throw errors::invalidInteger(text);
    }
    return value;
}

std::int32_t iniToInt(const QString& text, std::int32_t defaultValue) {
    QString normalized = text;
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        normalized = QLatin1Char('$') + text.mid(2);
    }
    std::int32_t value = 0;
    return tryToInt(normalized, value) ? value : defaultValue;
}

std::int32_t add(std::int32_t a, std::int32_t b) {
    return fromSize(std::int64_t(a) + b);
}

std::int32_t sub(std::int32_t a, std::int32_t b) {
    return fromSize(std::int64_t(a) - b);
}

std::int32_t fromSize(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw errors::integerOverflow();
    }
    return std::int32_t(value);
}

QString hex(std::uint32_t value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    QString out(digits, Qt::Uninitialized);
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = QLatin1Char(kDigits[value & 0xF]);
        value >>= 4;
    }
    return out;
}

QString hexByte(std::uint8_t value) {
    return hex(value, 2);
}

QString hexBytes(const std::uint8_t* bytes, std::size_t count) {
    QString text;
    for (std::size_t i = 0; i < count; ++i) {
        text += hexByte(bytes[i]);
    }
    return text;
}

QString hexAddress(std::uint64_t address) {
    return QStringLiteral("0x") + hex(std::uint32_t(address), 8);
}

std::optional<std::uint32_t> hexField(const QString& text, int digits) {
    if (text.size() != digits) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const QChar c : text) {
        const int d = hexDigitValue(c.unicode());
        if (d < 0) {
            return std::nullopt;
        }
        value = (value << 4) | std::uint32_t(d);
    }
    return value;
}

std::int64_t percentHalfEven(std::int64_t part, std::int64_t whole) {
    // Both within 32 bits in every use, so part * 100 and twice the remainder fit.
    if (whole < 0) {
        part = -part;
        whole = -whole;
    }
    const std::int64_t n = part * 100;
    std::int64_t q = n / whole;
    std::int64_t r = n % whole; // same sign as n
    if (r < 0) {
        --q;
        r += whole;
    }
    // q <= exact < q + 1; r / whole is the fraction.
    if (2 * r > whole || (2 * r == whole && q % 2 != 0)) {
        ++q;
    }
    return q;
}

} // namespace numeric
