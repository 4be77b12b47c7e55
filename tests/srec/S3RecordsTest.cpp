// SPDX-License-Identifier: MIT
#include "srec/S3Records.h"

#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "srec/CustomPatch.h"
#include "srec/CustomPatchSource.h"
#include "srec/S3Writer.h"
#include "support/TestSupport.h"

using testsupport::Scratch;

namespace {

QStringList linesOf(const S3LineList& list) {
    QStringList out;
    for (qsizetype i = 0; i < list.count(); ++i) {
        out << cp1251::decode(list.line(i));
    }
    return out;
}

QStringList recordsOf(const QByteArray& bytes, std::int32_t base, std::int32_t count = -1) {
    Scratch dir;
    const QString file = dir.write("f.bin", bytes);
    S3LineList lines;
    srec::fileToS3Lines(file, count < 0 ? std::int32_t(bytes.size()) : count, base, lines);
    return linesOf(lines);
}

} // namespace

TEST(fileToS3Lines, TwentyBytesGiveTwoRecords) {
    EXPECT_EQ(
        recordsOf(testsupport::sequence(20), 0x01201000),
        (QStringList{"S31501201000000102030405060708090A0B0C0D0E0F41", "S30901201010101112136F"}));
}

TEST(fileToS3Lines, RecordCountsAtTheBoundaries) {
    EXPECT_EQ(recordsOf(testsupport::sequence(16), 0).size(), 1);
    const QStringList seventeen = recordsOf(testsupport::sequence(17), 0);
    ASSERT_EQ(seventeen.size(), 2);
    EXPECT_TRUE(seventeen[1].startsWith("S306"));
    EXPECT_EQ(recordsOf(testsupport::sequence(32), 0).size(), 2);
    EXPECT_TRUE(recordsOf(QByteArray(), 0).isEmpty());
    // Only the first byte-count bytes are written.
    EXPECT_EQ(recordsOf(testsupport::sequence(40), 0x100, 5),
              QStringList{"S30A000001000001020304EA"});
}

TEST(fileToS3Lines, FailuresHaveTheirMessages) {
    Scratch dir;
    S3LineList lines;
    lines.append(std::string_view("stale"));
    try {
        srec::fileToS3Lines(dir.path("none.mmf"), 4, 0, lines);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Cannot open file " + dir.path("none.mmf"));
    }
    const QString shortFile = dir.write("short.mmf", "abc");
    try {
        srec::fileToS3Lines(shortFile, 4, 0, lines);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Stream read error");
    }
    const QString big = dir.write("big.bin", testsupport::sequence(32));
    try {
        srec::fileToS3Lines(big, 32, 0x7FFFFFF0, lines);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Integer overflow");
    }
}

TEST(appendS3Checksums, OnlyS3LinesGainAPair) {
    QStringList lines{"S00600004844521B",
                      "S705A002000058",
                      "",
                      "s3150000",
                      "S3",
                      "S315",
                      "S30D0110002034120000001020014A"};
    QStringList expected = lines;
    expected[5] = "S315EA";
    // The pass does not look for a checksum: a second pass appends another.
    expected[6] += "00";
    srec::appendS3Checksums(lines);
    EXPECT_EQ(lines, expected);
}

TEST(appendS3Checksums, RejectsNonHexAndOddDigits) {
    for (const char* bad : {"S3150G", "S3150", "S3 5"}) {
        EXPECT_THROW(srec::withS3Checksum(QString::fromLatin1(bad)), TarvexError) << bad;
    }
    // Three characters or fewer are left alone.
    EXPECT_EQ(srec::withS3Checksum(QStringLiteral("S31")), QStringLiteral("S31"));
}

TEST(TableRecords, LayoutsOfTheThreeManagers) {
    EXPECT_EQ(srec::tableRecord("01100020", srec::javaEntry(0x01201000, 0x1234)),
              "S30D0110002034120000001020014A");
    EXPECT_EQ(srec::tableRecord("00ABCDE0", srec::melodyEntry(0x01301000, 12345)),
              "S30D00ABCDE00010300139300000F0");
    EXPECT_EQ(srec::tableRecord("00600100", srec::pictureEntry(0x00646880, 128, 128)),
              "S30D00600100800080008068640045");
    EXPECT_EQ(srec::tableRecord("00600108", srec::pictureEntry(0x00646A96, 4, 2)),
              "S30D0060010804000200966A64001F");
}

TEST(fileSizeOfName, ZeroWhenUnreadable) {
    Scratch dir;
    EXPECT_EQ(srec::fileSizeOfName(dir.path("none")), 0);
    EXPECT_EQ(srec::fileSizeOfName(dir.write("five", "12345")), 5);
}

TEST(CustomPatch, FramesTheFileBetweenHeaderAndEnd) {
    Scratch dir;
    const QString file = dir.write("f.bin", testsupport::sequence(20));
    const CustomPatch patch = makeCustomPatch(file, 20, 0x00646880);
    ASSERT_EQ(patch.lines.count(), 4);
    EXPECT_EQ(cp1251::decode(patch.lines.line(0)), "S00600004844521B");
    EXPECT_TRUE(cp1251::decode(patch.lines.line(1)).startsWith("S31500646880"));
    EXPECT_TRUE(cp1251::decode(patch.lines.line(2)).startsWith("S30900646890"));
    EXPECT_EQ(cp1251::decode(patch.lines.line(3)), "S705A002000058");
    EXPECT_EQ(srec::endRecord(0xA0020000), srec::kEndRecord);
    EXPECT_EQ(srec::endRecord(0x0000FF01), "S7050000FF01FA");
    EXPECT_EQ(patch.bytesRead, 20);
    EXPECT_EQ(patch.wholeRecords, 1);
    // The data records are those of the S-record writer at the same address.
    EXPECT_EQ(cp1251::decode(patch.lines.line(1)),
              recordsOf(testsupport::sequence(20), 0x00646880)[0]);
}

