#pragma once

#include "firmware/FirmwareMatch.h"

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
Result run(const FirmwareDataSet& data, const FirmwareImage& image);

} // namespace firmwarepreviews
