#include "check/PatchVerify.h"

#include "dataset/Session.h"
#include "java/JavaPatch.h"
#include "melodies/MelodyPatch.h"
#include "pictures/PictureSlots.h"
#include "platform/SettingsStore.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>

using testsupport::Scratch;

namespace {

// Patches of every manager built from the bundled data set with new files in
// some slots, as the pages build them.
class PatchVerifyTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingsStore::setOverrideFile(scratch.path("settings.ini"));
        SessionOptions options;
        options.userFolder = scratch.path("user");
        options.bundledRoot = testsupport::bundledFirmwareRoot();
        session = std::make_unique<Session>(options);
        session->start();
    }
    void TearDown() override { SettingsStore::setOverrideFile({}); }

    QString build(const ManagerInfo& info, const PatchHooks& hooks) {
        const SlotTable table(session->dataSet(), info);
        const QString path = scratch.path(info.id + ".s3");
        patch::build(table, hooks, {}).saveTo(path);
        return path;
    }
    void give(const ManagerInfo& info, qsizetype slot, const QString& name, int size) {
        SlotTable table(session->dataSet(), info);
        ASSERT_EQ(
            table.assignFile(slot, scratch.write("in/" + name, testsupport::sequence(size, slot))),
            SlotTable::AssignResult::Assigned);
    }
    void givePicture(qsizetype slot, const QString& name) {
        SlotTable table(session->dataSet(), managers::pictures());
        const pictureslots::RequiredSize size = pictureslots::requiredSize(table, slot);
        QImage image(size.width, size.height, QImage::Format_RGB888);
        for (int y = 0; y < size.height; ++y) {
            for (int x = 0; x < size.width; ++x) {
                image.setPixel(x, y, qRgb(x * 7, y * 3, (x ^ y) & 0xF0));
            }
        }
        QDir().mkpath(scratch.path("in"));
        ASSERT_TRUE(image.save(scratch.path("in/" + name), "BMP"));
        ASSERT_EQ(pictureslots::choose(table, slot, scratch.path("in/" + name)).outcome,
                  pictureslots::Outcome::Accepted);
    }
    Report verify(const QString& path, bool withData = true) {
        return patchverify::run(path, withData ? &session->dataSet() : nullptr);
    }
    // The patch with line `number` (from 1) replaced, or removed when empty.
    QString edited(const QString& path, int number, const QString& line) {
        QStringList lines = QString::fromLatin1(testsupport::readAll(path)).split("\r\n");
        if (line.isEmpty()) {
            lines.removeAt(number - 1);
        } else {
            lines[number - 1] = line;
        }
        return scratch.write("edited.s3", lines.join("\r\n").toLatin1());
    }
    static QString lineOf(const QString& path, int number) {
        return QString::fromLatin1(testsupport::readAll(path)).split("\r\n").value(number - 1);
    }

    Scratch scratch;
    std::unique_ptr<Session> session;
};

void expectClean(const Report& report) {
    EXPECT_EQ(report.errors() + report.warnings(), 0) << report.text().toStdString();
}

bool holds(const Report& report, const QString& text) {
    return report.text().contains(text);
}

} // namespace

TEST_F(PatchVerifyTest, EveryPatchTheManagersBuildIsClean) {
    give(managers::melodies(), 0, "a.mid", 1000);
    give(managers::melodies(), 5, "b.mmf", 17);
    give(managers::java(), 0, "g.jad", 301);
    give(managers::java(), 1, "g.jar", 5000);
    givePicture(1, "p1.bmp");
    givePicture(2, "p2.bmp");
    const QString melodies = build(managers::melodies(), melodyPatchHooks());
    const QString java = build(managers::java(), javaPatchHooks());
    const QString pictures = build(managers::pictures(), pictureslots::patchHooks());
    for (const QString& path : {melodies, java, pictures}) {
        SCOPED_TRACE(path.toStdString());
        expectClean(verify(path));
        expectClean(verify(path, false));
    }
    const Report report = verify(melodies);
    EXPECT_TRUE(holds(report, "0x0058A000-0x0058A0FF: 256 bytes: melody table entries (32)\n"));
    EXPECT_TRUE(holds(report, "0x01401000-0x014013F8: 1017 bytes: melody region\n"));
    EXPECT_TRUE(holds(report, ": 16 bytes: the Patch64K line\n"));
    EXPECT_TRUE(holds(verify(melodies, false), "0x01401000-0x014013F8: 1017 bytes\n"));
    // A custom patch at the picture region's start, and at any address without the data set.
    for (const std::int32_t offset : {0x00700000, 0x00123456}) {
        const QString custom = scratch.path("custom.s3");
        MakeCustomPatch(scratch.write("in/any.bin", testsupport::sequence(100)), 100, offset)
            .lines.saveTo(custom);
        expectClean(verify(custom, offset != 0x00123456));
    }
    // With every slot standard too.
    SlotTable(session->dataSet(), managers::java()).restore(0);
    SlotTable(session->dataSet(), managers::java()).restore(1);
    expectClean(verify(build(managers::java(), javaPatchHooks())));
}

