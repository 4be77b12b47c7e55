#include "base/TextLines.h"

#include "base/Cp1251.h"
#include "base/LineSplitter.h"

namespace textlines {

QStringList splitLines(const QString& text) {
    QStringList lines;
    const qsizetype end = [&] {
        const qsizetype nul = text.indexOf(QChar(0));
        return nul < 0 ? text.size() : nul;
    }();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < end && text[i + 1] == QLatin1Char('\n')) {
                ++i;
            }
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < end) {
        lines.append(text.mid(start, end - start));
    }
    return lines;
}

QStringList decode(const QByteArray& bytes, qsizetype* nulLine) {
    return collectLines(std::string_view(bytes.constData(), std::size_t(bytes.size())), nulLine);
}

QByteArray encode(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += cp1251::encodeOrThrow(line);
        out += "\r\n";
    }
    return out;
}

} // namespace textlines
