#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

// Reading S-record text back: any record type a loader may meet (S0 to S9),
// each line checked for its form, count and checksum.
namespace srec {

struct SRecord {
    int type = 0; // the digit after "S"
    std::uint32_t address = 0;
    std::vector<std::uint8_t> data;

    bool isHeader() const { return type == 0; }
    bool isData() const { return type >= 1 && type <= 3; }
    bool isEnd() const { return type >= 7; }
};

// The longest line a record can take: "S", type, then 256 bytes as hex pairs.
inline constexpr qsizetype kMaxRecordChars = 2 + 2 * 256;

// Parses one line into record. Returns what is wrong with it, empty when it
// is a well-formed record with a correct checksum.
QString parseRecord(std::string_view line, SRecord& record);

// The type, address and data length a line announces, read from its first
// digits without checking the rest; false when it does not even start like a
// record. Lets a reader skip the records it has no use for.
bool peekRecord(std::string_view line, int& type, std::uint32_t& address, std::size_t& length);

// Reads S-record text from a device one line at a time: a line ends at CR, LF
// or CR LF. Work is linear in the input, and no more than one record's worth
// of a line is kept however long the line is.
class SRecordReader {
public:
    explicit SRecordReader(QIODevice& device);

    struct Line {
        qint64 number = 0; // from 1
        bool empty = false;
        SRecord record;
        QString error; // empty for a well-formed record or an empty line
    };
    // The next line; false at the end of the input.
    bool next(Line& line);
    // The next line's text alone, unchecked (a line longer than any record
    // is cut after kMaxRecordChars + 1 characters); false at the end.
    bool nextText(std::string_view& text, qint64& number);

private:
    bool fill();
    bool readLine();

    qsizetype chars_ = 0; // of the last line, also those not kept

    QIODevice& device_;
    qint64 number_ = 0;
    std::string text_;
    std::vector<char> buffer_;
    qsizetype pos_ = 0;
    qsizetype length_ = 0;
    bool skipLf_ = false;
};

} // namespace srec
