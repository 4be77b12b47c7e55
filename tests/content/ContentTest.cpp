// SPDX-License-Identifier: MIT
#include "content/ContentFile.h"
#include "content/JavaReaders.h"
#include "support/ContentSamples.h"
#include "support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

using content::describe;
using content::Kind;

namespace {

bool mentions(const content::ContentInfo& info, const char* text) {
    return info.problems.join(QLatin1Char('\n')).contains(QLatin1String(text));
}

} // namespace

TEST(ContentMidi, TitleLengthAndExtentFromTheChunks) {
    // 96 ticks a quarter at one second a quarter: 192 ticks are 2 s.
    const QByteArray file =
        samples::midi(0, 96, {samples::midiTrack("Morning Tune", 192, 1000000)});
    const content::ContentInfo info = describe(file + QByteArray(10, '\xFF'));
    EXPECT_EQ(info.kind, Kind::Midi);
    EXPECT_EQ(info.title, QStringLiteral("Morning Tune"));
    EXPECT_EQ(info.durationMs, 2000);
    EXPECT_EQ(info.extent, file.size());
    EXPECT_TRUE(info.problems.isEmpty()) << info.problems.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(content::summary(info), QStringLiteral("MIDI, 0:02, «Morning Tune»"));
}

TEST(ContentMidi, TempoOfTheFirstTrackTimesTheLongestTrack) {
    // Format 1: the first track holds the tempo (half a second a quarter, the
    // default), the second the notes: 480 ticks of 120 a quarter are 2 s; an
    // unknown chunk between them is skipped. A name in UTF-8 is read as such.
    const QByteArray alien = QByteArray("XFIH", 4) + QByteArray("\x00\x00\x00\x02zz", 6);
    const QByteArray file = samples::midi(
        1, 120, {samples::midiTrack("Утро", 0, 500000), alien, samples::midiTrack("Piano", 480)},
        2);
    const content::ContentInfo info = describe(file);
    EXPECT_EQ(info.title, QStringLiteral("Утро"));
    EXPECT_EQ(info.durationMs, 2000);
    EXPECT_EQ(info.extent, file.size());
}

TEST(ContentMidi, CutShortMalformedAndUnusualFilesAreNamed) {
    const QByteArray whole =
        samples::midi(1, 96, {samples::midiTrack("Cut", 96), samples::midiTrack({}, 960)});
    const content::ContentInfo cut = describe(whole.first(whole.size() - 5));
    EXPECT_TRUE(mentions(cut, "cut short: track 2 of 2 runs past the end"));
    EXPECT_EQ(cut.title, QStringLiteral("Cut"));
    EXPECT_EQ(cut.extent, -1);

    const QByteArray missingTrack = samples::midi(0, 96, {samples::midiTrack({}, 96)}, 3);
    EXPECT_TRUE(mentions(describe(missingTrack), "cut short: 1 of 3 tracks present"));

    QByteArray badEvent = samples::midi(0, 96, {samples::midiTrack({}, 96)});
    badEvent[22 + 1] = '\xF1'; // a system common message where the note on stood
    const content::ContentInfo malformed = describe(badEvent);
    EXPECT_TRUE(mentions(malformed, "track 1 is malformed"));
    EXPECT_EQ(malformed.extent, -1);

    // Running status carries on after a meta event, as players take it.
    const QByteArray afterMeta =
        samples::midi(0, 96,
                      {QByteArray("MTrk\0\0\0\x10\x00\x90\x3C\x40\x00\xFF\x01\x01x"
                                  "\x60\x3C\x00\x00\xFF\x2F\x00",
                                  24)});
    EXPECT_TRUE(describe(afterMeta).problems.isEmpty());
    EXPECT_EQ(describe(afterMeta).durationMs, 500);

    const content::ContentInfo format2 = describe(samples::midi(
        2, 96, {samples::midiTrack({}, 96, 1000000), samples::midiTrack({}, 192, 1000000)}));
    EXPECT_TRUE(mentions(format2, "format 2 MIDI file"));
    EXPECT_EQ(format2.durationMs, 3000); // one sequence after the other

    EXPECT_TRUE(mentions(describe(QByteArray("MThd\x00\x00\x00\x02", 8)), "header is malformed"));
}

