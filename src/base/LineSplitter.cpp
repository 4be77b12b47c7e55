#include "base/LineSplitter.h"

#include "base/Cp1251.h"

#include <QIODevice>
#include <algorithm>

namespace textlines {

namespace {
// Large enough that the per-chunk work does not count, small enough to keep.
constexpr std::size_t kChunk = 64 * 1024;
} // namespace

LineSplitter::LineSplitter(Piece piece, LineEnd lineEnd)
    : piece_(std::move(piece)), lineEnd_(std::move(lineEnd)) {}

bool LineSplitter::feed(std::string_view bytes) {
    while (!ended_ && !bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), kChunk);
        feedChunk(bytes.substr(0, n));
        bytes.remove_prefix(n);
    }
    return !ended_;
}

void LineSplitter::feedChunk(std::string_view bytes) {
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
        ended_ = true;
    }
    // Every byte is one character, so the byte positions of CR and LF are
    // their positions in the decoded text.
    decoded_ = cp1251::decode(bytes);
    const QStringView text(decoded_);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = bytes[std::size_t(i)];
        if (c == '\n' && afterCr_ && i == start) {
            afterCr_ = false; // the LF of a CR LF split between chunks
            start = i + 1;
            continue;
        }
        afterCr_ = false;
        if (c != '\r' && c != '\n') {
            continue;
        }
        if (i > start) {
            piece_(text.sliced(start, i - start));
        }
        endLine();
        if (c == '\r') {
            if (i + 1 < text.size() && bytes[std::size_t(i) + 1] == '\n') {
                ++i;
            } else if (i + 1 == text.size()) {
                afterCr_ = true;
            }
        }
        start = i + 1;
    }
    if (start < text.size()) {
        piece_(text.sliced(start));
        lineOpen_ = true;
    }
    if (ended_) {
        nulLine_ = linesEnded_ + 1; // the line the NUL stands in
        finish();
    }
}

void LineSplitter::endLine() {
    ++linesEnded_;
    lineEnd_();
    lineOpen_ = false;
}

void LineSplitter::finish() {
    if (lineOpen_) {
        endLine();
    }
    afterCr_ = false;
}

bool LineSplitter::readAll(QIODevice& device) {
    QByteArray chunk(qsizetype(kChunk), Qt::Uninitialized);
    for (;;) {
        const qint64 n = device.read(chunk.data(), chunk.size());
        if (n < 0) {
            return false;
        }
        if (n == 0 || !feed(std::string_view(chunk.constData(), std::size_t(n)))) {
            break;
        }
    }
    finish();
    return true;
}

namespace {

// Gathers the pieces of each line into the list, up to `longest` characters a line.
struct Collector {
    QStringList& lines;
    qsizetype longest = -1;
    qsizetype longLine = 0;
    QString line;
    LineSplitter splitter{[this](QStringView piece) {
                              if (longest >= 0 && line.size() + piece.size() > longest) {
                                  piece =
                                      piece.first(std::max<qsizetype>(longest - line.size(), 0));
                                  if (longLine == 0) {
                                      longLine = lines.size() + 1;
                                  }
                              }
                              line += piece;
                          },
                          [this] {
                              lines.append(std::move(line));
                              line = QString();
                          }};
};

} // namespace

QStringList collectLines(std::string_view bytes, qsizetype* nulLine) {
    QStringList lines;
    Collector collector{lines, -1, 0, {}};
    collector.splitter.feed(bytes);
    collector.splitter.finish();
    if (nulLine != nullptr) {
        *nulLine = collector.splitter.nulLine();
    }
    return lines;
}

bool collectLines(QIODevice& device, QStringList& lines, qsizetype* nulLine, qsizetype longest,
                  qsizetype* longLine) {
    Collector collector{lines, longest, 0, {}};
    const bool read = collector.splitter.readAll(device);
    if (nulLine != nullptr) {
        *nulLine = collector.splitter.nulLine();
    }
    if (longLine != nullptr) {
        *longLine = collector.longLine;
    }
    return read;
}

} // namespace textlines
