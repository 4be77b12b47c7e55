// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// An ordered list of S-record lines, kept as one block of 8-bit text with
// CR LF after every line, so that a patch of half a million records costs
// two allocations, not half a million, and is written in one go.
class S3LineList {
public:
    void append(std::string_view line);
    void append(const QString& line); // code page 1251
    void append(const S3LineList& other);
    void clear();

    qsizetype count() const { return qsizetype(starts_.size()); }
    bool isEmpty() const { return starts_.empty(); }
    std::string_view line(qsizetype i) const;

    // The whole list as it is written to a file: CR LF after every line.
    std::string_view text() const { return text_; }
    void reserve(qsizetype lines, qsizetype bytes);

    bool operator==(const S3LineList& other) const { return text_ == other.text_; }

    // Writes the list as a patch file, replacing any file of that name only
    // once the whole text is on disk. Raises "Cannot create file %s".
    void saveTo(const QString& path) const;

    // Appends `lines` lines of `totalBytes` characters in all (terminators
    // included): `fill` writes them into the buffer it is given and returns
    // the length of each line it wrote through `lineDone`. For the hot path
    // of the S-record writer, which knows every line's length up front.
    template <typename Fill>
    void appendInPlace(std::size_t lines, std::size_t totalBytes, Fill fill) {
        const std::size_t start = text_.size();
        text_.resize(start + totalBytes);
        // Grown by doubling: a patch appended a block at a time must not copy
        // every line start again for each block.
        if (starts_.capacity() < starts_.size() + lines) {
            starts_.reserve(std::max(starts_.size() + lines, 2 * starts_.capacity()));
        }
        std::size_t offset = start;
        fill(text_.data() + start, [&](std::size_t lineBytes) {
            starts_.push_back(offset);
            offset += lineBytes;
        });
        text_.resize(offset);
    }

private:
    std::string text_;
    std::vector<std::size_t> starts_;
};
