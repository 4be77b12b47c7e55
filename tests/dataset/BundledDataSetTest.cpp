// SPDX-License-Identifier: MIT
// Consistency of the bundled demonstration data set X120XEDJ2: every list a
// manager reads, the memory map, the previews, the required patches and the
// help texts, checked against the rules the program relies on when it loads
// the data set and builds patches from it.

#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "check/DataSetCheck.h"
#include "dataset/ListFile.h"
#include "dataset/NumericText.h"
#include "platform/IniFile.h"
#include "rtf/RtfReader.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

const QString kMelodyPlaceholder = QStringLiteral("[Стандартная мелодия]");
const QString kGamePlaceholder = QStringLiteral("[Стандартная игра]");
const QString kPicturePlaceholder = QStringLiteral("[Стандартная картинка]");
constexpr int kVolumeSlots = 25;

QString dataPath(const QString& name = {}) {
    const QString root = testsupport::bundledFirmwareRoot() + QStringLiteral("/X120XEDJ2/Data");
    return name.isEmpty() ? root : root + QLatin1Char('/') + name;
}

const QStringList& allLists() {
    static const QStringList names = {
        QStringLiteral("StdMelodiesList.lst"), QStringLiteral("MelodiesFiles.lst"),
        QStringLiteral("MelodiesNames.lst"),   QStringLiteral("MelodiesSize.lst"),
        QStringLiteral("MelodiesTable.lst"),   QStringLiteral("StdMelodiesOffsets.lst"),
        QStringLiteral("VolumesOffsets.lst"),  QStringLiteral("StdVolumes.lst"),
        QStringLiteral("Volumes.lst"),         QStringLiteral("JavaStdNames.lst"),
        QStringLiteral("JavaFiles.lst"),       QStringLiteral("JavaSize.lst"),
        QStringLiteral("JavaTable.lst"),       QStringLiteral("JavaStdOffsets.lst"),
        QStringLiteral("PicNames.lst"),        QStringLiteral("PicFiles.lst"),
        QStringLiteral("PicSize.lst"),         QStringLiteral("PicTable.lst"),
        QStringLiteral("PicOffsets.lst"),
    };
    return names;
}

// Loads a list of the data set; a failure is reported and gives no lines.
QStringList load(const QString& name) {
    try {
        return listfile::load(dataPath(name));
    } catch (const TarvexError& e) {
        ADD_FAILURE() << name.toStdString() << ": " << e.message().toStdString();
        return {};
    }
}

bool isUpperHex(const QString& text, int digits) {
    static const QRegularExpression upperHex(QStringLiteral("^[0-9A-F]*$"));
    return text.size() == digits && upperHex.match(text).hasMatch();
}

std::uint32_t hexValue(const QString& text) {
    return text.toUInt(nullptr, 16);
}

// The little-endian number whose bytes are written as `bytes` pairs of hex
// digits from character `at` on.
std::uint32_t littleEndian(const QString& text, int at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | text.mid(at + 2 * i, 2).toUInt(nullptr, 16);
    }
    return value;
}

// A half-open address range [begin, end).
struct Range {
    std::uint64_t begin;
    std::uint64_t end;
    QString what;
};

bool overlap(const Range& a, const Range& b) {
    return a.begin < b.end && b.begin < a.end;
}

std::string describe(const Range& r) {
    return QStringLiteral("%1 [%2, %3)")
        .arg(r.what)
        .arg(r.begin, 8, 16, QLatin1Char('0'))
        .arg(r.end, 8, 16, QLatin1Char('0'))
        .toUpper()
        .toStdString();
}

struct MemoryMap {
    std::int32_t melStart = 0, melEnd = 0;
    std::int32_t javaStart = 0, javaEnd = 0;
    std::int32_t picStart = 0, picEnd = 0;
    std::int32_t stringTable = 0;
    QString patch64k;
};

