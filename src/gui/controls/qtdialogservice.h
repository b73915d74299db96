#pragma once

#include "controls/dialogservice.h"

namespace askbright {

// The dialog service of the running program: Qt's standard dialogs, parented
// to the active window.
class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QString applicationTitle);

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
    QString m_applicationTitle;
};

} // namespace askbright
