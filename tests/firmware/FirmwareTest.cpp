// SPDX-License-Identifier: MIT
#include "cli/CliFixture.h"
#include "dataset/ListFile.h"
#include "firmware/FirmwareImage.h"
#include "firmware/FirmwareMaker.h"
#include "pictures/HandsetPictureDecoder.h"
#include "platform/DataSetLock.h"

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using Kind = FirmwareMaker::Kind;
using testsupport::readAll;

static QString hex(std::uint32_t value) {
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

class FirmwareTest : public CliFixture {
protected:
    void SetUp() override {
        SettingsStore::setOverrideFile(scratch.path("settings.ini"));
        QDir().mkpath(user());
        made = maker.make();
        firmware = firmwaremaker::writeDataSet(made, user());
    }

    std::uint32_t at(Kind kind, int index = 0) const {
        return made.addresses[maker.find(kind, index)];
    }
    qsizetype offset(Kind kind, int index = 0) const {
        return qsizetype(at(kind, index) - maker.base);
    }
    QString s3(const QByteArray& image, const QString& name = "fw.s3") {
        return scratch.write(name, firmwaremaker::sRecords(image, maker.base));
    }

    FirmwareMaker maker = FirmwareMaker::standard();
    FirmwareMaker::Made made;
};

TEST_F(FirmwareTest, ReadsRecordsOfEveryWidthAndRawImagesAndNamesBadLines) {
    const QByteArray records = firmwaremaker::sRecords(made.image, maker.base);
    for (const char* type : {"\nS1", "\nS2", "\nS3", "\nS5", "\nS9"}) {
        EXPECT_TRUE(records.contains(type)) << type;
    }
    Report report;
    FirmwareImage image = firmwarefile::read({s3(made.image), std::nullopt}, report);
    ASSERT_EQ(report.errors(), 0);
    ASSERT_EQ(image.ranges().size(), 1u);
    EXPECT_EQ(image.ranges()[0].start, maker.base);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(image.ranges()[0].bytes.data()),
                         qsizetype(image.ranges()[0].bytes.size())),
              made.image);

    image = firmwarefile::read({scratch.write("fw.img", made.image), maker.base}, report);
    EXPECT_EQ(report.errors(), 0);
    EXPECT_EQ(image.dataBytes(), std::uint64_t(made.image.size()));
    EXPECT_EQ(image.byteAt(maker.base + 5), std::uint8_t(made.image[5]));

    // A damaged checksum on line 3 and the same bytes given again, otherwise.
    QList<QByteArray> lines = records.split('\n');
    lines[2][lines[2].size() - 3] = lines[2][lines[2].size() - 3] == '0' ? '1' : '0';
    lines.insert(4, firmwaremaker::record(3, maker.base, "\x01\x02") + "\r");
    Report bad;
    firmwarefile::read({scratch.write("bad.s3", lines.join('\n')), std::nullopt}, bad);
    ASSERT_EQ(bad.errors(), 2);
    EXPECT_EQ(bad.findings()[0].line, 3);
    EXPECT_TRUE(bad.findings()[0].text.contains("checksum"));
    EXPECT_EQ(bad.findings()[1].line, 5);
    EXPECT_TRUE(bad.findings()[1].text.contains("different values"));
}

TEST_F(FirmwareTest, MatchPassesOnTheDataSetsOwnFirmware) {
    ASSERT_EQ(run({"match", s3(made.image)}), 0) << err.toStdString() << out.toStdString();
    EXPECT_TRUE(out.contains("3 of 3 melody entries match the firmware"));
    EXPECT_TRUE(out.contains("2 of 2 standard pictures are well formed"));
    EXPECT_TRUE(out.contains("3 of 3 volume bytes"));
    EXPECT_TRUE(out.contains("(1 applied already)"));
    EXPECT_TRUE(out.endsWith("0 errors, 0 warnings\n"));

    const QString bin = scratch.write("fw.bin", made.image);
    ASSERT_EQ(
        run({"match", bin, "--base", QStringLiteral("0x%1").arg(maker.base, 0, 16), "--json"}), 0)
        << err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(json["format"].toInt(), 1);
    EXPECT_TRUE(json["matches"].toBool());
    EXPECT_EQ(json["errors"].toInt(), 0);
}