MemoryMap readMemoryMap() {
    const IniFile ini(dataPath(QStringLiteral("Memory.ini")));
    auto offset = [&](const char* section, const char* key) {
        const QString text =
            ini.readString(QString::fromLatin1(section), QString::fromLatin1(key), QString());
        std::int32_t value = 0;
        EXPECT_TRUE(numeric::tryToInt(text, value))
            << section << "/" << key << " = " << text.toStdString();
        return value;
    };
    MemoryMap m;
    m.melStart = offset("Melodies", "StartOffset");
    m.melEnd = offset("Melodies", "EndOffset");
    m.javaStart = offset("JavaGames", "StartOffset");
    m.javaEnd = offset("JavaGames", "EndOffset");
    m.picStart = offset("Pictures", "StartOffset");
    m.picEnd = offset("Pictures", "EndOffset");
    m.stringTable = numeric::iniToInt(
        ini.readString(QStringLiteral("StringTable"), QStringLiteral("Size"), QString()), -1);
    m.patch64k = ini.readString(QStringLiteral("Patches"), QStringLiteral("Patch64K"), QString());
    return m;
}

// The three free regions; the end offsets are taken as the last byte of the
// region, so that nothing may lie on them either.
std::vector<Range> freeRegions(const MemoryMap& m) {
    auto region = [](std::int32_t start, std::int32_t end, const char* what) {
        return Range{std::uint32_t(start), std::uint64_t(std::uint32_t(end)) + 1,
                     QString::fromLatin1(what)};
    };
    return {region(m.melStart, m.melEnd, "melody region"),
            region(m.javaStart, m.javaEnd, "Java region"),
            region(m.picStart, m.picEnd, "picture region")};
}

// One Motorola S-record, checked byte by byte.
struct Record {
    char type = 0;
    std::uint32_t address = 0;
    QByteArray data;
};

std::optional<Record> parseRecord(const QString& line, QString* why) {
    static const QRegularExpression form(QStringLiteral("^S[037]([0-9A-F]{2})+$"));
    if (!form.match(line).hasMatch()) {
        *why = QStringLiteral("not an S0, S3 or S7 record of upper-case hex pairs");
        return std::nullopt;
    }
    const QByteArray bytes = QByteArray::fromHex(line.mid(2).toLatin1());
    const int count = std::uint8_t(bytes[0]);
    if (bytes.size() != count + 1) {
        *why = QStringLiteral("count byte %1 but %2 bytes follow").arg(count).arg(bytes.size() - 1);
        return std::nullopt;
    }
    const char type = line[1].toLatin1();
    const int addressBytes = type == '0' ? 2 : 4;
    if (count < addressBytes + 1) {
        *why = QStringLiteral("too short for its address and checksum");
        return std::nullopt;
    }
    unsigned sum = 0;
    for (int i = 0; i < bytes.size() - 1; ++i) {
        sum += std::uint8_t(bytes[i]);
    }
    const unsigned expected = (~sum) & 0xFFu;
    if (std::uint8_t(bytes.back()) != expected) {
        *why = QStringLiteral("checksum %1, expected %2")
                   .arg(std::uint8_t(bytes.back()), 2, 16, QLatin1Char('0'))
                   .arg(expected, 2, 16, QLatin1Char('0'));
        return std::nullopt;
    }
    Record r;
    r.type = type;
    for (int i = 0; i < addressBytes; ++i) {
        r.address = (r.address << 8) | std::uint8_t(bytes[1 + i]);
    }
    r.data = bytes.mid(1 + addressBytes, count - addressBytes - 1);
    return r;
}

QStringList requiredPatchFiles() {
    QDir dir(dataPath(QStringLiteral("ReqPatches")));
    const QStringList names =
        dir.entryList({QStringLiteral("*.s3")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    QStringList paths;
    for (const QString& n : names) {
        paths << dir.filePath(n);
    }
    return paths;
}

// Text bytes must end every line with CR LF and hold no lone CR or LF.
void expectCrLfText(const QByteArray& raw, const std::string& name) {
    ASSERT_FALSE(raw.isEmpty()) << name;
    EXPECT_TRUE(raw.endsWith("\r\n")) << name << ": the last line has no CR LF";
    EXPECT_FALSE(raw.contains('\0')) << name;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r') {
            EXPECT_TRUE(i + 1 < raw.size() && raw[i + 1] == '\n')
                << name << ": a CR without LF at byte " << i;
        } else if (raw[i] == '\n') {
            EXPECT_TRUE(i > 0 && raw[i - 1] == '\r') << name << ": an LF without CR at byte " << i;
        }
    }
}

