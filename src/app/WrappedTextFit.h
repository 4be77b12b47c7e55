// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// A window holding word-wrapped text needs more height the narrower it is,
// which its layout's minimum size does not say: from now on the window's
// smallest height follows its width, so no wrapped line is ever cut, and its
// smallest width leaves a wrapped text at least `columns` characters wide.
void keepWrappedTextWhole(QWidget& window, int columns = 44);
