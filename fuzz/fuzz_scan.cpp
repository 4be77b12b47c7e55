// SPDX-License-Identifier: MIT
// Any bytes as a raw firmware image scanned: every resource found lies inside
// the image, and every entry found points at it with its size in its layout.
#include "FuzzSupport.h"
#include "firmware/FirmwareScan.h"
#include "srec/TableEntry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint64_t kBase = 0x1000;
    const FirmwareImage image =
        FirmwareImage::fromRanges({{kBase, std::vector<std::uint8_t>(data, data + size)}});
    const firmwarescan::Result result = firmwarescan::run(image);
    for (const firmwarescan::Resource& r : result.resources) {
        fuzz::check(image.bytesAt(r.address, r.size) != nullptr, "a resource outside the image");
        for (const std::uint64_t e : r.entries) {
            const std::uint8_t* entry = image.bytesAt(e, 8);
            fuzz::check(entry != nullptr, "an entry outside the image");
            const ManagerKind kind = r.isMelody() ? ManagerKind::Melodies
                                     : r.isJava() ? ManagerKind::Java
                                                  : ManagerKind::Pictures;
            const auto fields = tableentry::decode(managers::of(kind), entry);
            fuzz::check(fields.address == r.address, "an entry pointing elsewhere");
            fuzz::check(kind == ManagerKind::Pictures
                            ? fields.width == r.width && fields.height == r.height
                            : fields.size == r.size,
                        "an entry of another size");
        }
    }
    for (const firmwarescan::Area& a : result.erased) {
        fuzz::check(a.size >= firmwarescan::kLeastErasedArea, "a small erased area listed");
    }
    return 0;
}
