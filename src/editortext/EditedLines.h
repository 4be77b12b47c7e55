// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class CustomPatchSource;
class S3LineList;

// The lines of the patch editor: runs of lines made on demand from a patch
// source, and the lines the user typed, kept apart from them. Opening a file
// of any size costs one run; an edit replaces only the lines it touches.
class EditedLines {
public:
    // A run of lines: `count` lines of the source from `first`, or the user's own.
    struct Piece {
        std::int64_t first = 0;
        std::int64_t count = 0;
        QStringList own;
        bool fromSource = false;
    };
    using Span = std::vector<Piece>;

    // A place in the text: a line, and a column between its characters.
    struct Position {
        std::int64_t line = 0;
        int column = 0;
        auto operator<=>(const Position&) const = default;
    };

    EditedLines(); // one empty line, as an empty box shows
    void reset(std::shared_ptr<const CustomPatchSource> source);
    void reset(QStringList lines); // at least one line

    std::int64_t count() const { return ends_.empty() ? 0 : ends_.back(); }
    QString line(std::int64_t index) const;
    // The longest line seen so far, in characters: sizes the horizontal scroll.
    int widestLine() const { return widest_; }

    // Replaces `count` lines from `first` with `with` and returns what was
    // there, so that the edit can be undone by splicing it back.
    Span splice(std::int64_t first, std::int64_t count, Span with);
    static Span ownLines(QStringList lines);
    static std::int64_t lineCount(const Span& span);

    // Lines [first, first + count) as a patch file holds them: code page 1251
    // with CR LF after every line, handed over in blocks. A character outside
    // the code page raises an error naming its line.
    void write(std::int64_t first, std::int64_t count,
               const std::function<void(std::string_view)>& sink) const;
    // Lines [first, first + count) appended to out as the box shows them,
    // each after a line feed.
    void appendText(std::int64_t first, std::int64_t count, QString& out) const;
    // The text between two places, its lines joined by line feeds.
    QString text(Position from, Position to) const;
    // The columns [first, second) of the run of word characters (or of
    // blanks, or of other signs) at a place; at the end of a line, the run
    // before it.
    std::pair<int, int> runAround(Position at) const;

    // The first place at or after `from` where `needle` stands, letters in
    // any case; past the last line the search goes on from the first.
    // betweenBlocks, when given, is called between the blocks of a long search.
    std::optional<Position> find(const QString& needle, Position from,
                                 const std::function<void()>& betweenBlocks = {}) const;

private:
    using MadeRun = std::function<void(const S3LineList& lines)>;
    using OwnRun = std::function<void(const QStringList& own, qsizetype from, qsizetype n)>;
    // Lines [first, first + count) a block at a time: lines of the source as
    // the records make them, the user's own as typed.
    void forEachRun(std::int64_t first, std::int64_t count, const MadeRun& made,
                    const OwnRun& own) const;

    std::optional<Position> findIn(const QString& needle, const std::string* made,
                                   std::int64_t first, std::int64_t end, int firstColumn,
                                   const std::function<void()>& betweenBlocks) const;
    std::size_t pieceAt(std::int64_t line) const; // the piece holding the line
    std::size_t splitAt(std::int64_t line);       // index of the piece starting there
    void widen(const Span& span);
    void recount();

    std::shared_ptr<const CustomPatchSource> source_;
    std::vector<Piece> pieces_;
    std::vector<std::int64_t> ends_; // line after the end of each piece
    int widest_ = 0;
};
