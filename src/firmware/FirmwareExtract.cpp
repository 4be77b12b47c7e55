// SPDX-License-Identifier: MIT
#include "firmware/FirmwareExtract.h"

#include "base/TarvexError.h"
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
        file.relativePath =
            QStringLiteral("%1/%2.%3").arg(r.manager->id).arg(r.slot + 1).arg(suffix);
        plan.files.push_back(file);
    }
    return plan;
}

std::vector<File> scannedFiles(const FirmwareImage& image,
                               const std::vector<firmwarescan::Resource>& resources) {
    std::vector<File> files;
    for (const firmwarescan::Resource& r : resources) {
        File file;
        file.manager = r.isMelody() ? QStringLiteral("melodies")
                       : r.isJava() ? QStringLiteral("java")
                                    : QStringLiteral("pictures");
        file.slot = qsizetype(files.size());
        file.name = r.title;
        file.address = r.address;
        file.size = r.size;
        file.bytes = QByteArray(reinterpret_cast<const char*>(image.bytesAt(r.address, r.size)),
                                qsizetype(r.size));
        const QString suffix = r.kind == firmwarescan::Kind::Picture ? QStringLiteral("png")
                               : r.kind == firmwarescan::Kind::Smaf  ? QStringLiteral("mmf")
                               : r.kind == firmwarescan::Kind::Midi
                                   ? QStringLiteral("mid")
                                   : firmwarescan::kindName(r.kind);
        if (r.kind == firmwarescan::Kind::Picture) {
            file.bytes = png(file.bytes);
        }
        file.relativePath = QStringLiteral("%1/%2.%3")
                                .arg(file.manager, numeric::hexAddress(r.address).mid(2), suffix);
        files.push_back(std::move(file));
    }
    return files;
}

QByteArray Plan::index() const {
    QString text;
    for (const File& f : files) {
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                    .arg(f.manager)
                    .arg(f.slot + 1)
                    .arg(QString(f.name).replace(QLatin1Char('\t'), QLatin1Char(' ')),
                         numeric::hexAddress(f.address))
                    .arg(f.size)
                    .arg(f.relativePath);
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
