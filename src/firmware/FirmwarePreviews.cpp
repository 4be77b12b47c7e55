// SPDX-License-Identifier: MIT
#include "firmware/FirmwarePreviews.h"

#include "base/TarvexError.h"
#include "dataset/DataSetLayout.h"
#include "dataset/DataSetWriter.h"
#include "firmware/StandardResources.h"
#include "pictures/HandsetPictureDecoder.h"
#include "pictures/JpegWriter.h"

#include <QDir>

namespace firmwarepreviews {

Result run(const FirmwareDataSet& data, const FirmwareImage& image,
           const workprogress::Progress& progress) {
    Result result;
    result.match = firmwarematch::run(data, image);
    const ManagerInfo& pictures = managers::pictures();
    std::vector<QByteArray> jpegs;
    const std::vector<StandardResource> resources = standardresources::of(data);
    std::uint64_t done = 0;
    for (const StandardResource& r : resources) {
        workprogress::report(progress, done++, resources.size());
        if (r.manager != &pictures) {
            continue;
        }
        const std::uint8_t* entry = r.tableAddress ? image.bytesAt(*r.tableAddress, 8) : nullptr;
        const standardresources::Bytes bytes = standardresources::in(image, r);
        if (!r.entry || !entry || !std::equal(r.entry->begin(), r.entry->end(), entry) ||
            !bytes.problem.isEmpty()) {
            result.refused = true;
            continue;
        }
        jpegs.push_back(encodeJpeg(toImage(decodeHandsetPicture(
            QByteArray(reinterpret_cast<const char*>(bytes.data), qsizetype(bytes.length))))));
    }
    workprogress::report(progress, resources.size(), resources.size());
    if (result.refused) {
        return result;
    }
    const QString folder = data.dataFile(datasetlayout::kPreviewFolder);
    // As with the working folders: a link here would carry the previews out
    // of the user folder, over whatever it leads to.
    data.requirePlainFolder(folder);
    if (!jpegs.empty() && !QDir().mkpath(folder)) {
        throw errors::cannotCreateFile(folder);
    }
    DataSetWriter::writePreviewsInto(data.dataFolder(), jpegs);
    result.written = int(jpegs.size());
    return result;
}

} // namespace firmwarepreviews
