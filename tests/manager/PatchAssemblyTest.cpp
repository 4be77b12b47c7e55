// SPDX-License-Identifier: MIT
#include "manager/PatchAssembly.h"

#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "dataset/ListFile.h"
#include "dataset/Session.h"
#include "java/JavaPatch.h"
#include "melodies/MelodyPatch.h"
#include "platform/SettingsStore.h"
#include "srec/S3Records.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>

using testsupport::Scratch;

namespace {

class PatchTest : public ::testing::Test {
protected:
    void start() { mini = std::make_unique<MiniSession>(set); }

    FirmwareDataSet& data() { return mini->data(); }
    QString work(const QString& relative) const { return mini->firmware(relative); }
    QString scratchWrite(const QString& relative, const QByteArray& bytes) {
        return mini->scratch.write(relative, bytes);
    }

    // Puts a file of `bytes` into the slot as the open button would.
    void give(SlotTable& table, qsizetype slot, const QString& name, const QByteArray& bytes) {
        ASSERT_EQ(table.assignFile(slot, scratchWrite("in/" + name, bytes)),
                  SlotTable::AssignResult::Assigned);
    }

    static QStringList lines(const S3LineList& list) {
        QStringList out;
        for (qsizetype i = 0; i < list.count(); ++i) {
            out << cp1251::decode(list.line(i));
        }
        return out;
    }

    MiniDataSet set;
    std::unique_ptr<MiniSession> mini;
};

} // namespace

TEST_F(PatchTest, MelodyPatchWithNothingNewAndNoVolumes) {
    set.volumes = false;
    start();
    SlotTable table(data(), managers::melodies());
    QStringList progress;
    const QStringList patch =
        lines(patch::build(table, melodyPatchHooks(), [&](const QString& t) { progress << t; }));
    EXPECT_EQ(patch,
              (QStringList{"S00600004844521B", "S3150006F10018184568381CFFF7E3FC041C3A1C0C4F1C",
                           srec::tableRecord("00ABCDE0", "0010000000020000"),
                           srec::tableRecord("00ABCDE8", "0010000100020000"),
                           srec::tableRecord("00ABCDF0", "0010000200020000"), "S705A002000058"}));
    EXPECT_EQ(progress.last(), QStringLiteral("Обрабатываю мелодию \"Мелодия 3\", 3/3"));
}

TEST_F(PatchTest, MelodyWorkedExampleWithVolumesAndOddSizes) {
    start();
    SlotTable table(data(), managers::melodies());
    give(table, 0, "first.mmf", QByteArray(12345, 'a'));
    give(table, 2, "second.mid", "z");
    data().setLine("Volumes.lst", 1, "7F");
    const QStringList patch = lines(patch::build(table, melodyPatchHooks(), {}));
    // Header, Patch64K, then one volume record per offset line before any table record.
    EXPECT_EQ(patch[2], "S306005000004069");
    EXPECT_EQ(patch[3], srec::volumeRecord("00500001", "7F"));
    EXPECT_EQ(patch[4], srec::volumeRecord("00500002", "40"));
    EXPECT_TRUE(patch[5].startsWith("S31501301000"));
    const qsizetype table0 = patch.indexOf("S30D00ABCDE00010300139300000F0");
    ASSERT_GT(table0, 5);
    EXPECT_EQ(table0, 5 + (12345 + 15) / 16);
    // The second melody starts right after the first one's last byte.
    EXPECT_TRUE(patch[table0 + 2].startsWith("S30601304039"));
    EXPECT_EQ(patch[table0 + 3], srec::tableRecord("00ABCDF0", srec::melodyEntry(0x01304039, 1)));
    EXPECT_EQ(patch.last(), "S705A002000058");
}

TEST_F(PatchTest, StreamedInSmallBlocksItIsTheSamePatch) {
    start();
    SlotTable table(data(), managers::melodies());
    give(table, 0, "first.mmf", QByteArray(12345, 'a'));
    give(table, 2, "second.mid", "z");
    std::string streamed;
    int blocks = 0;
    S3Writer writer(
        [&](const S3LineList& block) {
            ++blocks;
            streamed += block.text();
        },
        512);
    patch::write(table, melodyPatchHooks(), {}, writer);
    writer.finish();
    EXPECT_GE(blocks, 2); // a block goes out once a file's records fill it
    EXPECT_TRUE(streamed == patch::build(table, melodyPatchHooks(), {}).text());
}

TEST_F(PatchTest, NewFileTestNeedsAllThreeParts) {
    start();
    SlotTable table(data(), managers::java());
    give(table, 0, "a.jad", "aaaa");
    give(table, 1, "b.jar", "bbbb");
    give(table, 2, "c.jad", "cccc");
    data().setLine("JavaSize.lst", 1, "0"); // size "0"
    QFile::remove(work("TempJava/c.jad"));  // vanished copy
    data().setLine("JavaFiles.lst", 3, QStringLiteral("[Стандартная игра]"));
    scratchWrite(QStringLiteral("user/X120XEDJ2/TempJava/[Стандартная игра]"), "trap");
    data().setLine("JavaSize.lst", 3, "4"); // placeholder named file is never used
    const QStringList patch = lines(patch::build(table, javaPatchHooks(), {}));
    ASSERT_EQ(patch.size(), 1 + 1 + 4 + 1);
    EXPECT_EQ(patch[2], srec::tableRecord("01100020", srec::javaEntry(0x01201000, 4)));
    EXPECT_EQ(patch[3], srec::tableRecord("01100028", "0010000000901000"));
    EXPECT_EQ(patch[4], srec::tableRecord("01100030", "0010000000902000"));
    EXPECT_EQ(patch[5], srec::tableRecord("01100038", "0010000000903000"));
}

