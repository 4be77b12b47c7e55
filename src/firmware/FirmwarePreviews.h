// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareMatch.h"
#include "firmware/WorkProgress.h"

// The data set's previews (Pic/N.jpg) made from the firmware's own pictures.
namespace firmwarepreviews {

struct Result {
    firmwarematch::Result match;
    int written = 0;
    // Refused, writing nothing, when a picture entry differs or a picture is
    // not well formed in the firmware.
    bool refused = false;
};

// Each preview is replaced whole; raises when one cannot be written.
// Progress counts the pictures made; the previews are written after the last.
Result run(const FirmwareDataSet& data, const FirmwareImage& image,
           const workprogress::Progress& progress = {});

} // namespace firmwarepreviews
