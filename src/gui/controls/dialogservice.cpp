#include "controls/dialogservice.h"

namespace askbright {

bool CommonDialog::show(FileDialogKind kind)
{
    const std::optional<QString> chosen = m_service.showFileDialog(
        {kind, dialogTitle, initDir, fileName, filter, filterIndex, flags});
    if (chosen)
        fileName = *chosen;
    return chosen.has_value();
}

} // namespace askbright
