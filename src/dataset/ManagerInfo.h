// SPDX-License-Identifier: MIT
#pragma once

#include "dataset/MemoryMap.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

enum class ManagerKind { Melodies, Java, Pictures };

// Where each field of a manager's 8-byte table entry starts; -1 for a field
// it lacks. Addresses and sizes take 4 bytes, widths and heights 2.
struct EntryLayout {
    int address;
    int size;
    int width;
    int height;
};

// Whole sentences naming a manager's resources in reports, so that each
// translates as a whole (in the "Report" context).
struct ResourceTexts {
    const char* resource;       // "the melody of slot %1"
    const char* standard;       // "the standard melody of slot %1"
    const char* entry;          // "the melody table entry of slot %1"
    const char* entriesMatch;   // "melody entries match the firmware", counted
    const char* resourcesWhole; // "standard melodies lie whole in the firmware", counted
};

// What tells one resource manager from another: its lists, texts, working
// folder and availability flag. The slot table, gauge, cleaner and patch
// skeleton take one of these instead of being written three times.
struct ManagerInfo {
    ManagerKind kind;
    QString id; // the command line's name: "melodies", "java", "pictures"
    QString namesList;
    QString filesList;
    QString sizeList;
    QString tableList;
    QString standardEntryList;
    QStringList loadOrder; // read at start-up, in this order
    QStringList saveOrder; // written back, in this order
    QString helpFile;      // empty when the page has none
    QString placeholder;
    QString workFolder;
    QString statusFormat; // %1 name, %2 slot number from 1, %3 slot count
    QString saveFileName;
    bool MemoryMap::*available;
    // The slot table's columns: the list behind each (empty for none), their
    // captions and widths.
    QStringList rowLists;
    QStringList columnCaptions;
    QList<int> columnWidths;
    QString newNamesList; // the names shown for new files, melodies only
    // Where the region starts in Memory.ini; new files come after the string
    // table, except pictures.
    QString MemoryMap::*regionStart;
    bool afterStringTable;
    std::int32_t MemoryTotals::*total;

    // The firmware side: the table entry, the Memory.ini section holding the
    // region (StartOffset, EndOffset) and the page's key in [Patches], the
    // sentences naming the resources, and what only some managers have: the
    // volume lists kept with its lists, a JAD and its JAR on each two rows,
    // previews of the standard resources (Pic/N.jpg).
    EntryLayout entryLayout;
    QString iniSection;
    QString MemoryMap::*regionEnd;
    QString availableKey;
    ResourceTexts texts;
    bool keepsVolumeLists;
    bool pairedRows;
    bool hasPreviews;

    // --- How the data-set checks name the region and the table entries ---
    // (context "Report"): the region, one entry (%1 the slot) and all of them.
    const char* regionName;
    const char* entryName;
    const char* entriesName;
    // The slots hold pictures converted into the handset's own format, and a
    // table entry gives the picture's width and height.
    bool handsetPictures;

    // How the pages and the command line treat the slots.
    QString openDialog; // the slot's open dialog; each dialog remembers its own folder
    QString saveDialog; // the patch's save dialog
    // The open dialog's filter for slot n is openFilters[n % size]: a Java
    // slot pair takes its JAD on the even row and its JAR on the odd one.
    QStringList openFilters;
    // Limits of the size column's width (0: none).
    int sizeColumnMinimum;
    int sizeColumnMaximum;
};

namespace managers {
const ManagerInfo& melodies();
const ManagerInfo& java();
const ManagerInfo& pictures();
const std::array<const ManagerInfo*, 3>& all();
const ManagerInfo* byId(const QString& id);
const ManagerInfo& of(ManagerKind kind);

// A Java slot pair: its JAD on the even row, its JAR on the odd one after it.
inline bool isJarSlot(qsizetype slot) {
    return slot % 2 != 0;
}
inline qsizetype jadSlotOf(qsizetype slot) {
    return slot - slot % 2;
}

// The file suffixes the open dialog offers for a slot (without the dot, lower
// case): melodies mmf/mid/midi/rmi, JAD on even Java rows and JAR on odd ones,
// bitmaps, PNG, JPEG and GIF pictures.
QStringList acceptedSuffixes(const ManagerInfo& info, qsizetype slot);
// The open dialog's filter for the slot, in Qt's form.
QString openFilter(const ManagerInfo& info, qsizetype slot);
bool acceptsFile(const ManagerInfo& info, qsizetype slot, const QString& path);

// The warning shown when a chosen file's name is already some slot's.
QString nameInUseWarning(const ManagerInfo& info);

// The melody manager's volume lists, read and written only with the volume patch.
inline const QString kVolumeOffsetsList = QStringLiteral("VolumesOffsets.lst");
inline const QString kStandardVolumesList = QStringLiteral("StdVolumes.lst");
inline const QString kVolumesList = QStringLiteral("Volumes.lst");
} // namespace managers
