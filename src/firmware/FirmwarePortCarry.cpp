// SPDX-License-Identifier: MIT
#include "firmware/FirmwarePortCarry.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "check/SlotFilesCheck.h"
#include "dataset/NumericText.h"
#include "dataset/TreeCopy.h"
#include "platform/FileOps.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <limits>

namespace firmwareport {

namespace {

QString bytes(std::int64_t n) {
    return countedText(n, QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                       QT_TRANSLATE_N_NOOP("Report", "%n bytes"));
}

} // namespace

QString Choice::what() const {
    return volume ? QCoreApplication::translate("Report", "the volume of melody slot %1").arg(slot)
                  : QCoreApplication::translate("Report", manager->texts.resource).arg(slot);
}

QString Choice::text() const {
    if (!carried()) {
        return QCoreApplication::translate("Report", "left behind: %1, %2: %3")
            .arg(what(), file, reason);
    }
    if (volume) {
        return QCoreApplication::translate("Report", "carried to the new set: %1, %2")
            .arg(what(), file);
    }
    return QCoreApplication::translate("Report", "carried to the new set: %1, %2, %3")
        .arg(what(), file, bytes(size.toLongLong()));
}

QJsonObject Choice::json() const {
    QJsonObject out{
        {QStringLiteral("manager"), manager->id},
        {QStringLiteral("slot"), slot},
        {QStringLiteral("kind"), volume ? QStringLiteral("volume") : QStringLiteral("file")}};
    if (volume) {
        out.insert(QStringLiteral("volume"), file);
    } else {
        out.insert(QStringLiteral("file"), file);
        out.insert(QStringLiteral("size"), size.toLongLong());
        if (!manager->newNamesList.isEmpty()) {
            out.insert(QStringLiteral("name"), name);
        }
    }
    if (!carried()) {
        out.insert(QStringLiteral("reason"), reason);
    }
    return out;
}

namespace {

QString cannotRead(const QString& path, const QString& why) {
    return QCoreApplication::translate("Report", "its working copy %1 cannot be read: %2")
        .arg(path, why);
}

// Why the working copy cannot be taken along, empty when it can be read: it
// is opened, not read, before anything is decided.
QString unreadable(const QString& path) {
    if (QFileInfo(path).isSymLink()) { // never followed out of a working folder
        return QCoreApplication::translate("Report", "its working copy %1 is a link").arg(path);
    }
    QFile file;
    QString why;
    switch (fileops::openForReading(file, path, &why)) {
    case fileops::Opened::Missing:
        return QCoreApplication::translate("Report", "its working copy %1 is missing").arg(path);
    case fileops::Opened::Unreadable:
        return cannotRead(path, why);
    case fileops::Opened::Ok:
        break;
    }
    return {};
}

FirmwareDataSet loaded(const QString& root) {
    FirmwareDataSet data(root);
    data.readMemoryMap();
    data.createSlotLists();
    data.loadSlotLists();
    return data;
}

class Carrier {
public:
    Carrier(const FirmwareDataSet& old, const QString& root)
        : old_(old), root_(root), staged_(loaded(root)) {}

    std::vector<Choice> run() {
        for (const ManagerInfo* info : managers::all()) {
            if (old_.isAvailable(*info) && staged_.isAvailable(*info)) {
                files(*info);
            }
        }
        volumes();
        staged_.saveSlotLists();
        // Again after a choice the check refused is put back, so that what
        // is announced is what the saved set reads as. Each pass that puts
        // one back leaves one fewer carried, so this ends.
        while (readBack()) {
            staged_.saveSlotLists();
        }
        return std::move(choices_);
    }

private:
    void leaveBehind(Choice& c, const QString& reason) {
        if (c.carried()) {
            c.reason = reason;
        }
    }