TEST_F(PatchTest, JavaWorkedExamples) {
    start();
    SlotTable table(data(), managers::java());
    data().setLine("JavaTable.lst", 1, "01100028");
    give(table, 1, "one.jar", testsupport::sequence(20));
    QStringList patch = lines(patch::build(table, javaPatchHooks(), {}));
    const qsizetype at = patch.indexOf("S30D01100028140000000010200174");
    ASSERT_EQ(at, 4);
    EXPECT_TRUE(patch[2].startsWith("S31501201000") && patch[2].size() == 46);
    EXPECT_TRUE(patch[3].startsWith("S30901201010") && patch[3].size() == 22);

    give(table, 3, "three.jar", testsupport::sequence(20, 100));
    patch = lines(patch::build(table, javaPatchHooks(), {}));
    EXPECT_TRUE(patch.contains(srec::tableRecord("01100038", "1400000014102001")));
}

TEST_F(PatchTest, RequiredPatchesAreCopiedInNameOrderUnchanged) {
    start();
    scratchWrite("user/X120XEDJ2/Data/ReqPatches/b.S3",
                 "S00600004844521B\r\n\r\nS30600000001AA\r\n");
    scratchWrite("user/X120XEDJ2/Data/ReqPatches/a.s3", "S705A002000058\n");
    scratchWrite("user/X120XEDJ2/Data/ReqPatches/ignored.txt", "nope\r\n");
    scratchWrite("user/X120XEDJ2/Data/x.s3", "nope\r\n");
    SlotTable table(data(), managers::pictures());
    PatchHooks none;
    const QStringList patch = lines(patch::build(table, none, {}));
    EXPECT_EQ(patch.mid(0, 5), (QStringList{"S00600004844521B", "S705A002000058",
                                            "S00600004844521B", "", "S30600000001AA"}));
}

TEST_F(PatchTest, AnErrorMidBuildWritesAndCleansNothing) {
    start();
    SlotTable table(data(), managers::melodies());
    give(table, 0, "ok.mmf", "12345");
    give(table, 1, "short.mmf", "12");
    data().setLine("MelodiesSize.lst", 1, "50"); // shorter than recorded
    scratchWrite("user/X120XEDJ2/TempMelodies/orphan.mmf", "o");
    const QString out = mini->scratch.path("out.s3");
    bool asked = false;
    try {
        patch::run(table, melodyPatchHooks(), {}, [&] {
            asked = true;
            return out;
        });
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Stream read error");
    }
    EXPECT_FALSE(asked);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(QFile::exists(work("TempMelodies/orphan.mmf")));
    // The lists were saved first.
    EXPECT_EQ(listfile::load(work("Data/MelodiesSize.lst"))[1], "50");
}

TEST_F(PatchTest, NewFilesPastTheRegionBuildNothing) {
    start();
    SlotTable table(data(), managers::melodies());
    give(table, 0, "big.mmf", "12345");
    data().setLine("MelodiesSize.lst", 0, QString::number(data().total(managers::melodies()) + 1));
    bool asked = false;
    EXPECT_EQ(testsupport::errorOf([&] {
                  patch::run(table, melodyPatchHooks(), {}, [&] {
                      asked = true;
                      return mini->scratch.path("out.s3");
                  });
              }),
              "The new files do not fit: no patch is built");
    EXPECT_FALSE(asked);
    S3Writer out;
    bool completed = false;
    EXPECT_THROW(patch::run(table, melodyPatchHooks(), {}, out, [&] { completed = true; }),
                 TarvexError);
    EXPECT_FALSE(completed);
    EXPECT_EQ(out.take().count(), 0);
    EXPECT_TRUE(QFile::exists(work("TempMelodies/big.mmf")));
}

TEST_F(PatchTest, CancelWritesNothingButStillCleans) {
    start();
    SlotTable table(data(), managers::melodies());
    give(table, 0, "kept.mmf", "12345");
    scratchWrite("user/X120XEDJ2/TempMelodies/orphan.mmf", "o");
    EXPECT_FALSE(patch::run(table, melodyPatchHooks(), {}, [] { return QString(); }));
    EXPECT_FALSE(QFile::exists(work("TempMelodies/orphan.mmf")));
    EXPECT_TRUE(QFile::exists(work("TempMelodies/kept.mmf")));

    const QString out = mini->scratch.path("saved.s3");
    scratchWrite("saved.s3", "old contents");
    EXPECT_EQ(patch::run(table, melodyPatchHooks(), {}, [&] { return out; }), out);
    const QByteArray written = testsupport::readAll(out);
    EXPECT_TRUE(written.startsWith("S00600004844521B\r\n"));
    EXPECT_TRUE(written.endsWith("S705A002000058\r\n"));
    QString error;
    EXPECT_EQ(testsupport::srecCatBytes(out, 0x01301000, 5, &error), "12345")
        << error.toStdString();
}

TEST_F(PatchTest, AnEmptySlotTableStillFramesThePatch) {
    set.melodies = 0;
    set.volumes = false;
    start();
    SlotTable table(data(), managers::melodies());
    int progress = 0;
    const QStringList patch =
        lines(patch::build(table, melodyPatchHooks(), [&](const QString&) { ++progress; }));
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(patch,
              (QStringList{"S00600004844521B", "S3150006F10018184568381CFFF7E3FC041C3A1C0C4F1C",
                           "S705A002000058"}));
}
