// SPDX-License-Identifier: MIT
// Any bytes as SMAF data: the reader stays inside them and its extent is the
// declared length only when the bytes hold it.
#include "FuzzSupport.h"
#include "content/MelodyReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    if (bytes.size() < 8) {
        return 0;
    }
    content::ContentInfo info;
    content::readSmaf(bytes, info);
    fuzz::check(info.extent == -1 || info.extent == qint64(content::bigEndian32(bytes, 4)) + 8,
                "SMAF extent other than the declared length");
    fuzz::check(info.extent <= bytes.size(), "SMAF extent outside the bytes");
    return 0;
}
