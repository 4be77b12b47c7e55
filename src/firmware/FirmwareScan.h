// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"
#include "firmware/FirmwareImage.h"
#include "firmware/WorkProgress.h"

#include <QJsonObject>
#include <QString>
#include <algorithm>
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
    // Entries pointing at its first byte but giving another size (from half
    // to twice its own), lowest first: a table made for a file of another
    // length, or a size off by a byte.
    struct OtherEntry {
        std::uint64_t address = 0;
        std::uint64_t size = 0;
        bool operator==(const OtherEntry&) const = default;
    };
    std::vector<OtherEntry> otherEntries;
    bool zip64 = false; // a JAR whose archive has ZIP64 end records

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
    // The same for the melodies' and Java files' structures: where their
    // search stopped, its work limit spent (files from there on may be
    // missing), and the chunks, entries, lines and bytes it read.
    std::optional<std::uint64_t> structureSearchStoppedAt;
    std::uint64_t structureSteps = 0;

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
// No JAD is taken longer than this, as no chosen JAD is.
inline constexpr std::uint64_t kLongestJad = std::uint64_t(content::kLongestJad);
// The steps the structure checks of melodies and Java files may take for
// each byte of the image, and beyond that: a chunk, directory entry or JAD
// line walked, a byte read by a content reader. Files as firmwares keep them
// take about one step a byte.
inline constexpr std::uint64_t kStructureStepsPerByte = 16;
inline constexpr std::uint64_t kStructureStepsBeyond = 1 << 20;

// What the structure checks may still spend, and where they were refused.
struct WorkBudget {
    std::uint64_t limit = 0;
    std::uint64_t spent = 0;
    std::optional<std::uint64_t> refusedAt; // the lowest address left unchecked

    bool left() const { return spent < limit; }
    void refuse(std::uint64_t address) {
        refusedAt = refusedAt ? std::min(*refusedAt, address) : address;
    }
};

// Told how many of the image's bytes the scan has passed, of how many; a
// caller shows it as progress and may end the scan from it.
using Progress = workprogress::Progress;

Result run(const FirmwareImage& image, const Progress& progress = {});

} // namespace firmwarescan
