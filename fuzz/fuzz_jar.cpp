// SPDX-License-Identifier: MIT
// Any bytes as a JAR: opened through the ZIP library from memory; the
// extent found must end with an end record inside the bytes.
#include "FuzzSupport.h"
#include "content/JavaReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    content::ContentInfo info;
    content::readJar(bytes, info);
    fuzz::check(info.kind == content::Kind::Jar, "JAR misnamed");
    fuzz::check(info.extent == -1 || (info.extent >= 22 && info.extent <= bytes.size()),
                "JAR extent outside the bytes");
    fuzz::check(info.extent == -1 || info.extent == content::zipExtent(bytes),
                "JAR extent other than the end record's");
    fuzz::check(info.extent != -1 || !info.problems.isEmpty(), "a broken JAR without a problem");
    return 0;
}