bool hasHighBytes(const QByteArray& raw) {
    for (char c : raw) {
        if (std::uint8_t(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

bool isValidUtf8(const QByteArray& raw) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString ignored = decoder.decode(raw);
    Q_UNUSED(ignored);
    return !decoder.hasError();
}

} // namespace

TEST(BundledDataSet, EveryListIsWindows1251TextWithCrLfAfterEveryLine) {
    for (const QString& name : allLists()) {
        SCOPED_TRACE(name.toStdString());
        const QString path = dataPath(name);
        ASSERT_TRUE(QFileInfo::exists(path));
        const QByteArray raw = testsupport::readAll(path);
        expectCrLfText(raw, name.toStdString());
        EXPECT_FALSE(raw.startsWith("\r\n") || raw.contains("\r\n\r\n"))
            << "an empty line, which would be a slot of its own";

        const QStringList lines = load(name);
        ASSERT_FALSE(lines.isEmpty());
        // Written back by the program, the list must come out byte for byte.
        EXPECT_EQ(listfile::encode(lines), raw);
        for (const QString& line : lines) {
            EXPECT_EQ(line, line.trimmed()) << "blanks around a value compared exactly";
        }
        // Russian text in code page 1251 is never valid UTF-8; a list saved as
        // UTF-8 would show garbled names.
        if (hasHighBytes(raw)) {
            EXPECT_FALSE(isValidUtf8(raw)) << "the list is UTF-8, not Windows-1251";
        }
    }
}

TEST(BundledDataSet, MelodyListsRunParallelWithEverySlotStandard) {
    const QStringList names = load(QStringLiteral("StdMelodiesList.lst"));
    ASSERT_GE(names.size(), kVolumeSlots) << "fewer melody slots than volume slots";

    const QStringList files = load(QStringLiteral("MelodiesFiles.lst"));
    const QStringList newNames = load(QStringLiteral("MelodiesNames.lst"));
    const QStringList sizes = load(QStringLiteral("MelodiesSize.lst"));
    const QStringList table = load(QStringLiteral("MelodiesTable.lst"));
    const QStringList entries = load(QStringLiteral("StdMelodiesOffsets.lst"));
    for (const QStringList* list : {&files, &newNames, &sizes, &table, &entries}) {
        ASSERT_EQ(list->size(), names.size());
    }
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size())
        << "two standard melodies of one name";
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(names[i].isEmpty());
        EXPECT_EQ(files[i], kMelodyPlaceholder);
        EXPECT_EQ(sizes[i], QStringLiteral("0"));
        // A standard slot's new name is its standard name (what restore writes).
        EXPECT_EQ(newNames[i], names[i]);
        EXPECT_TRUE(isUpperHex(table[i], 8)) << table[i].toStdString();
        ASSERT_TRUE(isUpperHex(entries[i], 16)) << entries[i].toStdString();
        EXPECT_GT(littleEndian(entries[i], 8, 4), 0u) << "a standard melody of 0 bytes";
    }
}

TEST(BundledDataSet, VolumeListsCoverTheVolumeSlots) {
    const QStringList offsets = load(QStringLiteral("VolumesOffsets.lst"));
    const QStringList standard = load(QStringLiteral("StdVolumes.lst"));
    const QStringList volumes = load(QStringLiteral("Volumes.lst"));
    EXPECT_EQ(standard.size(), kVolumeSlots);
    EXPECT_EQ(volumes.size(), kVolumeSlots);
    // The patch writes one volume record per offset line, reading Volumes.lst.
    EXPECT_LE(offsets.size(), volumes.size());
    EXPECT_LE(offsets.size(), kVolumeSlots);
    for (const QString& o : offsets) {
        EXPECT_TRUE(isUpperHex(o, 8)) << o.toStdString();
    }
    for (const QStringList* list : {&standard, &volumes}) {
        for (const QString& v : *list) {
            ASSERT_TRUE(isUpperHex(v, 2)) << v.toStdString();
            const std::uint32_t value = hexValue(v);
            EXPECT_GE(value, 0x01u) << v.toStdString();
            EXPECT_LE(value, 0x7Fu) << v.toStdString();
        }
    }
    EXPECT_EQ(volumes, standard) << "an untouched data set holds the standard volumes";
}

