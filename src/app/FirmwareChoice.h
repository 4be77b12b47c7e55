// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/FirmwareImage.h"

#include <QString>
#include <optional>

class WindowHost;

// The window's firmware dialogs. Each starts in the folder of the firmware
// chosen last in any of them, that file offered (before any was chosen, the
// one chosen last for the window's data set). A raw image not named ".bin"
// is read once the user has given the address of its first byte.
namespace firmwarechoice {

// The open dialog's filter for a firmware file, in any of the forms read.
QString fileFilter();

// The firmware the user chooses; nothing when any question is cancelled.
// One chosen for another data set (the target of a port) is not
// remembered as the window's.
enum class For { ThisDataSet, AnotherDataSet };
std::optional<FirmwareSource> ask(WindowHost& window, For use = For::ThisDataSet);

// Remembers `path` as the firmware chosen last, and as data set id's when
// id is not empty.
void remember(const QString& id, const QString& path);

// "0x00100000", "100000": up to eight hexadecimal digits; nothing else.
std::optional<std::uint32_t> parseAddress(const QString& text);

} // namespace firmwarechoice
