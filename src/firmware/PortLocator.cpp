#include "firmware/PortLocator.h"

#include <QCoreApplication>

std::uint64_t PortLocator::evidence(const std::uint8_t* bytes, std::uint64_t length) const {
    std::uint64_t counted = 0;
    std::uint64_t run = 0;
    for (std::uint64_t i = 0; i < length; ++i) {
        if (bytes[i] == 0xFF) {
            ++run;
            continue;
        }
        counted += run < kErasedRun ? run + 1 : 1;
        run = 0;
    }
    return counted + (run < kErasedRun ? run : 0);
}

PortLocator::Window PortLocator::window(std::uint64_t start, std::uint64_t end, Grow grow) const {
    const FirmwareImage::Range* range =
        old_.rangeAt(start == end && grow == Grow::Backward ? (start == 0 ? 0 : start - 1) : start);
    Window w{start, end, false};
    if (!range) {
        return w;
    }
    // Grown in steps of 16 bytes: evidence is counted afresh, windows are short.
    while (w.end - w.start <= kMaxWindow) {
        if (w.start >= range->start && w.end <= range->end() &&
            evidence(range->bytes.data() + (w.start - range->start), w.end - w.start) >=
                kEvidence) {
            w.usable = true;
            return w;
        }
        const bool back = grow != Grow::Forward && w.start >= range->start + 16;
        const bool forth = grow != Grow::Backward && w.end + 16 <= range->end();
        if (!back && !forth) {
            return w;
        }
        w.start -= back ? 16 : 0;
        w.end += forth ? 16 : 0;
    }
    return w;
}

PortLocator::Found PortLocator::locate(std::uint64_t address, std::uint64_t length) const {
    const struct {
        Window w;
        const char* how;
    } candidates[] = {
        {window(address, address, Grow::Backward), "by the %1 bytes before it"},
        {window(address + length, address + length, Grow::Forward), "by the %1 bytes after it"},
        {window(address, address + length, Grow::Both), "by the %1 bytes around it"},
    };
    Found found;
    bool several = false;
    for (const auto& c : candidates) {
        if (!c.w.usable || c.w.end == c.w.start) {
            continue;
        }
        const std::uint8_t* bytes = old_.bytesAt(c.w.start, c.w.end - c.w.start);
        const std::vector<std::uint64_t> places = new_.find(bytes, c.w.end - c.w.start, 2);
        if (places.size() > 1) {
            several = true;
            continue;
        }
        if (places.empty()) {
            continue;
        }
        const std::uint64_t implied = places.front() + (address - c.w.start);
        if (found.address && *found.address != implied) {
            found.address.reset();
            found.places = 2;
            found.disagree = true;
            found.how.clear();
            return found; // the windows disagree
        }
        if (!found.address) {
            found.address = implied;
            found.how = QCoreApplication::translate("Report", c.how).arg(c.w.end - c.w.start);
        }
    }
    found.places = found.address ? 1 : (several ? 2 : 0);
    return found;
}