TEST(BundledDataSet, JavaListsPairEveryDescriptorWithItsArchive) {
    const QStringList names = load(QStringLiteral("JavaStdNames.lst"));
    ASSERT_GE(names.size(), 2);
    ASSERT_EQ(names.size() % 2, 0) << "a JAD without its JAR";

    const QStringList files = load(QStringLiteral("JavaFiles.lst"));
    const QStringList sizes = load(QStringLiteral("JavaSize.lst"));
    const QStringList table = load(QStringLiteral("JavaTable.lst"));
    const QStringList entries = load(QStringLiteral("JavaStdOffsets.lst"));
    for (const QStringList* list : {&files, &sizes, &table, &entries}) {
        ASSERT_EQ(list->size(), names.size());
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        // The open dialog offers JAD files on even rows and JAR files on odd rows.
        const QString suffix = i % 2 == 0 ? QStringLiteral(".jad") : QStringLiteral(".jar");
        EXPECT_TRUE(names[i].endsWith(suffix, Qt::CaseInsensitive)) << names[i].toStdString();
        if (i % 2 == 1) {
            EXPECT_EQ(names[i].chopped(4), names[i - 1].chopped(4))
                << "the JAR row does not follow its game's JAD row";
        }
        EXPECT_EQ(files[i], kGamePlaceholder);
        EXPECT_EQ(sizes[i], QStringLiteral("0"));
        EXPECT_TRUE(isUpperHex(table[i], 8)) << table[i].toStdString();
        ASSERT_TRUE(isUpperHex(entries[i], 16)) << entries[i].toStdString();
        EXPECT_GT(littleEndian(entries[i], 0, 4), 0u) << "a standard file of 0 bytes";
    }
}

TEST(BundledDataSet, PictureListsRunParallelWithSizesBelow256) {
    const QStringList names = load(QStringLiteral("PicNames.lst"));
    ASSERT_FALSE(names.isEmpty());
    const QStringList files = load(QStringLiteral("PicFiles.lst"));
    const QStringList sizes = load(QStringLiteral("PicSize.lst"));
    const QStringList table = load(QStringLiteral("PicTable.lst"));
    const QStringList entries = load(QStringLiteral("PicOffsets.lst"));
    for (const QStringList* list : {&files, &sizes, &table, &entries}) {
        ASSERT_EQ(list->size(), names.size());
    }
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size())
        << "two pictures of one name";
    for (qsizetype i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(names[i].isEmpty());
        EXPECT_EQ(files[i], kPicturePlaceholder);
        EXPECT_EQ(sizes[i], QStringLiteral("0"));
        EXPECT_TRUE(isUpperHex(table[i], 8)) << table[i].toStdString();
        ASSERT_TRUE(isUpperHex(entries[i], 16)) << entries[i].toStdString();
        // The size check of a new bitmap reads only the low bytes of width and
        // height, so both must be 1 to 255 for it to match the full values.
        const std::uint32_t width = littleEndian(entries[i], 0, 2);
        const std::uint32_t height = littleEndian(entries[i], 4, 2);
        EXPECT_GE(width, 1u);
        EXPECT_LE(width, 255u);
        EXPECT_GE(height, 1u);
        EXPECT_LE(height, 255u);
    }
}

