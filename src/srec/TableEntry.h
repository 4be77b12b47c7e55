// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/ManagerInfo.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The 8-byte table entry that tells the firmware where a slot's resource
// lies, in its manager's layout (ManagerInfo::entryLayout): melodies address
// then size, Java size then address, pictures width and height (16 bits
// each) then address; every field little-endian. The lists keep an entry as 16 hexadecimal digits.
namespace tableentry {

inline constexpr int kBytes = 8;
using Bytes = std::array<std::uint8_t, kBytes>;

struct Fields {
    std::uint32_t address = 0;
    std::uint32_t size = 0; // melodies and Java
    int width = 0;          // pictures
    int height = 0;
};

Fields decode(const ManagerInfo& info, const std::uint8_t* entry);
Bytes encode(const ManagerInfo& info, const Fields& fields);
// The 8 bytes written by 16 hexadecimal digits, nothing for any other text.
std::optional<Bytes> fromText(const QString& text);
QString text(const Bytes& entry); // 16 upper-case digits

} // namespace tableentry
