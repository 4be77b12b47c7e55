#pragma once

#include <QString>

// The current user's application-data folder: %APPDATA% on Windows,
// $XDG_DATA_HOME (default ~/.local/share) elsewhere. Empty when unknown.
QString GetAppDataFolder();
