// SPDX-License-Identifier: MIT
#include "check/DataSetCheck.h"

#include "dataset/ListJournal.h"
#include "support/MiniDataSet.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>

using testsupport::Scratch;

namespace {

class DataSetCheckTest : public ::testing::Test {
protected:
    Report check() {
        QDir(scratch.path("user")).removeRecursively();
        firmware = set.writeTo(scratch.path("user"));
        for (auto it = extraFiles.begin(); it != extraFiles.end(); ++it) {
            scratch.write("user/X120XEDJ2/" + it.key(), it.value());
        }
        return datasetcheck::run(firmware + "/Data");
    }

    // The one error the report holds at file:line, whose text must hold `words`.
    static void expectOnlyError(const Report& report, const QString& file, qint64 line,
                                const QString& words) {
        std::vector<Finding> errors;
        for (const Finding& f : report.findings()) {
            if (f.error) {
                errors.push_back(f);
            }
        }
        ASSERT_EQ(errors.size(), 1u) << report.text().toStdString();
        EXPECT_EQ(QFileInfo(errors[0].file).fileName(), file) << report.text().toStdString();
        EXPECT_EQ(errors[0].line, line) << report.text().toStdString();
        EXPECT_TRUE(errors[0].text.contains(words)) << errors[0].toText().toStdString();
    }

    Scratch scratch;
    MiniDataSet set;
    QMap<QString, QByteArray> extraFiles; // path inside the firmware folder -> bytes
    QString firmware;
};

} // namespace

TEST_F(DataSetCheckTest, ASoundDataSetHasNoErrorOnlyMissingPreviews) {
    const Report report = check();
    EXPECT_EQ(report.errors(), 0) << report.text().toStdString();
    EXPECT_EQ(report.warnings(), 2); // the mini data set has no previews
    EXPECT_TRUE(report.text().endsWith("0 errors, 2 warnings\n"));
    EXPECT_TRUE(report.findings()[0].toText().endsWith("/Data/Pic/1.jpg:0: warning: no preview of "
                                                       "picture slot 0"));
}

TEST_F(DataSetCheckTest, ListsAndFields) {
    set.overrides["MelodiesSize.lst"] = {"0"};
    expectOnlyError(check(), "MelodiesSize.lst", 1, "1 lines, but StdMelodiesList.lst has 3");

    set.overrides = {{"MelodiesTable.lst", {"00ABCDE0", "00ABCDEG", "00ABCDF0"}}};
    expectOnlyError(check(), "MelodiesTable.lst", 2, "\"00ABCDEG\" is not 8 hexadecimal digits");

    set.overrides = {{"Volumes.lst", {"40", "80", "40"}}};
    expectOnlyError(check(), "Volumes.lst", 2, "\"80\" is not a volume from 01 to 7F");

    set.overrides = {{"JavaSize.lst", {"0", "-5", "0", "0"}}};
    expectOnlyError(check(), "JavaSize.lst", 2, "not a size in bytes");

    set.overrides = {{"PicFiles.lst", {"../x.bmp", "[Стандартная картинка]"}}};
    expectOnlyError(check(), "PicFiles.lst", 1, "not a bare file name");

    set.overrides = {{"PicOffsets.lst", {"0400020000007000", "02000200000070"}}};
    expectOnlyError(check(), "PicOffsets.lst", 2, "not 16 hexadecimal digits");

    set.overrides = {{"PicOffsets.lst", {"0400020000007000", "0000000000007000"}}};
    expectOnlyError(check(), "PicOffsets.lst", 2, "a standard picture of 0 x 0 pixels");

    // A NUL hides the rest of a list the program writes back: an error at its
    // line. A list it only reads is read up to the NUL: a warning.
    set.overrides = {{"JavaSize.lst", {"0", "0", "0", QStringLiteral("0") + QChar(0) + "7\r\n8"}}};
    expectOnlyError(check(), "JavaSize.lst", 4, "NUL");
    set.overrides = {{"JavaStdNames.lst", {"a", "b", "c", QStringLiteral("d") + QChar(0) + "x"}}};
    const Report nul = check();
    EXPECT_EQ(nul.errors(), 0) << nul.text().toStdString();
    EXPECT_TRUE(nul.text().contains("JavaStdNames.lst:4: warning: a NUL character: the list is "
                                    "read up to it"))
        << nul.text().toStdString();

    set.overrides.clear();
    check();
    QFile::remove(firmware + "/Data/JavaTable.lst");
    expectOnlyError(datasetcheck::run(firmware + "/Data"), "JavaTable.lst", 0, "missing");

    // A save a kill interrupted after its commit: the lists are what start-up
    // reads, the committed new ones.
    check();
    scratch.write("user/X120XEDJ2/Data/JavaSize.lst.new", "0\r\n-5\r\n0\r\n0\r\n");
    scratch.write("user/X120XEDJ2/Data/" + ListJournal::markerName(), "JavaSize.lst\r\n");
    expectOnlyError(datasetcheck::run(firmware + "/Data"), "JavaSize.lst", 2,
                    "not a size in bytes");
}