TEST(CustomPatch, ShortReadsAreFilledWithFFAndEmptyFilesFramed) {
    Scratch dir;
    const QString file = dir.write("f.bin", "\x01\x02");
    // Measured as 5 bytes, but only 2 are there when it is read.
    const CustomPatch shrunk = makeCustomPatch(file, 5, 4096);
    EXPECT_EQ(shrunk.bytesRead, 2);
    EXPECT_EQ(shrunk.wholeRecords, 0);
    EXPECT_EQ(cp1251::decode(shrunk.lines.line(1)),
              srec::withS3Checksum(QStringLiteral("S30A000010000102FFFFFF")));
    const CustomPatch empty = makeCustomPatch(dir.write("e.bin", ""), 0, 0);
    EXPECT_EQ(empty.lines.count(), 2);
    EXPECT_THROW(makeCustomPatch(dir.path("none"), 0, 0), TarvexError);
    // Past the signed 32-bit range: refused, however large the file claims to be.
    EXPECT_THROW(makeCustomPatch(file, std::int64_t(1) << 40, 0x7FFFFFF0), TarvexError);
}

TEST(CustomPatch, LargeFilesAreHandledInFullAndReadBySrecCat) {
    Scratch dir;
    const QByteArray bytes = testsupport::sequence(6 * 1024 * 1024 + 3, 7);
    const QString file = dir.write("big.bin", bytes);
    const CustomPatch patch = makeCustomPatch(file, bytes.size(), 0x00646880);
    EXPECT_EQ(patch.lines.count(), 2 + (bytes.size() + 15) / 16);
    const QString s3 = dir.path("big.s3");
    patch.lines.saveTo(s3);
    QString error;
    EXPECT_EQ(testsupport::srecCatBytes(s3, 0x00646880, bytes.size(), &error), bytes)
        << error.toStdString();
}

TEST(CustomPatch, AnyRunOfLinesIsMadeAsTheWholePatchHasIt) {
    Scratch dir;
    const QByteArray bytes = testsupport::sequence(16 * 9 + 7, 3);
    const QString file = dir.write("f.bin", bytes);
    const CustomPatch whole = makeCustomPatch(file, bytes.size(), 0x00646880);
    const CustomPatchSource source = CustomPatchSource::read(file, bytes.size(), 0x00646880);
    ASSERT_EQ(source.lineCount(), whole.lines.count());
    EXPECT_EQ(source.bytesRead(), bytes.size());
    EXPECT_EQ(source.wholeRecords(), 9);
    for (qsizetype first = 0; first < whole.lines.count(); ++first) {
        EXPECT_EQ(source.line(first), whole.lines.line(first)) << first;
        for (qsizetype n = 0; first + n <= whole.lines.count(); ++n) {
            S3LineList part;
            source.appendLines(first, n, part);
            ASSERT_EQ(part.count(), n) << first;
            for (qsizetype i = 0; i < n; ++i) {
                ASSERT_EQ(part.line(i), whole.lines.line(first + i)) << first << "+" << i;
            }
        }
    }
}

TEST(CustomPatch, LargeFilesAreReadInBlocksWithTheCallerCalledBetween) {
    Scratch dir;
    const QByteArray bytes = testsupport::sequence(9 * 1024 * 1024 + 1, 1);
    const QString file = dir.write("big.bin", bytes);
    int calls = 0;
    const CustomPatchSource source =
        CustomPatchSource::read(file, bytes.size(), 0, [&] { ++calls; });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(source.bytesRead(), bytes.size());
    EXPECT_EQ(source.line(source.lineCount() - 2).substr(0, 14), "S3060090000001");
}

TEST(S3Writer, StreamedBlocksJoinToTheCollectedPatch) {
    Scratch dir;
    const QByteArray bytes = testsupport::sequence(700 * 1024 + 9, 3);
    const QString file = dir.write("f.bin", bytes);
    // Measured before it shrank: the missing bytes, several chunks of them, are FF.
    const std::int64_t measured = bytes.size() + 300 * 1024 + 5;
    std::string streamed;
    std::size_t smallestBlock = SIZE_MAX;
    S3Writer writer(
        [&](const S3LineList& block) {
            smallestBlock = std::min(smallestBlock, block.text().size());
            streamed += block.text();
        },
        4096);
    const CustomPatch counts = writeCustomPatch(file, measured, 0x01301000, writer);
    EXPECT_GE(smallestBlock, 4096u); // nothing handed on before a block is full
    writer.finish();
    EXPECT_EQ(counts.bytesRead, bytes.size());

    QByteArray padded = bytes + QByteArray(measured - bytes.size(), '\xFF');
    S3LineList expected;
    expected.append(srec::kHeaderRecord);
    srec::appendDataRecords(reinterpret_cast<const unsigned char*>(padded.constData()),
                            padded.size(), 0x01301000, expected);
    expected.append(srec::kEndRecord);
    EXPECT_TRUE(streamed == expected.text());
    EXPECT_TRUE(makeCustomPatch(file, measured, 0x01301000).lines == expected);
}
