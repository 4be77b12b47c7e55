// SPDX-License-Identifier: MIT
#include "base/OurLanguage.h"
#include "base/Report.h"
#include "content/ContentText.h"
#include "content/JavaReaders.h"

#include <QCoreApplication>
#include <QSet>
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
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

// Unpacking more than this for one JAR is no game's: the rest is not read, so
// that a small archive of huge entries costs bounded time.
constexpr qint64 kLargestUnpacked = 64 << 20;

quint64 littleEndian64(QByteArrayView bytes, qsizetype at) {
    return quint64(littleEndian(bytes, at, 4)) | quint64(littleEndian(bytes, at + 4, 4)) << 32;
}

// A ZIP64 end record and its locator right before the classic end record at
// `end`, the directory ending where that record starts. Offsets count from
// the archive's first byte.
bool zip64EndBefore(QByteArrayView bytes, qsizetype end) {
    const qsizetype locator = end - 20;
    if (locator < 56 || bytes.sliced(locator, 4) != QByteArrayView("PK\x06\x07", 4)) {
        return false;
    }
    const quint64 record = littleEndian64(bytes, locator + 8);
    if (record > quint64(locator - 56) ||
        bytes.sliced(qsizetype(record), 4) != QByteArrayView("PK\x06\x06", 4)) {
        return false;
    }
    const qsizetype at = qsizetype(record);
    const quint64 directorySize = littleEndian64(bytes, at + 40);
    const quint64 directoryOffset = littleEndian64(bytes, at + 48);
    return littleEndian64(bytes, at + 4) == quint64(locator - at - 12) &&
           directoryOffset <= record && record - directoryOffset == directorySize;
}

struct EndRecord {
    qsizetype extent = -1;
    bool zip64 = false;
};

// The end record: signature, two disk numbers, two entry counts, the
// directory's size and offset, the comment's length; 22 bytes and the comment.
EndRecord findEndRecord(QByteArrayView bytes) {
    qsizetype at = 0;
    while ((at = bytes.indexOf(QByteArrayView("PK\x05\x06", 4), at)) >= 0) {
        if (bytes.size() - at >= 22) {
            const qint64 directorySize = littleEndian(bytes, at + 12, 4);
            const qint64 directoryOffset = littleEndian(bytes, at + 16, 4);
            const qint64 commentLength = littleEndian(bytes, at + 20, 2);
            if (bytes.size() - at - 22 >= commentLength) {
                if (directoryOffset + directorySize == at) {
                    return {at + 22 + commentLength, false};
                }
                if (zip64EndBefore(bytes, at)) {
                    return {at + 22 + commentLength, true};
                }
            }
        }
        ++at;
    }
    return {};
}

QString entryName(zip_t* archive, zip_uint64_t index) {
    const char* name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
    return name ? QString::fromUtf8(name) : QStringLiteral("#%1").arg(index);
}

// The first name two entries share, read without the consistency check that
// refuses such an archive.
QString duplicateName(zip_source_t* source) {
    zip_source_keep(source);
    zip_error_t error;
    zip_error_init(&error);
    const Archive archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return QStringLiteral("?");
    }
    QSet<QString> seen;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = entryName(archive.get(), zip_uint64_t(i));
        if (seen.contains(name)) {
            return name;
        }
        seen.insert(name);
    }
    return QStringLiteral("?");
}

// The archive within its extent, or a problem saying why there is none.
Archive openArchive(QByteArrayView bytes, qsizetype extent, ContentInfo& info) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), zip_uint64_t(extent), 0, &error);
    Archive archive;
    if (source) {
        archive.reset(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    }
    if (!archive && source && zip_error_code_zip(&error) == ZIP_ER_EXISTS) {
        info.problems << Report::tr("the JAR holds two entries named %1: the handset refuses it")
                             .arg(duplicateName(source));
    } else if (!archive) {
        info.problems << ourlanguage::withSystemText(
            Report::tr("the JAR is not a valid ZIP archive"),
            QString::fromUtf8(zip_error_strerror(&error)));
    }
    if (!archive && source) {
        zip_source_free(source);
    }
    zip_error_fini(&error);
    return archive;
}

QString methodName(zip_int32_t method) {
    switch (method) {
    case ZIP_CM_DEFLATE64:
        return QStringLiteral("Deflate64");
    case ZIP_CM_BZIP2:
        return QStringLiteral("bzip2");
    case ZIP_CM_LZMA:
    case ZIP_CM_LZMA2:
        return QStringLiteral("LZMA");
    case 93: // older libraries have no name for it
        return QStringLiteral("Zstandard");
    case ZIP_CM_PPMD:
        return QStringLiteral("PPMd");
    case ZIP_CM_XZ:
        return QStringLiteral("XZ");
    default:
        return Report::tr("method %1").arg(method);
    }
}

// Why the handset cannot unpack the entry, or nothing: its runtime takes
// stored and deflated entries only, none encrypted.
// libzip's reason is English: shown only where our texts are too.
QString entryUnreadable(const QString& name, const char* zipText) {
    return ourlanguage::withSystemText(Report::tr("the JAR's entry %1 cannot be read").arg(name),
                                       QString::fromUtf8(zipText));
}

