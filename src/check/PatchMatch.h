// SPDX-License-Identifier: MIT
#pragma once

#include "base/Report.h"
#include "check/PatchImage.h"
#include "dataset/FirmwareDataSet.h"
#include "manager/PatchAssembly.h"
#include "srec/SRecordReader.h"

#include <functional>
#include <memory>
#include <vector>

// Whether a patch is exactly what a manager's "Создать патч!" would build
// from the current choices: the same bytes at the same addresses, however
// the records are cut. For a patch of that manager, a slot whose bytes
// differ from its working copy, or whose table entry differs, is named.
namespace patchmatch {

struct SlotData {
    qsizetype slot = 0;
    QString file; // the working copy's bare name
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

struct Expected {
    const ManagerInfo* info = nullptr;
    bool patchOf = false;              // the patch rewrites this manager's table entries
    QString problem;                   // why the current choices cannot be built
    std::shared_ptr<PatchImage> image; // what they build, every byte kept
    std::vector<SlotData> newFiles;    // new files, where the build places them
    std::vector<qsizetype> entries;    // slots whose table entries the build writes
    std::vector<std::uint64_t> entryAddresses;
    std::vector<std::uint64_t> volumeAddresses; // of melody slots 0, 1, ... that have one
    bool sameRanges = false;
    bool sameBytes = true; // found by the visitor
};

// What the current choices of `info` build. Asks `patch` to keep what the
// comparison of slots needs when `patchOf`.
Expected expect(const FirmwareDataSet& data, const ManagerInfo& info, PatchImage& patch,
                bool patchOf);
// Whether a pass over the patch must compare its bytes with a build.
bool needsBytes(const std::vector<Expected>& expected);
// Compares each data record of the patch with the builds, in file order.
std::function<void(const srec::SRecord&)> visitor(std::vector<Expected>& expected);
// The slots that differ, then "matches the current melody choices: yes" lines
// ("no" for all once the report holds an error: run it after the other checks).
void report(const std::vector<Expected>& expected, const PatchImage& patch, const QString& path,
            Report& report);

} // namespace patchmatch
