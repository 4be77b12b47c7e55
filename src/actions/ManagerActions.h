// SPDX-License-Identifier: MIT
#pragma once

#include "java/JavaPair.h"
#include "manager/SlotTable.h"
#include "pictures/PictureSlots.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

// A slot changed the one way the window and the command line both change
// one: the manager's own step, the game's other half settled, and the lists
// saved together with the working copies they name. The front end only says
// how to ask and shows what came of it.
namespace manageractions {

struct AssignOptions {
    bool fit = false; // a picture of another size fitted to the slot instead of refused
    // Whose words a picture of the wrong size is refused in: how to have it
    // fitted differs between the window and the command line.
    pictureslots::Front front = pictureslots::Front::CommandLine;
    // Asked before a game's JAD is corrected; none agrees, as the command line does.
    javapair::Consent consent = {};
};

struct Change {
    // Not empty: the file was refused, nothing changed and nothing saved.
    QString refusal;
    // A picture taken, as its working copy holds it.
    QImage picture;
    // What the change did to the game's other half.
    javapair::Settled pair;
    // What the taken file holds that is only warned about: the choice stands.
    QStringList warnings;
};

// Takes `file` for the slot and saves. A file that cannot be read raises
// before anything is changed; a bad size line raises before the save.
Change assign(SlotTable& table, qsizetype slot, const QString& file,
              const AssignOptions& options = {});

// The slot's standard resource back, and saves. `beforeSave` is run once the
// lists hold the change, for what the front end changes with it.
Change restore(SlotTable& table, qsizetype slot, const javapair::Consent& consent = {},
               const std::function<void()>& beforeSave = {});

} // namespace manageractions
