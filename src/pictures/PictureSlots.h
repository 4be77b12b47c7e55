// SPDX-License-Identifier: MIT
#pragma once

#include "manager/PatchAssembly.h"
#include "manager/SlotTable.h"

#include <QImage>
#include <QString>

// The picture manager's own steps on the shared slot table: a picture is only
// taken at exactly the slot's size (or fitted to it on request), and what
// counts against the memory is its size once converted into the handset
// picture format.
namespace pictureslots {

struct RequiredSize {
    int width = 0;
    int height = 0;
};
// From the slot's standard entry: digits 1-2 give the width, 5-6 the height.
// Raises "'%s' is not a valid integer value" for digits that are not hexadecimal.
RequiredSize requiredSize(const SlotTable& table, qsizetype slot);
// The warning for a picture of another size: "Картинка не соответствует
// размеру 32х32 пикселей. Пожалуйста, выберите другой файл.", then the
// picture's own size and how to have it fitted: in the window by its check
// box, on the command line also by its option.
enum class Front { Window, CommandLine };
QString sizeRefusal(RequiredSize size, QSize actual, Front front = Front::CommandLine);

// The working file the conversion writes and deletes again.
QString convertedFile(const SlotTable& table);

enum class Outcome { Accepted, WrongSize, NameInUse, UnsafeName };
struct Choice {
    Outcome outcome = Outcome::Accepted;
    QImage picture;  // the chosen picture as loaded (also when refused for its size)
    QString warning; // what to tell the user when refused
};

enum class Fit { No, Yes };

// Takes a picture (see loadPicture) for the slot: checks its size, keeps a
// working copy under its bare name, converts it to measure it and records
// name and size (not saved). With Fit::Yes a picture of another size is
// fitted to the slot instead of refused and kept as a 24-bit bitmap named
// after it (see picturefit); that name is checked as a chosen one is. A name
// another slot already uses is refused: two slots must never share one
// working copy, or one of them would be built from the other's picture.
Choice choose(SlotTable& table, qsizetype slot, const QString& picturePath, Fit fit = Fit::No);

// The size in bytes of the picture's converted form, measured through the
// working file, which is deleted again.
std::int64_t convertedSize(const SlotTable& table, const QImage& picture);

// The picture patch: each new picture converted, with table entries holding
// width, height and address.
PatchHooks patchHooks();

} // namespace pictureslots
