#pragma once

#include "app/language.h"
#include "controls/dialogservice.h"

#include <functional>

namespace askbright {

// The dialog service of the running program: Qt's standard dialogs, parented
// to the active window.
class QtDialogService : public DialogService {
public:
    // language: the interface language of the dialogs' own questions.
    QtDialogService(QString applicationTitle, std::function<Language()> language);

    int showMessage(const Message &message) override;
    std::optional<QString> showFileDialog(const FileDialogRequest &request) override;
    std::optional<qint32> showColorDialog(qint32 initial) override;
    std::optional<FontChoice> showFontDialog(const FontChoice &initial) override;
    QString browseForFolder(QWidget *owner, const QString &prompt) override;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    bool openExternal(const QString &target) override;

    // "Desc (*.a)|*.a|All (*.*)|*.*" -> Qt's name filters.
    static QStringList nameFilters(const QString &filter);

private:
    // The save dialog's question before a file is created; true to go on.
    bool confirmCreate(QWidget *parent, const QString &path, const QString &title);

    QString m_applicationTitle;
    std::function<Language()> m_language;
};

} // namespace askbright
