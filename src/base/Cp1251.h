// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

// Windows-1251, the 8-bit code page of the data sets and patches. Written by
// hand so that decoding does not depend on how Qt was built.
namespace cp1251 {
QString decode(std::string_view bytes);
inline QString decode(const QByteArray& bytes) {
    return decode(std::string_view(bytes.constData(), size_t(bytes.size())));
}
// Empty when a character has no place in the code page.
std::optional<QByteArray> encode(const QString& text);
// As encode, but a character outside the code page raises an error naming the text.
QByteArray encodeOrThrow(const QString& text);
} // namespace cp1251
