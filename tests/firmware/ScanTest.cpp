// SPDX-License-Identifier: MIT
#include "cli/CliFixture.h"
#include "dataset/ListFile.h"
#include "firmware/FirmwareDraft.h"
#include "firmware/FirmwareImage.h"
#include "firmware/FirmwareMaker.h"
#include "firmware/FirmwareScan.h"
#include "firmware/ScanSamples.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstring>
#include <functional>

using firmwarescan::Kind;
namespace ss = scansamples;

namespace {

constexpr std::uint32_t kBase = 0x00100000;

// A firmware of pseudo-random code with files and entries put at known places.
struct Composer {
    QByteArray image = ss::filler(0x30000, 3);

    std::uint32_t put(int offset, const QByteArray& bytes) {
        image.replace(offset, bytes.size(), bytes);
        return kBase + std::uint32_t(offset);
    }
};

struct Expected {
    Kind kind;
    std::uint32_t address;
    qsizetype size;
    std::vector<std::uint64_t> entries;
};

void expectFound(const firmwarescan::Result& result, const std::vector<Expected>& expected) {
    ASSERT_EQ(result.resources.size(), expected.size()) << result.text().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const firmwarescan::Resource& r = result.resources[i];
        EXPECT_EQ(r.kind, expected[i].kind) << i;
        EXPECT_EQ(r.address, expected[i].address) << i;
        EXPECT_EQ(r.size, std::uint64_t(expected[i].size)) << i;
        EXPECT_EQ(r.entries, expected[i].entries) << i;
    }
}

firmwarescan::Result scanBoth(const testsupport::Scratch& scratch, const QByteArray& image,
                              firmwarescan::Result* binary) {
    const QString s3 = scratch.write("fw.s3", firmwaremaker::sRecords(image, kBase));
    const QString bin = scratch.write("fw.bin", image);
    *binary = firmwarescan::run(firmwarefile::readWhole({bin, kBase}));
    return firmwarescan::run(firmwarefile::readWhole({s3, std::nullopt}));
}

} // namespace

