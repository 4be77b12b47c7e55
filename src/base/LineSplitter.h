#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <string_view>

class QIODevice;

namespace textlines {

// Cuts 8-bit text (code page 1251) into lines as its bytes arrive, holding no
// more than one chunk of it: a line ends at CR, LF or CR LF, a NUL ends the
// text, a last line without terminator counts when it holds something. A line
// reaches the consumer as pieces followed by its end, so a consumer that keeps
// only part of a line never holds all of it.
class LineSplitter {
public:
    using Piece = std::function<void(QStringView)>;
    using LineEnd = std::function<void()>;

    LineSplitter(Piece piece, LineEnd lineEnd);

    // Returns false once a NUL has ended the text; later bytes are ignored.
    bool feed(std::string_view bytes);
    // The line, from 1, in which a NUL ended the text; 0 while none has.
    qsizetype nulLine() const { return nulLine_; }
    // Ends a last line that has no terminator.
    void finish();

    // Feeds the device's bytes to its end; returns false on a read error.
    bool readAll(QIODevice& device);

private:
    void feedChunk(std::string_view bytes);
    void endLine();

    Piece piece_;
    LineEnd lineEnd_;
    QString decoded_; // reused for every chunk
    bool lineOpen_ = false;
    bool afterCr_ = false;
    bool ended_ = false;
    qsizetype linesEnded_ = 0;
    qsizetype nulLine_ = 0;
};

// Every line of the text, without a decoded copy of the whole text; a NUL's
// line, from 1, goes to *nulLine (0 when the text holds none).
QStringList collectLines(std::string_view bytes, qsizetype* nulLine = nullptr);
// Every line of the device's text; false on a read error. With `longest`
// set, a longer line keeps only its first `longest` characters and the first
// such line, from 1, goes to *longLine (0 when none), so that a reader's
// memory stays within its input however the text is cut into lines.
bool collectLines(QIODevice& device, QStringList& lines, qsizetype* nulLine = nullptr,
                  qsizetype longest = -1, qsizetype* longLine = nullptr);

} // namespace textlines
