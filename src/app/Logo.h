// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QSize>

// The program's logo, painted rather than shipped as a bitmap so that it
// scales with the screen.
QPixmap tarvexLogo(const QSize& size);
