// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The current user's application-data folder: %APPDATA% on Windows,
// $XDG_DATA_HOME (only when absolute; default ~/.local/share) elsewhere.
// Empty when unknown: no home and no usable XDG_DATA_HOME.
QString appDataFolder();
