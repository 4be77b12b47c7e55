// SPDX-License-Identifier: MIT
// Any bytes as a JAD and as a manifest's attributes.
#include "FuzzSupport.h"
#include "content/ContentText.h"
#include "content/JavaReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    content::ContentInfo info;
    content::readJad(bytes, info);
    fuzz::check(info.declaredJarSize >= -1, "negative JAR size");
    fuzz::check(info.declaredJarSize >= 0 || !info.problems.isEmpty(),
                "no JAR size and no problem named");
    const QHash<QString, QString> main = content::readAttributes(bytes, true);
    const QHash<QString, QString> all = content::readAttributes(bytes, false);
    fuzz::check(main.size() <= all.size(), "the main section holds more than the whole");
    return 0;
}
