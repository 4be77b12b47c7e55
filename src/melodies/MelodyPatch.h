// SPDX-License-Identifier: MIT
#pragma once

#include "manager/PatchAssembly.h"

// The melody patch: the shared skeleton plus the Patch64K line and the volume
// records, with table entries holding address first, then size.
PatchHooks melodyPatchHooks();