TEST_F(PatchVerifyTest, FaultyLinesAndWritesAreReported) {
    give(managers::melodies(), 0, "a.mid", 40);
    const QString patch = build(managers::melodies(), melodyPatchHooks());
    // Line 1 header, 2-9 required patches, 10 Patch64K, 11-35 volumes,
    // 36-38 the melody's data records, 39 its table record.
    const QString data = lineOf(patch, 36);
    ASSERT_TRUE(data.startsWith("S31501401000")) << data.toStdString();

    QString bad = data;
    bad[bad.size() - 1] = bad.back() == '0' ? '1' : '0';
    Report report = verify(edited(patch, 36, bad));
    EXPECT_EQ(report.errors(), 2) << report.text().toStdString();
    EXPECT_TRUE(holds(report, "edited.s3:36: error: checksum "));
    // The record is gone, so the table entry points at bytes the patch does not write.
    EXPECT_TRUE(holds(report, "edited.s3:39: error: the melody table entry of slot 1: the patch "
                              "writes only 24 of its 40 bytes at 0x01401000"));

    report = verify(edited(patch, 36, "S316" + data.mid(4)));
    EXPECT_TRUE(holds(report, "edited.s3:36: error: count 16 does not match the 21 bytes"));

    // The same bytes written again: a warning; other bytes: an error.
    report = verify(edited(patch, 40, data + "\r\nS705A002000058"));
    EXPECT_EQ(report.errors(), 0);
    EXPECT_TRUE(holds(report, "edited.s3:40: warning: 0x01401000-0x0140100F (16 bytes) written "
                              "again, first on line 36, with the same values"));
    const QString other = srec::withS3Checksum(QString("S30701401004AAAA"));
    report = verify(edited(patch, 40, other + "\r\nS705A002000058"));
    EXPECT_TRUE(holds(report, "edited.s3:40: error: 0x01401004-0x01401005 (2 bytes) written "
                              "again, first on line 36, with different values"));

    // Bytes outside everything the data set knows, and records out of place.
    report = verify(edited(patch, 1, srec::withS3Checksum(QString("S30700100000AAAA"))));
    EXPECT_EQ(report.errors(), 0);
    EXPECT_TRUE(holds(report, "edited.s3:1: warning: 0x00100000-0x00100001 (2 bytes) lie outside "
                              "every region"));
    report = verify(edited(patch, 20, "S00600004844521B"));
    EXPECT_TRUE(holds(report, "edited.s3:20: warning: a header record after the first line"));
    report = verify(edited(patch, 20, "S705A002000058"));
    EXPECT_TRUE(holds(report, "edited.s3:20: warning: an end record before the last line"));
}

TEST_F(PatchVerifyTest, PictureEntriesMustPointAtAWholePictureOfTheirSize) {
    givePicture(0, "p.bmp");
    const QString patch = build(managers::pictures(), pictureslots::patchHooks());
    expectClean(verify(patch));
    const QStringList lines = QString::fromLatin1(testsupport::readAll(patch)).split("\r\n");
    const qsizetype table = lines.indexOf(QRegularExpression("^S30D005B1800.*"));
    ASSERT_GT(table, 10);
    // Without its last data record the trailer is missing.
    Report report = verify(edited(patch, int(table), ""));
    EXPECT_EQ(report.errors(), 1) << report.text().toStdString();
    EXPECT_TRUE(holds(report, QString("edited.s3:%1: error: the picture table entry of slot 1: the "
                                      "128 x 128 picture at 0x00700000: byte ")
                                  .arg(table)));
    // An entry claiming another height.
    QString entry = lines[table].left(4 + 8 + 16);
    entry.replace(16, 4, "4000");
    report = verify(edited(patch, int(table) + 1, srec::withS3Checksum(entry)));
    EXPECT_TRUE(holds(report, "the 128 x 64 picture at 0x00700000: "))
        << report.text().toStdString();
}

TEST_F(PatchVerifyTest, AnyBytesGiveAReportNotACrash) {
    QByteArray noise;
    for (int i = 0; i < 20000; ++i) {
        noise += char((i * 7919) % 251);
    }
    const Report report = verify(scratch.write("noise.s3", noise));
    EXPECT_GT(report.errors(), 0);
    EXPECT_EQ(verify(scratch.path("missing.s3")).text(),
              scratch.path("missing.s3") +
                  ":0: error: cannot be read: No such file or directory\n1 error, 0 warnings\n");
}
