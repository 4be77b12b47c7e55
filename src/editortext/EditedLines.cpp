// SPDX-License-Identifier: MIT
#include "editortext/EditedLines.h"

#include "srec/CustomPatchSource.h"
#include "srec/S3LineList.h"

#include <algorithm>
#include <functional>

namespace {

// Lines made or encoded per block when a patch is written.
constexpr std::int64_t kBlockLines = 1 << 16;
// The longest line of a made patch: "S3", count, address, 16 bytes, checksum.
constexpr int kWidestRecord = 2 + 2 + 8 + 32 + 2;

} // namespace

EditedLines::EditedLines() {
    reset(QStringList(QString()));
}

void EditedLines::reset(std::shared_ptr<const CustomPatchSource> source) {
    Piece all;
    all.fromSource = true;
    all.count = source->lineCount();
    source_ = std::move(source);
    pieces_ = {std::move(all)};
    widest_ = kWidestRecord;
    recount();
}

void EditedLines::reset(QStringList lines) {
    if (lines.isEmpty()) {
        lines << QString();
    }
    source_.reset();
    pieces_ = ownLines(std::move(lines));
    widest_ = 0;
    widen(pieces_);
    recount();
}

QString EditedLines::line(std::int64_t index) const {
    const std::size_t i = pieceAt(index);
    const Piece& piece = pieces_[i];
    const std::int64_t at = index - (ends_[i] - piece.count);
    if (!piece.fromSource) {
        return piece.own.at(qsizetype(at));
    }
    return QString::fromLatin1(source_->line(piece.first + at));
}

EditedLines::Span EditedLines::ownLines(QStringList lines) {
    Piece piece;
    piece.count = lines.size();
    piece.own = std::move(lines);
    return {std::move(piece)};
}

std::int64_t EditedLines::lineCount(const Span& span) {
    std::int64_t n = 0;
    for (const Piece& piece : span) {
        n += piece.count;
    }
    return n;
}

EditedLines::Span EditedLines::splice(std::int64_t first, std::int64_t count, Span with) {
    const std::size_t from = splitAt(first);
    const std::size_t to = splitAt(first + count);
    Span removed(std::make_move_iterator(pieces_.begin() + std::ptrdiff_t(from)),
                 std::make_move_iterator(pieces_.begin() + std::ptrdiff_t(to)));
    pieces_.erase(pieces_.begin() + std::ptrdiff_t(from), pieces_.begin() + std::ptrdiff_t(to));
    widen(with);
    pieces_.insert(pieces_.begin() + std::ptrdiff_t(from), std::make_move_iterator(with.begin()),
                   std::make_move_iterator(with.end()));
    std::erase_if(pieces_, [](const Piece& piece) { return piece.count == 0; });
    recount();
    return removed;
}

void EditedLines::forEachRun(std::int64_t first, std::int64_t count, const MadeRun& made,
                             const OwnRun& own) const {
    const std::int64_t end = std::min(first + count, this->count());
    // One block's memory serves every block: fresh pages for each would cost
    // more than making the lines.
    S3LineList block;
    for (std::int64_t at = first; at < end;) {
        const std::size_t i = pieceAt(at);
        const Piece& piece = pieces_[i];
        const std::int64_t inPiece = at - (ends_[i] - piece.count);
        const std::int64_t n = std::min({end - at, piece.count - inPiece, kBlockLines});
        if (piece.fromSource) {
            block.clear();
            source_->appendLines(piece.first + inPiece, n, block);
            made(block);
        } else {
            own(piece.own, qsizetype(inPiece), qsizetype(n));
        }
        at += n;
    }
}

void EditedLines::write(std::int64_t first, std::int64_t count,
                        const std::function<void(std::string_view)>& sink) const {
    S3LineList encoded;
    forEachRun(
        first, count, [&](const S3LineList& block) { sink(block.text()); },
        [&](const QStringList& lines, qsizetype from, qsizetype n) {
            encoded.clear();
            for (qsizetype k = from; k < from + n; ++k) {
                encoded.append(lines.at(k));
            }
            sink(encoded.text());
        });
}

void EditedLines::appendText(std::int64_t first, std::int64_t count, QString& out) const {
    forEachRun(
        first, count,
        [&](const S3LineList& block) {
            for (qsizetype k = 0; k < block.count(); ++k) {
                const std::string_view line = block.line(k);
                out += QLatin1Char('\n');
                out += QLatin1StringView(line.data(), qsizetype(line.size()));
            }
        },
        [&](const QStringList& lines, qsizetype from, qsizetype n) {
            for (qsizetype k = from; k < from + n; ++k) {
                out += QLatin1Char('\n');
                out += lines.at(k);
            }
        });
}

QString EditedLines::text(Position from, Position to) const {
    // Whole lines in blocks, then cut to the columns: a line at a time would
    // cost an allocation for each of millions of lines.
    QString out = line(from.line);
    appendText(from.line + 1, to.line - from.line, out);
    const qsizetype lastLine = from.line == to.line ? 0 : out.lastIndexOf(QLatin1Char('\n')) + 1;
    out.truncate(lastLine + to.column);
    out.remove(0, from.column);
    return out;
}

