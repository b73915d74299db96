#pragma once

#include "app/language.h"
#include "app/messages.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace askbright {

// Flags of the file dialogs, as the windows set them.
namespace DialogFlags {
inline constexpr int OverwritePrompt = 0x2;
inline constexpr int HideReadOnly = 0x4;
inline constexpr int PathMustExist = 0x800;
inline constexpr int FileMustExist = 0x1000;
inline constexpr int CreatePrompt = 0x2000;
inline constexpr int Explorer = 0x80000;
inline constexpr int LongNames = 0x200000;
inline constexpr int Open = 0x281804;
inline constexpr int Save = 0x202006;
} // namespace DialogFlags

enum class FileDialogKind { Open, Save };

// What a file dialog is shown with. The filter is a list of description and
// pattern pairs joined by vertical bars: "FAQ_Datei (*.faq)|*.faq".
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QString title;
    QString initDir;
    QString fileName;
    QString filter;
    int filterIndex = 1;
    int flags = 0;
    // Save: a name typed without extension gets the chosen filter's.
    bool addExtension = true;

    bool operator==(const FileDialogRequest &) const = default;
};

struct FontChoice {
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    qint32 color = 0; // 0x00BBGGRR

    bool operator==(const FontChoice &) const = default;
};

// Every dialog the program shows goes through this one service, so that tests
// can script each answer and check each text.
class DialogService : public MessageSink {
public:
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> showFileDialog(const FileDialogRequest &request) = 0;
    virtual std::optional<qint32> showColorDialog(qint32 initial) = 0;
    virtual std::optional<FontChoice> showFontDialog(const FontChoice &initial) = 0;
    // The chosen folder, or "" when cancelled.
    virtual QString browseForFolder(QWidget *owner, const QString &prompt) = 0;
    // The text typed; "" when cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultText = {}) = 0;
    // Hands a file, web address or mailto: link to the desktop.
    virtual bool openExternal(const QString &target) = 0;
};

// A file dialog that keeps the values last set on it between calls, as the
// save command relies on. The show calls return false when cancelled. With
// the create-prompt flag, saving to a file that does not exist asks first;
// No shows the dialog again.
class CommonDialog {
public:
    // language: the wording of the dialog's own question.
    explicit CommonDialog(DialogService &service, std::function<Language()> language = {})
        : m_service(service), m_language(std::move(language))
    {
    }

    QString dialogTitle;
    QString initDir;
    QString fileName;
    QString filter;
    int filterIndex = 1;
    int flags = 0;
    bool addExtension = true;

    bool showOpen() { return show(FileDialogKind::Open); }
    bool showSave() { return show(FileDialogKind::Save); }

private:
    bool show(FileDialogKind kind);
    bool confirmCreate(const QString &path);

    DialogService &m_service;
    std::function<Language()> m_language;
};

} // namespace askbright
