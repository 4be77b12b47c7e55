// SPDX-License-Identifier: MIT
// The bundled data set rewritten in the forms a hand-made data set takes,
// each of which `check` must pass, and with one fault planted at a time,
// each of which it must name at its file and line.
#include "base/Cp1251.h"
#include "check/DataSetCheck.h"
#include "dataset/ListFile.h"
#include "srec/S3Records.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <functional>

namespace {

const QString kIni = QStringLiteral(R"([Melodies]
StartOffset=0x01400000
EndOffset=0x01A7FFF0
[JavaGames]
StartOffset=0x01280000
EndOffset=0x013BFFF0
[Pictures]
StartOffset=0x00700000
EndOffset=0x007DFFFE
[StringTable]
Size=4096
[Patches]
Patch64K=S3150007A2402A4B1B68002B03D0104A9A4200D1C0B292
VolumePatchAvailable=1
MelTabAvailable=1
JavaTabAvailable=1
PicTabAvailable=1
)");

// A copy of the bundled data set to change.
class Variant {
public:
    Variant() {
        const QString from = testsupport::bundledFirmwareRoot() + "/X120XEDJ2/Data";
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            scratch.write("X120XEDJ2/Data" + source.mid(from.size()), testsupport::readAll(source));
        }
        ini = kIni;
    }
    QString path(const QString& name) const { return scratch.path("X120XEDJ2/Data/" + name); }
    QStringList lines(const QString& list) const { return listfile::load(path(list)); }
    void setLines(const QString& list, const QStringList& lines, const QString& end = "\r\n") {
        QByteArray bytes;
        for (const QString& line : lines) {
            bytes += *cp1251::encode(line + end);
        }
        scratch.write("X120XEDJ2/Data/" + list, bytes);
    }
    void set(const QString& key, const QString& value) {
        ini.replace(QRegularExpression("(?m)^" + key + "=.*$"), key + "=" + value);
    }
    void cutTo(const QString& prefix, int count) {
        const QStringList masks{prefix + "*.lst", "Std" + prefix + "*"};
        for (const QString& list : QDir(path("")).entryList(masks)) {
            setLines(list, lines(list).mid(0, count));
        }
    }
    Report check() {
        scratch.write("X120XEDJ2/Data/Memory.ini", ini.toLatin1());
        return datasetcheck::run(path("").chopped(1));
    }

    testsupport::Scratch scratch;
    QString ini;
};

// An S3 data record with its count and checksum.
QString record(quint32 address, const QByteArray& bytes) {
    return srec::withS3Checksum(QStringLiteral("S3%1%2%3")
                                    .arg(bytes.size() + 5, 2, 16, QLatin1Char('0'))
                                    .arg(address, 8, 16, QLatin1Char('0'))
                                    .arg(QString::fromLatin1(bytes.toHex()))
                                    .toUpper());
}

struct Case {
    const char* name;
    std::function<void(Variant&)> change;
};

} // namespace

TEST(DataSetVariants, ValidFormsCheckWithoutError) {
    const Case cases[] = {
        {"as shipped", [](Variant&) {}},
        {"Memory.ini reordered, spaced, commented, lower case, LF",
         [](Variant& v) {
             const qsizetype patches = v.ini.indexOf("[Patches]");
             v.ini = "; made by hand\n" + v.ini.mid(patches) + "\n\n" + v.ini.left(patches);
             v.ini.replace("=", " = ").replace("[Melodies]", "[melodies]");
             v.ini.replace("StartOffset", "startoffset");
         }},
        {"number forms",
         [](Variant& v) {
             v.set("Size", "0x1000");
             v.ini.replace("StartOffset=0x01400000", "StartOffset=$01400000")
                 .replace("EndOffset=0x01A7FFF0", "EndOffset=27787248")
                 .replace("0x013BFFF0", "0X013bfff0");
         }},
        {"regions that touch", [](Variant& v) { v.ini.replace("0x013BFFF0", "0x01400000"); }},
        {"fewer slots, none in Java",
         [](Variant& v) {
             v.cutTo("Melodies", 3);
             v.cutTo("Java", 0);
         }},
        {"pages off, their regions unused and their lists gone",
         [](Variant& v) {
             v.set("JavaTabAvailable", "0");
             v.set("PicTabAvailable", "0");
             v.set("VolumePatchAvailable", "0");
             v.ini.replace("StartOffset=0x01280000", "StartOffset=0x01400000");
             v.ini.replace("EndOffset=0x007DFFFE", "EndOffset=-5");
             for (const QString& list : QDir(v.path("")).entryList({"Java*", "Pic*", "*Volume*"})) {
                 QFile::remove(v.path(list));
             }
         }},
        {"lists ending in LF, in CR, and without a last line end",
         [](Variant& v) {
             v.setLines("MelodiesTable.lst", v.lines("MelodiesTable.lst"), "\n");
             v.setLines("JavaTable.lst", v.lines("JavaTable.lst"), "\r");
             const QString table = v.lines("PicTable.lst").join("\r\n");
             v.scratch.write("X120XEDJ2/Data/PicTable.lst", table.toLatin1());
         }},
        {"a required patch writing what another writes",
         [](Variant& v) {
             v.scratch.write("X120XEDJ2/Data/ReqPatches/Zz.s3",
                             v.lines("ReqPatches/Fonts.s3").first().toLatin1());
         }},
    };
    for (const Case& c : cases) {
        Variant v;
        c.change(v);
        const Report report = v.check();
        EXPECT_EQ(report.errors(), 0) << c.name << "\n" << report.text().toStdString();
    }
}

