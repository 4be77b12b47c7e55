// SPDX-License-Identifier: MIT
#include "dataset/ManagerInfo.h"

#include "base/Report.h"

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
        {0, 4, -1, -1},
        QStringLiteral("Melodies"),
        &MemoryMap::melodyEnd,
        QStringLiteral("MelTabAvailable"),
        {QT_TRANSLATE_NOOP("Report", "the melody of slot %1"),
         QT_TRANSLATE_NOOP("Report", "the standard melody of slot %1"),
         QT_TRANSLATE_NOOP("Report", "the melody table entry of slot %1"),
         QT_TRANSLATE_N_NOOP("Report", "melody entries match the firmware"),
         QT_TRANSLATE_N_NOOP("Report", "standard melodies lie whole in the firmware")},
        true,
        false,
        false,
        // How the data-set checks name its region and entries.
        QT_TRANSLATE_NOOP("Report", "melody region"),
        QT_TRANSLATE_NOOP("Report", "melody table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "melody table entries"),
        false,
        // How the pages and the command line open and save.
        QStringLiteral("OpenMelDialog"),
        QStringLiteral("SaveMelS3Dialog"),
        // MIDI in RIFF after the page's own filter: the handset plays the MIDI inside.
        {QStringLiteral("MMF, MIDI (*.mmf *.mid *.midi);;RIFF MIDI (*.rmi)")},
        50,
        0,
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
        {4, 0, -1, -1},
        QStringLiteral("JavaGames"),
        &MemoryMap::javaEnd,
        QStringLiteral("JavaTabAvailable"),
        {QT_TRANSLATE_NOOP("Report", "the Java file of slot %1"),
         QT_TRANSLATE_NOOP("Report", "the standard Java file of slot %1"),
         QT_TRANSLATE_NOOP("Report", "the Java table entry of slot %1"),
         QT_TRANSLATE_N_NOOP("Report", "Java entries match the firmware"),
         QT_TRANSLATE_N_NOOP("Report", "standard Java files lie whole in the firmware")},
        false,
        true,
        false,
        // How the data-set checks name its region and entries.
        QT_TRANSLATE_NOOP("Report", "Java region"),
        QT_TRANSLATE_NOOP("Report", "Java table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "Java table entries"),
        false,
        // How the pages and the command line open and save.
        QStringLiteral("OpenJavaDialog"),
        QStringLiteral("SaveJavaS3Dialog"),
        {QStringLiteral("JAD файлы (*.jad)"), QStringLiteral("JAR файлы (*.jar)")},
        50,
        0,
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
        {4, -1, 0, 2},
        QStringLiteral("Pictures"),
        &MemoryMap::pictureEnd,
        QStringLiteral("PicTabAvailable"),
        {QT_TRANSLATE_NOOP("Report", "the picture of slot %1"),
         QT_TRANSLATE_NOOP("Report", "the standard picture of slot %1"),
         QT_TRANSLATE_NOOP("Report", "the picture table entry of slot %1"),
         QT_TRANSLATE_N_NOOP("Report", "picture entries match the firmware"),
         QT_TRANSLATE_N_NOOP("Report", "standard pictures are well formed in the firmware")},
        false,
        false,
        true,
        // How the data-set checks name its region and entries.
        QT_TRANSLATE_NOOP("Report", "picture region"),
        QT_TRANSLATE_NOOP("Report", "picture table entry of slot %1"),
        QT_TRANSLATE_NOOP("Report", "picture table entries"),
        true,
        // How the pages and the command line open and save.
        QStringLiteral("OpenPicDialog"),
        QStringLiteral("SavePicS3Dialog"),
        // Every kind it reads first, so that a folder of PNG or JPEG pictures
        // does not look empty; the dialog then starts on the filter last used.
        {QStringLiteral("Все изображения (*.bmp *.png *.jpg *.jpeg *.gif);;Bitmaps (*.bmp)")},
        0,
        60,
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
        return {QStringLiteral("mmf"), QStringLiteral("mid"), QStringLiteral("midi"),
                QStringLiteral("rmi")};
    case ManagerKind::Java:
        return {isJarSlot(slot) ? QStringLiteral("jar") : QStringLiteral("jad")};
    case ManagerKind::Pictures:
        return {QStringLiteral("bmp"), QStringLiteral("png"), QStringLiteral("jpg"),
                QStringLiteral("jpeg"), QStringLiteral("gif")};
    }
    return {};
}

QString openFilter(const ManagerInfo& info, qsizetype slot) {
    return info.openFilters.value(slot % info.openFilters.size());
}

bool acceptsFile(const ManagerInfo& info, qsizetype slot, const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && acceptedSuffixes(info, slot).contains(path.mid(dot + 1).toLower());
}

QString nameInUseWarning(const ManagerInfo& info) {
    return info.kind == ManagerKind::Melodies
               ? Report::tr("The file is in use already. Please choose another melody file.")
               : Report::tr("The file is in use already. Please choose another file.");
}

const ManagerInfo* byId(const QString& id) {
    for (const ManagerInfo* info : all()) {
        if (info->id == id) {
            return info;
        }
    }
    return nullptr;
}

const ManagerInfo& of(ManagerKind kind) {
    switch (kind) {
    case ManagerKind::Melodies:
        return melodies();
    case ManagerKind::Java:
        return java();
    case ManagerKind::Pictures:
        break;
    }
    return pictures();
}

} // namespace managers