TEST(FirmwareScanTest, FindsEveryWholeFileAndEveryEntryPointingAtItInS3AndRawImages) {
    Composer c;
    const QByteArray midi = ss::midi("Dawn", 20);
    const QByteArray smaf = ss::smaf("Rain", 300);
    const QByteArray jar1 = ss::jar("Maze", 700);
    const QByteArray jad1 = ss::jad("Maze", jar1.size());
    const QByteArray pic1 = ss::picture(20, 10, 1);
    const QByteArray pic2 = ss::picture(7, 5, 2);
    const std::uint32_t aMidi = c.put(0x4001, midi); // files and entries at odd places too
    const std::uint32_t aSmaf = c.put(0x5000, smaf);
    const std::uint32_t aJad = c.put(0x7000, jad1);
    const std::uint32_t aJar = c.put(0x7200, jar1);
    const std::uint32_t aPic1 = c.put(0xB000, pic1);
    const std::uint32_t aPic2 = c.put(0xB000 + int(pic1.size()), pic2);
    c.put(0xD000, ss::jad("Lost", 1234)); // no entry gives its size: no JAD
    const std::uint32_t eMidi = c.put(0x1000, ss::melodyEntry(aMidi, std::uint32_t(midi.size())));
    const std::uint32_t eSmaf = c.put(0x1008, ss::melodyEntry(aSmaf, std::uint32_t(smaf.size())));
    const std::uint32_t eMidi2 = c.put(0x1301, ss::melodyEntry(aMidi, std::uint32_t(midi.size())));
    c.put(0x1310, ss::melodyEntry(aSmaf, std::uint32_t(smaf.size() + 1))); // one byte too long
    c.put(0x1318, ss::melodyEntry(aSmaf, 5)); // far from its size: no entry of it
    c.put(0x1320, ss::javaEntry(std::uint32_t(midi.size()), aMidi)); // the wrong layout
    const std::uint32_t eJad = c.put(0x1100, ss::javaEntry(std::uint32_t(jad1.size()), aJad));
    const std::uint32_t eJar = c.put(0x1108, ss::javaEntry(std::uint32_t(jar1.size()), aJar));
    const std::uint32_t ePic1 = c.put(0x1200, ss::pictureEntry(20, 10, aPic1));
    const std::uint32_t ePic2 = c.put(0x1208, ss::pictureEntry(7, 5, aPic2));
    c.put(0x1210, ss::pictureEntry(5, 7, aPic2));
    c.put(0x10000, QByteArray(0x8000, '\xFF'));
    c.put(0x19000, QByteArray(0x1000, '\xFF'));
    c.put(0x1C000, QByteArray(0xFFF, '\xFF')); // too small to be listed

    testsupport::Scratch scratch;
    firmwarescan::Result binary;
    const firmwarescan::Result result = scanBoth(scratch, c.image, &binary);
    const std::vector<Expected> expected{
        {Kind::Midi, aMidi, midi.size(), {eMidi, eMidi2}},
        {Kind::Smaf, aSmaf, smaf.size(), {eSmaf}},
        {Kind::Jad, aJad, jad1.size(), {eJad}},
        {Kind::Jar, aJar, jar1.size(), {eJar}},
        {Kind::Picture, aPic1, pic1.size(), {ePic1}},
        {Kind::Picture, aPic2, pic2.size(), {ePic2}},
    };
    expectFound(result, expected);
    expectFound(binary, expected);
    EXPECT_EQ(result.resources[1].otherEntries,
              std::vector<firmwarescan::Resource::OtherEntry>(
                  {{kBase + 0x1310, std::uint64_t(smaf.size() + 1)}}));
    EXPECT_EQ(result.resources[4].width, 20);
    EXPECT_EQ(result.resources[4].height, 10);
    ASSERT_EQ(result.erased.size(), 2u);
    EXPECT_EQ(result.erased[0].address, kBase + 0x10000);
    EXPECT_EQ(result.erased[0].size, 0x8000u);
    EXPECT_EQ(result.erased[1].address, kBase + 0x19000);
    EXPECT_EQ(result.erased[1].size, 0x1000u);

    const QString text = result.text();
    for (const char* line : {"0x00104001 midi, 194 bytes, \"Dawn\", 5.0 s; entries: 0x00101000, "
                             "0x00101301\n",
                             "0x00107000 jad, 110 bytes, \"Maze\" 2.1 (Test), JAR of 1042 bytes; "
                             "entries: 0x00101100\n",
                             "0x00105000 smaf, 339 bytes, \"Rain\"; entries: 0x00101008; entries "
                             "giving another size: 0x00101310 (340 bytes)\n"}) {
        EXPECT_TRUE(text.contains(QLatin1String(line))) << text.toStdString();
    }
    EXPECT_TRUE(text.endsWith(QStringLiteral("6 resources (2 melodies, 2 Java files, 2 pictures), "
                                             "7 entries, 2 erased areas\n")));
    const QJsonObject first = result.json()[QStringLiteral("resources")].toArray()[0].toObject();
    EXPECT_EQ(first[QStringLiteral("kind")].toString(), QStringLiteral("midi"));
    EXPECT_EQ(
        first[QStringLiteral("entries")].toArray()[1].toObject()[QStringLiteral("address_hex")],
        QStringLiteral("0x00101301"));
}