TEST_F(DataSetCheckTest, MemoryMapAndPlacement) {
    set.memoryIni = "[Patches]\r\nVolumePatchAvailable=1\r\n[JavaGames]\r\n"
                    "StartOffset=0x01300000\r\nEndOffset=0x01400000\r\n";
    expectOnlyError(check(), "Memory.ini", 4, "the Java region overlaps the melody region");

    set.memoryIni = "[Melodies]\r\nStartOffset=0x0130000Z\r\n";
    expectOnlyError(check(), "Memory.ini", 2, "[Melodies] StartOffset \"0x0130000Z\" is not");

    set.memoryIni = "[Pictures]\r\nStartOffset=0x00800000\r\n";
    expectOnlyError(check(), "Memory.ini", 2, "starts at 0x00800000, after its end 0x007FFFFE");

    set.memoryIni.clear();
    set.overrides = {{"PicTable.lst", {"00600100", "00700000"}}};
    expectOnlyError(check(), "PicTable.lst", 2, "lies inside the picture region");

    set.overrides = {{"JavaTable.lst", {"01100020", "01100028", "01100020", "01100038"}}};
    expectOnlyError(check(), "JavaTable.lst", 3, "overlaps the Java table entry of slot 0");

    set.overrides = {{"VolumesOffsets.lst", {"00500000", "00ABCDE3", "00500002"}}};
    expectOnlyError(check(), "VolumesOffsets.lst", 2, "overlaps the melody table entry of slot 0");
}

TEST_F(DataSetCheckTest, RequiredPatchesAndPatch64K) {
    extraFiles["Data/ReqPatches/Fix.s3"] = "S30900041A101011121382\r\nS30900041A1010111213FF\r\n";
    expectOnlyError(check(), "Fix.s3", 2, "checksum FF, expected 82");

    extraFiles["Data/ReqPatches/Fix.s3"] = "S00600004844521B\r\nS705A002000058\r\n";
    const Report ends = check();
    EXPECT_EQ(ends.errors(), 0);
    ASSERT_EQ(ends.warnings(), 4) << ends.text().toStdString();
    EXPECT_TRUE(ends.findings()[0].toText().endsWith("Fix.s3:1: warning: a header record (S0): "
                                                     "it is copied into every patch"));
    EXPECT_TRUE(ends.findings()[1].toText().contains("Fix.s3:2: warning: an S7 record"));

    extraFiles.clear();
    set.memoryIni = "[Patches]\r\nPatch64K=S3150006F10018184568381CFFF7E3FC041C3A1C0C4F1D\r\n";
    expectOnlyError(check(), "Memory.ini", 2, "Patch64K: checksum 1D, expected 1C");
}

TEST_F(DataSetCheckTest, WorkingCopiesMustHoldTheRecordedSize) {
    set.overrides = {{"MelodiesFiles.lst", {"gone.mid", "here.mid", "zero.mid"}},
                     {"MelodiesSize.lst", {"100", "10", "0"}}};
    extraFiles["TempMelodies/here.mid"] = QByteArray(9, 'x');
    const Report report = check();
    ASSERT_EQ(report.errors(), 2) << report.text().toStdString();
    EXPECT_TRUE(report.findings()[0].toText().contains("MelodiesFiles.lst:1: error: the working "
                                                       "copy "));
    EXPECT_TRUE(report.findings()[1].toText().contains("MelodiesSize.lst:2: error: 10 bytes "
                                                       "recorded, but "));
    EXPECT_TRUE(report.text().contains("MelodiesSize.lst:3: warning: size 0 for zero.mid: the "
                                       "patches keep the slot's standard resource"));

    // A picture counts with its converted size: 16 bytes for this 4 x 2 one.
    QImage image(4, 2, QImage::Format_RGB888);
    image.fill(Qt::red);
    image.setPixel(3, 1, qRgb(0, 0, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    set.overrides = {{"PicFiles.lst", {"a.bmp", "a.bmp"}}, {"PicSize.lst", {"20", "16"}}};
    extraFiles = {{"TempPic/a.bmp", buffer.data()}};
    const Report pictures = check();
    ASSERT_EQ(pictures.errors(), 2) << pictures.text().toStdString();
    EXPECT_TRUE(pictures.text().contains("PicSize.lst:1: error: 20 bytes recorded, but "));
    EXPECT_TRUE(pictures.text().contains("gives 16\n")) << pictures.text().toStdString();
    EXPECT_TRUE(pictures.text().contains(
        "PicFiles.lst:2: error: the picture is 4 x 2 pixels, the slot takes 2 x 2"));
}

TEST_F(DataSetCheckTest, FindingsEscapeControlCharactersAndNameBadPreviews) {
    const Finding finding{"a\nb/Data/x.lst", 2, true, "\"\x1B[31m\" is not"};
    EXPECT_EQ(finding.toText(), "a\\nb/Data/x.lst:2: error: \"\\x1B[31m\" is not");

    extraFiles["Data/Pic/1.jpg"] = "not a picture";
    const Report report = check();
    EXPECT_TRUE(report.findings()[0].toText().contains(
        "/Data/Pic/1.jpg:0: warning: the preview of picture slot 0 is not a whole JPEG picture "
        "the program can show (JPEG error #"))
        << report.text().toStdString();
}
