// SPDX-License-Identifier: MIT
#include "cli/CliFixture.h"
#include "firmware/FirmwareImage.h"
#include "firmware/FirmwareMaker.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

using Kind = FirmwareMaker::Kind;
using testsupport::readAll;

namespace {

// The independent S-record tools, from the folder TARVEX_SRECORD_DIR names
// when set, else the system's; empty when not installed.
QString srecordTool(const QString& name) {
    const QString dir = QProcessEnvironment::systemEnvironment().value("TARVEX_SRECORD_DIR");
    return dir.isEmpty() ? QStandardPaths::findExecutable(name)
                         : QStandardPaths::findExecutable(name, {dir});
}

QString hexAddress(std::uint32_t address) {
    return "0x" + QStringLiteral("%1").arg(address, 8, 16, QLatin1Char('0')).toUpper();
}

QByteArray bytesOf(const FirmwareImage::Range& r) {
    return QByteArray(reinterpret_cast<const char*>(r.bytes.data()), qsizetype(r.bytes.size()));
}

} // namespace

class RevertTest : public CliFixture {
protected:
    void SetUp() override {
        CliFixture::SetUp();
        made = maker.make();
        code = made.addresses[maker.find(Kind::Code, 3)];
    }
    QString patch(const QString& name, std::uint32_t address, const QByteArray& data) {
        return scratch.write(name, "S00600004844521B\r\n" +
                                       firmwaremaker::record(3, address, data) +
                                       "\r\nS705A002000058\r\n");
    }
    FirmwareImage read(const QString& path, std::optional<std::uint32_t> base = std::nullopt) {
        Report report;
        FirmwareImage image = firmwarefile::read({path, base}, report);
        EXPECT_EQ(report.errors(), 0) << report.text().toStdString();
        return image;
    }

    FirmwareMaker maker = FirmwareMaker::standard();
    FirmwareMaker::Made made;
    std::uint32_t code = 0;
};