TEST(FirmwareScanTest, AStructureThatFailsAnywhereIsNotReported) {
    Composer c;
    QByteArray picture = ss::picture(20, 10, 1);
    picture[2 + 2 * std::uint8_t(picture[1])] = char(0xFF); // the first run now covers 63 pixels
    QByteArray midi = ss::midi("Dawn", 20);
    midi[21] = char(midi[21] + 1); // the track's length one past its end
    QByteArray zip = ss::jar("Maze", 100);
    const qsizetype end = zip.lastIndexOf("PK\x05\x06");
    zip[end + 16] = char(zip[end + 16] + 1); // the directory's offset
    const std::uint32_t aPic = c.put(0x4000, picture);
    const std::uint32_t aMidi = c.put(0x5000, midi);
    const std::uint32_t aZip = c.put(0x6000, zip);
    QByteArray smaf = ss::smaf("Rain", 300);
    smaf[smaf.size() - 1] = char(smaf.back() ^ 0x10); // its check value
    c.put(0x1018, ss::melodyEntry(c.put(0x7000, smaf), std::uint32_t(smaf.size())));
    c.put(0x1000, ss::pictureEntry(20, 10, aPic));
    c.put(0x1008, ss::melodyEntry(aMidi, std::uint32_t(midi.size())));
    c.put(0x1010, ss::javaEntry(std::uint32_t(zip.size()), aZip));

    testsupport::Scratch scratch;
    firmwarescan::Result binary;
    EXPECT_TRUE(scanBoth(scratch, c.image, &binary).resources.empty());
    EXPECT_TRUE(binary.resources.empty()) << binary.text().toStdString();
}

TEST(FirmwareScanTest, RandomBytesGiveNoFinding) {
    std::vector<std::uint32_t> words(4 << 20 >> 2);
    QRandomGenerator(27).fillRange(words.data(), qsizetype(words.size()));
    std::vector<std::uint8_t> bytes(words.size() * 4);
    std::memcpy(bytes.data(), words.data(), bytes.size());
    const firmwarescan::Result result =
        firmwarescan::run(FirmwareImage::fromRanges({{0, std::move(bytes)}}));
    EXPECT_TRUE(result.resources.empty()) << result.text().toStdString();
    EXPECT_TRUE(result.erased.empty());
    EXPECT_FALSE(result.pictureSearchStoppedAt);
}

// Every third byte starts a false picture whose runs join one chain of direct
// runs ("82 09 03") to the end: walking each start's runs afresh would cost
// the data's size times a picture's length.
TEST(FirmwareScanTest, FalsePictureStartsSharingOneRunChainCostWorkInProportionToTheImage) {
    QByteArray bytes = ss::picture(8, 6, 1);
    const auto crafted = std::uint64_t(bytes.size());
    while (bytes.size() < 384 * 1024) {
        bytes += QByteArray("\x82\x09\x03", 3);
    }
    const firmwarescan::Result result = firmwarescan::run(FirmwareImage::fromRanges(
        {{kBase, std::vector<std::uint8_t>(bytes.begin(), bytes.end())}}));
    EXPECT_LE(result.pictureSteps,
              firmwarescan::kPictureStepsPerByte * std::uint64_t(bytes.size()) + 255 * 255);
    ASSERT_EQ(result.resources.size(), 1u);
    EXPECT_EQ(result.resources[0].address, kBase);
    ASSERT_TRUE(result.pictureSearchStoppedAt);
    EXPECT_GT(*result.pictureSearchStoppedAt, kBase + crafted);
    EXPECT_TRUE(result.text().contains("The picture search stopped at"));
    EXPECT_EQ(result.json()["picture_search_stopped_at"].toInteger(),
              qint64(*result.pictureSearchStoppedAt));
}

// A JAD's attributes come in any order, after a byte-order mark or other
// attributes; the longest size an entry gives under which its lines hold
// is the JAD's, other near sizes are named with it.
TEST(FirmwareScanTest, FindsJadsInAnyAttributeOrder) {
    Composer c;
    std::vector<Expected> expected;
    for (int order = 0; order < 4; ++order) {
        const QByteArray jad = ss::jad("Game" + QByteArray::number(order), 4000 + order, order);
        const std::uint32_t at = c.put(0x4000 + 0x400 * order, jad);
        const std::uint32_t entry =
            c.put(0x1000 + 8 * order, ss::javaEntry(std::uint32_t(jad.size()), at));
        expected.push_back({Kind::Jad, at, jad.size(), {entry}});
        // A copy whose only entry cuts it inside a name: no JAD of that size.
        c.put(0x1100 + 8 * order, ss::javaEntry(std::uint32_t(jad.indexOf("Vendor")),
                                                c.put(0x6000 + 0x400 * order, jad)));
    }
    const firmwarescan::Result result =
        firmwarescan::run(FirmwareImage::fromRanges({{kBase, {c.image.begin(), c.image.end()}}}));
    expectFound(result, expected);
    EXPECT_EQ(result.resources[2].declaredJarSize, 4002); // continued on a second line
    EXPECT_EQ(result.resources[3].title, QStringLiteral("Game3"));
}

