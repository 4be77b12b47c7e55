// SPDX-License-Identifier: MIT
#include "srec/TableEntry.h"

#include "dataset/NumericText.h"

namespace tableentry {

namespace {

std::uint32_t littleEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void putLittleEndian(std::uint8_t* bytes, int count, std::uint32_t value) {
    for (int i = 0; i < count; ++i) {
        bytes[i] = std::uint8_t(value >> (8 * i));
    }
}

} // namespace

Fields decode(ManagerKind kind, const std::uint8_t* entry) {
    Fields fields;
    switch (kind) {
    case ManagerKind::Melodies:
        fields.address = littleEndian(entry, 4);
        fields.size = littleEndian(entry + 4, 4);
        break;
    case ManagerKind::Java:
        fields.size = littleEndian(entry, 4);
        fields.address = littleEndian(entry + 4, 4);
        break;
    case ManagerKind::Pictures:
        fields.width = int(littleEndian(entry, 2));
        fields.height = int(littleEndian(entry + 2, 2));
        fields.address = littleEndian(entry + 4, 4);
        break;
    }
    return fields;
}

Bytes encode(ManagerKind kind, const Fields& fields) {
    Bytes entry{};
    switch (kind) {
    case ManagerKind::Melodies:
        putLittleEndian(entry.data(), 4, fields.address);
        putLittleEndian(entry.data() + 4, 4, fields.size);
        break;
    case ManagerKind::Java:
        putLittleEndian(entry.data(), 4, fields.size);
        putLittleEndian(entry.data() + 4, 4, fields.address);
        break;
    case ManagerKind::Pictures:
        putLittleEndian(entry.data(), 2, std::uint32_t(fields.width));
        putLittleEndian(entry.data() + 2, 2, std::uint32_t(fields.height));
        putLittleEndian(entry.data() + 4, 4, fields.address);
        break;
    }
    return entry;
}

std::optional<Bytes> fromText(const QString& text) {
    if (text.size() != 2 * kBytes) {
        return std::nullopt;
    }
    Bytes entry{};
    for (int i = 0; i < kBytes; ++i) {
        const std::optional<std::uint32_t> byte = numeric::hexField(text.mid(2 * i, 2), 2);
        if (!byte) {
            return std::nullopt;
        }
        entry[std::size_t(i)] = std::uint8_t(*byte);
    }
    return entry;
}

QString text(const Bytes& entry) {
    return numeric::hexBytes(entry.data(), entry.size());
}

} // namespace tableentry
