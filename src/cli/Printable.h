#pragma once

#include "base/Printable.h"

namespace cli {
using terminal::printable;
} // namespace cli