TEST(BundledDataSet, MemoryMapNamesEveryKeyAndGivesPositiveTotals) {
    const QString path = dataPath(QStringLiteral("Memory.ini"));
    const QByteArray raw = testsupport::readAll(path);
    expectCrLfText(raw, "Memory.ini");
    if (hasHighBytes(raw)) {
        EXPECT_FALSE(isValidUtf8(raw)) << "Memory.ini is UTF-8, not Windows-1251";
    }
    EXPECT_TRUE(raw.startsWith(';')) << "the warning comment must come first";

    // A missing key would silently take the program's default, which belongs
    // to no particular firmware: every key must be present.
    const IniFile ini(path);
    const char* keys[][2] = {
        {"Melodies", "StartOffset"},
        {"Melodies", "EndOffset"},
        {"JavaGames", "StartOffset"},
        {"JavaGames", "EndOffset"},
        {"Pictures", "StartOffset"},
        {"Pictures", "EndOffset"},
        {"StringTable", "Size"},
        {"Patches", "Patch64K"},
        {"Patches", "VolumePatchAvailable"},
        {"Patches", "MelTabAvailable"},
        {"Patches", "JavaTabAvailable"},
        {"Patches", "PicTabAvailable"},
    };
    for (const auto& k : keys) {
        EXPECT_TRUE(ini.contains(QString::fromLatin1(k[0]), QString::fromLatin1(k[1])))
            << k[0] << "/" << k[1];
    }

    static const QRegularExpression offsetForm(QStringLiteral("^0x[0-9A-F]{8}$"));
    for (int i = 0; i < 6; ++i) {
        const QString value =
            ini.readString(QString::fromLatin1(keys[i][0]), QString::fromLatin1(keys[i][1]), {});
        EXPECT_TRUE(offsetForm.match(value).hasMatch())
            << keys[i][0] << "/" << keys[i][1] << " = " << value.toStdString();
    }

    // A flag written as a word would take its default; the demonstration
    // data set shows every manager and the volumes.
    for (int i = 8; i < 12; ++i) {
        const QString value =
            ini.readString(QString::fromLatin1(keys[i][0]), QString::fromLatin1(keys[i][1]), {});
        std::int32_t flag = 0;
        EXPECT_TRUE(numeric::tryToInt(value, flag)) << keys[i][1] << " = " << value.toStdString();
        EXPECT_NE(flag, 0) << keys[i][1];
    }

    const MemoryMap m = readMemoryMap();
    EXPECT_GT(m.stringTable, 0);
    try {
        const std::int32_t melTotal =
            numeric::sub(numeric::sub(m.melEnd, m.melStart), m.stringTable);
        const std::int32_t javaTotal =
            numeric::sub(numeric::sub(m.javaEnd, m.javaStart), m.stringTable);
        const std::int32_t picTotal = numeric::sub(m.picEnd, m.picStart);
        EXPECT_GT(melTotal, 1024 * 1024) << "a melody region of several megabytes";
        EXPECT_GT(javaTotal, 0);
        EXPECT_GT(picTotal, 0);
    } catch (const TarvexError& e) {
        FAIL() << e.message().toStdString();
    }
    const std::vector<Range> regions = freeRegions(m);
    for (size_t a = 0; a < regions.size(); ++a) {
        for (size_t b = a + 1; b < regions.size(); ++b) {
            EXPECT_FALSE(overlap(regions[a], regions[b]))
                << describe(regions[a]) << " and " << describe(regions[b]);
        }
    }
}

TEST(BundledDataSet, Patch64KIsOneCompleteS3RecordOf16Bytes) {
    const MemoryMap m = readMemoryMap();
    QString why;
    const std::optional<Record> r = parseRecord(m.patch64k, &why);
    ASSERT_TRUE(r.has_value()) << m.patch64k.toStdString() << ": " << why.toStdString();
    EXPECT_EQ(r->type, '3');
    EXPECT_EQ(r->data.size(), 16);
}

