// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

// The formatting state the reader carries from group to group, and the font
// and colour tables a document declares in its header.
namespace rtf {

enum class Underline : unsigned char { None, Single, Dotted, Dashed, Wave };
enum class VerticalPosition : unsigned char { Normal, Super, Sub };
enum class Alignment : unsigned char { Left, Center, Right, Justify };

inline constexpr int kDefaultHalfPoints = 24; // 12 pt, what \plain restores

struct CharProps {
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false;
    Underline underline = Underline::None;
    VerticalPosition position = VerticalPosition::Normal;
    int halfPoints = kDefaultHalfPoints;
    int font = -1;       // -1: the document's default font
    int foreground = -1; // colour table index, -1: automatic
    int background = -1;
    bool operator==(const CharProps&) const = default;
};

// Indents and spacing in twips, as the file writes them.
struct ParaProps {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    bool operator==(const ParaProps&) const = default;
};

struct FontEntry {
    QString name;
    int charset = -1;      // \fcharset, -1 when absent
    int codePage = 0;      // \cpg, 0 when absent
    bool nameDone = false; // the name ends at its ';'
};

struct Tables {
    QHash<int, FontEntry> fonts;
    QList<QColor> colors; // an invalid colour marks an "auto" entry
    int defaultFont = 0;
};

} // namespace rtf
