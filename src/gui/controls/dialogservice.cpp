#include "controls/dialogservice.h"

#include "app/apperror.h"

namespace askbright {

void CommonDialog::show(FileDialogKind kind)
{
    const std::optional<QString> chosen = m_service.showFileDialog(
        {kind, dialogTitle, initDir, fileName, filter, filterIndex, flags});
    if (!chosen)
        throw AppError(AppError::Cancelled);
    fileName = *chosen;
}

} // namespace askbright