TEST(BundledDataSet, RequiredPatchesAreValidSRecordFiles) {
    const QStringList paths = requiredPatchFiles();
    ASSERT_FALSE(paths.isEmpty()) << "no *.s3 file in ReqPatches";
    for (const QString& path : paths) {
        SCOPED_TRACE(QFileInfo(path).fileName().toStdString());
        const QByteArray raw = testsupport::readAll(path);
        expectCrLfText(raw, QFileInfo(path).fileName().toStdString());

        QProcess info;
        info.start(QStringLiteral("srec_info"), {path});
        ASSERT_TRUE(info.waitForStarted(10000))
            << "srec_info: " << info.errorString().toStdString();
        ASSERT_TRUE(info.waitForFinished(60000));
        EXPECT_EQ(info.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(info.exitCode(), 0) << info.readAllStandardError().toStdString();

        // The patch builders copy these lines verbatim, so each must be a
        // whole record by itself; its data must be what srec_cat reads there.
        int dataRecords = 0;
        for (const QString& line : listfile::decode(raw)) {
            QString why;
            const std::optional<Record> r = parseRecord(line, &why);
            ASSERT_TRUE(r.has_value()) << line.toStdString() << ": " << why.toStdString();
            if (r->type != '3') {
                continue;
            }
            ++dataRecords;
            EXPECT_FALSE(r->data.isEmpty()) << line.toStdString();
            QString error;
            const QByteArray bytes =
                testsupport::srecCatBytes(path, r->address, std::uint32_t(r->data.size()), &error);
            EXPECT_EQ(bytes, r->data) << line.toStdString() << " " << error.toStdString();
        }
        EXPECT_GT(dataRecords, 0);
    }
}

TEST(BundledDataSet, EveryPictureSlotHasAJpegPreviewOfItsSize) {
    const QStringList entries = load(QStringLiteral("PicOffsets.lst"));
    const QStringList names = load(QStringLiteral("PicNames.lst"));
    ASSERT_EQ(entries.size(), names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString file = QStringLiteral("Pic/%1.jpg").arg(i + 1);
        SCOPED_TRACE(file.toStdString());
        ASSERT_TRUE(QFileInfo::exists(dataPath(file)));
        ASSERT_TRUE(isUpperHex(entries[i], 16));
        // The program decodes previews with a JPEG decoder only; another
        // format under a .jpg name would not show.
        QImageReader reader(dataPath(file));
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(std::uint32_t(image.width()), littleEndian(entries[i], 0, 2));
        EXPECT_EQ(std::uint32_t(image.height()), littleEndian(entries[i], 4, 2));
    }
}

TEST(BundledDataSet, NoFixedAddressLiesInAFreeRegionOrOnAnother) {
    const MemoryMap m = readMemoryMap();
    const std::vector<Range> regions = freeRegions(m);

    std::vector<Range> fixed;
    auto tableEntries = [&](const QString& list, std::uint64_t length) {
        const QStringList lines = load(list);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const std::uint64_t a = hexValue(lines[i]);
            fixed.push_back({a, a + length, QStringLiteral("%1 line %2").arg(list).arg(i)});
        }
    };
    tableEntries(QStringLiteral("MelodiesTable.lst"), 8);
    tableEntries(QStringLiteral("JavaTable.lst"), 8);
    tableEntries(QStringLiteral("PicTable.lst"), 8);
    tableEntries(QStringLiteral("VolumesOffsets.lst"), 1);

    // The standard resources the table entries restore: a new file placed in
    // a free region must never overwrite one of them.
    const QStringList melodies = load(QStringLiteral("StdMelodiesOffsets.lst"));
    for (qsizetype i = 0; i < melodies.size(); ++i) {
        const std::uint64_t a = littleEndian(melodies[i], 0, 4);
        fixed.push_back(
            {a, a + littleEndian(melodies[i], 8, 4), QStringLiteral("standard melody %1").arg(i)});
    }
    const QStringList java = load(QStringLiteral("JavaStdOffsets.lst"));
    for (qsizetype i = 0; i < java.size(); ++i) {
        const std::uint64_t a = littleEndian(java[i], 8, 4);
        fixed.push_back(
            {a, a + littleEndian(java[i], 0, 4), QStringLiteral("standard Java file %1").arg(i)});
    }
    const QStringList pictures = load(QStringLiteral("PicOffsets.lst"));
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const std::uint64_t a = littleEndian(pictures[i], 8, 4);
        fixed.push_back({a, a + 1, QStringLiteral("standard picture %1").arg(i)});
    }

    QString why;
    if (const std::optional<Record> r = parseRecord(m.patch64k, &why)) {
        fixed.push_back(
            {r->address, r->address + std::uint64_t(r->data.size()), QStringLiteral("Patch64K")});
    } else {
        ADD_FAILURE() << "Patch64K: " << why.toStdString();
    }
    for (const QString& path : requiredPatchFiles()) {
        const QStringList lines = listfile::decode(testsupport::readAll(path));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const std::optional<Record> r = parseRecord(lines[i], &why);
            if (r && r->type == '3') {
                fixed.push_back(
                    {r->address, r->address + std::uint64_t(r->data.size()),
                     QStringLiteral("%1 line %2").arg(QFileInfo(path).fileName()).arg(i)});
            }
        }
    }
    ASSERT_GT(fixed.size(), 50u);

    for (const Range& f : fixed) {
        for (const Range& r : regions) {
            EXPECT_FALSE(overlap(f, r)) << describe(f) << " lies in the " << describe(r);
        }
    }
    for (size_t a = 0; a < fixed.size(); ++a) {
        for (size_t b = a + 1; b < fixed.size(); ++b) {
            EXPECT_FALSE(overlap(fixed[a], fixed[b]))
                << describe(fixed[a]) << " overlaps " << describe(fixed[b]);
        }
    }
}