// Valid forms the structure walks must not turn away: a chunk of an unknown
// kind inside a MIDI file (players skip it), and a JAR with ZIP64 end
// records, found and named for what it is.
TEST(FirmwareScanTest, FindsMidiWithUnknownChunksAndNamesZip64Jars) {
    const auto le = [](std::uint64_t v, int bytes) {
        QByteArray out(bytes, '\0');
        for (int i = 0; i < bytes; ++i) {
            out[i] = char(v >> (8 * i));
        }
        return out;
    };
    QByteArray midi = ss::midi("Dawn", 5);
    midi.insert(14, QByteArray("XTRA\0\0\0\x02ok", 10));
    QByteArray jar = ss::jar("Maze", 100);
    const qsizetype end = jar.size() - 22;
    const QByteArray record = jar.sliced(end);
    jar.truncate(end); // the ZIP64 end record and its locator go before the end record
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(record.constData() + at); };
    jar += "PK\x06\x06" + le(44, 8) + le(45, 2) + le(45, 2) + le(0, 8) + le(2, 8) + le(2, 8) +
           le(u32(12), 8) + le(u32(16), 8) + "PK\x06\x07" + le(0, 4) + le(end, 8) + le(1, 4) +
           record;
    Composer c;
    const std::uint32_t aMidi = c.put(0x4000, midi);
    const std::uint32_t aJar = c.put(0x5000, jar);
    const std::uint32_t eMidi = c.put(0x1000, ss::melodyEntry(aMidi, std::uint32_t(midi.size())));
    const std::uint32_t eJar = c.put(0x1008, ss::javaEntry(std::uint32_t(jar.size()), aJar));
    const firmwarescan::Result result =
        firmwarescan::run(FirmwareImage::fromRanges({{kBase, {c.image.begin(), c.image.end()}}}));
    expectFound(result,
                {{Kind::Midi, aMidi, midi.size(), {eMidi}}, {Kind::Jar, aJar, jar.size(), {eJar}}});
    EXPECT_TRUE(result.resources[1].zip64);
    EXPECT_TRUE(result.text().contains("a ZIP64 archive")) << result.text().toStdString();
}

// Crafted bytes that made the structure walks quadratic: a run of track
// chunks each holding a MIDI header that names 65,535 tracks (at 4 MiB
// more follow: the headers' files hold one another), and tens of thousands
// of Java entries of distinct sizes pointing at one JAD. The steps grow with
// the bytes, and nothing is left unchecked.
TEST(FirmwareScanTest, CraftedStructuresCostWorkInProportionToTheImage) {
    const auto scan = [](const QByteArray& bytes) {
        return firmwarescan::run(
            FirmwareImage::fromRanges({{kBase, {bytes.begin(), bytes.end()}}}));
    };
    const auto headersInTracks = [](int size) {
        QByteArray bytes;
        while (bytes.size() < size) { // the header's last bytes end the track too
            bytes += QByteArray("MTrk\0\0\0\x0EMThd\0\0\0\x06\0\x01\xFF\xFF\x2F\x00", 22);
        }
        return bytes;
    };
    const auto entriesAtOneJad = [](int entries) {
        const QByteArray jad = ss::jad("Maze", 1000);
        QByteArray bytes = jad + QByteArray(16, '\0');
        for (int i = 0; i < entries; ++i) {
            bytes += ss::javaEntry(std::uint32_t(jad.size() + 2000 + i), kBase);
        }
        return bytes + ss::javaEntry(std::uint32_t(jad.size()), kBase);
    };
    const struct {
        std::function<QByteArray(int)> make;
        int small;
        std::size_t found;
    } crafted[] = {{headersInTracks, 1024 * 1024, 0}, {entriesAtOneJad, 15000, 1}};
    for (const auto& k : crafted) {
        for (const int size : {k.small, 4 * k.small}) {
            const QByteArray bytes = k.make(size);
            const firmwarescan::Result r = scan(bytes);
            EXPECT_FALSE(r.structureSearchStoppedAt) << size;
            // Every chunk or entry counted, none more than a few times.
            EXPECT_GE(r.structureSteps, std::uint64_t(bytes.size()) / 32) << size;
            EXPECT_LE(r.structureSteps, 2 * std::uint64_t(bytes.size())) << size;
            EXPECT_EQ(r.resources.size(), k.found) << r.text().toStdString();
        }
    }
}

