// SPDX-License-Identifier: MIT
#pragma once

#include "manager/SlotTable.h"

#include <optional>

// Restoring a melody slot also gives a volume slot its standard volume back
// (with the volume patch); returns that volume's position when it did.
std::optional<int> restoreMelody(SlotTable& table, qsizetype slot);
// Just the volume part of it.
std::optional<int> restoreStandardVolume(SlotTable& table, qsizetype slot);