TEST_F(FirmwareTest, MatchNamesEveryPlantedDifference) {
    QByteArray image = made.image;
    image[offset(Kind::MelodyTable) + 8 + 1] = char(image[offset(Kind::MelodyTable) + 8 + 1] ^ 1);
    image[offset(Kind::Volumes) + 2] = char(0x61);
    const auto javaSize = std::uint32_t(FirmwareMaker::resource(Kind::Java, 1).size());
    const std::uint32_t javaEnd = at(Kind::Java, 1) + javaSize;
    const QString path =
        scratch.write("fw.s3", firmwaremaker::sRecords(image, maker.base, javaEnd - 5, javaEnd));
    const QString region = hex(at(Kind::PictureRegion));
    const QString picture = hex(at(Kind::Picture, 1));
    listfile::writeWhole(
        firmware + "/Data/Memory.ini",
        made.set.memoryIni.replace("StartOffset=0x" + region, "StartOffset=0x" + picture)
            .toLatin1());

    EXPECT_EQ(run({"match", path}), 1);
    EXPECT_TRUE(out.contains("StdMelodiesOffsets.lst:2: error: the melody table entry of slot 1"));
    EXPECT_TRUE(out.contains("StdVolumes.lst:3: error: the volume byte of slot 2"));
    EXPECT_TRUE(out.contains(QStringLiteral("JavaStdOffsets.lst:2: error: the standard Java file "
                                            "of slot 1: only %1 of its %2 bytes")
                                 .arg(javaSize - 5)
                                 .arg(javaSize)));
    EXPECT_TRUE(out.contains("the picture region 0x" + picture));
    EXPECT_TRUE(out.contains("holds the standard picture of slot 1"));
    EXPECT_TRUE(out.contains("the picture region is not erased: "));
    EXPECT_TRUE(out.contains("5 errors, 0 warnings")) << out.toStdString();
    EXPECT_TRUE(err.contains("does not match the firmware"));
}

TEST_F(FirmwareTest, ExtractWritesExactlyThePlacedBytes) {
    const QString dir = scratch.path("out");
    ASSERT_EQ(run({"extract", s3(made.image), "-o", dir}), 0)
        << err.toStdString() << out.toStdString();
    EXPECT_EQ(readAll(dir + "/melodies/0.mid"), FirmwareMaker::resource(Kind::Melody, 0));
    EXPECT_EQ(readAll(dir + "/melodies/1.mmf"), FirmwareMaker::resource(Kind::Melody, 1));
    EXPECT_EQ(readAll(dir + "/melodies/2.bin"), FirmwareMaker::resource(Kind::Melody, 2));
    EXPECT_EQ(readAll(dir + "/java/0.jad"), FirmwareMaker::resource(Kind::Java, 0));
    EXPECT_EQ(readAll(dir + "/java/1.jar"), FirmwareMaker::resource(Kind::Java, 1));
    EXPECT_EQ(QImage(dir + "/pictures/1.png").convertToFormat(QImage::Format_RGB32),
              toImage(decodeHandsetPicture(FirmwareMaker::resource(Kind::Picture, 1))));
    const QStringList index = QString::fromUtf8(readAll(dir + "/index.tsv")).split('\n');
    ASSERT_EQ(index.size(), 8);
    EXPECT_EQ(index[0], QStringLiteral("melodies\t0\tМелодия 1\t0x%1\t304\tmelodies/0.mid\t")
                            .arg(hex(at(Kind::Melody, 0))));

    EXPECT_TRUE(index[3].endsWith("\tjava/0.jad\tX")) << index[3].toStdString(); // MIDlet-Name

    // A table entry that differs: nothing at all is written.
    QByteArray image = made.image;
    image[offset(Kind::PictureTable)] = 9;
    EXPECT_EQ(run({"extract", s3(image), "-o", scratch.path("refused")}), 1);
    EXPECT_TRUE(out.contains("PicOffsets.lst:1: error: the picture table entry of slot 0"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path("refused")));
}

TEST_F(FirmwareTest, MatchWarnsWhenAStandardJadGivesAnotherSizeThanItsJar) {
    QByteArray image = made.image;
    const QByteArray line = "MIDlet-Jar-Size: 9\r\n";
    image.replace(offset(Kind::Java, 0), line.size(), line);
    EXPECT_EQ(run({"match", s3(image)}), 0) << out.toStdString();
    EXPECT_TRUE(
        out.contains(QStringLiteral("JavaStdOffsets.lst:1: warning: the standard JAD of slot "
                                    "0 gives MIDlet-Jar-Size 9, but the standard JAR of "
                                    "slot 1 has %1 bytes\n")
                         .arg(FirmwareMaker::resource(Kind::Java, 1).size())))
        << out.toStdString();
}

