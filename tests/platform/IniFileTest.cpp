// SPDX-License-Identifier: MIT
#include "platform/IniFile.h"

#include "support/TestSupport.h"

using testsupport::Scratch;

namespace {

QString readFrom(const QByteArray& text, const char* section, const char* key) {
    Scratch dir;
    return IniFile(dir.write("x.ini", text))
        .readString(QLatin1String(section), QLatin1String(key), QStringLiteral("<default>"));
}

} // namespace

// The file is read in chunks; lines, line ends and values that straddle a
// chunk boundary must read as if the file were whole.
TEST(IniFile, ChunkBoundariesChangeNothing) {
    for (const qsizetype pad : {65536 - 9, 65536 - 8, 65536 - 7, 65536 - 1, 65536}) {
        const QByteArray head = "[A]\r\n;" + QByteArray(pad - 6, 'c');
        EXPECT_EQ(readFrom(head + "\r\nKey = v w \r\n", "a", "KEY"), "v w") << pad;
        // A CR LF cut in two is one line end, not an empty line and a key.
        EXPECT_EQ(readFrom(head + "\r\nKey=1\r\nKey=2\r\n", "A", "Key"), "1") << pad;
    }
}

TEST(IniFile, LongLinesCostNothingAndCutValuesLikeTheWholeLine) {
    const QByteArray huge(1'000'000, 'x');
    // A section or key name longer than any asked for is read but never kept.
    EXPECT_EQ(readFrom("[" + huge + "]\nK=1\n[S]\nK=2\n", "S", "K"), "2");
    EXPECT_EQ(readFrom("[S]\n" + huge + "=1\nK=2\n", "S", "K"), "2");
    // Blanks around names may be many; inner blanks count.
    EXPECT_EQ(readFrom("[ \t" + QByteArray(5000, ' ') + "S" + QByteArray(5000, ' ') + "]\nK=3\n",
                       "S", "K"),
              "3");
    EXPECT_EQ(readFrom("[S]\nA" + QByteArray(5000, ' ') + "B=4\nAB=5\n", "S", "AB"), "5");
    // Values: trailing blanks are trimmed before the cut at 2047 characters.
    const QByteArray v2040(2040, 'v');
    EXPECT_EQ(readFrom("[S]\nK=" + v2040 + QByteArray(20, ' ') + "\n", "S", "K"), QString(v2040));
    EXPECT_EQ(readFrom("[S]\nK=" + v2040 + QByteArray(20, ' ') + "z\n", "S", "K"),
              QString(v2040 + QByteArray(7, ' ')));
    EXPECT_EQ(readFrom("[S]\nK=  " + huge + "\n", "S", "K").size(), IniFile::kMaxValueLength);
    // A key with "=" and nothing after it is an empty value, not the default.
    EXPECT_EQ(readFrom("[S]\nK=", "S", "K"), "");
    EXPECT_EQ(readFrom("K=1\n[S]\n", "S", "K"), "<default>");
    static const char kNul[] = "[S]\nK=1\0\nL=2";
    EXPECT_EQ(readFrom(QByteArray(kNul, sizeof kNul - 1), "S", "L"), "<default>");
}

TEST(IniFile, OnePassAnswersSeveralKeys) {
    Scratch dir;
    const IniFile ini(dir.write("x.ini", "[a]\nx=1\n[b]\nx=2\n[A]\ny=3\nx=4\n"));
    const auto values = ini.lookup({{"A", "x"}, {"b", "X"}, {"a", "y"}, {"c", "x"}});
    ASSERT_EQ(values.size(), 4u);
    EXPECT_EQ(values[0], QString("1"));
    EXPECT_EQ(values[1], QString("2"));
    EXPECT_EQ(values[2], QString("3"));
    EXPECT_FALSE(values[3].has_value());
}

// Missing gives the defaults; there but unreadable must not pass for missing.
TEST(IniFile, AFileThatIsThereButCannotBeReadIsAnErrorNotTheDefaults) {
    Scratch dir;
    EXPECT_EQ(IniFile(dir.path("none.ini")).readString("S", "K", "d"), "d");
    dir.mkdir("folder.ini");
    EXPECT_EQ(
        testsupport::errorOf([&] { IniFile(dir.path("folder.ini")).readString("S", "K", "d"); }),
        "folder.ini cannot be read: Not a regular file (" + dir.path("folder.ini") + ")");
}

// Memory.ini edited as lines: the first Key= of the section rewritten with its
// spelling kept, a missing key added first in its section, a missing section
// added at the end; comments and other sections' keys are never taken.
TEST(IniFile, SetValueEditsOnlyTheKeyOfItsSection) {
    QStringList lines{"[Melodies]",      "; StartOffset=0x1", "StartOffset = 0x2",
                      "StartOffset=0x3", "[patches]",         "Other=1"};
    EXPECT_EQ(IniFile::lineOf(lines, "melodies", "startoffset"), 3);
    EXPECT_EQ(IniFile::lineOf(lines, "Patches", "StartOffset"), 0);
    IniFile::setValue(lines, "MELODIES", "startoffset", "0x9");
    IniFile::setValue(lines, "Patches", "Patch64K", "S3");
    IniFile::setValue(lines, "Pictures", "EndOffset", "0x7");
    EXPECT_EQ(lines, QStringList({"[Melodies]", "; StartOffset=0x1", "StartOffset =0x9",
                                  "StartOffset=0x3", "[patches]", "Patch64K=S3", "Other=1", "",
                                  "[Pictures]", "EndOffset=0x7"}));
}
