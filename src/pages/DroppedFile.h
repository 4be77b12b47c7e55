// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QDropEvent;
class QMimeData;
struct ManagerInfo;

// Files dragged onto the window from a file manager. A drop is taken only
// when it carries exactly one file of this computer; anything else is
// refused with a text that tells the user why.
namespace droppedfile {

// Whether a drag carries links at all (so the cursor may offer the drop).
bool carriesUrls(const QMimeData* data);

struct Dropped {
    QString path;    // the file, when taken
    QString refusal; // why not, when refused
};
Dropped single(const QList<QUrl>& urls);

// The refusal of a file of a kind the slot does not take.
QString wrongKind(const QString& path, const QStringList& suffixes);

// One file of a kind slot `slot` of the manager takes, or why not.
Dropped forSlot(const QList<QUrl>& urls, const ManagerInfo& info, int slot);

// Answers a drag or drop event: a file is only ever copied, never moved (a
// source that honours a move would delete the user's file), so the drop is
// taken as a copy when `take` and the source offers one, else refused.
void answer(QDropEvent& event, bool take);

} // namespace droppedfile
