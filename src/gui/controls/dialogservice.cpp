#include "controls/dialogservice.h"

#include "app/paths.h"

#include <QFileInfo>

namespace askbright {

bool CommonDialog::show(FileDialogKind kind)
{
    const bool askBeforeCreating =
        kind == FileDialogKind::Save && (flags & DialogFlags::CreatePrompt);
    for (;;) {
        const std::optional<QString> chosen = m_service.showFileDialog(
            {kind, dialogTitle, initDir, fileName, filter, filterIndex, flags, addExtension});
        if (!chosen)
            return false;
        if (!askBeforeCreating || QFileInfo::exists(localPath(*chosen)) || confirmCreate(*chosen)) {
            fileName = *chosen;
            return true;
        }
    }
}

bool CommonDialog::confirmCreate(const QString &path)
{
    const Language language = m_language ? m_language() : Language::German;
    const QString text = language
                             .pick(u"%1 ist nicht vorhanden.\rSoll die Datei erstellt werden?",
                                   u"%1 does not exist.\rDo you want to create the file?")
                             .arg(fileNameOf(path));
    return m_service.showMessage(
               {text, dialogTitle, MessageButtons::YesNo, MessageIcon::Question, 1}) == AnswerYes;
}

} // namespace askbright
