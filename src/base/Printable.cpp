#include "base/Printable.h"

#include <algorithm>

namespace terminal {

namespace {

bool needsEscape(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
        return true;
    }
    switch (c.category()) {
    case QChar::Other_Format:        // bidirectional overrides and the like
    case QChar::Separator_Line:      // U+2028
    case QChar::Separator_Paragraph: // U+2029
    case QChar::Other_Surrogate:     // half of a pair on its own
        return true;
    default:
        return false;
    }
}

} // namespace

QString printable(const QString& text) {
    if (std::none_of(text.begin(), text.end(), needsEscape)) {
        return text;
    }
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i]; // a whole pair is an ordinary character
            continue;
        }
        if (!needsEscape(c)) {
            out += c;
            continue;
        }
        switch (c.unicode()) {
        case u'\t':
            out += QLatin1String("\\t");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default: {
            const bool small = c.unicode() <= 0xFF;
            out += QLatin1String(small ? "\\x" : "\\u");
            out += QString::number(c.unicode(), 16).toUpper().rightJustified(small ? 2 : 4, u'0');
            break;
        }
        }
    }
    return out;
}

} // namespace terminal
