// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "check/PatchImage.h"
#include "manager/AddressLayout.h"

#include <utility>
#include <vector>

// Follows every table entry a patch rewrites to what it points at: melody and
// Java data inside their region and written by the patch for the size the
// entry gives; a picture well formed at the entry's width and height.
namespace tableentrycheck {

// The data the patch's rewritten entries point at: [start, end) each.
using Pointed = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

// Once the entries' bytes are kept: asks the image for the bytes the picture
// entries point at, which the check walks.
void wantPictures(PatchImage& image, const std::vector<AddressSpan>& spans);

// Reports the entries that point at data the patch does not write whole, and
// gives what each rewritten, non-standard entry points at.
Pointed run(const FirmwareDataSet& data, const PatchImage& image,
            const std::vector<AddressSpan>& spans, const QString& path, Report& report);

} // namespace tableentrycheck
