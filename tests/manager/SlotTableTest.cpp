// SPDX-License-Identifier: MIT
#include "manager/SlotTable.h"

#include "base/TarvexError.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "dataset/Session.h"
#include "platform/SettingsStore.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <limits>

using testsupport::Scratch;

namespace {

class SlotTableTest : public ::testing::Test {
protected:
    SlotTable table(const ManagerInfo& info) { return SlotTable(mini.data(), info); }
    QString work(const QString& folder) const { return mini.firmware(folder); }

    MiniSession mini;
    Scratch& scratch = mini.scratch;
    std::unique_ptr<Session>& session = mini.session;
};

} // namespace

TEST(Gauge, RoundsHalfToEvenAndLimitsAtTheTotal) {
    EXPECT_EQ(SlotTable::gaugeFor(1, 200).percent, 0);
    EXPECT_EQ(SlotTable::gaugeFor(3, 200).percent, 2);
    EXPECT_EQ(SlotTable::gaugeFor(199, 200).percent, 100);
    EXPECT_FALSE(SlotTable::gaugeFor(199, 200).overLimit);
    const SlotTable::Gauge full = SlotTable::gaugeFor(200, 200);
    EXPECT_EQ(full.percent, 100);
    EXPECT_FALSE(full.overLimit);
    const SlotTable::Gauge over = SlotTable::gaugeFor(201, 200);
    EXPECT_EQ(over.percent, 100);
    EXPECT_TRUE(over.overLimit);
    // A zero total with nothing used is an empty gauge, not 0/0.
    EXPECT_EQ(SlotTable::gaugeFor(0, 0).percent, 0);
    EXPECT_FALSE(SlotTable::gaugeFor(0, 0).overLimit);
    EXPECT_TRUE(SlotTable::gaugeFor(1, 0).overLimit);
    EXPECT_TRUE(SlotTable::gaugeFor(0, -5).overLimit);
}

TEST(Gauge, AnyPairOf32BitValuesGivesZeroToHundred) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    // Ratios far past the int range once multiplied by 100.
    EXPECT_EQ(SlotTable::gaugeFor(kMin, -1).percent, 100);
    EXPECT_EQ(SlotTable::gaugeFor(-2'000'000'000, -3).percent, 100);
    EXPECT_EQ(SlotTable::gaugeFor(kMin, kMax).percent, 0);
    EXPECT_EQ(SlotTable::gaugeFor(-5, 10).percent, 0);
    EXPECT_EQ(SlotTable::gaugeFor(kMax, kMax).percent, 100);
    EXPECT_EQ(SlotTable::gaugeFor(1, kMax).percent, 0);
    EXPECT_EQ(SlotTable::gaugeFor(kMax / 2 + 1, kMax).percent, 50);
    // Ties go to the even integer at any scale.
    EXPECT_EQ(SlotTable::gaugeFor(15, 1000).percent, 2);
    EXPECT_EQ(SlotTable::gaugeFor(25, 1000).percent, 2);
    EXPECT_EQ(SlotTable::gaugeFor(50'000'000, 2'000'000'000).percent, 2);
    EXPECT_EQ(SlotTable::gaugeFor(70'000'000, 2'000'000'000).percent, 4);
}

TEST_F(SlotTableTest, GaugeSumsTheSizeListWithChecks) {
    SlotTable melodies = table(managers::melodies());
    session->dataSet().setLine("MelodiesSize.lst", 0, "100");
    session->dataSet().setLine("MelodiesSize.lst", 2, "23");
    EXPECT_EQ(melodies.gauge().used, 123);
    session->dataSet().setLine("MelodiesSize.lst", 1, "2147483600");
    try {
        melodies.gauge();
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Integer overflow");
    }
    session->dataSet().setLine("MelodiesSize.lst", 1, "12k");
    EXPECT_THROW(melodies.gauge(), TarvexError);
}

TEST_F(SlotTableTest, AssignCopiesRecordsAndRefusesNamesInUse) {
    SlotTable java = table(managers::java());
    const QString jad = scratch.write("in/Game.jad", QByteArray(37, 'd'));
    ASSERT_EQ(java.assignFile(2, jad), SlotTable::AssignResult::Assigned);
    EXPECT_EQ(java.fileName(2), "Game.jad");
    EXPECT_EQ(java.size(2), "37");
    EXPECT_EQ(testsupport::readAll(work("TempJava/Game.jad")), QByteArray(37, 'd'));
    // The same name for the same slot or another is refused, nothing changes.
    EXPECT_EQ(java.assignFile(2, jad), SlotTable::AssignResult::NameInUse);
    EXPECT_EQ(java.assignFile(0, scratch.write("other/Game.jad", "x")),
              SlotTable::AssignResult::NameInUse);
    EXPECT_EQ(java.fileName(0), QStringLiteral("[Стандартная игра]"));
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // Where case counts, a name differing only in case is another file.
    EXPECT_EQ(java.assignFile(0, scratch.write("other/game.jad", "xy")),
              SlotTable::AssignResult::Assigned);
    EXPECT_EQ(testsupport::readAll(work("TempJava/Game.jad")), QByteArray(37, 'd'));
#endif
    // A source that cannot be read records nothing: the slot keeps its choice.
    const QString before = java.fileName(1);
    EXPECT_THROW(java.assignFile(1, scratch.path("missing.jar")), TarvexError);
    EXPECT_EQ(java.fileName(1), before);
}

TEST_F(SlotTableTest, RestoreAndRowsFollowTheLists) {
    SlotTable melodies = table(managers::melodies());
    const QString file = scratch.write("in/new.mid", "abc");
    melodies.assignFile(1, file);
    EXPECT_EQ(melodies.row(1).columns, (QStringList{QStringLiteral("Мелодия 2"), "new.mid",
                                                    QStringLiteral("Мелодия 2"), "3"}));
    session->dataSet().setLine("MelodiesNames.lst", 1, "renamed");
    melodies.restore(1);
    EXPECT_EQ(melodies.row(1).columns,
              (QStringList{QStringLiteral("Мелодия 2"), QStringLiteral("[Стандартная мелодия]"),
                           QStringLiteral("Мелодия 2"), "0"}));
    EXPECT_TRUE(QFile::exists(work("TempMelodies/new.mid")));
    EXPECT_EQ(table(managers::java()).row(0).columns.size(), 4);
    EXPECT_EQ(table(managers::pictures()).row(0).columns.size(), 3);
}

TEST_F(SlotTableTest, CleanerDeletesWhatNoSlotNames) {
    SlotTable pictures = table(managers::pictures());
    session->dataSet().setLine("PicFiles.lst", 0, "kept.bmp");
    scratch.write("user/X120XEDJ2/TempPic/kept.bmp", "k");
    scratch.write("user/X120XEDJ2/TempPic/old.bmp", "o");
    scratch.write("user/X120XEDJ2/TempPic/temp.09", "t");
    scratch.write("user/X120XEDJ2/TempPic/Kept.bmp", "case");
    QDir().mkpath(work("TempPic/sub.dir"));
    pictures.cleanWorkFolder();
    EXPECT_TRUE(QFile::exists(work("TempPic/kept.bmp")));
    EXPECT_FALSE(QFile::exists(work("TempPic/old.bmp")));
    EXPECT_FALSE(QFile::exists(work("TempPic/temp.09")));
    EXPECT_TRUE(QDir(work("TempPic/sub.dir")).exists());
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    EXPECT_FALSE(QFile::exists(work("TempPic/Kept.bmp")));
#endif
}
