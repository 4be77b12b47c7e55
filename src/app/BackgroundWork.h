// SPDX-License-Identifier: MIT
#pragma once

#include "firmware/WorkProgress.h"

#include <QString>
#include <functional>

class QWidget;

// A long step run on a thread of its own while the window shows its progress
// with a Cancel button (Escape cancels too) and goes on repainting. The step
// touches no widget; it reports through the Progress it is given, which
// raises workprogress::Cancelled once the user has cancelled.
namespace backgroundwork {

using Work = std::function<void(const workprogress::Progress& progress)>;

// Returns whether the step ran to its end: false when the user cancelled it.
// An error the step raises is raised again here, on the window's thread.
bool run(QWidget* parent, const QString& caption, const QString& label, const Work& work);

// Called on the step's thread at each report, before the cancel is looked
// at: tests hold a step halfway with it to act on the window meanwhile.
using StepHook = std::function<void(std::uint64_t done, std::uint64_t total)>;
void setStepHook(StepHook hook);

} // namespace backgroundwork
