// SPDX-License-Identifier: MIT
#pragma once

#include "manager/PatchAssembly.h"
#include "manager/SlotTable.h"

#include <QString>

// The per-manager steps behind the generic commands.
namespace cli {

// Chooses the file for the slot as the page's open button does (fitting a
// picture of another size when `fit`); returns the warning the page would
// show when it refuses, else empty.
QString assign(SlotTable& table, qsizetype slot, const QString& file, bool fit = false);
void restore(SlotTable& table, qsizetype slot);

} // namespace cli
