#pragma once
#include "cli/Commands.h"
