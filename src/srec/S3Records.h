// SPDX-License-Identifier: MIT
#pragma once

#include "srec/S3LineList.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The S-record text of every patch: the two fixed lines, data records made
// from a file, the checksum pass and the table and volume records.
namespace srec {

inline constexpr std::string_view kHeaderRecord = "S00600004844521B";
inline constexpr std::string_view kEndRecord = "S705A002000058";
inline constexpr int kBytesPerRecord = 16;

// The checksum of a record: the ones' complement of the low byte of the sum
// of its count, address and data bytes.
std::uint8_t checksum(const std::uint8_t* bytes, std::size_t count);
// The S7 record naming where a loader starts, checksummed; kEndRecord is the
// one every patch ends with.
std::string endRecord(std::uint32_t startAddress);

// Data records for bytes[0..count) starting at baseAddress, checksummed.
// Raises "Integer overflow" when an address leaves the signed 32-bit range.
void appendDataRecords(const unsigned char* bytes, std::int64_t count, std::int32_t baseAddress,
                       S3LineList& target);

// Clears target and fills it with the checksummed data records of the first
// byteCount bytes of the file. Raises "Cannot open file %s" or "Stream read error".
void fileToS3Lines(const QString& fileName, std::int32_t byteCount, std::int32_t baseAddress,
                   S3LineList& target);
// The same records appended to target, which keeps what it holds.
void appendFileRecords(const QString& fileName, std::int32_t byteCount, std::int32_t baseAddress,
                       S3LineList& target);

// The line with its checksum appended when it begins "S3" and is longer than
// 3 characters, else unchanged. Raises "'%s' is not a valid integer value"
// for a character that is no hexadecimal digit or an odd number of digits.
std::string withS3Checksum(std::string_view line);
QString withS3Checksum(const QString& line);
void appendS3Checksums(S3LineList& lines);
void appendS3Checksums(QStringList& lines);

// Size of the file in bytes, 0 when it cannot be opened.
std::int64_t fileSizeOfName(const QString& fileName);

// "S30D" + table address + entry data, checksummed.
QString tableRecord(const QString& tableAddress, const QString& entryData);
// "S306" + address + byte value, checksummed.
QString volumeRecord(const QString& address, const QString& value);

// Table entry data of a slot with a new file, 16 hex digits; the address first.
QString melodyEntry(std::int32_t address, std::int32_t size);
QString javaEntry(std::int32_t address, std::int32_t size);
QString pictureEntry(std::int32_t address, int width, int height);

} // namespace srec
