// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <optional>

// Text inside melody and game files.
namespace content {

// UTF-8 when the bytes are valid UTF-8 (a byte order mark dropped), code page
// 1251 otherwise: melody titles come in either. Trailing NULs and surrounding
// blanks are dropped.
QString decodeText(QByteArrayView bytes);

// The "Name: value" attributes of a JAD or a JAR's manifest. A line ends at
// CR, LF or CR LF; a line that starts with one space continues the one
// before; the text ends at a NUL, and with `mainSectionOnly` at the first
// blank line (a manifest's per-entry sections follow it). The first of two
// equal names wins.
QHash<QString, QString> readAttributes(QByteArrayView bytes, bool mainSectionOnly);

// Where readAttributes (over the whole text) found the value of `name`: from
// right after its colon to the end of the line's last continuation, before
// that line's end. Replacing those bytes changes that value and nothing else.
struct AttributeValue {
    qsizetype from = 0;
    qsizetype to = 0;
};
std::optional<AttributeValue> findAttribute(QByteArrayView bytes, const QString& name);

} // namespace content
