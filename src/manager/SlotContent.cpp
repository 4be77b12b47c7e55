// SPDX-License-Identifier: MIT
#include "manager/SlotContent.h"

#include "content/ContentFile.h"
#include "dataset/ManagerInfo.h"
#include "platform/FileOps.h"

#include <QCoreApplication>

namespace slotcontent {

namespace {

// A melody slot plays MIDI, SMAF and RMID; a Java slot takes a JAD on even
// rows and a JAR on odd ones. MP3, WAV and AMR already say the handset does
// not play them, and a file whose suffix lies has been named for it.
void addSlotProblems(const ManagerInfo& manager, qsizetype slot, const QString& path,
                     content::ContentInfo& info) {
    using content::Kind;
    if (content::suffixLies(path, info.kind)) {
        return;
    }
    if (manager.kind == ManagerKind::Melodies && !content::isPlayableMelody(info.kind) &&
        info.kind != Kind::Mp3 && info.kind != Kind::Wav && info.kind != Kind::Amr) {
        info.problems << (info.kind == Kind::Unknown
                              ? QCoreApplication::translate("Report",
                                                            "not a melody the handset plays")
                              : QCoreApplication::translate("Report", "a %1 file, not a melody")
                                    .arg(content::kindLabel(info.kind)));
    }
    if (manager.pairedRows) {
        const Kind wanted = managers::isJarSlot(slot) ? Kind::Jar : Kind::Jad;
        if (info.kind != wanted) {
            info.problems << QCoreApplication::translate("Report", "not a %1 file")
                                 .arg(content::kindLabel(wanted));
        }
    }
}

} // namespace

content::ContentInfo ofFile(const ManagerInfo& info, qsizetype slot, const QString& path) {
    content::ContentInfo described = content::describeFile(path);
    addSlotProblems(info, slot, path, described);
    return described;
}

std::optional<content::ContentInfo> of(const SlotTable& table, qsizetype slot) {
    if (table.isStandard(slot)) {
        return std::nullopt;
    }
    const QString name = table.fileName(slot);
    if (!fileops::isSafeBareName(name)) {
        return std::nullopt;
    }
    return ofFile(table.info(), slot, table.data().workFile(table.info(), name));
}

} // namespace slotcontent
