#pragma once

#include "check/AddressLayout.h"
#include "check/PatchImage.h"
#include "check/Report.h"

#include <vector>

// Follows every table entry a patch rewrites to what it points at: melody and
// Java data inside their region and written by the patch for the size the
// entry gives; a picture well formed at the entry's width and height.
namespace tableentrycheck {

void run(const FirmwareDataSet& data, const PatchImage& image,
         const std::vector<AddressSpan>& spans, const QString& path, Report& report);

} // namespace tableentrycheck
