// SPDX-License-Identifier: MIT
// The integer conversion of sizes and offsets, the INI integer rule and the
// gauge's percentage, checked against wide arithmetic.
#include "FuzzSupport.h"
#include "base/Cp1251.h"
#include "dataset/NumericText.h"
#include "manager/SlotTable.h"

#include <cstring>
#include <limits>

namespace {

// Decimal with an optional sign and leading blanks, by 64-bit arithmetic.
bool plainDecimal(const QString& text, std::int64_t& value) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' ')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size() || text.size() - i > 15) {
        return false;
    }
    value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) {
            return false;
        }
        value = value * 10 + (text[i].unicode() - '0');
    }
    value = negative ? -value : value;
    return true;
}

void checkGauge(std::int32_t used, std::int32_t total) {
    const SlotTable::Gauge gauge = SlotTable::gaugeFor(used, total);
    fuzz::check(gauge.percent >= 0 && gauge.percent <= 100, "gauge outside 0 to 100");
    fuzz::check(gauge.overLimit == (used > total), "gauge over limit wrongly");
    if (!gauge.overLimit && total > 0 && used >= 0) {
        // Exact: percent is the nearest integer to used*100/total, ties to even.
        const std::int64_t n = std::int64_t(used) * 100;
        const std::int64_t twice = 2 * n - 2 * std::int64_t(gauge.percent) * total;
        fuzz::check(twice <= total && twice >= -std::int64_t(total), "gauge not nearest");
        if (twice == total || twice == -std::int64_t(total)) {
            fuzz::check(gauge.percent % 2 == 0, "gauge tie not to even");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 8) {
        std::int32_t used = 0;
        std::int32_t total = 0;
        std::memcpy(&used, data, 4);
        std::memcpy(&total, data + 4, 4);
        checkGauge(used, total);
    }

    const QString text =
        cp1251::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    std::int32_t value = 0;
    const bool ok = numeric::tryToInt(text, value);
    std::int64_t wide = 0;
    if (plainDecimal(text, wide)) {
        const bool fits = wide >= std::numeric_limits<std::int32_t>::min() &&
                          wide <= std::numeric_limits<std::int32_t>::max();
        fuzz::check(ok == fits, "decimal accepted or refused wrongly");
        fuzz::check(!ok || value == wide, "decimal read wrongly");
    }
    if (ok) {
        // Whatever is accepted reads the same again in hexadecimal.
        std::int32_t again = 0;
        fuzz::check(
            numeric::tryToInt(QLatin1Char('$') + numeric::hex(std::uint32_t(value), 8), again) &&
                again == value,
            "hexadecimal text of a value reads back differently");
    }
    // The INI rule reads what the conversion reads; the rest gives the default.
    fuzz::check(numeric::iniToInt(text, 7) == (ok ? value : 7),
                "INI rule differs from the conversion");
    return 0;
}
