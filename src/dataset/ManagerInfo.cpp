// SPDX-License-Identifier: MIT
#include "dataset/ManagerInfo.h"

#include <QCoreApplication>

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
        {QStringLiteral("StdMelodiesList.lst"), QStringLiteral("MelodiesFiles.lst"),
         QStringLiteral("MelodiesNames.lst"), QStringLiteral("MelodiesSize.lst")},
        {QStringLiteral("Стандартная мелодия"), QStringLiteral("Новый файл мелодии"),
         QStringLiteral("Новое название мелодии"), QStringLiteral("Размер")},
        {170, 180, 0, 55},
        QStringLiteral("MelodiesNames.lst"),
        &MemoryMap::melodyStart,
        true,
        &MemoryTotals::melodies,
        // Its table entry, region and rows, and their names in the reports.
        {0, 4, -1, -1},
        QStringLiteral("Melodies"),
        &MemoryMap::melodyEnd,
        QT_TRANSLATE_NOOP("Report", "melody region"),
        QT_TRANSLATE_NOOP("Report", "melody table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "melody table entries"),
        false,
        false,
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
        // The third column has no list: it is hidden on this page.
        {QStringLiteral("JavaStdNames.lst"), QStringLiteral("JavaFiles.lst"), QString(),
         QStringLiteral("JavaSize.lst")},
        {QStringLiteral("Стандартные файлы игры"), QStringLiteral("Новые JAVA файлы"),
         QStringLiteral("Новое название мелодии"), QStringLiteral("Размер")},
        {170, 180, 0, 55},
        QString(),
        &MemoryMap::javaStart,
        true,
        &MemoryTotals::java,
        // Its table entry, region and rows, and their names in the reports.
        {4, 0, -1, -1},
        QStringLiteral("JavaGames"),
        &MemoryMap::javaEnd,
        QT_TRANSLATE_NOOP("Report", "Java region"),
        QT_TRANSLATE_NOOP("Report", "Java table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "Java table entries"),
        false,
        true,
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
        {QStringLiteral("PicNames.lst"), QStringLiteral("PicFiles.lst"),
         QStringLiteral("PicSize.lst")},
        {QStringLiteral("Название картинки"), QStringLiteral("Новый файл картинки"),
         QStringLiteral("Размер")},
        {170, 180, 56},
        QString(),
        &MemoryMap::pictureStart,
        false,
        &MemoryTotals::pictures,
        // Its table entry, region and rows, and their names in the reports.
        {4, -1, 0, 2},
        QStringLiteral("Pictures"),
        &MemoryMap::pictureEnd,
        QT_TRANSLATE_NOOP("Report", "picture region"),
        QT_TRANSLATE_NOOP("Report", "picture table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "picture table entries"),
        true,
        false,
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

// all() holds the managers in the order of their kinds.
const ManagerInfo& of(ManagerKind kind) {
    return *all()[std::size_t(kind)];
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
