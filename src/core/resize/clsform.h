#pragma once

#include <QtGlobal>

namespace askbright {

// The window's outer size and position when the engine recorded it, in twips.
struct clsForm {
    qint32 Top = 0;  // kept for completeness; only the size is used
    qint32 Left = 0; // kept for completeness; only the size is used
    qint32 Width = 0;
    qint32 Height = 0;
};

} // namespace askbright
