// SPDX-License-Identifier: MIT
#include "dataset/ManagerInfo.h"

namespace managers {

const ManagerInfo& melodies() {
    static const ManagerInfo info{
        ManagerKind::Melodies,
        QStringLiteral("melodies"),
        QStringLiteral("StdMelodiesList.lst"),
        QStringLiteral("MelodiesFiles.lst"),
        QStringLiteral("MelodiesSize.lst"),
        QStringLiteral("MelodiesTable.lst"),
        QStringLiteral("StdMelodiesOffsets.lst"),
        {QStringLiteral("StdMelodiesList.lst"), QStringLiteral("MelodiesFiles.lst"),
         QStringLiteral("MelodiesNames.lst"), QStringLiteral("MelodiesSize.lst"),
         QStringLiteral("MelodiesTable.lst"), QStringLiteral("StdMelodiesOffsets.lst")},
        {QStringLiteral("MelodiesFiles.lst"), QStringLiteral("MelodiesNames.lst"),
         QStringLiteral("MelodiesSize.lst")},
        QString(),
        QStringLiteral("[Стандартная мелодия]"),
        QStringLiteral("TempMelodies"),
        QStringLiteral("Обрабатываю мелодию \"%1\", %2/%3"),
        QStringLiteral("MelodyPatch"),
        &MemoryMap::melodyPageAvailable,
    };
    return info;
}

const ManagerInfo& java() {
    static const ManagerInfo info{
        ManagerKind::Java,
        QStringLiteral("java"),
        QStringLiteral("JavaStdNames.lst"),
        QStringLiteral("JavaFiles.lst"),
        QStringLiteral("JavaSize.lst"),
        QStringLiteral("JavaTable.lst"),
        QStringLiteral("JavaStdOffsets.lst"),
        {QStringLiteral("JavaFiles.lst"), QStringLiteral("JavaSize.lst"),
         QStringLiteral("JavaStdNames.lst"), QStringLiteral("JavaStdOffsets.lst"),
         QStringLiteral("JavaTable.lst")},
        {QStringLiteral("JavaFiles.lst"), QStringLiteral("JavaSize.lst")},
        QStringLiteral("JavaHelp.rtf"),
        QStringLiteral("[Стандартная игра]"),
        QStringLiteral("TempJava"),
        QStringLiteral("Обрабатываю файл \"%1\", %2/%3"),
        QStringLiteral("JavaPatch"),
        &MemoryMap::javaPageAvailable,
    };
    return info;
}

const ManagerInfo& pictures() {
    static const ManagerInfo info{
        ManagerKind::Pictures,
        QStringLiteral("pictures"),
        QStringLiteral("PicNames.lst"),
        QStringLiteral("PicFiles.lst"),
        QStringLiteral("PicSize.lst"),
        QStringLiteral("PicTable.lst"),
        QStringLiteral("PicOffsets.lst"),
        {QStringLiteral("PicFiles.lst"), QStringLiteral("PicTable.lst"),
         QStringLiteral("PicOffsets.lst"), QStringLiteral("PicNames.lst"),
         QStringLiteral("PicSize.lst")},
        {QStringLiteral("PicFiles.lst"), QStringLiteral("PicSize.lst")},
        QStringLiteral("PicHelp.rtf"),
        QStringLiteral("[Стандартная картинка]"),
        QStringLiteral("TempPic"),
        QStringLiteral("Обрабатываю файл \"%1\", %2/%3"),
        QStringLiteral("PicturePatch"),
        &MemoryMap::picturePageAvailable,
    };
    return info;
}

const std::array<const ManagerInfo*, 3>& all() {
    static const std::array<const ManagerInfo*, 3> list{&melodies(), &java(), &pictures()};
    return list;
}

QStringList acceptedSuffixes(const ManagerInfo& info, qsizetype slot) {
    switch (info.kind) {
    case ManagerKind::Melodies:
        return {QStringLiteral("mmf"), QStringLiteral("mid"), QStringLiteral("midi")};
    case ManagerKind::Java:
        return {slot % 2 ? QStringLiteral("jar") : QStringLiteral("jad")};
    case ManagerKind::Pictures:
        return {QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("jpg"),
                QStringLiteral("jpeg"), QStringLiteral("gif")};
    }
    return {};
}

bool acceptsFile(const ManagerInfo& info, qsizetype slot, const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && acceptedSuffixes(info, slot).contains(path.mid(dot + 1).toLower());
}

QString nameInUseWarning(const ManagerInfo& info) {
    return info.kind == ManagerKind::Melodies
               ? QStringLiteral("Файл уже используется. Пожалуйста, выберите другой файл мелодии.")
               : QStringLiteral("Файл уже используется. Пожалуйста, выберите другой файл.");
}

const ManagerInfo* byId(const QString& id) {
    for (const ManagerInfo* info : all()) {
        if (info->id == id) {
            return info;
        }
    }
    return nullptr;
}

} // namespace managers