TEST(ContentMelodies, SmafRmidAndWhatTheHandsetDoesNotPlay) {
    const QByteArray smaf = samples::smaf("Rain", 40);
    content::ContentInfo info = describe(smaf);
    EXPECT_EQ(info.kind, Kind::Smaf);
    EXPECT_EQ(info.title, QStringLiteral("Rain"));
    EXPECT_EQ(info.extent, smaf.size());
    info = describe(smaf.first(smaf.size() - 1));
    EXPECT_TRUE(mentions(info, "cut short: the SMAF data says"));
    EXPECT_EQ(info.extent, -1);
    QByteArray flipped = smaf;
    flipped[flipped.size() - 1] = char(flipped.back() ^ 0x01);
    info = describe(flipped);
    EXPECT_TRUE(mentions(info, "the SMAF check value is 0x"))
        << info.problems.join('|').toStdString();
    EXPECT_EQ(info.extent, -1); // not a whole file

    const QByteArray midi = samples::midi(0, 96, {samples::midiTrack("Wrapped", 96)});
    QByteArray rmid = QByteArray("RIFF\0\0\0\0RMIDdata", 16);
    rmid.append(char(midi.size())).append(QByteArray(3, '\0')).append(midi);
    rmid[4] = char(rmid.size() - 8);
    info = describe(rmid);
    EXPECT_EQ(info.kind, Kind::Rmid);
    EXPECT_EQ(info.title, QStringLiteral("Wrapped"));

    const struct {
        QByteArray bytes;
        Kind kind;
    } others[] = {
        {QByteArray("ID3\x03\x00", 5) + QByteArray(20, '\0'), Kind::Mp3},
        {QByteArray("\xFF\xFB\x90\x64", 4) + QByteArray(20, '\0'), Kind::Mp3},
        {QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16), Kind::Wav},
        {QByteArray("#!AMR\n"), Kind::Amr},
        {QByteArray(64, '\xFF'), Kind::Unknown}, // erased flash is no MP3 frame
        {QByteArray("\x89PNG\r\n\x1A\n", 8), Kind::Png},
    };
    for (const auto& other : others) {
        info = describe(other.bytes);
        EXPECT_EQ(info.kind, other.kind) << other.bytes.toHex().toStdString();
        EXPECT_EQ(mentions(info, "the handset does not play"),
                  other.kind == Kind::Mp3 || other.kind == Kind::Wav || other.kind == Kind::Amr);
    }
    EXPECT_EQ(content::summary(describe(others[0].bytes)),
              QStringLiteral("MP3 — the handset does not play MP3"));
}

TEST(ContentJava, JadAttributesAndItsDeclaredJarSize) {
    content::ContentInfo info =
        describe(samples::jad(QStringLiteral("Space Run"), QStringLiteral("Ulvane Games"),
                              QStringLiteral("1.2.0"), QStringLiteral("670")));
    EXPECT_EQ(info.kind, Kind::Jad);
    EXPECT_EQ(info.declaredJarSize, 670);
    EXPECT_EQ(info.title, QStringLiteral("Space Run"));
    EXPECT_EQ(content::summary(info), QStringLiteral("Space Run 1.2.0 (Ulvane Games), MIDP-1.0"));

    info = describe(samples::jad(QStringLiteral("Space Run"), QStringLiteral("U"),
                                 QStringLiteral("1"), QStringLiteral("12k")));
    EXPECT_EQ(info.declaredJarSize, -1);
    EXPECT_TRUE(mentions(info, "MIDlet-Jar-Size \"12k\" is not a size"));
    EXPECT_TRUE(mentions(describe("MIDlet-Name: X\n"), "the JAD has no MIDlet-Jar-Size"));
}

TEST(ContentJava, JarManifestWithContinuationLinesAndExtent) {
    const QByteArray manifest = "Manifest-Version: 1.0\nMIDlet-1: Space Run, /i.png, Main\n"
                                "MIDlet-Name: Space R\n un\nMIDlet-Vendor: Ulvane Games\n"
                                "MIDlet-Version: 1.2.0\nMicroEdition-Profile: MIDP-2.0\n"
                                "MicroEdition-Configuration: CLDC-1.1\n\nName: Main.class\n"
                                "MIDlet-Name: Not this one\n";
    const QByteArray jar = samples::jar(manifest);
    const content::ContentInfo info = describe(jar + QByteArray(100, '\xFF'));
    EXPECT_EQ(info.kind, Kind::Jar);
    EXPECT_EQ(info.midletName, QStringLiteral("Space Run"));
    EXPECT_EQ(info.midletVendor, QStringLiteral("Ulvane Games"));
    EXPECT_EQ(info.midletVersion, QStringLiteral("1.2.0"));
    EXPECT_EQ(info.profile, QStringLiteral("MIDP-2.0"));
    EXPECT_EQ(info.configuration, QStringLiteral("CLDC-1.1"));
    EXPECT_EQ(info.extent, jar.size());
    EXPECT_TRUE(info.problems.isEmpty()) << info.problems.join(QLatin1Char('|')).toStdString();
}

