// SPDX-License-Identifier: MIT
#include "rtf/RtfDocumentBuilder.h"

#include <QBrush>
#include <QFont>
#include <QStringList>
#include <QTextDocument>
#include <algorithm>

namespace rtf {
namespace {

constexpr int kFontNameProperty = QTextFormat::UserProperty + 1;

// Layout works in pixels at 96 per inch; RTF in twips, 1440 per inch.
qreal twipsToPixels(int twips) {
    // Margins past a page width come from broken files; keep them on screen.
    constexpr int kLimit = 1440 * 22;
    return qreal(std::clamp(twips, -kLimit, kLimit)) / 15.0;
}

QColor tableColor(const Tables& tables, int index) {
    if (index < 0 || index >= tables.colors.size()) {
        return {};
    }
    return tables.colors.at(index);
}

QStringList familiesOf(const QString& name) {
    QStringList families{name};
    // Old Cyrillic font names ("Arial CYR") only exist as aliases on Windows.
    for (const QString& suffix : {QStringLiteral(" CYR"), QStringLiteral(" Cyr")}) {
        if (name.endsWith(suffix) && name.size() > suffix.size()) {
            families.append(name.left(name.size() - suffix.size()));
        }
    }
    return families;
}

} // namespace

QTextCharFormat toCharFormat(const CharProps& props, const Tables& tables) {
    QTextCharFormat f;
    f.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(props.italic);
    f.setFontStrikeOut(props.strike);
    switch (props.underline) {
    case Underline::None:
        f.setUnderlineStyle(QTextCharFormat::NoUnderline);
        break;
    case Underline::Single:
        f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        break;
    case Underline::Dotted:
        f.setUnderlineStyle(QTextCharFormat::DotLine);
        break;
    case Underline::Dashed:
        f.setUnderlineStyle(QTextCharFormat::DashUnderline);
        break;
    case Underline::Wave:
        f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        break;
    }
    switch (props.position) {
    case VerticalPosition::Normal:
        break;
    case VerticalPosition::Super:
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case VerticalPosition::Sub:
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    }
    f.setFontPointSize(props.halfPoints / 2.0);

    const int font = props.font >= 0 ? props.font : tables.defaultFont;
    const auto entry = tables.fonts.constFind(font);
    if (entry != tables.fonts.cend() && !entry->name.isEmpty()) {
        f.setFontFamilies(familiesOf(entry->name));
        // The document files formats by a hash that sees a family list only
        // as "a list", so formats of many fonts would all share one bucket and
        // each new run would be compared with all of them. The name as a
        // plain property spreads them out.
        f.setProperty(kFontNameProperty, entry->name);
    }
    if (const QColor c = tableColor(tables, props.foreground); c.isValid()) {
        f.setForeground(QBrush(c));
    }
    if (const QColor c = tableColor(tables, props.background); c.isValid()) {
        f.setBackground(QBrush(c));
    }
    return f;
}

QTextBlockFormat toBlockFormat(const ParaProps& props) {
    QTextBlockFormat b;
    switch (props.alignment) {
    case Alignment::Left:
        b.setAlignment(Qt::AlignLeft);
        break;
    case Alignment::Center:
        b.setAlignment(Qt::AlignHCenter);
        break;
    case Alignment::Right:
        b.setAlignment(Qt::AlignRight);
        break;
    case Alignment::Justify:
        b.setAlignment(Qt::AlignJustify);
        break;
    }
    b.setLeftMargin(twipsToPixels(props.leftIndent));
    b.setRightMargin(twipsToPixels(props.rightIndent));
    b.setTextIndent(twipsToPixels(props.firstIndent));
    b.setTopMargin(twipsToPixels(props.spaceBefore));
    b.setBottomMargin(twipsToPixels(props.spaceAfter));
    return b;
}

DocumentBuilder::DocumentBuilder(QTextDocument& document, const Tables& tables)
    : cursor_(&document), tables_(tables) {
    cursor_.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder() {
    if (!editing_) {
        return;
    }
    try {
        cursor_.endEditBlock(); // only after a failure; the document keeps what it has
    } catch (...) {
    }
}

void DocumentBuilder::append(QChar c, const CharProps& props) {
    openPendingBlock();
    if (!run_.isEmpty() && !(props == runProps_)) {
        flushRun();
    }
    run_.append(c);
    runProps_ = props;
}

void DocumentBuilder::endParagraph(const ParaProps& para, const CharProps& props) {
    flushRun();
    openPendingBlock(); // a paragraph mark right after another: an empty paragraph
    cursor_.setBlockFormat(toBlockFormat(para));
    // The mark's format sets the height of an empty line.
    cursor_.setBlockCharFormat(toCharFormat(props, tables_));
    blockPending_ = true;
    pendingMarkProps_ = props;
}

void DocumentBuilder::finish(const ParaProps& para) {
    flushRun();
    if (!blockPending_) {
        cursor_.setBlockFormat(toBlockFormat(para));
    }
    editing_ = false;
    cursor_.endEditBlock();
}

void DocumentBuilder::flushRun() {
    if (run_.isEmpty()) {
        return;
    }
    cursor_.insertText(run_, toCharFormat(runProps_, tables_));
    run_.clear();
}

void DocumentBuilder::openPendingBlock() {
    if (!blockPending_) {
        return;
    }
    blockPending_ = false;
    cursor_.insertBlock(cursor_.blockFormat(), toCharFormat(pendingMarkProps_, tables_));
}

} // namespace rtf
