#include "srec/CustomPatch.h"

#include "srec/CustomPatchSource.h"

CustomPatch MakeCustomPatch(const QString& fileName, std::int64_t size, std::int32_t offset) {
    const CustomPatchSource source = CustomPatchSource::read(fileName, size, offset);
    CustomPatch patch;
    patch.bytesRead = source.bytesRead();
    patch.wholeRecords = source.wholeRecords();
    source.appendLines(0, source.lineCount(), patch.lines);
    return patch;
}
