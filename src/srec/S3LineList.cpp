// SPDX-License-Identifier: MIT
#include "srec/S3LineList.h"

#include "base/Cp1251.h"
#include "dataset/ListFile.h"

void S3LineList::append(std::string_view line) {
    starts_.push_back(text_.size());
    text_.append(line);
    text_.append("\r\n");
}

void S3LineList::append(const QString& line) {
    const QByteArray bytes = cp1251::encodeOrThrow(line);
    append(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void S3LineList::append(const S3LineList& other) {
    const std::size_t base = text_.size();
    text_.append(other.text_);
    starts_.reserve(starts_.size() + other.starts_.size());
    for (std::size_t s : other.starts_) {
        starts_.push_back(base + s);
    }
}

void S3LineList::clear() {
    text_.clear();
    starts_.clear();
}

std::string_view S3LineList::line(qsizetype i) const {
    const std::size_t begin = starts_.at(std::size_t(i));
    const std::size_t end =
        std::size_t(i) + 1 < starts_.size() ? starts_[std::size_t(i) + 1] : text_.size();
    return std::string_view(text_).substr(begin, end - begin - 2);
}

void S3LineList::reserve(qsizetype lines, qsizetype bytes) {
    starts_.reserve(std::size_t(lines));
    text_.reserve(std::size_t(bytes));
}

void S3LineList::saveTo(const QString& path) const {
    listfile::writeWhole(path, QByteArray::fromRawData(text_.data(), qsizetype(text_.size())));
}
