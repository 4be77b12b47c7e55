// SPDX-License-Identifier: MIT
#include "pictures/HandsetPictureCheck.h"

#include "pictures/HandsetPicture.h"

#include <QCoreApplication>

namespace handsetpicture {

namespace {

using namespace handsetformat;

// Walks the picture's bytes in order; the first problem stops the walk.
class Walker {
public:
    explicit Walker(const ByteAt& byteAt) : byteAt_(byteAt) {}

    bool take(std::uint8_t& value) {
        const std::optional<std::uint8_t> b = byteAt_(offset_);
        if (!b) {
            fail(QCoreApplication::translate("Report", "byte %1 of the picture is missing")
                     .arg(offset_));
            return false;
        }
        value = *b;
        ++offset_;
        return true;
    }
    bool expect(std::uint8_t wanted, const char* what) {
        std::uint8_t value = 0;
        if (!take(value)) {
            return false;
        }
        if (value != wanted) {
            fail(QCoreApplication::translate("Report", "%1 at byte %2 is %3, not %4")
                     .arg(QCoreApplication::translate("Report", what))
                     .arg(offset_ - 1)
                     .arg(value)
                     .arg(wanted));
            return false;
        }
        return true;
    }
    void fail(const QString& problem) { result.problem = problem; }
    std::int64_t offset() const { return offset_; }

    CheckResult result;

private:
    const ByteAt& byteAt_;
    std::int64_t offset_ = 0;
};

bool walk(Walker& w, int width, int height) {
    if (width <= 0 || height <= 0) {
        w.fail(QCoreApplication::translate("Report", "a picture of %1 x %2 pixels has no pixels")
                   .arg(width)
                   .arg(height));
        return false;
    }
    std::uint8_t palette = 0;
    std::uint8_t ignored = 0;
    if (!w.expect(kFormatByte, QT_TRANSLATE_NOOP("Report", "the format byte")) ||
        !w.take(palette)) {
        return false;
    }
    if (!isPaletteSize(palette)) {
        w.fail(QCoreApplication::translate("Report", "a palette of %1 colours (1 to 127 allowed)")
                   .arg(palette));
        return false;
    }
    for (int i = 0; i < 2 * palette; ++i) {
        if (!w.take(ignored)) {
            return false;
        }
    }
    const std::int64_t runPixels = std::int64_t(width) * height - 1;
    std::int64_t covered = 0;
    while (covered < runPixels) {
        std::uint8_t head = 0;
        if (!w.take(head)) {
            return false;
        }
        const std::optional<RunRecord> run = runRecord(head);
        if (!run) {
            w.fail(QCoreApplication::translate("Report", "byte %1 (%2) starts no run record")
                       .arg(w.offset() - 1)
                       .arg(head));
            return false;
        }
        if (run->palette) {
            std::uint8_t index = 0;
            if (!w.take(index)) {
                return false;
            }
            if (index >= palette) {
                w.fail(QCoreApplication::translate(
                           "Report", "palette index %1 at byte %2 past the %3 colours")
                           .arg(index)
                           .arg(w.offset() - 1)
                           .arg(palette));
                return false;
            }
        } else if (!w.take(ignored) || !w.take(ignored)) {
            return false;
        }
        covered += run->length;
    }
    if (covered != runPixels) {
        w.fail(QCoreApplication::translate("Report", "the runs cover %1 pixels, not %2")
                   .arg(covered)
                   .arg(runPixels));
        return false;
    }
    if (!w.expect(kClosingRecord, QT_TRANSLATE_NOOP("Report", "the closing record")) ||
        !w.take(ignored) || !w.take(ignored)) {
        return false;
    }
    if (padsBefore(w.offset()) && !w.expect(0, QT_TRANSLATE_NOOP("Report", "the pad byte"))) {
        return false;
    }
    return w.expect(std::uint8_t(width & 0xFF), QT_TRANSLATE_NOOP("Report", "the width")) &&
           w.expect(0, QT_TRANSLATE_NOOP("Report", "the trailer")) &&
           w.expect(std::uint8_t(height & 0xFF), QT_TRANSLATE_NOOP("Report", "the height")) &&
           w.expect(0, QT_TRANSLATE_NOOP("Report", "the trailer"));
}

// The width and height a closing record at offset would end with: its value,
// the pad byte when the trailer would start at an odd offset, the trailer.
std::optional<Measured> trailerAfter(const ByteAt& byteAt, std::int64_t closing) {
    std::int64_t at = closing + 3;
    // A nonzero pad fails check(), so it rules the end out here, where it
    // costs nothing, rather than after a second walk of every run.
    if (padsBefore(at) && byteAt(at++) != std::optional<std::uint8_t>(0)) {
        return std::nullopt;
    }
    const auto w = byteAt(at);
    const auto zero1 = byteAt(at + 1);
    const auto h = byteAt(at + 2);
    const auto zero2 = byteAt(at + 3);
    if (!w || !zero1 || !h || !zero2 || *w == 0 || *zero1 != 0 || *h == 0 || *zero2 != 0) {
        return std::nullopt;
    }
    return Measured{*w, *h, at + 4};
}

} // namespace

std::optional<Measured> measure(const ByteAt& byteAt, std::int64_t* budget) {
    const auto format = byteAt(0);
    const auto palette = byteAt(1);
    if (!format || *format != kFormatByte || !palette || !isPaletteSize(*palette)) {
        return std::nullopt;
    }
    constexpr std::int64_t kMostPixels = 255 * 255;
    std::int64_t offset = 2 + 2 * std::int64_t(*palette);
    std::int64_t covered = 0;
    // A closing record reads as a direct run of one pixel, so each one is
    // tried as the end and, failing that, walked over as a run.
    while (covered < kMostPixels) {
        if (budget && (*budget)-- <= 0) {
            return std::nullopt;
        }
        const auto head = byteAt(offset);
        if (!head) {
            return std::nullopt;
        }
        if (*head == kClosingRecord) {
            if (const auto end = trailerAfter(byteAt, offset);
                end && std::int64_t(end->width) * end->height == covered + 1 &&
                check(byteAt, end->width, end->height).problem.isEmpty()) {
                return end;
            }
        }
        const std::optional<RunRecord> run = runRecord(*head);
        if (!run) {
            return std::nullopt;
        }
        if (run->palette) {
            const auto index = byteAt(offset + 1);
            if (!index || *index >= *palette) {
                return std::nullopt;
            }
        }
        offset += run->palette ? 2 : 3;
        covered += run->length;
    }
    return std::nullopt;
}

CheckResult check(const ByteAt& byteAt, int width, int height) {
    Walker walker(byteAt);
    walk(walker, width, height);
    walker.result.length = walker.offset();
    return walker.result;
}

} // namespace handsetpicture
