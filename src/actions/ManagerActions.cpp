// SPDX-License-Identifier: MIT
#include "actions/ManagerActions.h"

#include "actions/ManagerSteps.h"
#include "manager/SlotContent.h"

namespace manageractions {

namespace {

// A game's other half follows a change to one: its JAD corrected in the same
// save where `consent` agrees, what cannot be corrected told.
javapair::Settled settlePair(SlotTable& table, qsizetype slot, const javapair::Consent& consent) {
    if (!table.info().pairedRows) {
        return {};
    }
    return javapair::settle(
        table, slot, consent ? consent : [](const javapair::SizeCorrection&) { return true; });
}

} // namespace

Change assign(SlotTable& table, qsizetype slot, const QString& file, const AssignOptions& options) {
    Change change;
    const managersteps::Taken taken =
        managersteps::of(table.info()).assign(table, slot, file, options.fit, options.front);
    if (!taken.refusal.isEmpty()) {
        change.refusal = taken.refusal;
        return change;
    }
    change.picture = taken.picture;
    change.pair = settlePair(table, slot, options.consent);
    table.gauge(); // a bad size line stops here, before anything is saved
    table.save();
    if (const auto described = slotcontent::of(table, slot)) {
        change.warnings = described->problems;
    }
    return change;
}

Change restore(SlotTable& table, qsizetype slot, const javapair::Consent& consent,
               const std::function<void()>& beforeSave) {
    Change change;
    managersteps::of(table.info()).restore(table, slot);
    change.pair = settlePair(table, slot, consent);
    if (beforeSave) {
        beforeSave();
    }
    table.save();
    return change;
}

} // namespace manageractions