    void files(const ManagerInfo& info) {
        const QStringList& files = old_.list(info.filesList);
        const QStringList& sizes = old_.list(info.sizeList);
        const QStringList none;
        const QStringList& names =
            info.newNamesList.isEmpty() ? none : old_.list(info.newNamesList);
        QString folderProblem;
        try {
            old_.requirePlainWorkFolder(info);
        } catch (const TarvexError& e) {
            folderProblem = e.message();
        }
        const qsizetype slotTotal = std::min(old_.slotCount(info), files.size());
        const bool oneToOne = staged_.slotCount(info) == old_.slotCount(info);
        std::vector<std::size_t> chosen; // this manager's choices, in slot order
        for (qsizetype i = 0; i < slotTotal; ++i) {
            if (files[i] == info.placeholder) {
                continue;
            }
            Choice c{&info, i, false, files[i], sizes.value(i), names.value(i), {}};
            bool sized = false;
            const qint64 size = c.size.toLongLong(&sized, 10);
            if (!oneToOne) {
                c.reason = QCoreApplication::translate(
                    "Report", "the new set has no slot that takes it one to one");
            } else if (!sized || size < 0) {
                c.reason = QCoreApplication::translate("Report",
                                                       "its recorded size is not a size in bytes");
            } else if (!fileops::isSafeBareName(c.file)) {
                c.reason = QCoreApplication::translate("Report", "its name names no working copy");
            } else if (!folderProblem.isEmpty()) {
                c.reason = folderProblem;
            } else {
                c.reason = unreadable(old_.workFile(info, c.file));
            }
            chosen.push_back(choices_.size());
            choices_.push_back(c);
        }
        keepPairsTogether(info);
        fit(info, chosen);
        treecopy::makeFolder(staged_.workFolder(info));
        std::vector<std::size_t> copied;
        for (const std::size_t k : chosen) {
            Choice& c = choices_[k];
            if (!c.carried()) {
                continue;
            }
            const QString from = old_.workFile(info, c.file);
            const QString to = staged_.workFile(info, c.file);
            QString writeError;
            if (fileops::copyReplacing(from, to, &writeError)) {
                copied.push_back(k);
            } else if (!writeError.isEmpty()) {
                throw errors::cannotCreateFile(to, writeError); // the new set cannot be whole
            } else {
                c.reason = cannotRead(from, fileops::unreadableReason(from));
            }
        }
        keepPairsTogether(info); // a half that could not be copied
        for (const std::size_t k : copied) {
            const Choice& c = choices_[k];
            if (!c.carried()) {
                dropCopy(info, c.file);
                continue;
            }
            staged_.setLine(info.filesList, c.slot, c.file);
            staged_.setLine(info.sizeList, c.slot, c.size);
            if (!info.newNamesList.isEmpty()) {
                staged_.setLine(info.newNamesList, c.slot, c.name);
            }
        }
    }

    // A JAD and its JAR (slots 2k and 2k+1) go together or stay together.
    void keepPairsTogether(const ManagerInfo& info) {
        if (!info.pairedRows) {
            return;
        }
        for (const Choice& left : choices_) {
            if (left.manager != &info || left.volume || left.carried()) {
                continue;
            }
            for (Choice& other : choices_) {
                if (other.manager == &info && !other.volume && other.slot == (left.slot ^ 1)) {
                    leaveBehind(other, QCoreApplication::translate(
                                           "Report", "the other half of its game stays behind"));
                }
            }
        }
    }

    // In slot order, a game's two halves as one, while the new region holds them.
    void fit(const ManagerInfo& info, const std::vector<std::size_t>& chosen) {
        std::int64_t total = std::numeric_limits<std::int32_t>::min();
        try {
            staged_.computeTotals();
            total = staged_.total(info);
        } catch (const TarvexError&) {
            // Left at its least: nothing fits a region the new set cannot measure.
        }
        std::int64_t used = 0;
        for (std::size_t k = 0; k < chosen.size();) {
            std::size_t end = k + 1;
            const qsizetype unit = choices_[chosen[k]].slot / 2;
            while (info.pairedRows && end < chosen.size() &&
                   choices_[chosen[end]].slot / 2 == unit) {
                ++end;
            }
            std::int64_t size = 0;
            for (std::size_t j = k; j < end; ++j) {
                const Choice& c = choices_[chosen[j]];
                size += c.carried() ? c.size.toLongLong() : 0;
            }
            if (size > 0 && used + size > total) {
                const QString reason =
                    QCoreApplication::translate("Report",
                                                "it does not fit: %1 needed, %2 left of %3")
                        .arg(bytes(size), bytes(std::max<std::int64_t>(total - used, 0)),
                             bytes(total));
                for (std::size_t j = k; j < end; ++j) {
                    leaveBehind(choices_[chosen[j]], reason);
                }
            } else {
                used += size;
            }
            k = end;
        }
    }