TEST(FirmwareScanTest, AFirmwareLargerThanAnyIsRefusedUnread) {
    testsupport::Scratch scratch;
    const QString bin = scratch.write("huge.bin", "x");
    ASSERT_TRUE(QFile::resize(bin, qint64(firmwarefile::kLargestImage) + 1)); // sparse
    Report report;
    EXPECT_TRUE(firmwarefile::read({bin, std::nullopt}, report).empty());
    ASSERT_EQ(report.findings().size(), 1u);
    EXPECT_TRUE(report.findings()[0].toText().contains("more than 268435456 bytes"));
}

TEST(FirmwareDraftTest, ReproducesTheTablesTheFirmwareWasMadeWithAndNeverReplacesASet) {
    Composer c;
    const QByteArray midi = ss::midi("Dawn", 20);
    const QByteArray smaf = ss::smaf("Rain", 300);
    const QByteArray jar1 = ss::jar("Maze", 700);
    const QByteArray jar2 = ss::jar("Race", 900);
    const QByteArray lone = ss::jar("Lone", 500);
    const QByteArray jad1 = ss::jad("Maze", jar1.size(), 2);
    const QByteArray jad2 = ss::jad("Race", jar2.size(), 3);
    const QByteArray pic = ss::picture(20, 10, 1);
    const std::uint32_t aMidi = c.put(0x4000, midi);
    const std::uint32_t aSmaf = c.put(0x5000, smaf);
    const std::uint32_t aJad1 = c.put(0x6000, jad1);
    const std::uint32_t aJar1 = c.put(0x6200, jar1);
    const std::uint32_t aJad2 = c.put(0x7000, jad2);
    const std::uint32_t aJar2 = c.put(0x7200, jar2);
    const std::uint32_t aLone = c.put(0x8000, lone);
    const std::uint32_t aPic = c.put(0x9000, pic);
    QStringList melodyEntries;
    QStringList javaEntries;
    auto put = [&](int offset, const QByteArray& entry, QStringList& list) {
        c.put(offset, entry);
        list << QString::fromLatin1(entry.toHex().toUpper());
    };
    // The table's order, not the files' addresses, gives the slots' order.
    put(0x1000, ss::melodyEntry(aSmaf, std::uint32_t(smaf.size())), melodyEntries);
    put(0x1008, ss::melodyEntry(aMidi, std::uint32_t(midi.size())), melodyEntries);
    put(0x1100, ss::javaEntry(std::uint32_t(jad2.size()), aJad2), javaEntries);
    put(0x1108, ss::javaEntry(std::uint32_t(jar2.size()), aJar2), javaEntries);
    put(0x1110, ss::javaEntry(std::uint32_t(jad1.size()), aJad1), javaEntries);
    put(0x1118, ss::javaEntry(std::uint32_t(jar1.size()), aJar1), javaEntries);
    c.put(0x1400, ss::javaEntry(std::uint32_t(lone.size()), aLone));
    c.put(0x1200, ss::pictureEntry(20, 10, aPic));
    c.put(0x20000, QByteArray(0x10000, '\xFF'));

    testsupport::Scratch scratch;
    const QString user = scratch.mkdir("user");
    const FirmwareImage image = firmwarefile::readWhole(
        {scratch.write("fw.s3", firmwaremaker::sRecords(c.image, kBase)), std::nullopt});
    const firmwarescan::Result scan = firmwarescan::run(image);
    firmwaredraft::Options options{
        QStringLiteral("Draft"), firmwaredraft::parseRegion("0x00120000-0x00127FFF"),
        firmwaredraft::parseRegion("0x00128000-0x0012BFFF"),
        firmwaredraft::parseRegion("0x0012C000-0x0012FFFF"), QStringLiteral("fw.s3")};
    const firmwaredraft::Result result = firmwaredraft::run(image, scan, options, user);
    ASSERT_TRUE(result.created) << result.text().toStdString();

    // Its own help texts are no cause for a warning.
    EXPECT_TRUE(result.report.findings().empty()) << result.text().toStdString();
    const QString data = user + QStringLiteral("/Draft/Data/");
    auto list = [&](const char* name) { return listfile::load(data + QLatin1String(name)); };
    EXPECT_EQ(list("MelodiesTable.lst"), QStringList({"00101000", "00101008"}));
    EXPECT_EQ(list("StdMelodiesOffsets.lst"), melodyEntries);
    EXPECT_EQ(list("StdMelodiesList.lst"), QStringList({"Rain", "Dawn"}));
    EXPECT_EQ(list("JavaTable.lst"), QStringList({"00101100", "00101108", "00101110", "00101118"}));
    EXPECT_EQ(list("JavaStdOffsets.lst"), javaEntries);
    EXPECT_EQ(list("JavaStdNames.lst"),
              QStringList({"Race.jad", "Race.jar", "Maze.jad", "Maze.jar"}));
    EXPECT_EQ(list("JavaSize.lst"), QStringList({"0", "0", "0", "0"}));
    EXPECT_EQ(list("PicTable.lst"), QStringList({"00101200"}));
    EXPECT_EQ(list("PicNames.lst"), QStringList({"Картинка 1"}));
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("Pic/1.jpg")));
    const QString text = result.text();
    EXPECT_TRUE(text.contains(QStringLiteral("the JAR at 0x00108000 (entry 0x00101400): no JAD "
                                             "names its size")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("0x00120000-0x0012FFFF")));
    const QStringList ini = listfile::load(data + QStringLiteral("Memory.ini"));
    for (const char* line : {"StartOffset=0x00128000", "EndOffset=0x0012C000", "Patch64K=",
                             "VolumePatchAvailable=0", "MelTabAvailable=1", "PicTabAvailable=1"}) {
        EXPECT_TRUE(ini.contains(QLatin1String(line))) << line;
    }

    // Without a region a page stays off; an existing id is refused whatever it holds.
    options.id = QStringLiteral("Other");
    options.java.reset();
    EXPECT_TRUE(firmwaredraft::run(image, scan, options, user).created);
    EXPECT_TRUE(listfile::load(user + QStringLiteral("/Other/Data/Memory.ini"))
                    .contains(QStringLiteral("JavaTabAvailable=0")));
    EXPECT_FALSE(QFileInfo::exists(user + QStringLiteral("/Other/Data/JavaTable.lst")));
    EXPECT_TRUE(testsupport::errorOf([&] {
                    firmwaredraft::run(image, scan, options, user);
                }).contains(QStringLiteral("exists already")));
}

