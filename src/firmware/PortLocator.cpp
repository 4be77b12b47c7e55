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

std::vector<PortLocator::Found> PortLocator::locate(const std::vector<Item>& items) const {
    static const char* const kHow[] = {QT_TRANSLATE_NOOP("Report", "by the %1 bytes before it"),
                                       QT_TRANSLATE_NOOP("Report", "by the %1 bytes after it"),
                                       QT_TRANSLATE_NOOP("Report", "by the %1 bytes around it")};
    struct Candidate {
        std::size_t item;
        int kind;
        Window w;
    };
    std::vector<Candidate> candidates;
    std::vector<FirmwareImage::Pattern> patterns;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::uint64_t a = items[i].address;
        const std::uint64_t end = a + items[i].length;
        const Window windows[] = {window(a, a, Grow::Backward), window(end, end, Grow::Forward),
                                  window(a, end, Grow::Both)};
        for (int k = 0; k < 3; ++k) {
            if (windows[k].usable && windows[k].end > windows[k].start) {
                candidates.push_back({i, k, windows[k]});
                patterns.push_back(
                    {old_.bytesAt(windows[k].start, windows[k].end - windows[k].start),
                     std::size_t(windows[k].end - windows[k].start)});
            }
        }
    }
    const std::vector<std::vector<std::uint64_t>> places = new_.findAll(patterns, 2);
    std::vector<Found> found(items.size());
    std::vector<bool> several(items.size(), false);
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        const Candidate& cand = candidates[c];
        Found& f = found[cand.item];
        if (f.disagree) {
            continue;
        }
        if (places[c].size() > 1) {
            several[cand.item] = true;
            continue;
        }
        if (places[c].empty()) {
            continue;
        }
        const std::uint64_t implied = places[c].front() + (items[cand.item].address - cand.w.start);
        if (f.address && *f.address != implied) {
            f.address.reset();
            f.disagree = true;
            f.how.clear();
        } else if (!f.address) {
            f.address = implied;
            f.how = QCoreApplication::translate("Report", kHow[cand.kind])
                        .arg(cand.w.end - cand.w.start);
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        found[i].places = found[i].address ? 1 : (several[i] || found[i].disagree ? 2 : 0);
    }
    return found;
}