TEST_F(RevertTest, PatchesThenTheRevertGiveTheFirmwareBackInBothForms) {
    const QString s3 = scratch.write("fw.s3", firmwaremaker::sRecords(made.image, maker.base));
    const QString bin = scratch.write("fw.bin", made.image);
    const QString base = QString::number(maker.base);
    // Two patches that overlap, a third that touches the second's end, one
    // record spanning 40 bytes: the revert joins them into two ranges.
    const QString p1 = patch("p1.s3", code + 10, QByteArray(3, '\xAA'));
    const QString p2 = patch("p2.s3", code + 11, QByteArray(40, '\x55'));
    const QString p3 = patch("p3.s3", code + 51, "\x01\x02");
    const QString p4 = patch("p4.s3", code + 300, "\x07");
    struct Case {
        QString firmware;
        QStringList extra;
        QStringList patches;
        QByteArray endRecord;
    };
    const QList<Case> cases = {
        {s3, {}, {p1}, "\r\nS70500000000FA\r\n"},
        {s3, {}, {p1, p2, p3, p4}, "\r\nS70500000000FA\r\n"},
        {bin, {"--base", base}, {p2, p1, p4, p3}, "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.patches.join(' ').toStdString() + " on " + c.firmware.toStdString());
        const QString rev = scratch.path("rev.s3");
        ASSERT_EQ(run(QStringList{"revert", c.firmware} + c.patches + c.extra +
                      QStringList{"-o", rev, "--json"}),
                  0)
            << out.toStdString() << err.toStdString();
        const QByteArray text = readAll(rev);
        EXPECT_TRUE(text.startsWith("S00600004844521B\r\nS3"));
        EXPECT_TRUE(text.endsWith(c.endRecord)) << text.right(30).toStdString();
        EXPECT_EQ(text.contains("\nS7"), c.firmware == s3);

        // Its records write the original bytes at the written addresses only.
        const FirmwareImage revert = read(rev);
        const bool several = c.patches.size() > 1;
        ASSERT_EQ(revert.ranges().size(), several ? 2u : 1u);
        EXPECT_EQ(revert.ranges()[0].start, code + 10);
        EXPECT_EQ(revert.ranges()[0].end(), code + (several ? 53 : 13));
        EXPECT_EQ(bytesOf(revert.ranges()[0]),
                  made.image.mid(code + 10 - maker.base, several ? 43 : 3));
        if (several) {
            EXPECT_EQ(revert.ranges()[1].start, code + 300);
            EXPECT_EQ(bytesOf(revert.ranges()[1]), made.image.mid(code + 300 - maker.base, 1));
        }
        const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
        EXPECT_EQ(json["bytes"].toInt(), several ? 44 : 3);
        EXPECT_EQ(json["records"].toInt(), several ? 4 : 1);
        EXPECT_EQ(json["ranges"].toArray().size(), several ? 2 : 1);
        EXPECT_EQ(json["ranges"][0]["start_hex"].toString(), hexAddress(code + 10));
        EXPECT_TRUE(json["written"].toBool());

        // The firmware as flashed with the patches, then the revert over it.
        ASSERT_EQ(run(QStringList{"apply", c.firmware} + c.patches + QStringList{rev} + c.extra +
                      QStringList{"-o", scratch.path("back.bin")}),
                  0)
            << out.toStdString();
        EXPECT_EQ(readAll(scratch.path("back.bin")), made.image);
    }
}

TEST_F(RevertTest, APatchWritingOutsideTheFirmwareIsRefusedNamingTheRange) {
    const QString fw = scratch.write(
        "fw.s3", firmwaremaker::sRecords(made.image, maker.base, code + 100, code + 200));
    const QString inside = patch("in.s3", code, "\x01");
    const QString across = patch("across.s3", code + 96, QByteArray(8, '\x11'));
    EXPECT_EQ(run({"revert", fw, inside, across, "-o", scratch.path("rev.s3")}), 1);
    EXPECT_TRUE(out.contains(QStringLiteral("across.s3:2: error: writes [%1, %2) outside the "
                                            "firmware's bytes")
                                 .arg(hexAddress(code + 100), hexAddress(code + 104))))
        << out.toStdString();
    EXPECT_TRUE(err.contains("nothing is written"));
    EXPECT_FALSE(QFileInfo::exists(scratch.path("rev.s3")));
    // Nor over one of its own inputs.
    EXPECT_NE(run({"revert", fw, inside, "-o", inside}), 0);
    EXPECT_EQ(readAll(inside).size(), firmwaremaker::record(3, code, "\x01").size() + 36);
}

TEST_F(RevertTest, TheIndependentToolsReadTheRevertAsMade) {
    const QString info = srecordTool("srec_info");
    const QString cat = srecordTool("srec_cat");
    if (info.isEmpty() || cat.isEmpty()) {
        GTEST_SKIP() << "srec_info and srec_cat are not installed";
    }
    const QString fw = scratch.write("fw.s3", firmwaremaker::sRecords(made.image, maker.base));
    const QString rev = scratch.path("rev.s3");
    ASSERT_EQ(run({"revert", fw, patch("a.s3", code + 5, QByteArray(37, 'a')),
                   patch("b.s3", code + 1000, QByteArray(16, 'b')), "-o", rev}),
              0);
    QProcess p;
    p.start(info, {rev});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString ranges = QString::fromLatin1(p.readAllStandardOutput());
    // Inclusive ends, as that tool prints them.
    EXPECT_TRUE(ranges.contains(
        QStringLiteral("%1 - %2").arg(code + 5, 0, 16).arg(code + 41, 0, 16).toUpper()))
        << ranges.toStdString();
    const QString whole = scratch.path("rev.bin");
    p.start(cat,
            {rev, "-Motorola", "-offset", QString("-%1").arg(code + 5), "-o", whole, "-Binary"});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QByteArray bytes = readAll(whole);
    ASSERT_EQ(bytes.size(), 1011);
    EXPECT_EQ(bytes.left(37), made.image.mid(code + 5 - maker.base, 37));
    EXPECT_EQ(bytes.right(16), made.image.mid(code + 1000 - maker.base, 16));
}