TEST(BundledDataSet, HelpTextsAreRtfInCodePage1251) {
    struct Help {
        const char* file;
        const char* mentions;
    };
    for (const Help& help : {Help{"JavaHelp.rtf", "JAR"}, Help{"PicHelp.rtf", ".bmp"}}) {
        SCOPED_TRACE(help.file);
        const QByteArray raw = testsupport::readAll(dataPath(QString::fromLatin1(help.file)));
        ASSERT_FALSE(raw.isEmpty());
        EXPECT_TRUE(raw.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
        EXPECT_TRUE(raw.contains("\\fcharset204")) << "no Cyrillic font";
        EXPECT_FALSE(hasHighBytes(raw)) << "Cyrillic must be written as \\'hh escapes";

        // Groups balance, and the document group closes at the very end.
        int depth = 0;
        qsizetype closedAt = -1;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            const char c = raw[i];
            if (c == '\\') {
                ++i; // an escaped brace or backslash, or the first letter of a word
            } else if (c == '{') {
                EXPECT_TRUE(closedAt < 0) << "text after the document group";
                ++depth;
            } else if (c == '}') {
                --depth;
                ASSERT_GE(depth, 0) << "a } without its { at byte " << i;
                if (depth == 0) {
                    closedAt = i;
                }
            }
        }
        EXPECT_EQ(depth, 0);
        ASSERT_GE(closedAt, 0);
        EXPECT_TRUE(raw.mid(closedAt + 1).trimmed().isEmpty()) << "text after the document";

        const QString rtf = QString::fromLatin1(raw);
        for (const char* word :
             {"\\\\b(?![a-z])", "\\\\i(?![a-z])", "\\\\ul(?![a-z])", "\\\\fs\\d+"}) {
            EXPECT_TRUE(rtf.contains(QRegularExpression(QString::fromLatin1(word))))
                << "no " << word;
        }

        // Decode the escapes as Windows-1251: the text must name the page's
        // button exactly as the window does.
        QByteArray text;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 3 < raw.size() && raw[i + 1] == '\'') {
                bool ok = false;
                const int byte = raw.mid(i + 2, 2).toInt(&ok, 16);
                EXPECT_TRUE(ok) << "bad escape at byte " << i;
                text += char(byte);
                i += 3;
            } else {
                text += raw[i];
            }
        }
        const QString plain = cp1251::decode(text);
        EXPECT_TRUE(plain.contains(QStringLiteral("«Создать патч!»")));
        EXPECT_TRUE(plain.contains(QStringLiteral(".s3")));
        EXPECT_TRUE(plain.contains(QString::fromLatin1(help.mentions)));
    }
}

// The program's own check finds nothing in the data set it ships, and the
// help texts say plainly which rows hold what.
TEST(BundledDataSet, PassesTheDataSetCheck) {
    const Report report = datasetcheck::run(dataPath());
    for (const Finding& finding : report.findings()) {
        ADD_FAILURE() << finding.toText().toStdString();
    }
    EXPECT_EQ(report.errors() + report.warnings(), 0);
    const QString help = rtf::toPlainText(testsupport::readAll(dataPath("JavaHelp.rtf")));
    EXPECT_FALSE(help.contains(QStringLiteral("чётн"))) << help.toStdString();
}