QString unreadable(const zip_stat_t& stat, const QString& name) {
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        return Report::tr("the JAR's entry %1 is encrypted: the handset cannot read it").arg(name);
    }
    if ((stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method != ZIP_CM_STORE &&
        stat.comp_method != ZIP_CM_DEFLATE) {
        return Report::tr("the JAR's entry %1 is compressed with %2: the handset unpacks only "
                          "stored and deflated entries")
            .arg(name, methodName(stat.comp_method));
    }
    return {};
}

// Reads entries to their ends (which checks each one's CRC), within one
// budget of unpacked bytes for the whole archive.
class EntryReader {
public:
    explicit EntryReader(zip_t* archive) : archive_(archive) {}

    // A problem when the entry cannot be read; its bytes go to `keep` when
    // given (a manifest, up to the longest one read).
    QString read(zip_uint64_t index, const QString& name, QByteArray* keep) {
        const std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive_, index, 0));
        if (!entry) {
            return entryUnreadable(name, zip_strerror(archive_));
        }
        char buffer[1 << 16];
        zip_int64_t got = 0;
        while ((got = zip_fread(entry.get(), buffer, sizeof buffer)) > 0) {
            unpacked_ += got;
            if (unpacked_ > kLargestUnpacked) {
                return countedText(kLargestUnpacked,
                                   QT_TRANSLATE_N_NOOP("Report", "the JAR unpacks to more than %n "
                                                                 "byte: the entries from %1 on are "
                                                                 "not read"),
                                   QT_TRANSLATE_N_NOOP("Report",
                                                       "the JAR unpacks to more than %n "
                                                       "bytes: the entries from %1 on are "
                                                       "not read"))
                    .arg(name);
            }
            if (keep && keep->size() + got > qsizetype(kLongestManifest)) {
                return Report::tr("the JAR's manifest is too large to read");
            }
            if (keep) {
                keep->append(buffer, qsizetype(got));
            }
        }
        if (got < 0) {
            zip_error_t* error = zip_file_get_error(entry.get());
            return zip_error_code_zip(error) == ZIP_ER_CRC
                       ? Report::tr("the JAR's entry %1 fails its CRC check: it is damaged")
                             .arg(name)
                       : entryUnreadable(name, zip_error_strerror(error));
        }
        return {};
    }

    bool exhausted() const { return unpacked_ > kLargestUnpacked; }

private:
    zip_t* archive_;
    qint64 unpacked_ = 0;
};

// Every entry read as the handset's runtime reads it; the manifest's bytes
// when it is among them and reads whole.
std::optional<QByteArray> readEntries(zip_t* archive, ContentInfo& info) {
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count <= 0) {
        info.problems << Report::tr("the JAR holds no entries");
        return std::nullopt;
    }
    const zip_int64_t manifestIndex =
        zip_name_locate(archive, "META-INF/MANIFEST.MF", ZIP_FL_NOCASE);
    std::optional<QByteArray> manifest;
    EntryReader reader(archive);
    for (zip_int64_t i = 0; i < count && !reader.exhausted(); ++i) {
        const QString name = entryName(archive, zip_uint64_t(i));
        zip_stat_t stat;
        zip_stat_init(&stat);
        QString problem = zip_stat_index(archive, zip_uint64_t(i), 0, &stat) != 0
                              ? entryUnreadable(name, zip_strerror(archive))
                              : unreadable(stat, name);
        QByteArray bytes;
        if (problem.isEmpty()) {
            problem = reader.read(zip_uint64_t(i), name, i == manifestIndex ? &bytes : nullptr);
        }
        if (!problem.isEmpty()) {
            info.problems << problem;
        } else if (i == manifestIndex) {
            manifest = bytes;
        }
    }
    if (manifestIndex < 0) {
        info.problems << Report::tr("the JAR holds no META-INF/MANIFEST.MF");
    }
    return manifest;
}

} // namespace

qsizetype zipExtent(QByteArrayView bytes) {
    return findEndRecord(bytes).extent;
}

void readJar(QByteArrayView bytes, ContentInfo& info) {
    info.kind = Kind::Jar;
    const EndRecord end = findEndRecord(bytes);
    if (end.extent < 0) {
        info.problems << Report::tr("the JAR is not a whole ZIP archive (no end record)");
        return;
    }
    const Archive archive = openArchive(bytes, end.extent, info);
    if (!archive) {
        return;
    }
    info.extent = end.extent;
    if (end.zip64) {
        info.problems << Report::tr(
            "the JAR's directory ends with a ZIP64 end record, which the handset does not read");
    }
    const std::optional<QByteArray> manifest = readEntries(archive.get(), info);
    if (!manifest) {
        return;
    }
    const QHash<QString, QString> attributes = readAttributes(*manifest, true);
    fillFromAttributes(attributes, info);
    if (!attributes.contains(QStringLiteral("MIDlet-1"))) {
        info.problems << Report::tr("the JAR's manifest names no MIDlet-1");
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
    return countedText(size,
                       QT_TRANSLATE_N_NOOP("Report", "the JAD is %n byte; a JAD is at most %1"),
                       QT_TRANSLATE_N_NOOP("Report", "the JAD is %n bytes; a JAD is at most %1"))
        .arg(countedText(kLongestJad, QT_TRANSLATE_N_NOOP("Report", "%n byte"),
                         QT_TRANSLATE_N_NOOP("Report", "%n bytes")));
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
