// SPDX-License-Identifier: MIT
#pragma once

#include "manager/PatchAssembly.h"

// The melody patch: the shared skeleton plus the Patch64K line and the volume
// records, with table entries holding address first, then size.
PatchHooks melodyPatchHooks();

// Why the Patch64K line cannot go into a patch: it must be one S3 data record.
// Empty when it is one, or when the line is empty (the firmware needs none).
// The data set's check reports it, and the build refuses it.
QString patch64KProblem(const MemoryMap& map);
