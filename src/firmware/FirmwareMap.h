// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareRevert.h"
#include "firmware/FirmwareScan.h"

#include <QString>
#include <cstdint>
#include <vector>

// A firmware's address range as one horizontal strip: where its bytes lie,
// the erased areas, each resource by kind, the table entries and what a patch
// writes, to scale. The window draws it and `scan --svg` writes it; both take
// the pieces and their places from here.
namespace firmwaremap {

// One row of the strip each, top to bottom.
enum class Lane { Held, Erased, Resources, Entries, Patch };
inline constexpr int kLanes = 5;

struct Piece {
    Lane lane = Lane::Held;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    int resource = -1; // index in the scan's resources, -1 for none
    QString color;     // "#rrggbb"
    QString tip;       // what a pointer over it is told
    double x = 0;      // place and width on the strip, in its units
    double width = 0;
};

struct Map {
    std::uint64_t start = 0; // the lowest address the firmware holds
    std::uint64_t end = 0;   // one past the highest
    double width = 0;
    std::vector<Piece> pieces; // lane by lane, by address within a lane
};

// No piece narrower than this, so that an 8-byte entry in 32 MiB still shows.
inline constexpr double kLeastWidth = 2.0;

// The strip of `width` units for the firmware, what the scan found in it and
// the ranges a patch writes (none: no patch given).
Map layout(const FirmwareImage& image, const firmwarescan::Result& scan,
           const std::vector<firmwarerevert::Span>& patch, double width);

// The piece of the lane under x (the last drawn wins), or nullptr.
const Piece* pieceAt(const Map& map, Lane lane, double x);

// The map as a standalone SVG picture of lanes of laneHeight, each piece
// with its tip as a title.
QByteArray svg(const Map& map, double laneHeight);

} // namespace firmwaremap
