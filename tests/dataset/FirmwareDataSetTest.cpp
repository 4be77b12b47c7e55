// SPDX-License-Identifier: MIT
#include "dataset/FirmwareDataSet.h"

#include "base/TarvexError.h"
#include "dataset/ListFile.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QFileInfo>

using testsupport::Scratch;

namespace {

FirmwareDataSet loaded(const QString& firmware) {
    FirmwareDataSet data(firmware);
    data.readMemoryMap();
    data.computeTotals();
    data.createSlotLists();
    data.loadSlotLists();
    return data;
}

} // namespace

TEST(FirmwareDataSet, LoadsTheListsOfEveryAvailableManager) {
    Scratch dir;
    MiniDataSet set;
    const FirmwareDataSet data = loaded(set.writeTo(dir.path()));
    EXPECT_EQ(data.slotCount(managers::melodies()), 3);
    EXPECT_EQ(data.slotCount(managers::java()), 4);
    EXPECT_EQ(data.slotCount(managers::pictures()), 2);
    EXPECT_EQ(data.list("Volumes.lst").size(), 3);
    EXPECT_EQ(data.line("JavaFiles.lst", 1), QStringLiteral("[Стандартная игра]"));
    EXPECT_EQ(data.helpText(managers::java()), QByteArray("{\\rtf1 Java help}"));
}

TEST(FirmwareDataSet, VolumeListsOnlyWithTheVolumePatch) {
    Scratch dir;
    MiniDataSet set;
    set.volumes = false;
    const QString firmware = set.writeTo(dir.path());
    QFile::remove(firmware + "/Data/Volumes.lst"); // not needed, so not missed
    FirmwareDataSet data = loaded(firmware);
    EXPECT_TRUE(data.hasList("Volumes.lst"));
    EXPECT_TRUE(data.list("Volumes.lst").isEmpty());
    data.saveSlotLists();
    EXPECT_FALSE(QFileInfo::exists(firmware + "/Data/Volumes.lst"));
}

TEST(FirmwareDataSet, UnavailableManagerReadsAndWritesNothing) {
    Scratch dir;
    MiniDataSet set;
    set.memoryIni = "[Patches]\r\nJavaTabAvailable=0\r\n";
    const QString firmware = set.writeTo(dir.path());
    for (const char* name : {"JavaFiles.lst", "JavaSize.lst", "JavaStdNames.lst", "JavaHelp.rtf"}) {
        QFile::remove(firmware + "/Data/" + name);
    }
    FirmwareDataSet data = loaded(firmware);
    EXPECT_FALSE(data.hasList("JavaFiles.lst"));
    data.saveSlotLists();
    EXPECT_FALSE(QFileInfo::exists(firmware + "/Data/JavaFiles.lst"));
}

TEST(FirmwareDataSet, MissingListStopsTheLoadWithItsPath) {
    Scratch dir;
    const QString firmware = MiniDataSet().writeTo(dir.path());
    QFile::remove(firmware + "/Data/MelodiesNames.lst");
    FirmwareDataSet data(firmware);
    data.readMemoryMap();
    data.createSlotLists();
    try {
        data.loadSlotLists();
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Cannot open file " + firmware + "/Data/MelodiesNames.lst");
    }
    // Lists read before the failure are kept; nothing after it was read, and
    // a save must not wipe the files that were never read.
    EXPECT_EQ(data.list("MelodiesFiles.lst").size(), 3);
    EXPECT_TRUE(data.list("MelodiesSize.lst").isEmpty());
    listfile::save(firmware + "/Data/MelodiesSize.lst", {"1", "2", "3"});
    data.saveSlotLists();
    EXPECT_EQ(listfile::load(firmware + "/Data/MelodiesSize.lst"), (QStringList{"1", "2", "3"}));
}

TEST(FirmwareDataSet, ShortListFailsOnTheFirstMissingLine) {
    Scratch dir;
    MiniDataSet set;
    set.overrides["MelodiesSize.lst"] = {"0", "0"};
    FirmwareDataSet data = loaded(set.writeTo(dir.path()));
    EXPECT_EQ(data.line("MelodiesSize.lst", 1), "0");
    try {
        data.line("MelodiesSize.lst", 2);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "List index out of bounds (2)");
    }
    EXPECT_THROW(data.setLine("MelodiesSize.lst", 2, "5"), TarvexError);
}

TEST(FirmwareDataSet, SavesOnlyTheChangeableListsInTheirOrder) {
    Scratch dir;
    const QString firmware = MiniDataSet().writeTo(dir.path());
    FirmwareDataSet data = loaded(firmware);
    const QByteArray tableBefore = testsupport::readAll(firmware + "/Data/MelodiesTable.lst");
    data.setLine("MelodiesTable.lst", 0, "00000000"); // read-only: never written
    data.setLine("MelodiesFiles.lst", 0, "a.mmf");
    data.setLine("Volumes.lst", 0, "7F");
    data.setLine("PicSize.lst", 1, "22");
    data.saveSlotLists();
    EXPECT_EQ(testsupport::readAll(firmware + "/Data/MelodiesTable.lst"), tableBefore);
    EXPECT_EQ(listfile::load(firmware + "/Data/MelodiesFiles.lst").first(), "a.mmf");
    EXPECT_EQ(listfile::load(firmware + "/Data/Volumes.lst").first(), "7F");
    EXPECT_EQ(listfile::load(firmware + "/Data/PicSize.lst").last(), "22");
}

TEST(FirmwareDataSet, AnUnwritableListStopsTheWholeSave) {
    Scratch dir;
    const QString firmware = MiniDataSet().writeTo(dir.path());
    FirmwareDataSet data = loaded(firmware);
    // A folder in the way of MelodiesNames.lst: no list is written, so the
    // lists on disk stay in step.
    QFile::remove(firmware + "/Data/MelodiesNames.lst");
    QDir().mkdir(firmware + "/Data/MelodiesNames.lst");
    data.setLine("MelodiesFiles.lst", 0, "x.mid");
    data.setLine("MelodiesSize.lst", 0, "9");
    try {
        data.saveSlotLists();
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + firmware + "/Data/MelodiesNames.lst");
    }
    EXPECT_EQ(listfile::load(firmware + "/Data/MelodiesFiles.lst").first(),
              QStringLiteral("[Стандартная мелодия]"));
    EXPECT_EQ(listfile::load(firmware + "/Data/MelodiesSize.lst").first(), "0");
}
