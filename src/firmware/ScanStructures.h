// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The outer structures of the files a firmware keeps, checked where they
// may start in a range of bytes: whether every length and count agrees, and
// how many bytes the whole file takes. Each check reads only the structure's
// own bytes, so a scan calling them at every candidate stays linear.
namespace scanstructure {

struct Bytes {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// A Standard MIDI File at `at` ("MThd"): the header chunk of 6 bytes, then
// as many "MTrk" chunks as it names, each within the bytes and ending with
// the end-of-track event. Its length, 0 when anything disagrees.
std::size_t midiAt(Bytes bytes, std::size_t at);

// A SMAF file at `at` ("MMMD" and its length): chunks filling it exactly up
// to its 2-byte check value, the first the contents-information chunk.
std::size_t smafAt(Bytes bytes, std::size_t at);

// The ZIP archive whose end record lies at `end` ("PK\5\6"): the central
// directory just before it, every entry of it pointing at a local header of
// the same name whose data ends before the directory, the first at the
// archive's start. JAR when it holds "META-INF/MANIFEST.MF".
struct Zip {
    std::size_t start = 0;
    std::size_t length = 0;
    bool manifest = false;
};
std::optional<Zip> zipEndingAt(Bytes bytes, std::size_t end);

// Whether [at, at + length) reads as a JAD: text lines "Name: value" only,
// naming at least MIDlet-Name, MIDlet-Version, MIDlet-Vendor, MIDlet-Jar-URL
// and MIDlet-Jar-Size.
bool jadAt(Bytes bytes, std::size_t at, std::size_t length);

// Where a JAD may start: "MIDlet-". Whatever comes before it (the end of
// another file, code) cannot tell, so the entry's size decides.
bool jadMayStart(Bytes bytes, std::size_t at);

} // namespace scanstructure
