#pragma once

#include "app/language.h"
#include "controls/dialogservice.h"

#include <QDialog>
#include <array>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace askbright {

class Button3D;
class WindowContext;

// The colour scheme editor: picks the four colours, previews them, saves
// and loads scheme files. Leaving with a saved or loaded scheme repaints the
// main window.
class SchemeEditorDialog : public QDialog {
    Q_OBJECT
public:
    // parent is the main window, over which the editor is centred.
    explicit SchemeEditorDialog(WindowContext &context, QWidget *parent = nullptr);

    void onPickColorClicked();
    void onSaveSchemeClicked();
    void onLoadSchemeClicked();
    void onLeaveClicked();

    // Captions and title in language.
    void retranslate(Language language);
    // Paints the preview from the current colours.
    void showCurrentColors();

    // "" nothing shown or changed yet, "nein" the preview holds colours that
    // are in no file, "ja" just saved or loaded.
    QString schemeSaved() const { return m_schemeSaved; }

    void done(int result) override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void confirmClose(QCloseEvent *event);
    void setCaptions(Language language);
    // The file dialog as both file commands show it.
    void prepareDialog(const QString &title);

    WindowContext &m_ctx;
    CommonDialog m_fileDialog;
    QString m_schemeSaved;
    int m_answer = 0;
    bool m_unloadFromCode = false;
    qint32 m_lastPicked = 0;

    QGroupBox *m_roleFrame;
    QRadioButton *m_buttonColorOption, *m_fontColorOption, *m_backgroundColorOption,
        *m_buttonFontColorOption;
    QPushButton *m_pickButton, *m_saveButton, *m_loadButton, *m_leaveButton;
    std::array<Button3D *, 4> m_sampleButtons;
    QLabel *m_sampleLabel;
    QLabel *m_swatches;
    QFrame *m_separator;
};

} // namespace askbright
