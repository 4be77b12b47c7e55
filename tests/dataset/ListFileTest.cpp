#include "dataset/ListFile.h"

#include "base/Cp1251.h"
#include "base/TarvexError.h"
#include "support/TestSupport.h"

#include <QFile>

using testsupport::Scratch;

TEST(ListFile, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(listfile::decode("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(listfile::decode("last line without end"), QStringList{"last line without end"});
    EXPECT_EQ(listfile::decode("a\r\n"), QStringList{"a"});
    // Two line breaks at the end hold an empty slot of its own.
    EXPECT_EQ(listfile::decode("a\r\n\r\n"), (QStringList{"a", ""}));
    EXPECT_EQ(listfile::decode("\n\n"), (QStringList{"", ""}));
    EXPECT_TRUE(listfile::decode("").isEmpty());
    // CR CR LF is two breaks: CR, then CR LF.
    EXPECT_EQ(listfile::decode("a\r\r\nb"), (QStringList{"a", "", "b"}));
}

TEST(ListFile, NulEndsTheTextAndTellsItsLine) {
    qsizetype nulLine = -1;
    EXPECT_EQ(listfile::decode(QByteArray("a\r\nb\0c\r\nd", 10), &nulLine),
              (QStringList{"a", "b"}));
    EXPECT_EQ(nulLine, 2);
    listfile::decode(QByteArray("a\r\n\r\n\0", 6), &nulLine); // at the start of line 3
    EXPECT_EQ(nulLine, 3);
    listfile::decode("a\r\nb", &nulLine);
    EXPECT_EQ(nulLine, 0);
    // Past the reader's first block, read from a file, after CR LF pairs.
    Scratch dir;
    QByteArray big;
    for (int i = 0; i < 20000; ++i) {
        big += "line\r\n";
    }
    big += QByteArray("cut\0here\r\nmore\r\n", 17);
    const QString path = dir.path("big.lst");
    listfile::writeWhole(path, big);
    const QStringList lines = listfile::load(path, &nulLine);
    EXPECT_EQ(lines.size(), 20001);
    EXPECT_EQ(lines.last(), "cut");
    EXPECT_EQ(nulLine, 20001);
}

TEST(ListFile, KeepsLinesExactlyAndWritesCrLfAfterEach) {
    Scratch dir;
    const QStringList lines{"  padded  ", "", "Утренняя заря", "[Стандартная мелодия]", "\t"};
    const QString path = dir.path("x.lst");
    listfile::save(path, lines);
    EXPECT_EQ(listfile::load(path), lines);
    const QByteArray bytes = testsupport::readAll(path);
    EXPECT_TRUE(bytes.endsWith("\t\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 5);
    // Windows-1251 on disk: the Cyrillic letter a is 0xE0.
    EXPECT_TRUE(bytes.contains("\xD3\xF2\xF0\xE5\xED\xED\xFF\xFF"));
    listfile::save(path, {});
    EXPECT_EQ(QFile(path).size(), 0);
}

TEST(ListFile, EveryByteSurvivesAReadAndAWrite) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            all.append(char(b));
        }
    }
    const QStringList lines = listfile::decode(all);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(listfile::encode(lines), all + "\r\n");
}

TEST(ListFile, MissingFileAndUnwritableFolderGiveTheMessages) {
    Scratch dir;
    const QString missing = dir.path("none.lst");
    try {
        listfile::load(missing);
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Cannot open file " + missing);
    }
    const QString blocked = dir.path("no/such/folder/x.lst");
    try {
        listfile::save(blocked, {"a"});
        ADD_FAILURE();
    } catch (const TarvexError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + blocked);
    }
}

TEST(ListFile, AFailedWriteLeavesTheOldFileWhole) {
    Scratch dir;
    const QString path = dir.path("keep.lst");
    listfile::save(path, {"old"});
    // A character the code page cannot hold stops the write before the file is touched.
    EXPECT_THROW(listfile::save(path, {"new", QStringLiteral("日本")}), TarvexError);
    EXPECT_EQ(listfile::load(path), QStringList{"old"});
}

TEST(Cp1251, MapsCyrillicBothWays) {
    EXPECT_EQ(cp1251::decode(QByteArray("\xC0\xFF\xA8\xB8\xB9")), QStringLiteral("АяЁё№"));
    EXPECT_EQ(cp1251::encode(QStringLiteral("х")).value(), QByteArray("\xF5"));
    EXPECT_FALSE(cp1251::encode(QStringLiteral("€日")).has_value());
}