TEST(DataSetVariants, PlantedFaultsAreNamedAtTheirFileAndLine) {
    struct Fault {
        Case plant;
        const char* file;
        qint64 line;
        const char* words;
    };
    auto req = [](quint32 address, const QByteArray& bytes) {
        return [=](Variant& v) {
            v.scratch.write("X120XEDJ2/Data/ReqPatches/Zz.s3",
                            ("S00600004844521B\r\n" + record(address, bytes)).toLatin1());
        };
    };
    const Fault faults[] = {
        {{"entry across the top of the address space",
          [](Variant& v) {
              QStringList table = v.lines("MelodiesTable.lst");
              table[4] = "FFFFFFFC";
              v.setLines("MelodiesTable.lst", table);
          }},
         "MelodiesTable.lst",
         5,
         "runs past the end of the 32-bit address space"},
        {{"files list longer than the slots",
          [](Variant& v) {
              v.setLines("MelodiesFiles.lst", v.lines("MelodiesFiles.lst")
                                                  << QStringLiteral("[Стандартная мелодия]"));
          }},
         "MelodiesFiles.lst",
         33,
         "a line past the 32 slots of StdMelodiesList.lst"},
        {{"volumes short of the volume slots",
          [](Variant& v) { v.setLines("Volumes.lst", v.lines("Volumes.lst").mid(0, 20)); }},
         "Volumes.lst",
         20,
         "the first 25 melody slots have a volume each"},
        {{"volume offsets short of the volume slots",
          [](Variant& v) {
              v.setLines("VolumesOffsets.lst", v.lines("VolumesOffsets.lst").mid(0, 24));
          }},
         "VolumesOffsets.lst",
         24,
         "the first 25 melody slots"},
        {{"required record over a table entry", req(0x0058A00C, "\x01\x02")},
         "Zz.s3",
         2,
         "writes 0x0058A00C-0x0058A00D over the melody table entry of slot 1 "
         "(MelodiesTable.lst line 2)"},
        {{"required record over a volume byte", req(0x0058A141, "\x01")},
         "Zz.s3",
         2,
         "writes 0x0058A141 over the melody volume byte of slot 1"},
        {{"required record inside a region", req(0x007DFFF0, "\x01")},
         "Zz.s3",
         2,
         "inside the picture region"},
        {{"required records at one address with other bytes", req(0x00334001, "\x01")},
         "Zz.s3",
         2,
         "writes 0x00334001 with other bytes than required patch Fonts.s3 (Fonts.s3 "
         "line 1)"},
        {{"Patch64K over a table entry",
          [](Variant& v) { v.set("Patch64K", record(0x0059C404, "\x01\x02")); }},
         "Memory.ini",
         13,
         "the Patch64K line writes 0x0059C404-0x0059C405 over the Java table "
         "entry of slot 0"},
        {{"regions of two pages that are on overlap",
          [](Variant& v) { v.ini.replace("0x013BFFF0", "0x01400001"); }},
         "Memory.ini",
         5,
         "the Java region overlaps the melody region"},
        {{"a melody region whose first file lies past 32 bits",
          [](Variant& v) {
              v.ini.replace("StartOffset=0x01400000", "StartOffset=0x7FFFF800")
                  .replace("EndOffset=0x01A7FFF0", "EndOffset=0x7FFFFFF0");
          }},
         "Memory.ini",
         11,
         "the start of the melody region plus [StringTable] Size passes 32 bits"},
        {{"Patch64K as an S1 record", [](Variant& v) { v.set("Patch64K", "S1057A242A4BE7"); }},
         "Memory.ini",
         13,
         "Patch64K is an S1 record: it must be one S3 record"},
        {{"a picture region of 0 bytes with a picture's size recorded",
          [](Variant& v) {
              v.ini.replace("EndOffset=0x007DFFFE", "EndOffset=0x00700000");
              v.setLines("PicSize.lst", v.lines("PicSize.lst") << "1000");
          }},
         "PicSize.lst",
         0,
         "more than the 0 bytes the pictures manager has: no patch can be built"},
        {{"a size past the last slot that is no number",
          [](Variant& v) { v.setLines("JavaSize.lst", v.lines("JavaSize.lst") << "x"); }},
         "JavaSize.lst",
         9,
         "\"x\" is not a size in bytes"},
    };
    for (const Fault& f : faults) {
        Variant v;
        f.plant.change(v);
        const Report report = v.check();
        ASSERT_EQ(report.errors(), 1) << f.plant.name << "\n" << report.text().toStdString();
        const Finding& error = *std::find_if(report.findings().begin(), report.findings().end(),
                                             [](const Finding& finding) { return finding.error; });
        EXPECT_EQ(QFileInfo(error.file).fileName(), f.file) << f.plant.name;
        EXPECT_EQ(error.line, f.line) << f.plant.name;
        EXPECT_TRUE(error.text.contains(QString::fromUtf8(f.words)))
            << f.plant.name << "\n"
            << error.toText().toStdString();
    }
}