std::pair<int, int> EditedLines::runAround(Position at) const {
    const QString text = line(at.line);
    int first = std::min(at.column, int(text.size()) - 1);
    if (first < 0) {
        return {at.column, at.column};
    }
    const auto kind = [](QChar c) {
        return c.isLetterOrNumber() || c == QLatin1Char('_') ? 0 : c.isSpace() ? 1 : 2;
    };
    const int run = kind(text.at(first));
    int end = first + 1;
    while (first > 0 && kind(text.at(first - 1)) == run) {
        --first;
    }
    while (end < text.size() && kind(text.at(end)) == run) {
        ++end;
    }
    return {first, end};
}

std::optional<EditedLines::Position>
EditedLines::find(const QString& needle, Position from,
                  const std::function<void()>& betweenBlocks) const {
    if (needle.isEmpty() || count() == 0 || needle.contains(QLatin1Char('\n')) ||
        needle.contains(QLatin1Char('\r'))) {
        return std::nullopt;
    }
    const std::int64_t line = std::clamp<std::int64_t>(from.line, 0, count() - 1);
    // Made lines hold only 'S', digits and upper-case hexadecimal letters: a
    // needle with other than ASCII cannot stand in them, any other is looked
    // for in upper case, straight in the made text.
    std::string made;
    bool ascii = true;
    for (const QChar c : needle) {
        ascii = ascii && c.unicode() < 0x80;
        made.push_back(char(QChar::toUpper(c.unicode() & 0x7F)));
    }
    const std::string* inMade = ascii ? &made : nullptr;
    if (auto match =
            findIn(needle, inMade, line, count(), std::max(from.column, 0), betweenBlocks)) {
        return match;
    }
    return findIn(needle, inMade, 0, line + 1, 0, betweenBlocks);
}

std::optional<EditedLines::Position>
EditedLines::findIn(const QString& needle, const std::string* made, std::int64_t first,
                    std::int64_t end, int firstColumn,
                    const std::function<void()>& betweenBlocks) const {
    S3LineList block;
    std::optional<std::boyer_moore_horspool_searcher<std::string::const_iterator>> searcher;
    if (made != nullptr) {
        searcher.emplace(made->begin(), made->end());
    }
    for (std::int64_t at = first; at < end;) {
        const std::size_t i = pieceAt(at);
        const Piece& piece = pieces_[i];
        const std::int64_t inPiece = at - (ends_[i] - piece.count);
        const std::int64_t n = std::min({end - at, piece.count - inPiece, kBlockLines});
        const int skip = at == first ? firstColumn : 0;
        if (!piece.fromSource) {
            for (std::int64_t k = 0; k < n; ++k) {
                const qsizetype found =
                    piece.own.at(qsizetype(inPiece + k))
                        .indexOf(needle, k == 0 ? skip : 0, Qt::CaseInsensitive);
                if (found >= 0) {
                    return Position{at + k, int(found)};
                }
            }
        } else if (searcher) {
            block.clear();
            source_->appendLines(piece.first + inPiece, n, block);
            const std::string_view text = block.text();
            const auto from =
                text.begin() + std::min<std::ptrdiff_t>(skip, std::ptrdiff_t(block.line(0).size()));
            const auto hit = std::search(from, text.end(), *searcher);
            if (hit != text.end()) {
                const std::size_t offset = std::size_t(hit - text.begin());
                // The last line starting at or before the match holds it.
                qsizetype lo = 0;
                qsizetype hi = block.count() - 1;
                while (lo < hi) {
                    const qsizetype mid = (lo + hi + 1) / 2;
                    if (std::size_t(block.line(mid).data() - text.data()) <= offset) {
                        lo = mid;
                    } else {
                        hi = mid - 1;
                    }
                }
                return Position{at + lo,
                                int(offset - std::size_t(block.line(lo).data() - text.data()))};
            }
            if (betweenBlocks) {
                betweenBlocks();
            }
        }
        at += n;
    }
    return std::nullopt;
}

std::size_t EditedLines::pieceAt(std::int64_t line) const {
    const auto it = std::upper_bound(ends_.begin(), ends_.end(), line);
    return std::size_t(std::min(it - ends_.begin(), std::ptrdiff_t(ends_.size()) - 1));
}

std::size_t EditedLines::splitAt(std::int64_t line) {
    if (line >= count()) {
        return pieces_.size();
    }
    const std::size_t i = pieceAt(line);
    const std::int64_t start = ends_[i] - pieces_[i].count;
    if (line == start) {
        return i;
    }
    Piece& piece = pieces_[i];
    const std::int64_t keep = line - start;
    Piece tail;
    tail.fromSource = piece.fromSource;
    tail.first = piece.first + keep;
    tail.count = piece.count - keep;
    if (!piece.fromSource) {
        tail.own = piece.own.mid(qsizetype(keep));
        piece.own.resize(qsizetype(keep));
    }
    piece.count = keep;
    pieces_.insert(pieces_.begin() + std::ptrdiff_t(i) + 1, std::move(tail));
    recount();
    return i + 1;
}

void EditedLines::widen(const Span& span) {
    for (const Piece& piece : span) {
        for (const QString& line : piece.own) {
            widest_ = std::max(widest_, int(line.size()));
        }
    }
}

void EditedLines::recount() {
    ends_.resize(pieces_.size());
    std::int64_t end = 0;
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        end += pieces_[i].count;
        ends_[i] = end;
    }
}