TEST_F(FirmwareTest, ApplyWritesTheFirmwareWithThePatchOverIt) {
    const std::uint32_t where = at(Kind::Code, 3) + 10;
    const QString patch = scratch.write(
        "p.s3", "S00600004844521B\r\n" + firmwaremaker::record(3, where, "\xAA\xBB\xCC") +
                    "\r\nS705A002000058\r\n");
    QByteArray expected = made.image;
    expected.replace(qsizetype(where - maker.base), 3, "\xAA\xBB\xCC");

    ASSERT_EQ(run({"apply", s3(made.image), patch, "-o", scratch.path("out.s3")}), 0)
        << err.toStdString() << out.toStdString();
    const QByteArray text = readAll(scratch.path("out.s3"));
    EXPECT_TRUE(text.startsWith("S00600004844521B\r\nS3150000F000"));
    // The firmware's own start address (its S9 0000), not the patch's.
    EXPECT_TRUE(text.endsWith("\r\nS70500000000FA\r\n")) << text.right(40).toStdString();
    Report report;
    const FirmwareImage out3 = firmwarefile::read({scratch.path("out.s3"), std::nullopt}, report);
    ASSERT_EQ(out3.ranges().size(), 1u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(out3.ranges()[0].bytes.data()),
                         qsizetype(out3.ranges()[0].bytes.size())),
              expected);

    // A firmware with a gap, as a raw image: the gap is FF.
    const QString gapped =
        scratch.write("gap.s3", firmwaremaker::sRecords(made.image, maker.base, maker.base + 100,
                                                        maker.base + 200));
    ASSERT_EQ(run({"apply", gapped, patch, "-o", scratch.path("out.bin")}), 0) << err.toStdString();
    expected.replace(100, 100, QByteArray(100, char(0xFF)));
    EXPECT_EQ(readAll(scratch.path("out.bin")), expected);
    // A raw image has no start address to keep.
    ASSERT_EQ(run({"apply", scratch.path("out.bin"), "--base", QString::number(maker.base), patch,
                   "-o", scratch.path("raw.s3")}),
              0)
        << err.toStdString();
    EXPECT_FALSE(readAll(scratch.path("raw.s3")).contains("\nS7"));

    // Bytes outside the firmware only when allowed.
    const QString outside =
        scratch.write("o.s3", firmwaremaker::record(3, 0x00800000, "\x01\x02") + "\r\n");
    EXPECT_EQ(run({"apply", gapped, outside, "-o", scratch.path("no.bin")}), 1);
    EXPECT_TRUE(out.contains("o.s3:1: error: writes 2 of its 2 bytes at 0x00800000 outside"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path("no.bin")));
    ASSERT_EQ(run({"apply", gapped, outside, "--allow-outside", "-o", scratch.path("yes.s3")}), 0);
    EXPECT_TRUE(
        readAll(scratch.path("yes.s3")).contains(firmwaremaker::record(3, 0x00800000, "\x01\x02")));
}

TEST_F(FirmwareTest, PreviewsAreMadeFromTheFirmwaresPicturesUnderTheLock) {
    const QString path = s3(made.image);
    {
        DataSetLock other(firmware);
        ASSERT_EQ(other.tryLock(), DataSetLock::Result::Locked);
        EXPECT_EQ(run({"previews", path}), 1);
        EXPECT_FALSE(QFileInfo::exists(firmware + "/Data/Pic/1.jpg"));
    }
    ASSERT_EQ(run({"previews", path}), 0) << err.toStdString();
    for (int slot : {0, 1}) {
        const QImage preview(firmware + QStringLiteral("/Data/Pic/%1.jpg").arg(slot + 1));
        EXPECT_EQ(preview.size(), QSize(4 + 2 * slot, 3));
    }
}

TEST_F(FirmwareTest, MatchWantsEveryByteOfARegionInTheFirmware) {
    const QByteArray image = made.image.first(offset(Kind::MelodyRegion) + 16);
    EXPECT_EQ(run({"match", s3(image)}), 1);
    EXPECT_TRUE(out.contains(QRegularExpression(
        "Memory.ini:2: error: only 16 of the \\d+ bytes of the melody region lie in the firmware")))
        << out.toStdString();
    EXPECT_TRUE(out.contains("2 of 3 regions are erased and hold no standard resource"));
}

TEST_F(FirmwareTest, MatchWantsEveryByteOfARegionErased) {
    QByteArray image = made.image;
    const qsizetype middle = offset(Kind::MelodyRegion) + 2000;
    image.replace(middle, 3, "\x01\xFF\x02");
    EXPECT_EQ(run({"match", s3(image)}), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("Memory.ini:2: error: the melody region is not erased: "
                                            "2 bytes are not FF, the first at 0x%1")
                                 .arg(hex(at(Kind::MelodyRegion) + 2000))))
        << out.toStdString();
    EXPECT_TRUE(out.contains("2 of 3 regions are erased and hold no standard resource"));
}
