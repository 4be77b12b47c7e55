#pragma once

#include "manager/SlotTable.h"

#include <optional>

// Restoring a melody slot also gives a volume slot its standard volume back
// (with the volume patch); returns that volume's position when it did.
std::optional<int> restoreMelody(SlotTable& table, qsizetype slot);
