// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"
#include "manager/SlotTable.h"

#include <optional>

// What a slot's new file holds, and what makes it wrong for its slot.
namespace slotcontent {

// The working copy of a replaced slot, described, with the slot's own
// problems added; nothing for a standard slot.
std::optional<content::ContentInfo> of(const SlotTable& table, qsizetype slot);
// A chosen file, described for the slot it goes to.
content::ContentInfo ofFile(const ManagerInfo& info, qsizetype slot, const QString& path);

} // namespace slotcontent
