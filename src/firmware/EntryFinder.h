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

// Fills each resource's entries, lowest first, and the entries giving it
// another size. A JAD has no end of its own: wherever a Java entry points at
// text whose lines read as a JAD under the size it gives, the longest such
// size makes a JAD resource there (at most kLongestJad). Reading a JAD's
// lines is spent from the budget.
void run(const FirmwareImage& image, std::vector<firmwarescan::Resource>& resources,
         firmwarescan::WorkBudget& budget);

} // namespace entryfinder
