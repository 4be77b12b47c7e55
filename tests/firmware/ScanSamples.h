// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdint>

// Whole files of each kind a firmware keeps, and bytes to put around them,
// for the firmware scan's tests.
namespace scansamples {

QByteArray midi(const QByteArray& title, int notes);      // one track named title
QByteArray smaf(const QByteArray& title, int trackBytes); // contents information, one track
QByteArray jar(const QByteArray& name, int classBytes);   // manifest and a stored class
// The five attributes; `order` 1 to 3 puts others first (3 after a byte-order
// mark), moves them about and continues the size on a second line (2).
QByteArray jad(const QByteArray& name, std::int64_t jarSize, int order = 0);
QByteArray picture(int width, int height, int seed); // the handset picture format
QByteArray filler(int size, std::uint32_t seed);     // pseudo-random, no 0xFF runs
// An 8-byte table entry: melodies address then size, Java size then
// address, pictures width, height, then address.
QByteArray melodyEntry(std::uint32_t address, std::uint32_t size);
QByteArray javaEntry(std::uint32_t size, std::uint32_t address);
QByteArray pictureEntry(int width, int height, std::uint32_t address);

} // namespace scansamples