TEST(ContentJava, BrokenJarsAreNamed) {
    EXPECT_TRUE(mentions(describe(samples::jar("Manifest-Version: 1.0\nMIDlet-Name: X\n")),
                         "names no MIDlet-1"));
    const QByteArray jar = samples::jar(samples::manifest("A", "B", "1"));
    const content::ContentInfo cut = describe(jar.first(jar.size() - 30));
    EXPECT_EQ(cut.kind, Kind::Jar);
    EXPECT_TRUE(mentions(cut, "not a whole ZIP archive"));
    EXPECT_EQ(cut.extent, -1);
    QByteArray damaged = jar;
    damaged[40] = char(damaged[40] ^ 0x5A); // inside the first entry's name or data
    EXPECT_FALSE(describe(damaged).problems.isEmpty());
}

TEST(ContentFile, ASuffixThatLiesIsNamed) {
    testsupport::Scratch scratch;
    content::ContentInfo info =
        content::describeFile(scratch.write("photo.jpg", QByteArray("\x89PNG\r\n\x1A\n", 8)));
    EXPECT_EQ(info.kind, Kind::Png);
    EXPECT_EQ(info.problems.value(0), QStringLiteral("named .jpg but holds PNG data"));

    info = content::describeFile(scratch.write("tune.mid", "ID3\x03"));
    EXPECT_EQ(info.kind, Kind::Mp3);
    EXPECT_TRUE(mentions(info, "named .mid but holds MP3 data"));
    info = content::describeFile(scratch.write("tune.mid", "plain words"));
    EXPECT_TRUE(mentions(info, "named .mid but holds no MIDI data"));

    info = content::describeFile(scratch.write("rain.mmf", samples::smaf("Rain", 4) + "xx"));
    EXPECT_TRUE(mentions(info, "the SMAF data says 33 bytes, the file holds 35"));
    EXPECT_TRUE(mentions(content::describeFile(scratch.mkdir("folder.mid")), "cannot be read"));
}

