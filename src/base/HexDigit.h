// SPDX-License-Identifier: MIT
#pragma once

// The value of a hexadecimal digit of either case, -1 for any other
// character. A char above 0x7F (negative where char is signed) is no digit.
constexpr int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    return -1;
}

constexpr int hexDigitValue(char c) {
    return hexDigitValue(char16_t(static_cast<unsigned char>(c)));
}
