// SPDX-License-Identifier: MIT
#include "srec/SRecordReader.h"

#include "srec/S3Records.h"

#include <QBuffer>
#include <gtest/gtest.h>

using srec::SRecord;
using srec::SRecordReader;

namespace {

QString problemOf(const char* line) {
    SRecord record;
    return srec::parseRecord(line, record);
}

std::vector<SRecordReader::Line> readAll(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    SRecordReader reader(buffer);
    std::vector<SRecordReader::Line> lines;
    SRecordReader::Line line;
    while (reader.next(line)) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

TEST(SRecordReader, ReadsTheRecordsThePatchesHold) {
    SRecord r;
    ASSERT_EQ(srec::parseRecord("S30901201010101112136F", r), "");
    EXPECT_EQ(r.type, 3);
    EXPECT_EQ(r.address, 0x01201010u);
    EXPECT_EQ(r.data, (std::vector<std::uint8_t>{0x10, 0x11, 0x12, 0x13}));
    ASSERT_EQ(srec::parseRecord(std::string(srec::kHeaderRecord), r), "");
    EXPECT_TRUE(r.isHeader());
    EXPECT_EQ(r.data.size(), 3u);
    ASSERT_EQ(srec::parseRecord(std::string(srec::kEndRecord), r), "");
    EXPECT_TRUE(r.isEnd());
    EXPECT_EQ(r.address, 0xA0020000u);
    // 16- and 24-bit addresses, and lower-case digits.
    ASSERT_EQ(srec::parseRecord("S1051234abcd3c", r), "");
    EXPECT_EQ(r.address, 0x1234u);
    ASSERT_EQ(srec::parseRecord("S2060123450A0B7B", r), "");
    EXPECT_EQ(r.address, 0x012345u);
    EXPECT_EQ(r.data, (std::vector<std::uint8_t>{0x0A, 0x0B}));
}

TEST(SRecordReader, NamesWhatIsWrongWithALine) {
    EXPECT_EQ(problemOf("S30901201010101112136E"), "checksum 6E, expected 6F");
    EXPECT_EQ(problemOf("S30A01201010101112136F"), "count 0A does not match the 9 bytes after it");
    EXPECT_EQ(problemOf("S3090120101010111213GF"), "character 21 is not a hexadecimal digit");
    EXPECT_EQ(problemOf("S30901201010101112136"), "odd number of hexadecimal digits");
    EXPECT_EQ(problemOf("S4030000FC"), "record type S4 does not exist");
    EXPECT_EQ(problemOf("S303000000"), "too short for its 4-byte address and checksum");
    EXPECT_TRUE(problemOf("X3090120").startsWith("not an S-record"));
    EXPECT_TRUE(problemOf("S").startsWith("not an S-record"));
    EXPECT_EQ(problemOf("S3"), "no count byte");
}

TEST(SRecordReader, CountsLinesOverEveryLineEndAndBoundsLongLines) {
    const QByteArray longLine = "S3" + QByteArray(100000, 'A');
    const auto lines = readAll("S00600004844521B\r\n\nS30901201010101112136F\rS705A002000058\r\n" +
                               longLine + "\nS705A002000058");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(lines[0].error.isEmpty());
    EXPECT_TRUE(lines[1].empty);
    EXPECT_EQ(lines[2].number, 3);
    EXPECT_EQ(lines[2].record.address, 0x01201010u);
    EXPECT_TRUE(lines[3].record.isEnd());
    EXPECT_EQ(lines[4].error, "longer than any S-record (100002 characters)");
    EXPECT_EQ(lines[5].number, 6);
    EXPECT_TRUE(lines[5].error.isEmpty());
    EXPECT_TRUE(readAll("").empty());
    EXPECT_EQ(readAll("\r\n").size(), 1u);
}
