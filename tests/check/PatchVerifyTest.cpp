// SPDX-License-Identifier: MIT
#include "check/PatchVerify.h"

#include "base/ReportLanguage.h"
#include "dataset/Session.h"
#include "firmware/FirmwareMatch.h"
#include "java/JavaPatch.h"
#include "melodies/MelodyPatch.h"
#include "melodies/MelodyVolumes.h"
#include "pictures/PictureSlots.h"
#include "platform/SettingsStore.h"
#include "srec/CustomPatch.h"
#include "srec/S3Records.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QJsonObject>
#include <QRegularExpression>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

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
    void give(const ManagerInfo& info, qsizetype slot, const QString& name, int size,
              int first = -1) {
        SlotTable table(session->dataSet(), info);
        const QByteArray bytes = testsupport::sequence(size, first < 0 ? int(slot) : first);
        ASSERT_EQ(table.assignFile(slot, scratch.write("in/" + name, bytes)),
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

// An S3 data record with its count and checksum.
QString record(std::uint32_t address, const QByteArray& bytes) {
    return srec::withS3Checksum(QString("S3%1%2%3")
                                    .arg(bytes.size() + 5, 2, 16, QLatin1Char('0'))
                                    .arg(address, 8, 16, QLatin1Char('0'))
                                    .arg(QString::fromLatin1(bytes.toHex()))
                                    .toUpper());
}

QByteArray littleEndian(std::uint32_t value) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) {
        bytes += char(value >> (8 * i));
    }
    return bytes;
}

