// SPDX-License-Identifier: MIT
#include "dataset/MemoryMap.h"

#include "base/TarvexError.h"
#include "support/TestSupport.h"

using testsupport::Scratch;

namespace {

MemoryMap readIni(const QByteArray& text) {
    Scratch dir;
    return readMemoryMap(dir.write("Memory.ini", text));
}

} // namespace

TEST(MemoryMap, MissingFileGivesEveryDefaultAndTheDefaultTotals) {
    Scratch dir;
    const MemoryMap map = readMemoryMap(dir.path("none.ini"));
    EXPECT_EQ(map.melodyStart, "0x01300000");
    EXPECT_EQ(map.melodyEnd, "0x01AAFFEF");
    EXPECT_EQ(map.javaStart, "0x01200000");
    EXPECT_EQ(map.javaEnd, "0x012FFFEF");
    EXPECT_EQ(map.pictureStart, "0x00646880");
    EXPECT_EQ(map.pictureEnd, "0x007FFFFE");
    EXPECT_EQ(map.stringTableSize, 4096);
    EXPECT_EQ(map.patch64K, "S3150006F10018184568381CFFF7E3FC041C3A1C0C4F1C");
    EXPECT_FALSE(map.volumePatchAvailable);
    EXPECT_TRUE(map.melodyPageAvailable && map.javaPageAvailable && map.picturePageAvailable);
    const MemoryTotals totals = computeMemoryTotals(map);
    EXPECT_EQ(totals.melodies, 8056815);
    EXPECT_EQ(totals.java, 1044463);
    EXPECT_EQ(totals.pictures, 1808254);
}

TEST(MemoryMap, ReadsLikeTheWindowsProfileReader) {
    const MemoryMap map = readIni("; comment\r\n"
                                  "[ melodies ]\r\n"
                                  "  STARTOFFSET =  0x01400000  \r\n"
                                  "StartOffset=0x09999999\r\n" // first match wins
                                  "[StringTable]\r\nSize=0x10\r\n"
                                  "[Patches]\r\nVolumePatchAvailable=2\r\nMelTabAvailable=0\r\n"
                                  "JavaTabAvailable=yes\r\n;PicTabAvailable=0\r\n");
    EXPECT_EQ(map.melodyStart, "0x01400000");
    EXPECT_EQ(map.melodyEnd, "0x01AAFFEF");
    EXPECT_EQ(map.stringTableSize, 16);
    EXPECT_TRUE(map.volumePatchAvailable);
    EXPECT_FALSE(map.melodyPageAvailable);
    EXPECT_TRUE(map.javaPageAvailable); // a word takes the default
    EXPECT_TRUE(map.picturePageAvailable);
}

TEST(MemoryMap, StringTableSizeRules) {
    EXPECT_EQ(readIni("[StringTable]\nSize=16\n").stringTableSize, 16);
    EXPECT_EQ(readIni("[StringTable]\nSize=abc\n").stringTableSize, 4096);
    EXPECT_EQ(readIni("[StringTable]\nSize=\n").stringTableSize, 4096);
}

TEST(MemoryMap, LongValuesAreCut) {
    const MemoryMap map = readIni("[Patches]\nPatch64K=" + QByteArray(3000, 'A') + "\n");
    EXPECT_EQ(map.patch64K.size(), 2047);
}

TEST(MemoryMap, EmptyOffsetIsNotTheDefaultAndStopsTheTotals) {
    const MemoryMap map = readIni("[Pictures]\nStartOffset=\n");
    EXPECT_EQ(map.pictureStart, "");
    try {
        computeMemoryTotals(map);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "'' is not a valid integer value");
    }
}

TEST(MemoryMap, TotalsOfUnavailableManagersAreStillChecked) {
    MemoryMap map;
    map.javaPageAvailable = false;
    map.javaEnd = "0xZZ";
    EXPECT_THROW(computeMemoryTotals(map), TarvexError);
}

TEST(MemoryMap, TotalsMayBeNegativeButNeverOverflowSilently) {
    MemoryMap map;
    map.melodyEnd = "0x01300010";
    EXPECT_EQ(computeMemoryTotals(map).melodies, 16 - 4096);
    map.pictureStart = "-2147483648";
    map.pictureEnd = "1";
    try {
        computeMemoryTotals(map);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Integer overflow");
    }
    // The string table reduces melodies and Java, never pictures.
    MemoryMap big;
    big.stringTableSize = 0;
    const MemoryTotals totals = computeMemoryTotals(big);
    EXPECT_EQ(totals.melodies, 8056815 + 4096);
    EXPECT_EQ(totals.pictures, 1808254);
}

TEST(MemoryMap, WrittenLinesReadBackAsTheSameMap) {
    MemoryMap map;
    map.melodyStart = memoryIniOffset(0x1400000);
    map.javaPageAvailable = false;
    map.patch64K.clear();
    const QStringList lines = memoryIniLinesOf(map, {"; note"});
    EXPECT_EQ(lines.mid(0, 3), QStringList({"; note", "[Melodies]", "StartOffset=0x01400000"}));
    EXPECT_FALSE(lines.contains("[JavaGames]")); // no region of an unavailable page
    const MemoryMap back = readIni(lines.join("\r\n").toLatin1());
    EXPECT_EQ(back.melodyStart, map.melodyStart);
    EXPECT_EQ(back.patch64K, "");
    EXPECT_FALSE(back.javaPageAvailable);
}
