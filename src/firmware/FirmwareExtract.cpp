// SPDX-License-Identifier: MIT
#include "firmware/FirmwareExtract.h"

#include "base/Report.h"
#include "base/TarvexError.h"
#include "content/ContentInfo.h"
#include "dataset/ImportStaging.h"
#include "dataset/ListFile.h"
#include "dataset/ManagerInfo.h"
#include "dataset/NumericText.h"
#include "firmware/StandardResources.h"
#include "pictures/HandsetPictureDecoder.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

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
            file.title = content::describe(file.bytes).title;
            suffix = melodySuffix(bytes.data, bytes.length);
            break;
        case ManagerKind::Java:
            file.title = content::describe(file.bytes).title;
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

std::vector<File> scannedFiles(const FirmwareImage& image,
                               const std::vector<firmwarescan::Resource>& resources) {
    std::vector<File> files;
    for (const firmwarescan::Resource& r : resources) {
        File file;
        file.manager = (r.isMelody() ? managers::melodies()
                        : r.isJava() ? managers::java()
                                     : managers::pictures())
                           .id;
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
    const QFileInfo target(QFileInfo(dir).absoluteFilePath());
    const bool emptyFolder =
        target.isDir() && !target.isSymLink() &&
        QDir(target.filePath())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
            .isEmpty();
    if ((target.exists() || target.isSymLink()) && !emptyFolder) {
        throw TarvexError(Report::tr("%1 exists already: extract makes a new folder, whole or not "
                                     "at all; remove it or name another")
                              .arg(dir));
    }
    errno = 0;
    if (!QDir().mkpath(target.absolutePath())) {
        throw errors::cannotCreateFile(target.absolutePath(),
                                       QString::fromLocal8Bit(std::strerror(errno)));
    }
    // Made beside its place under a hidden name and renamed into place only
    // when whole: a full disk or a kill leaves no part of it, and the next
    // extract to the same place removes what a killed one left.
    ImportStaging staging(target.absolutePath(), target.fileName(), fileops::staging::kExtract);
    staging.begin();
    auto put = [&](const QString& relative, const QByteArray& bytes) {
        const QString path = staging.folder() + QLatin1Char('/') + relative;
        errno = 0;
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            throw errors::cannotCreateFile(path, QString::fromLocal8Bit(std::strerror(errno)));
        }
        listfile::writeWhole(path, bytes);
    };
    for (const File& f : plan.files) {
        put(f.relativePath, f.bytes);
    }
    put(QStringLiteral("index.tsv"), plan.index());
    if (emptyFolder) {
        QDir().rmdir(target.filePath());
    }
    staging.putInPlace(target.filePath());
}

} // namespace firmwareextract