QStringList errorsOf(const Report& report) {
    QStringList errors;
    for (const Finding& f : report.findings()) {
        if (f.error) {
            errors << QString("%1: %2").arg(f.line).arg(f.text);
        }
    }
    return errors;
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
    // Each is what its manager's current choices build, and no other's.
    for (const auto& [path, manager] :
         {std::pair(melodies, "melody"), std::pair(java, "Java"), std::pair(pictures, "picture")}) {
        const QString text = verify(path).text();
        for (const char* other : {"melody", "Java", "picture"}) {
            EXPECT_TRUE(text.contains(QString("matches the current %1 choices: %2\n")
                                          .arg(other, other == manager ? "yes" : "no")))
                << text.toStdString();
        }
    }
    const Report report = verify(melodies);
    EXPECT_TRUE(holds(report, "0x0058A000-0x0058A0FF: 256 bytes: melody table entries (32)\n"));
    EXPECT_TRUE(holds(report, "0x01401000-0x014013F8: 1017 bytes: melody region\n"));
    EXPECT_TRUE(holds(report, ": 16 bytes: the Patch64K line\n"));
    EXPECT_TRUE(holds(verify(melodies, false), "0x01401000-0x014013F8: 1017 bytes\n"));
    // A custom patch at the picture region's start, and at any address without the data set.
    for (const std::int32_t offset : {0x00700000, 0x00123456}) {
        const QString custom = scratch.path("custom.s3");
        makeCustomPatch(scratch.write("in/any.bin", testsupport::sequence(100)), 100, offset)
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
    EXPECT_TRUE(holds(report, "edited.s3:39: error: the melody table entry of slot 0: the patch "
                              "writes only 24 of its 40 bytes at 0x01401000"));

    report = verify(edited(patch, 36, "S316" + data.mid(4)));
    EXPECT_TRUE(holds(report, "edited.s3:36: error: count 16 does not match the 21 bytes"));

    // The same bytes written again: a warning; other bytes: an error.
    report = verify(edited(patch, 40, data + "\r\n" + lineOf(patch, 40)));
    EXPECT_EQ(report.errors(), 0);
    EXPECT_TRUE(holds(report, "edited.s3:40: warning: 0x01401000-0x0140100F (16 bytes) written "
                              "again, first on line 36, with the same values"));
    const QString other = srec::withS3Checksum(QString("S30701401004AAAA"));
    report = verify(edited(patch, 40, other + "\r\n" + lineOf(patch, 40)));
    EXPECT_TRUE(holds(report, "edited.s3:40: error: 0x01401004-0x01401005 (2 bytes) written "
                              "again, first on line 36, with different values"));

    // Bytes outside everything the data set knows: in a manager's patch they land on code.
    report = verify(edited(patch, 1, srec::withS3Checksum(QString("S30700100000AAAA"))));
    EXPECT_EQ(report.errors(), 1);
    EXPECT_TRUE(holds(report, "edited.s3:1: error: 0x00100000-0x00100001 (2 bytes) lie outside "
                              "every region"));
    // Records out of place.
    report = verify(edited(patch, 20, "S00600004844521B"));
    EXPECT_TRUE(holds(report, "edited.s3:20: warning: a header record after the first line"));
    report = verify(edited(patch, 20, "S705A002000058"));
    EXPECT_TRUE(holds(report, "edited.s3:20: warning: an end record before the last line"));
}

TEST_F(PatchVerifyTest, PictureEntriesMustPointAtAWholePictureOfTheirSize) {
    givePicture(0, "p.bmp");
    const QString patch = build(managers::pictures(), pictureslots::patchHooks());
    expectClean(verify(patch));
    EXPECT_TRUE(holds(verify(patch), "matches the current picture choices: yes\n"));
    const QStringList lines = QString::fromLatin1(testsupport::readAll(patch)).split("\r\n");
    const qsizetype table = lines.indexOf(QRegularExpression("^S30D005B1800.*"));
    ASSERT_GT(table, 10);
    // Without its last data record the trailer is missing.
    Report report = verify(edited(patch, int(table), ""));
    EXPECT_EQ(report.errors(), 1) << report.text().toStdString();
    EXPECT_TRUE(holds(report, QString("edited.s3:%1: error: the picture table entry of slot 0: the "
                                      "128 x 128 picture at 0x00700000: byte ")
                                  .arg(table)));
    // An entry claiming another height.
    QString entry = lines[table].left(4 + 8 + 16);
    entry.replace(16, 4, "4000");
    report = verify(edited(patch, int(table) + 1, srec::withS3Checksum(entry)));
    EXPECT_TRUE(holds(report, "the 128 x 64 picture at 0x00700000: "))
        << report.text().toStdString();
    // The slot given another picture: the patch is no longer what the choice builds.
    QImage other(128, 128, QImage::Format_RGB888);
    other.fill(Qt::red);
    ASSERT_TRUE(other.save(scratch.path("in/red.bmp"), "BMP"));
    SlotTable pictures(session->dataSet(), managers::pictures());
    ASSERT_EQ(pictureslots::choose(pictures, 0, scratch.path("in/red.bmp")).outcome,
              pictureslots::Outcome::Accepted);
    report = verify(patch);
    EXPECT_TRUE(holds(report, "matches the current picture choices: no\n"));
    EXPECT_TRUE(holds(report,
                      "warning: picture slot 0 differs from its working copy red.bmp at "
                      "byte 1 (0x00700001): the patch writes 7F, the working copy gives 01"))
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

TEST_F(PatchVerifyTest, CutShortOrEmptyPatchesAreErrors) {
    const QString patch = build(managers::java(), javaPatchHooks());
    const QByteArray text = testsupport::readAll(patch);
    EXPECT_TRUE(holds(verify(scratch.write("empty.s3", "")), "empty.s3:0: error: empty"));
    EXPECT_TRUE(holds(verify(scratch.write("blank.s3", "\r\n\r\n")), "blank.s3:0: error: empty"));
    // Cut before the last two table records, and in the middle of the first of them.
    const QList<QByteArray> all = text.split('\n'); // the lines, then nothing
    const QByteArray lines = all.mid(0, all.size() - 4).join('\n') + '\n';
    for (const QByteArray& cut : {lines, text.left(lines.size() + 7)}) {
        const QString path = scratch.write("cut.s3", cut);
        for (const bool withData : {true, false}) {
            const Report report = verify(path, withData);
            EXPECT_TRUE(holds(report, "error: the last record is not an end record"))
                << report.text().toStdString();
        }
    }
    // The end record dropped, the table records after the cut named.
    const Report report = verify(scratch.write("cut.s3", lines));
    EXPECT_TRUE(holds(report, "cut.s3:0: error: 2 of the 8 Java table entries are missing, the "
                              "first the Java table entry of slot 6"))
        << report.text().toStdString();
    EXPECT_TRUE(holds(verify(edited(patch, int(text.count('\n')), "")),
                      "error: the last record is not an end record"));
}

TEST_F(PatchVerifyTest, TamperedMelodyPatchesAreErrors) {
    give(managers::melodies(), 0, "a.mid", 40);
    const QString patch = build(managers::melodies(), melodyPatchHooks());
    // Line 1 header, 2-9 required patches, 10 Patch64K, 11-35 volumes,
    // 36-38 the melody's data records, 39 its table record.
    ASSERT_TRUE(lineOf(patch, 10).startsWith("S3"));
    auto errorsOf = [&](int number, const QString& line) {
        return ::errorsOf(verify(edited(patch, number, line)));
    };
    QString required = lineOf(patch, 3);
    EXPECT_EQ(errorsOf(3, ""), QStringList({"0: required patch Fonts.s3 is written only in part: "
                                            "48 of its 64 bytes"}));
    required = srec::withS3Checksum(required.left(required.size() - 4) + "00");
    QStringList errors = errorsOf(3, required);
    ASSERT_EQ(errors.size(), 1) << errors.join("\n").toStdString();
    EXPECT_TRUE(errors[0].startsWith("3: required patch Fonts.s3 writes "))
        << errors[0].toStdString();
    EXPECT_EQ(errorsOf(10, ""), QStringList({"0: the Patch64K line is missing"}));
    const QString volume = lineOf(patch, 11);
    EXPECT_EQ(errorsOf(11, srec::withS3Checksum(volume.left(volume.size() - 4) + "80")),
              QStringList({"11: the melody volume byte of slot 0 is 80, outside 01 to 7F"}));
    EXPECT_EQ(errorsOf(11, ""), QStringList({"0: 1 of the 25 melody volume bytes is missing, the "
                                             "first the melody volume byte of slot 0: the patch "
                                             "is cut short or incomplete"}));
    // The melody's table record gone: its data points nowhere.
    errors = errorsOf(39, "");
    ASSERT_EQ(errors.size(), 2) << errors.join("\n").toStdString();
    EXPECT_TRUE(errors[0].startsWith("0: 1 of the 32 melody table entries is missing"));
    EXPECT_EQ(errors[1], "36: 0x01401000-0x01401027 (40 bytes) in the melody region: no table "
                         "entry of the patch points at them");
    // Without the data set only the records count.
    EXPECT_EQ(verify(edited(patch, 39, ""), false).errors(), 0);
}

TEST_F(PatchVerifyTest, APatchForOtherChoicesNamesTheSlotsThatDiffer) {
    give(managers::melodies(), 0, "a.mid", 40);
    give(managers::melodies(), 2, "c.mid", 20);
    const QString patch = build(managers::melodies(), melodyPatchHooks());
    // Cut into other records, with the same bytes: still the same patch.
    QByteArray text = testsupport::readAll(patch);
    const QString other = scratch.write("other.s3", text.replace("\r\n", "\n"));
    EXPECT_TRUE(holds(verify(other), "matches the current melody choices: yes\n"));
    // The same bytes, with a line that is no record: a patch with errors matches nothing.
    QString broken = lineOf(patch, 36);
    broken[broken.size() - 1] = broken.back() == '0' ? '1' : '0';
    Report report = verify(edited(patch, 2, broken + "\r\n" + lineOf(patch, 2)));
    EXPECT_EQ(report.errors(), 1) << report.text().toStdString();
    EXPECT_TRUE(holds(report, "matches the current melody choices: no\n"));
    EXPECT_EQ(report.json()["matches"].toObject()["melodies"], QJsonValue(false));

    // Another melody of the same size in slot 3, then slot 1 back to its standard.
    give(managers::melodies(), 2, "d.mid", 20, 3);
    report = verify(patch);
    EXPECT_EQ(report.errors(), 0) << report.text().toStdString();
    EXPECT_TRUE(holds(report, "matches the current melody choices: no\n"));
    EXPECT_TRUE(holds(report, "warning: melody slot 2 differs from its working copy d.mid at byte "
                              "0 (0x01401028): the patch writes 02, the working copy gives 03"))
        << report.text().toStdString();
    SlotTable(session->dataSet(), managers::melodies()).restore(0);
    report = verify(patch);
    EXPECT_TRUE(holds(report, "warning: melody slot 0: the table entry is 0010400128000000, the "
                              "current choices give "))
        << report.text().toStdString();
    EXPECT_TRUE(holds(report, "warning: melody slot 2 differs from its working copy d.mid at byte "
                              "0 (0x01401000): the patch writes"));
    EXPECT_EQ(report.json()["matches"].toObject()["melodies"], QJsonValue(false));
}

TEST_F(PatchVerifyTest, OverlapsFifosAndManyStrayRangesWithoutDataSet) {
    // Line 2 repeats line 1; line 3 changes two of its bytes: only line 3 differs.
    const QStringList lines = {record(0x100, "\x10\x11\x12\x13"), record(0x100, "\x10\x11\x12\x13"),
                               record(0x101, "\xAA\xAA"), "S705A002000058"};
    Report report = verify(scratch.write("o.s3", lines.join("\r\n").toLatin1()), false);
    EXPECT_TRUE(holds(report, "o.s3:2: warning: 0x00000100-0x00000103 (4 bytes) written again, "
                              "first on line 1, with the same values"))
        << report.text().toStdString();
    EXPECT_TRUE(holds(report, "o.s3:3: error: 0x00000101-0x00000102 (2 bytes) written again, "
                              "first on line 1, with different values"));
    EXPECT_EQ(report.errors(), 1);

#ifndef Q_OS_WIN
    // A FIFO is refused at once instead of waiting for a writer.
    const QString fifo = scratch.path("fifo.s3");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(holds(verify(fifo), "fifo.s3:0: error: not a regular file"));

#endif
    // Stray ranges with the data set: a hundred warnings, then one counts the rest.
    QStringList stray;
    for (std::uint32_t i = 0; i < 150; ++i) {
        stray << record(0x10000000 + 32 * i, "\x01");
    }
    report = verify(scratch.write("s.s3", (stray.join("\r\n") + "\r\nS705A002000058").toLatin1()));
    EXPECT_EQ(report.warnings(), 101);
    EXPECT_TRUE(holds(report, "s.s3:150: warning: 50 more ranges lie outside every region, table "
                              "entry, volume byte and required patch, the last at 0x100012A0"));
    EXPECT_TRUE(holds(report, "0x100012A0-0x100012A0: 1 bytes\nmatches the current melody"));
}

TEST_F(PatchVerifyTest, LinesAreNamedRightInsideLongRunsOfRecords) {
    // 16-byte records, then an 8-byte one, then 16-byte ones again, all in one range.
    QStringList lines = {"S00600004844521B"};
    std::uint32_t address = 0x00200000;
    for (int i = 0; i < 1000; ++i) {
        const int length = i == 600 ? 8 : 16;
        QString text = QString("S3%1%2")
                           .arg(length + 5, 2, 16, QLatin1Char('0'))
                           .arg(address, 8, 16, QLatin1Char('0'));
        for (int k = 0; k < length; ++k) {
            text += QString("%1").arg((i + k) & 0xFF, 2, 16, QLatin1Char('0'));
        }
        lines << srec::withS3Checksum(text.toUpper());
        address += std::uint32_t(length);
    }
    // Record 500 (line 502) and record 800 (line 802, after the short one) written again.
    lines << lines[501] << lines[801] << "S705A002000058";
    const Report report = verify(scratch.write("run.s3", lines.join("\r\n").toLatin1()), false);
    EXPECT_TRUE(holds(report, "run.s3:1002: warning: 0x00201F40-0x00201F4F (16 bytes) written "
                              "again, first on line 502, with the same values"))
        << report.text().toStdString();
    EXPECT_TRUE(holds(report, "run.s3:1003: warning: 0x002031F8-0x00203207 (16 bytes) written "
                              "again, first on line 802, with the same values"));
    EXPECT_TRUE(holds(report, "0x00200000-0x00203E77: 15992 bytes\n"));
}

TEST_F(PatchVerifyTest, AManagersPatchWithoutItsTableRecordsOrForAnotherDataSetIsAnError) {
    give(managers::melodies(), 0, "a.mid", 40);
    const QString melodies = build(managers::melodies(), melodyPatchHooks());
    const QString java = build(managers::java(), javaPatchHooks());
    // The lines of a patch, each table record of its manager dropped or moved.
    auto rewritten = [&](const QString& path, const ManagerInfo& info, bool move) {
        const QStringList tables = session->dataSet().list(info.tableList);
        QStringList out;
        for (const QString& line : QString::fromLatin1(testsupport::readAll(path)).split("\r\n")) {
            if (!line.startsWith("S30D") || !tables.contains(line.mid(4, 8))) {
                out << line;
            } else if (move) {
                const std::uint32_t at = line.mid(4, 8).toUInt(nullptr, 16) + 0x00076000;
                out << record(at, QByteArray::fromHex(line.mid(12, 16).toLatin1()));
            }
        }
        return scratch.write("rewritten.s3", out.join("\r\n").toLatin1());
    };
    QStringList errors = errorsOf(verify(rewritten(melodies, managers::melodies(), false)));
    ASSERT_EQ(errors.size(), 2) << errors.join("\n").toStdString();
    EXPECT_TRUE(errors[0].startsWith("0: 32 of the 32 melody table entries are missing, the first "
                                     "the melody table entry of slot 0"));
    EXPECT_EQ(errors[1], "36: 0x01401000-0x01401027 (40 bytes) in the melody region: no table "
                         "entry of the patch points at them");
    EXPECT_EQ(errorsOf(verify(rewritten(java, managers::java(), false))),
              QStringList({"0: carries the required patches but rewrites no table entry and "
                           "writes nothing in a region: a manager's patch with every table "
                           "record removed"}));
    // Built for a data set whose table lies elsewhere: its entries are unknown here.
    const Report other = verify(rewritten(melodies, managers::melodies(), true));
    EXPECT_EQ(errorsOf(other).size(), 3) << other.text().toStdString();
    EXPECT_TRUE(holds(other, "rewritten.s3:0: error: 32 of the 32 melody table entries are "
                             "missing"));
    EXPECT_TRUE(holds(other, "error: 0x00600000-0x006000FF (256 bytes) lie outside every"));
}

TEST_F(PatchVerifyTest, NothingIsWrittenIntoTheStringTableReserve) {
    give(managers::melodies(), 0, "a.mid", 40);
    const QString patch = build(managers::melodies(), melodyPatchHooks());
    // The melody's data moved 256 bytes before the base address, its entry with it.
    QStringList lines = QString::fromLatin1(testsupport::readAll(patch)).split("\r\n");
    const QByteArray data = testsupport::sequence(40, 0);
    lines[35] = record(0x01400F00, data.left(16));
    lines[36] = record(0x01400F10, data.mid(16, 16));
    lines[37] = record(0x01400F20, data.mid(32));
    lines[38] = record(0x0058A000, littleEndian(0x01400F00) + littleEndian(40));
    const QStringList errors =
        errorsOf(verify(scratch.write("reserve.s3", lines.join("\r\n").toLatin1())));
    EXPECT_EQ(errors,
              QStringList({"36: 0x01400F00-0x01400F27 (40 bytes) in the first 4096 bytes of the "
                           "melody region, kept for the string table: no patch writes there",
                           "39: the melody table entry of slot 0: 40 bytes at 0x01400F00 begin "
                           "in the first 4096 bytes of the melody region, kept for the string "
                           "table"}));
    // A custom patch there too.
    const QString custom = scratch.path("custom.s3");
    makeCustomPatch(scratch.write("in/any.bin", data), 40, 0x01400000).lines.saveTo(custom);
    EXPECT_EQ(verify(custom).errors(), 1);
    EXPECT_EQ(verify(custom, false).errors(), 0);
}

TEST_F(PatchVerifyTest, WithTheDataSetABadCountAndAPatchOfNoByteAreErrors) {
    const QString patch = build(managers::java(), javaPatchHooks());
    QStringList lines = QString::fromLatin1(testsupport::readAll(patch)).split("\r\n");
    lines.insert(lines.size() - 2, "S5030005F7");
    const QString counted = scratch.write("counted.s3", lines.join("\r\n").toLatin1());
    Report report = verify(counted);
    EXPECT_EQ(report.errors(), 1) << report.text().toStdString();
    EXPECT_TRUE(holds(
        report, QString("counted.s3:%1: error: counts 5 data records, ").arg(lines.size() - 2)));
    EXPECT_EQ(verify(counted, false).errors(), 0);
    const QString empty = scratch.write("empty.s3", "S00600004844521B\r\nS705A002000058\r\n");
    EXPECT_TRUE(holds(verify(empty), "empty.s3:0: error: writes no byte"));
    EXPECT_TRUE(holds(verify(empty, false), "empty.s3:0: warning: writes no byte"));
}

TEST_F(PatchVerifyTest, AVolumeChangedSinceTheBuildIsNamedWithItsSlot) {
    const QString patch = build(managers::melodies(), melodyPatchHooks());
    melodyvolumes::store(session->dataSet(), 3, 100);
    const Report report = verify(patch);
    EXPECT_TRUE(holds(report, "matches the current melody choices: no\n"));
    EXPECT_TRUE(QRegularExpression("melody slot 3: the volume byte at 0x0058A143 is [0-9A-F]{2} "
                                   "\\(volume [0-9]+\\), the current choices give 64 \\(volume "
                                   "100\\)")
                    .match(report.text())
                    .hasMatch())
        << report.text().toStdString();
}

TEST_F(PatchVerifyTest, APatchForAnotherDataSetIsAnErrorWithoutRequiredPatchesToo) {
    FirmwareDataSet& data = session->dataSet();
    ASSERT_TRUE(QDir(data.dataFile("ReqPatches")).removeRecursively());
    givePicture(1, "p1.bmp");
    // Built while JavaTable.lst pointed 1 MiB further on, every slot standard.
    const QStringList table = data.list(managers::java().tableList);
    QStringList elsewhere;
    for (const QString& line : table) {
        elsewhere << QString::number(line.toUInt(nullptr, 16) + 0x100000, 16)
                         .toUpper()
                         .rightJustified(8, '0');
    }
    data.setList(managers::java().tableList, elsewhere);
    const QString java = build(managers::java(), javaPatchHooks());
    data.setList(managers::java().tableList, table);
    EXPECT_EQ(errorsOf(verify(java)),
              QStringList({"2: 0x0069C400-0x0069C43F (64 bytes) lie outside every region, table "
                           "entry, volume byte and required patch"}))
        << verify(java).text().toStdString();

    // The next version of the firmware, 0x1234 bytes inserted before the pictures.
    const QString pictures = build(managers::pictures(), pictureslots::patchHooks());
    MemoryMap map = data.memoryMap();
    map.pictureStart = "0x00701234";
    map.pictureEnd = "0x007E1232";
    data.setMemoryMap(map);
    QStringList moved;
    for (const QString& line : data.list(managers::pictures().tableList)) {
        moved << QString::number(line.toUInt(nullptr, 16) + 0x1234, 16)
                     .toUpper()
                     .rightJustified(8, '0');
    }
    data.setList(managers::pictures().tableList, moved);
    const Report report = verify(pictures);
    EXPECT_TRUE(holds(report, "error: 0x00700000-0x00701233 (4660 bytes) lie outside every"))
        << report.text().toStdString();
    EXPECT_TRUE(holds(report, "matches the current picture choices: no\n"));
}

TEST_F(PatchVerifyTest, ARecordARequiredPatchRepeatsIsNoMelodyMark) {
    FirmwareDataSet& data = session->dataSet();
    QFile repeat(data.dataFile("ReqPatches/Zz.s3"));
    ASSERT_TRUE(repeat.open(QIODevice::WriteOnly));
    repeat.write((data.memoryMap().patch64K + "\r\n").toLatin1());
    repeat.close();
    give(managers::java(), 1, "g.jar", 5000);
    givePicture(1, "p1.bmp");
    for (const auto& [info, hooks] :
         {std::pair(&managers::java(), javaPatchHooks()),
          std::pair(&managers::pictures(), pictureslots::patchHooks())}) {
        const Report report = verify(build(*info, hooks));
        EXPECT_EQ(report.errors(), 0) << report.text().toStdString();
        EXPECT_TRUE(holds(report, "choices: yes\n")) << report.text().toStdString();
        EXPECT_TRUE(holds(report, "matches the current melody choices: no\n"));
    }
}

TEST(ReportCounts, RussianCountsAgreeWithTheirNumber) {
    ASSERT_TRUE(reportlanguage::use(QLocale(QLocale::Russian)));
    firmwarematch::Tally tally(
        QT_TRANSLATE_N_NOOP("Report", "volume bytes hold their standard volume"));
    QStringList texts;
    for (const int n : {1, 2, 5, 21}) {
        tally.matched = n;
        texts << tally.what().section(' ', -3, -3); // the verb
    }
    reportlanguage::use(QLocale(QLocale::English));
    EXPECT_EQ(texts, QStringList({"содержит", "содержат", "содержат", "содержит"}));
}