    void volumes() {
        if (!old_.volumesAvailable() || !staged_.volumesAvailable()) {
            return;
        }
        const QStringList& chosen = old_.list(managers::kVolumesList);
        const QStringList& standard = old_.list(managers::kStandardVolumesList);
        const qsizetype count =
            std::min(chosen.size(), staged_.list(managers::kVolumesList).size());
        for (qsizetype i = 0; i < count; ++i) {
            if (chosen[i] == standard.value(i)) {
                continue; // the new set's own standard volume stands
            }
            Choice c{&managers::melodies(), i, true, chosen[i], {}, {}, {}};
            const std::optional<std::uint32_t> value = numeric::hexField(chosen[i], 2);
            if (!value || *value < 1 || *value > 0x7F) {
                c.reason = QCoreApplication::translate("Report", "not a volume from 01 to 7F");
            } else {
                staged_.setLine(managers::kVolumesList, i, chosen[i]);
            }
            choices_.push_back(c);
        }
    }

    // The staged set read again as users' sets are read, with the check of
    // its slot files: a carried choice that does not read back as written,
    // or that the check finds wrong, is put back to standard. Whether any was.
    bool readBack() {
        const FirmwareDataSet again = loaded(root_);
        Report report;
        slotfilescheck::run(again, report);
        bool changed = false;
        for (Choice& c : choices_) {
            if (!c.carried()) {
                continue;
            }
            if (c.volume) {
                if (again.list(managers::kVolumesList).value(c.slot) != c.file) {
                    c.reason = QCoreApplication::translate(
                        "Report", "the new set does not read back what was written");
                    staged_.setLine(managers::kVolumesList, c.slot,
                                    staged_.list(managers::kStandardVolumesList).value(c.slot));
                    changed = true;
                }
                continue;
            }
            const ManagerInfo& info = *c.manager;
            if (again.list(info.filesList).value(c.slot) != c.file ||
                again.list(info.sizeList).value(c.slot) != c.size) {
                c.reason = QCoreApplication::translate(
                    "Report", "the new set does not read back what was written");
            }
            for (const Finding& f : report.findings()) {
                const bool ofSlot = f.line > 0 && (info.pairedRows ? (f.line - 1) / 2 == c.slot / 2
                                                                   : f.line - 1 == c.slot);
                if (f.error && ofSlot &&
                    (f.file == again.dataFile(info.filesList) ||
                     f.file == again.dataFile(info.sizeList))) {
                    // Of the copy as the old set holds it: the staged one goes.
                    leaveBehind(c, QString(f.text).replace(root_, old_.firmwareFolder()));
                }
            }
        }
        for (const ManagerInfo* info : managers::all()) {
            keepPairsTogether(*info);
        }
        for (const Choice& c : choices_) {
            if (!c.volume && !c.carried() &&
                staged_.list(c.manager->filesList).value(c.slot) == c.file) {
                putBack(*c.manager, c.slot);
                changed = true;
            }
        }
        return changed;
    }

    // A set written by hand may name one copy in two slots: it goes only
    // when no carried choice names it.
    void dropCopy(const ManagerInfo& info, const QString& file) {
        for (const Choice& c : choices_) {
            if (c.manager == &info && !c.volume && c.carried() && c.file == file) {
                return;
            }
        }
        fileops::remove(staged_.workFile(info, file));
    }

    void putBack(const ManagerInfo& info, qsizetype slot) {
        dropCopy(info, staged_.line(info.filesList, slot));
        staged_.setLine(info.filesList, slot, info.placeholder);
        staged_.setLine(info.sizeList, slot, QStringLiteral("0"));
        if (!info.newNamesList.isEmpty()) {
            staged_.setLine(info.newNamesList, slot, staged_.line(info.namesList, slot));
        }
    }

    const FirmwareDataSet& old_;
    QString root_;
    FirmwareDataSet staged_;
    std::vector<Choice> choices_;
};

} // namespace

std::vector<Choice> carryChoices(const FirmwareDataSet& old, const QString& stagedRoot) {
    return Carrier(old, stagedRoot).run();
}

} // namespace firmwareport
