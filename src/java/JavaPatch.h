// SPDX-License-Identifier: MIT
#pragma once

#include "manager/PatchAssembly.h"

// The Java patch: the shared skeleton with table entries holding size first,
// then address. A JAD and its JAR are separate slots, placed one after another.
PatchHooks javaPatchHooks();
