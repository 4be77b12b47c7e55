// SPDX-License-Identifier: MIT
#include "content/ContentText.h"
#include "content/JavaReaders.h"

#include <QCoreApplication>
#include <algorithm>
#include <memory>
#include <zip.h>

namespace content {

namespace {

quint32 littleEndian(QByteArrayView bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | quint8(bytes[at + i]);
    }
    return value;
}

// A manifest larger than this is no game's: it is not read.
constexpr zip_uint64_t kLongestManifest = 1 << 20;

void fillFromAttributes(const QHash<QString, QString>& attributes, ContentInfo& info) {
    info.midletName = attributes.value(QStringLiteral("MIDlet-Name"));
    info.midletVendor = attributes.value(QStringLiteral("MIDlet-Vendor"));
    info.midletVersion = attributes.value(QStringLiteral("MIDlet-Version"));
    info.profile = attributes.value(QStringLiteral("MicroEdition-Profile"));
    info.configuration = attributes.value(QStringLiteral("MicroEdition-Configuration"));
    info.title = info.midletName;
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

// The manifest's bytes, or a problem.
std::optional<QByteArray> readManifest(zip_t* archive, ContentInfo& info) {
    const zip_int64_t index = zip_name_locate(archive, "META-INF/MANIFEST.MF", ZIP_FL_NOCASE);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0) {
        info.problems << QCoreApplication::translate("Report",
                                                     "the JAR holds no META-INF/MANIFEST.MF");
        return std::nullopt;
    }
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > kLongestManifest) {
        info.problems << QCoreApplication::translate("Report",
                                                     "the JAR's manifest is too large to read");
        return std::nullopt;
    }
    std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen_index(archive, zip_uint64_t(index), 0));
    QByteArray manifest(qsizetype(stat.size), '\0');
    // Reading to the end checks the entry's CRC.
    zip_int64_t read = 0;
    if (entry) {
        read = zip_fread(entry.get(), manifest.data(), stat.size);
        char extra = 0;
        if (read == zip_int64_t(stat.size) && zip_fread(entry.get(), &extra, 1) != 0) {
            read = -1;
        }
    }
    if (!entry || read != zip_int64_t(stat.size)) {
        info.problems << QCoreApplication::translate("Report",
                                                     "the JAR's manifest cannot be read (%1)")
                             .arg(QString::fromUtf8(zip_strerror(archive)));
        return std::nullopt;
    }
    return manifest;
}

} // namespace

qsizetype zipExtent(QByteArrayView bytes) {
    // The end record: signature, two disk numbers, two entry counts, the
    // directory's size and offset, the comment's length; 22 bytes and the comment.
    qsizetype at = 0;
    while ((at = bytes.indexOf(QByteArrayView("PK\x05\x06", 4), at)) >= 0) {
        if (bytes.size() - at >= 22) {
            const qint64 directorySize = littleEndian(bytes, at + 12, 4);
            const qint64 directoryOffset = littleEndian(bytes, at + 16, 4);
            const qint64 commentLength = littleEndian(bytes, at + 20, 2);
            if (directoryOffset + directorySize == at && bytes.size() - at - 22 >= commentLength) {
                return at + 22 + commentLength;
            }
        }
        ++at;
    }
    return -1;
}

void readJar(QByteArrayView bytes, ContentInfo& info) {
    info.kind = Kind::Jar;
    const qsizetype extent = zipExtent(bytes);
    if (extent < 0) {
        info.problems << QCoreApplication::translate(
            "Report", "the JAR is not a whole ZIP archive (no end record)");
        return;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), zip_uint64_t(extent), 0, &error);
    std::unique_ptr<zip_t, ArchiveCloser> archive;
    if (source) {
        archive.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
        if (!archive) {
            zip_source_free(source);
        }
    }
    if (!archive) {
        info.problems << QCoreApplication::translate("Report",
                                                     "the JAR is not a valid ZIP archive (%1)")
                             .arg(QString::fromUtf8(zip_error_strerror(&error)));
        zip_error_fini(&error);
        return;
    }
    zip_error_fini(&error);
    info.extent = extent;
    const std::optional<QByteArray> manifest = readManifest(archive.get(), info);
    if (!manifest) {
        return;
    }
    const QHash<QString, QString> attributes = readAttributes(*manifest, true);
    fillFromAttributes(attributes, info);
    if (!attributes.contains(QStringLiteral("MIDlet-1"))) {
        info.problems << QCoreApplication::translate("Report",
                                                     "the JAR's manifest names no MIDlet-1");
    }
}

bool looksLikeJad(QByteArrayView bytes) {
    // What a JAD may hold is enough to tell one: a larger file is judged by
    // its start, so its size costs nothing here.
    const QByteArrayView head = bytes.first(std::min<qsizetype>(bytes.size(), kLongestJad));
    const qsizetype nul = head.indexOf('\0');
    const QByteArrayView text = nul >= 0 ? head.first(nul) : head;
    const QHash<QString, QString> attributes = readAttributes(text, false);
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("MIDlet-")) ||
            it.key().startsWith(QLatin1String("MicroEdition-"))) {
            return true;
        }
    }
    return false;
}

QString jadTooLong(qint64 size) {
    return QCoreApplication::translate("Report", "the JAD is %1 bytes; a JAD is at most %2 bytes")
        .arg(size)
        .arg(kLongestJad);
}

void readJad(QByteArrayView bytes, ContentInfo& info) {
    info.kind = Kind::Jad;
    if (bytes.size() > kLongestJad) {
        info.problems << jadTooLong(bytes.size());
        return;
    }
    const QHash<QString, QString> attributes = readAttributes(bytes, false);
    fillFromAttributes(attributes, info);
    const auto size = attributes.constFind(QStringLiteral("MIDlet-Jar-Size"));
    if (size == attributes.cend()) {
        info.problems << QCoreApplication::translate("Report", "the JAD has no MIDlet-Jar-Size");
    } else {
        bool ok = false;
        const qint64 value = size->toLongLong(&ok);
        if (ok && value >= 0) {
            info.declaredJarSize = value;
        } else {
            info.problems << QCoreApplication::translate(
                                 "Report", "the JAD's MIDlet-Jar-Size \"%1\" is not a size")
                                 .arg(*size);
        }
    }
    if (info.midletName.isEmpty()) {
        info.problems << QCoreApplication::translate("Report", "the JAD has no MIDlet-Name");
    }
}

} // namespace content
