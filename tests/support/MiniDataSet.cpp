// SPDX-License-Identifier: MIT
#include "support/MiniDataSet.h"

#include "dataset/ListFile.h"

#include <QDir>

namespace {

QString hex8(quint32 v) {
    return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).toUpper();
}

QStringList repeat(int n, const QString& text) {
    QStringList out;
    for (int i = 0; i < n; ++i) {
        out << text;
    }
    return out;
}

} // namespace

QStringList MiniDataSet::lists() {
    return {
        "StdMelodiesList.lst", "MelodiesFiles.lst",      "MelodiesNames.lst",  "MelodiesSize.lst",
        "MelodiesTable.lst",   "StdMelodiesOffsets.lst", "VolumesOffsets.lst", "StdVolumes.lst",
        "Volumes.lst",         "JavaStdNames.lst",       "JavaFiles.lst",      "JavaSize.lst",
        "JavaStdOffsets.lst",  "JavaTable.lst",          "PicNames.lst",       "PicFiles.lst",
        "PicSize.lst",         "PicTable.lst",           "PicOffsets.lst"};
}

QStringList MiniDataSet::linesOf(const QString& list) const {
    if (overrides.contains(list)) {
        return overrides.value(list);
    }
    QStringList out;
    if (list == "StdMelodiesList.lst" || list == "MelodiesNames.lst") {
        for (int i = 0; i < melodies; ++i) {
            out << QStringLiteral("Мелодия %1").arg(i + 1);
        }
    } else if (list == "MelodiesFiles.lst") {
        out = repeat(melodies, QStringLiteral("[Стандартная мелодия]"));
    } else if (list == "MelodiesSize.lst" || list == "JavaSize.lst" || list == "PicSize.lst") {
        out = repeat(list.startsWith("Mel")    ? melodies
                     : list.startsWith("Java") ? java
                                               : pictures,
                     "0");
    } else if (list == "MelodiesTable.lst") {
        for (int i = 0; i < melodies; ++i) {
            out << hex8(0x00ABCDE0 + 8 * i);
        }
    } else if (list == "StdMelodiesOffsets.lst") {
        for (int i = 0; i < melodies; ++i) {
            out << hex8(0x00100000 + quint32(i)) + QStringLiteral("00020000");
        }
    } else if (list == "VolumesOffsets.lst") {
        for (int i = 0; i < std::min(melodies, 25); ++i) {
            out << hex8(0x00500000 + i);
        }
    } else if (list == "StdVolumes.lst" || list == "Volumes.lst") {
        out = repeat(std::min(melodies, 25), "40");
    } else if (list == "JavaStdNames.lst") {
        for (int i = 0; i < java; ++i) {
            out << QStringLiteral("Игра%1.%2").arg(i / 2).arg(i % 2 ? "jar" : "jad");
        }
    } else if (list == "JavaFiles.lst") {
        out = repeat(java, QStringLiteral("[Стандартная игра]"));
    } else if (list == "JavaTable.lst") {
        for (int i = 0; i < java; ++i) {
            out << hex8(0x01100020 + 8 * i);
        }
    } else if (list == "JavaStdOffsets.lst") {
        for (int i = 0; i < java; ++i) {
            out << QStringLiteral("00100000%1").arg(hex8(0x00900000 + 0x1000 * i));
        }
    } else if (list == "PicNames.lst") {
        for (int i = 0; i < pictures; ++i) {
            out << QStringLiteral("Картинка %1").arg(i + 1);
        }
    } else if (list == "PicFiles.lst") {
        out = repeat(pictures, QStringLiteral("[Стандартная картинка]"));
    } else if (list == "PicTable.lst") {
        for (int i = 0; i < pictures; ++i) {
            out << hex8(0x00600100 + 8 * i);
        }
    } else if (list == "PicOffsets.lst") {
        // Alternating 4 x 2 and 2 x 2 pictures.
        for (int i = 0; i < pictures; ++i) {
            out << (i % 2 ? QStringLiteral("0200020000007000")
                          : QStringLiteral("0400020000007000"));
        }
    }
    return out;
}

QString MiniDataSet::writeTo(const QString& userFolder, const QString& id) const {
    const QString firmware = userFolder + "/" + id;
    const QString data = firmware + "/Data";
    QDir().mkpath(data);
    for (const QString& list : lists()) {
        listfile::save(data + "/" + list, linesOf(list));
    }
    const QString ini =
        memoryIni.isEmpty()
            ? QStringLiteral("[Patches]\r\nVolumePatchAvailable=%1\r\n").arg(volumes ? 1 : 0)
            : memoryIni;
    listfile::writeWhole(data + "/Memory.ini", ini.toLatin1());
    listfile::writeWhole(data + "/JavaHelp.rtf", "{\\rtf1 Java help}");
    listfile::writeWhole(data + "/PicHelp.rtf", "{\\rtf1 Picture help}");
    return firmware;
}

#include "platform/SettingsStore.h"

MiniSession::MiniSession(const MiniDataSet& set) {
    SettingsStore::setOverrideFile(scratch.path("settings.ini"));
    QDir().mkpath(userFolder());
    set.writeTo(userFolder());
    SessionOptions options;
    options.userFolder = userFolder();
    options.bundledRoot = scratch.path("no-bundled-data-sets");
    session = std::make_unique<Session>(options);
    session->start();
}

MiniSession::~MiniSession() {
    SettingsStore::setOverrideFile({});
}
