#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <cstdint>
#include <optional>

// The one shape of every JSON document the program writes (docs/json.md):
// snake_case keys, booleans and numbers as such, and an address both as a
// number and, for people, as "0x%08X" text under the same key + "_hex".
namespace jsonshape {

// The version of the shape, in every document's "format".
inline constexpr int kFormat = 1;

inline void putAddress(QJsonObject& object, const QString& key, std::uint64_t address) {
    object.insert(key, static_cast<qint64>(address));
    object.insert(key + QStringLiteral("_hex"),
                  QStringLiteral("0x") +
                      QString::number(address, 16).toUpper().rightJustified(8, QLatin1Char('0')));
}

// An address that is kept as text and may not be one: null in both fields then.
inline void putAddress(QJsonObject& object, const QString& key,
                       std::optional<std::uint64_t> address) {
    if (address) {
        putAddress(object, key, *address);
        return;
    }
    object.insert(key, QJsonValue::Null);
    object.insert(key + QStringLiteral("_hex"), QJsonValue::Null);
}

} // namespace jsonshape
