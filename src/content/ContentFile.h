// SPDX-License-Identifier: MIT
#pragma once

#include "content/ContentInfo.h"

// A chosen file's content, read through the one file door.
namespace content {

// Files larger than this are not read: no melody, game or picture of the
// handset comes near it.
constexpr qint64 kLargestFile = 64 << 20;

// What the file holds, with a problem when its suffix names another kind (a
// PNG picture named .jpg), when it cannot be read, or when SMAF data does not
// fill it exactly. Never throws.
ContentInfo describeFile(const QString& path);

// The line shown for a file: "MIDI, 0:02, «Morning Tune»", "Space Run 1.2.0
// (Ulvane Games), MIDP-1.0", "MP3 — the handset does not play MP3".
QString summary(const ContentInfo& info);

} // namespace content
