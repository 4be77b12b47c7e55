#pragma once

#include "firmware/FirmwareImage.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// Finds in a new firmware the place of an address of the old one by the
// bytes around it: a window of the old firmware's bytes just before the
// address, one just after its item, and one over the item, each grown until
// it holds enough evidence (erased FF runs do not count). The place is the
// one every window found only once agrees on; none, or windows that found it
// several times or disagree, leave it unplaced.
class PortLocator {
public:
    PortLocator(const FirmwareImage& oldImage, const FirmwareImage& newImage)
        : old_(oldImage), new_(newImage) {}

    struct Found {
        std::optional<std::uint64_t> address;
        int places = 0;        // 0, 1 or 2 (several)
        bool disagree = false; // windows found once each, at different places
        QString how;           // "by the 48 bytes before it"
    };
    struct Item {
        std::uint64_t address = 0;
        std::uint64_t length = 0; // 0 for a bound
    };
    // The new address of each item, all windows searched in one pass.
    std::vector<Found> locate(const std::vector<Item>& items) const;

    // Evidence a window must hold, and the longest it may grow.
    static constexpr std::uint64_t kEvidence = 32;
    static constexpr std::uint64_t kMaxWindow = 4096;
    // An FF run this long or longer is erased flash, not evidence.
    static constexpr std::uint64_t kErasedRun = 4;

private:
    struct Window {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        bool usable = false;
    };
    enum class Grow { Backward, Forward, Both };
    Window window(std::uint64_t start, std::uint64_t end, Grow grow) const;
    std::uint64_t evidence(const std::uint8_t* bytes, std::uint64_t length) const;

    const FirmwareImage& old_;
    const FirmwareImage& new_;
};