TEST(ContentJava, JarsTheHandsetRefusesAreNamedForTheirCause) {
    const QByteArray manifest = samples::manifest("Maze", "Ulvane", "1.0");
    const QByteArray code(300, 'c');
    const auto problems = [](const QByteArray& jar) {
        return describe(jar).problems.join(QLatin1Char('|')).toStdString();
    };
    const QByteArray bzip2 =
        samples::zip({{"META-INF/MANIFEST.MF", manifest}, {"Main.class", code, 12}});
    EXPECT_EQ(problems(bzip2), "the JAR's entry Main.class is compressed with bzip2: the handset "
                               "unpacks only stored and deflated entries");
    const QByteArray encrypted =
        samples::zip({{"META-INF/MANIFEST.MF", manifest}, {"Main.class", code, 8, true}});
    EXPECT_EQ(problems(encrypted), "the JAR's entry Main.class is encrypted: the handset cannot "
                                   "read it");

    // Stored entries, so that a flipped byte reaches the data as it is.
    QByteArray badClass =
        samples::zip({{"META-INF/MANIFEST.MF", manifest, 0}, {"Main.class", code, 0}});
    badClass[badClass.indexOf(code) + 100] = 'x';
    EXPECT_EQ(problems(badClass), "the JAR's entry Main.class fails its CRC check: it is damaged");
    QByteArray badManifest =
        samples::zip({{"META-INF/MANIFEST.MF", manifest, 0}, {"Main.class", code}});
    badManifest.replace("Maze", "Mice");
    EXPECT_EQ(problems(badManifest),
              "the JAR's entry META-INF/MANIFEST.MF fails its CRC check: it is damaged");

    // Two entries of one name: the second's name is written over a name of the same length.
    QByteArray twice =
        samples::zip({{"META-INF/MANIFEST.MF", manifest}, {"A.class", code}, {"B.class", code}});
    twice.replace("B.class", "A.class");
    EXPECT_EQ(problems(twice), "the JAR holds two entries named A.class: the handset refuses it");

    const content::ContentInfo empty = describe(QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
    EXPECT_EQ(empty.kind, Kind::Jar);
    EXPECT_EQ(empty.problems, QStringList{"the JAR holds no entries"});

    const QByteArray zip64 = samples::withZip64End(samples::jar(manifest));
    const content::ContentInfo wide = describe(zip64 + QByteArray(9, '\xFF'));
    EXPECT_EQ(wide.midletName, QStringLiteral("Maze"));
    EXPECT_EQ(wide.extent, zip64.size());
    EXPECT_EQ(content::zipExtent(zip64), zip64.size());
    EXPECT_EQ(wide.problems, QStringList{"the JAR's directory ends with a ZIP64 end record, which "
                                         "the handset does not read"});
}

TEST(ContentMelodies, SmafTitlesInTheirCodeTypeAndTheSlipsPlayersPassOver) {
    // A Shift-JIS trail byte may be a backslash: ソ is 83 5C.
    EXPECT_EQ(describe(samples::smaf("\x83\x5C\x83\x69\x83\x5E", 8, 0x00)).title, u"ソナタ");
    EXPECT_EQ(describe(samples::smaf("\xEE\xCF\xDE\xD8", 8, 0x05)).title, u"Ночь"); // KOI8-R
    EXPECT_EQ(
        describe(samples::smaf(QByteArray("\x04\x1D\x04\x3E\x04\x47\x04\x4C", 8), 8, 0x20)).title,
        u"Ночь"); // UCS-2
    // Code page 1251 left under the default code type, as tools write it.
    EXPECT_EQ(describe(samples::smaf("\xCD\xEE\xF7\xFC", 8, 0x00)).title, u"Ночь");
    const content::ContentInfo reserved = describe(samples::smaf("Rain", 8, 0x10));
    EXPECT_TRUE(reserved.title.isEmpty());
    EXPECT_TRUE(mentions(reserved, "code type 0x10 (unknown), which is not decoded"));
    EXPECT_TRUE(mentions(describe(QByteArray("MMMD\0\0\0\x02\0\0", 10)), "nothing but its header"));

    // 40 ticks a frame at 29.97 frames a second: 1200 ticks are 1001 ms.
    EXPECT_EQ(describe(samples::midi(0, 0xE328, {samples::midiTrack({}, 1200)})).durationMs, 1001);
    const QByteArray unended =
        samples::midi(0, 96, {QByteArray("MTrk\0\0\0\x07\x00\x90\x3C\x40\x60\x3C\x00", 15)});
    EXPECT_EQ(describe(unended).problems, QStringList{"track 1 has no end-of-track event"});
    QByteArray after = samples::midi(0, 96, {samples::midiTrack({}, 96)});
    after[21] = char(after[21] + 4); // the track's length, taking four more bytes
    after += QByteArray("\x00\x90\x3C\x40", 4);
    EXPECT_EQ(describe(after).problems,
              QStringList{"track 1 holds bytes after its end-of-track event"});
    testsupport::Scratch scratch;
    const QByteArray whole = samples::midi(0, 96, {samples::midiTrack({}, 96)});
    const QByteArray alien = QByteArray("XFIH\0\0\0\x01z", 9);
    EXPECT_TRUE(content::describeFile(scratch.write("a.mid", whole + alien)).problems.isEmpty());
    EXPECT_EQ(content::describeFile(scratch.write("b.mid", whole + alien + "\x01")).problems,
              QStringList{"1 byte follows the MIDI file's last chunk"});
}

// A chosen JAD is held to the JAD limit the firmware scan keeps, by its size
// alone, before the limit of any file read.
TEST(ContentFile, AJadOverItsLimitIsNamedUnread) {
    testsupport::Scratch scratch;
    const QString path = scratch.write("big.jad", samples::jad("Big", "Test", "1.0", "100"));
    ASSERT_TRUE(QFile::resize(path, 70'000'000)); // sparse
    const content::ContentInfo info = content::describeFile(path);
    EXPECT_EQ(info.kind, Kind::Jad);
    EXPECT_EQ(info.problems,
              QStringList{"the JAD is 70000000 bytes; a JAD is at most 65536 bytes"});
}
