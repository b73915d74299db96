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

    void cmdauswahl_Click();
    void Command1_Click(); // save
    void Command2_Click(); // load
    void cmdrausf_Click(); // leave

    void farb_deutsch();
    void farb_englisch();
    // Paints the preview from the current colours.
    void farbaktuell();

    // "" nothing shown or changed yet, "nein" the preview holds colours that
    // are in no file, "ja" just saved or loaded.
    QString schemeSaved() const { return m_schemeSaved; }

    void done(int result) override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_QueryUnload(QCloseEvent *event);
    void applyCaptions(Language language);
    // The file dialog as both file commands show it.
    void prepareDialog(const QString &title);

    WindowContext &m_ctx;
    CommonDialog m_dialog1;
    QString m_schemeSaved;
    int m_answer = 0;
    bool m_unloadFromCode = false;
    qint32 m_lastPicked = 0;

    QGroupBox *Frame;
    QRadioButton *optbutton, *optschrift, *opthigru, *optfontbt;
    QPushButton *cmdauswahl, *Command1, *Command2, *cmdrausf;
    std::array<Button3D *, 4> cmdtest;
    QLabel *lblfrbtest;
    QLabel *picf;
    QFrame *Line1;
};

} // namespace askbright