TEST(DraftRegion, APrintedRangeReadsBackAsTheSameBytes) {
    const firmwarescan::Area area{0x00120000, 0x10000};
    const auto region = firmwaredraft::parseRegion(firmwaredraft::regionText(area));
    ASSERT_TRUE(region);
    EXPECT_EQ(region->start, 0x00120000u);
    EXPECT_EQ(region->end, 0x00130000u);
    const auto oneByte = firmwaredraft::parseRegion("5-5");
    ASSERT_TRUE(oneByte);
    EXPECT_EQ(oneByte->end, 6u);
    // Below its start, or ending where no 32-bit EndOffset can follow it.
    EXPECT_FALSE(firmwaredraft::parseRegion("6-5"));
    EXPECT_FALSE(firmwaredraft::parseRegion("0xFFFFFF00-0xFFFFFFFF"));
}

class ScanCommandsTest : public CliFixture {};

TEST_F(ScanCommandsTest, ScanPrintsJsonAndDraftRefusesWhatItCannotMake) {
    Composer c;
    const QByteArray picture = ss::picture(7, 5, 2);
    const std::uint32_t at = c.put(0x3000, picture);
    c.put(0x1000, ss::pictureEntry(7, 5, at));
    c.put(0x20000, QByteArray(0x8000, '\xFF'));
    const QString bin = scratch.write("fw.bin", c.image);
    const QString base = QStringLiteral("0x00100000");

    ASSERT_EQ(run({"scan", bin, "--base", base, "--json"}), 0) << err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(out.toUtf8()).object();
    EXPECT_EQ(doc["format"].toInt(), 1);
    const QJsonObject found = doc["resources"].toArray()[0].toObject();
    EXPECT_EQ(found["kind"].toString(), "picture");
    EXPECT_EQ(found["address_hex"].toString(), "0x00103000");
    EXPECT_EQ(found["width"].toInt(), 7);
    EXPECT_EQ(doc["erased_areas"].toArray()[0].toObject()["size"].toInt(), 0x8000);

    EXPECT_EQ(run({"draft", bin, "--base", base}), 2); // no id
    EXPECT_EQ(run({"draft", bin, "--base", base, "--as", "D", "--picture-region", "9-3"}), 2);
    const char* region = "0x00120000-0x00127FFF";
    EXPECT_EQ(run({"draft", bin, "--base", base, "--as", "X120XEDJ2", "--picture-region", region}),
              1);
    EXPECT_TRUE(err.contains("exists already")) << err.toStdString();
    // No region, or one reaching past the firmware's last byte: nothing is made, the id stays free.
    EXPECT_EQ(run({"draft", bin, "--base", base, "--as", "D"}), 2);
    EXPECT_EQ(run({"draft", bin, "--base", base, "--as", "D", "--picture-region",
                   "0x00128000-0x00130000"}),
              1);
    EXPECT_TRUE(out.contains("only 32768 of the 32769 bytes of the picture region"))
        << out.toStdString();
    // A region of code: the match's finding names the folder the set would have had.
    EXPECT_EQ(run({"draft", bin, "--base", base, "--as", "D", "--picture-region",
                   "0x00128000-0x0012FFFF"}),
              1);
    EXPECT_TRUE(out.contains("/D/Data/Memory.ini:5: error: the picture region is not erased"))
        << out.toStdString();
    EXPECT_FALSE(out.contains(".draft"));
    EXPECT_EQ(run({"draft", bin, "--base", base, "--as", "D", "--melody-region", region}), 1);
    EXPECT_TRUE(out.contains("nothing is placed")) << out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(user() + "/D"));
    EXPECT_TRUE(QDir(user()).entryList({".D*"}, QDir::AllEntries | QDir::Hidden).isEmpty());
    ASSERT_EQ(run({"draft", bin, "--base", base, "--as", "D", "--picture-region", region}), 0)
        << out.toStdString() << err.toStdString();
    EXPECT_EQ(listfile::load(user() + "/D/Data/PicOffsets.lst"),
              QStringList({QString::fromLatin1(ss::pictureEntry(7, 5, at).toHex().toUpper())}));
    // Its last line is a command that reaches the new set.
    const QString hint = out.trimmed().split('\n').last();
    ASSERT_TRUE(hint.contains("tarvex-cli ")) << hint.toStdString();
    QStringList args = hint.section("tarvex-cli ", 1).split(' ');
    EXPECT_EQ(run(args), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("firmware: D\n")) << out.toStdString();
}
