// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareImage.h"
#include "firmware/WorkProgress.h"

#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// What a firmware holds, found without a data set: every melody, Java file
// and picture whose structure validates wholly, the 8-byte table entries that
// point at each with its exact size, and the largest erased (FF) areas.
namespace firmwarescan {

enum class Kind { Midi, Smaf, Jad, Jar, Picture };
QString kindName(Kind kind); // "midi", "smaf", "jad", "jar", "picture"
// The same as shown to a person, in the language installed.
QString kindText(Kind kind);

struct Resource {
    Kind kind = Kind::Midi;
    std::uint64_t address = 0;
    std::uint64_t size = 0;
    int width = 0; // pictures
    int height = 0;
    // What the content readers say: a melody's title and length, a game's
    // name, vendor and version, the JAR size a JAD names.
    QString title;
    qint64 durationMs = -1;
    QString midletVendor;
    QString midletVersion;
    qint64 declaredJarSize = -1;
    std::vector<std::uint64_t> entries; // addresses of the entries pointing at it, lowest first

    bool isMelody() const { return kind == Kind::Midi || kind == Kind::Smaf; }
    bool isJava() const { return kind == Kind::Jad || kind == Kind::Jar; }
};

struct Area {
    std::uint64_t address = 0;
    std::uint64_t size = 0;
};

struct Result {
    std::vector<Resource> resources; // by address
    std::vector<Area> erased;        // the largest first
    // Where the picture search gave up, its work limit spent: pictures from
    // there on are not listed. The limit grows with the image, so only bytes
    // made to mislead the search reach it.
    std::optional<std::uint64_t> pictureSearchStoppedAt;
    std::uint64_t pictureSteps = 0; // run records the picture search walked

    std::size_t entryCount() const;
    QString text() const; // one line per finding, then the summary line
    QJsonObject json() const;
};

// Erased areas smaller than this are not listed, nor more than kMostAreas.
inline constexpr std::uint64_t kLeastErasedArea = 4096;
inline constexpr std::size_t kMostAreas = 10;
// The run records the picture search may walk for each byte of the image,
// beyond one walk of the largest picture.
inline constexpr std::uint64_t kPictureStepsPerByte = 8;
// No JAD is taken longer than this.
inline constexpr std::uint64_t kLongestJad = 64 * 1024;

// Told how many of the image's bytes the scan has passed, of how many; a
// caller shows it as progress and may end the scan from it.
using Progress = workprogress::Progress;

Result run(const FirmwareImage& image, const Progress& progress = {});

} // namespace firmwarescan
