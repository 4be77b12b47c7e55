// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareImage.h"
#include "firmware/FirmwareScan.h"

#include <cstdint>
#include <vector>

// The 8-byte table entries anywhere in a firmware that point at found
// resources with their exact size, each in its manager's layout: melodies
// address then size, Java size then address, pictures width, height, then
// address. One pass over the image, whatever the number of resources.
namespace entryfinder {

// Fills each resource's entries, lowest first. A JAD has no end of its own:
// each place in jadStarts becomes a JAD resource for every size a Java entry
// gives it under which its bytes read as a JAD (longest kLongestJad).
void run(const FirmwareImage& image, std::vector<firmwarescan::Resource>& resources,
         const std::vector<std::uint64_t>& jadStarts);

} // namespace entryfinder
