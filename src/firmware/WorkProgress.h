// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

// How the long firmware steps (scan, apply, previews) tell a caller how far
// they have got, and let it stop them: the step calls the progress function
// between pieces of work, and a caller that wants the step to end raises
// Cancelled from it. Each step writes its files only once their content is
// whole, so a step stopped this way leaves every file as it was.
namespace workprogress {

using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Raised from a Progress function to end the step.
struct Cancelled {};

inline void report(const Progress& progress, std::uint64_t done, std::uint64_t total) {
    if (progress) {
        progress(done, total);
    }
}

} // namespace workprogress
