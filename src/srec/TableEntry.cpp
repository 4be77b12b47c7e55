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

Fields decode(const ManagerInfo& info, const std::uint8_t* entry) {
    const EntryLayout& layout = info.entryLayout;
    Fields fields;
    fields.address = littleEndian(entry + layout.address, 4);
    if (layout.size >= 0) {
        fields.size = littleEndian(entry + layout.size, 4);
    } else {
        fields.width = int(littleEndian(entry + layout.width, 2));
        fields.height = int(littleEndian(entry + layout.height, 2));
    }
    return fields;
}

Bytes encode(const ManagerInfo& info, const Fields& fields) {
    const EntryLayout& layout = info.entryLayout;
    Bytes entry{};
    putLittleEndian(entry.data() + layout.address, 4, fields.address);
    if (layout.size >= 0) {
        putLittleEndian(entry.data() + layout.size, 4, fields.size);
    } else {
        putLittleEndian(entry.data() + layout.width, 2, std::uint32_t(fields.width));
        putLittleEndian(entry.data() + layout.height, 2, std::uint32_t(fields.height));
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
