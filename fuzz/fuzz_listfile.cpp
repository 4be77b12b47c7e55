// SPDX-License-Identifier: MIT
// A list file read and written back: the lines survive a second round trip
// byte for byte, and a file already in the written form comes back unchanged.
#include "FuzzSupport.h"
#include "base/TarvexError.h"
#include "dataset/ListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QStringList lines = listfile::decode(bytes);
    for (const QString& line : lines) {
        fuzz::check(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')) &&
                        !line.contains(QChar(0)),
                    "a line holds a line end or a NUL");
    }
    // Every byte decodes to a character the code page encodes again.
    const QByteArray written = listfile::encode(lines);
    fuzz::check(listfile::decode(written) == lines, "lines changed by a write and a read");
    fuzz::check(listfile::encode(listfile::decode(written)) == written,
                "second write differs from the first");

    // The written form: no NUL, every line ended by CR LF and no lone CR or LF.
    bool canonical = !bytes.contains('\0');
    for (qsizetype i = 0; canonical && i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            canonical = i + 1 < bytes.size() && bytes[i + 1] == '\n';
            ++i;
        } else if (bytes[i] == '\n') {
            canonical = false;
        }
    }
    canonical = canonical && (bytes.isEmpty() || bytes.endsWith("\r\n"));
    if (canonical) {
        fuzz::check(written == bytes, "a list in the written form does not come back unchanged");
    }

    // The same through the files themselves.
    const QString path = fuzz::scratchFolder() + QStringLiteral("/List.lst");
    listfile::save(path, lines);
    fuzz::check(listfile::load(path) == lines, "saved and loaded lines differ");
    return 0;
}
