// SPDX-License-Identifier: MIT
#include "firmware/FirmwareExtract.h"

#include "base/TarvexError.h"
#include "content/ContentInfo.h"
#include "dataset/NumericText.h"
#include "firmware/StandardResources.h"
#include "pictures/HandsetPictureDecoder.h"
#include "platform/OutputFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

namespace firmwareextract {

namespace {

QByteArray png(const QByteArray& handsetPicture) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    toImage(decodeHandsetPicture(handsetPicture)).save(&buffer, "PNG");
    return out;
}

} // namespace

QString melodySuffix(const std::uint8_t* bytes, std::uint64_t length) {
    auto starts = [&](const char* magic) {
        return length >= 4 && std::equal(magic, magic + 4, bytes);
    };
    if (starts("MThd")) {
        return QStringLiteral("mid");
    }
    return starts("MMMD") ? QStringLiteral("mmf") : QStringLiteral("bin");
}

Plan plan(const FirmwareDataSet& data, const FirmwareImage& image) {
    Plan plan;
    plan.match = firmwarematch::run(data, image);
    if (plan.refused()) {
        return plan;
    }
    for (const StandardResource& r : standardresources::of(data)) {
        const standardresources::Bytes bytes = standardresources::in(image, r);
        File file;
        file.manager = r.manager->id;
        file.slot = r.slot;
        file.name = r.name;
        file.address = r.fields.address;
        file.size = bytes.length;
        file.bytes = QByteArray(reinterpret_cast<const char*>(bytes.data), qsizetype(bytes.length));
        if (r.manager->kind != ManagerKind::Pictures) {
            file.title = content::describe(file.bytes).title;
        }
        QString suffix;
        switch (r.manager->kind) {
        case ManagerKind::Melodies:
            suffix = melodySuffix(bytes.data, bytes.length);
            break;
        case ManagerKind::Java:
            suffix = managers::acceptedSuffixes(*r.manager, r.slot).value(0);
            break;
        case ManagerKind::Pictures:
            suffix = QStringLiteral("png");
            file.bytes = png(file.bytes);
            break;
        }
        file.relativePath = QStringLiteral("%1/%2.%3").arg(r.manager->id).arg(r.slot).arg(suffix);
        plan.files.push_back(file);
    }
    return plan;
}

QByteArray Plan::index() const {
    QString text;
    for (const File& f : files) {
        // A field's own tabs and line breaks would make another column or line.
        const auto field = [](QString text) {
            for (QChar& c : text) {
                if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                    c = QLatin1Char(' ');
                }
            }
            return text;
        };
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\n")
                    .arg(f.manager)
                    .arg(f.slot)
                    .arg(field(f.name), numeric::hexAddress(f.address))
                    .arg(f.size)
                    .arg(f.relativePath, field(f.title));
    }
    return text.toUtf8();
}

void write(const Plan& plan, const QString& dir) {
    auto put = [&](const QString& relative, const QByteArray& bytes) {
        const QString path = dir + QLatin1Char('/') + relative;
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            throw errors::cannotCreateFile(path);
        }
        OutputFile file(path);
        file.open();
        file.write(bytes.constData(), bytes.size());
        file.commit();
    };
    for (const File& f : plan.files) {
        put(f.relativePath, f.bytes);
    }
    put(QStringLiteral("index.tsv"), plan.index());
}

} // namespace firmwareextract
