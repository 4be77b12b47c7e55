// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// What the fuzz targets share: a scratch folder for readers that take a path,
// a Qt application where a reader needs one, and a failed check that stops
// the run so the fuzzer keeps the input.
namespace fuzz {

QByteArray bytesOf(const std::uint8_t* data, std::size_t size);

// A folder that lives as long as the process.
QString scratchFolder();
// Writes the bytes to the named file in the scratch folder; returns its path.
QString writeScratchFile(const QString& name, const QByteArray& bytes);

// A QGuiApplication on the offscreen platform, created once.
void ensureGuiApplication();

// Prints what failed and aborts, so the fuzzer reports the input as a crash.
[[noreturn]] void fail(const char* what);
inline void check(bool condition, const char* what) {
    if (!condition) {
        fail(what);
    }
}

} // namespace fuzz
