#pragma once

#include "app/language.h"
#include "controls/dialogservice.h"
#include "controls/storedtext.h"
#include "project/colors.h"
#include "project/projectfile.h"

#include <QDialog>
#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QScrollBar;

namespace askbright {

class Button3D;

class WindowContext;

// The page layout editor: one page project (title, head data, keywords,
// font, alignments, the five page colours, background picture) with a small
// live preview, and the contact address. The constructor opens it for the
// page selected (the shared page selection); showFor shows it modally. Its colour
// tools live in layouteditordialog_colors.cpp.
class LayoutEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit LayoutEditorDialog(WindowContext &ctx, QWidget *parent = nullptr);

    // Opens the editor for the selected page, modally over owner.
    static int showFor(WindowContext &ctx, QWidget *owner);

    // Buttons.
    void cmdfarbspeichern_Click();
    void cmdoeffnefarbe_Click();
    void cmdrausprojekt_Click();

    // Colour tools.
    void Option_Click(int element); // 0..4: Option1..Option5
    void Option6_Click();
    void cmdplus_Click();
    void cmdminus_Click();
    void cmdplus_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void cmdminus_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void cmdnorm_Click();
    void optsystem_Click();
    void opthand_Click();

    void seite_oeffnen();
    // Writes the project and the contact store; false when a write failed
    // (reported, the old files stay).
    bool seite_speichern();
    void seite_deutsch();
    void seite_englisch();
    void skinme_aktuell();
    void farb_frei();

    bool pageSaved() const { return m_pageSaved; }
    QString projectFilePath() const { return m_projectFilePath; }
    QString backgroundPicturePath() const { return m_backgroundPicturePath; }
    PictureUse backgroundPictureOn() const { return m_backgroundPictureOn; }
    Alignment titleAlignment() const { return m_titleAlignment; }
    // Where the save and open dialogs start.
    QString templatesFolder() const { return m_templatesFolder; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One page colour: its option, its colour text and where the preview shows it.
    enum Element { TextColor, BgColor, ActiveLink, VisitedLink, NewLink, ElementCount };

    bool guard(const char *procedure, const std::function<void()> &body);
    void buildControls();
    void connectChanges();
    void Form_Load();
    // Step 11 of opening: the address field from the store as read.
    void showContactAddress();
    void readAddressStore();
    void mail_decrypt();
    void setCaption(const QString &fileName);
    // The templates folder becomes folder, its page list read again.
    void followIntoFolder(const QString &folder);
    void rescanPages();
    // The project file dialog, set up for a save or an open in initDir.
    void prepareProjectDialog(const QString &initDir, const QString &title);
    void applyCaptions(Language language);
    void markUnsaved();
    bool Form_QueryUnload();

    // Window <-> project.
    PageProject windowProject() const;
    // complete: every line was read; otherwise only values that differ from
    // before were read and are shown.
    void applyProject(const PageProject &project, const PageProject &before, bool complete);
    void selectAlignment(Alignment alignment, QRadioButton *left, QRadioButton *centre,
                         QRadioButton *right);
    Alignment faqAlignment() const;

    // Keyword list and the font lists.
    bool keywordKey(QKeyEvent *event);
    void DeleteDuplicateValues(QComboBox *list);
    void removeEqualKeywords();

    // Background picture and preview.
    bool loadBackgroundPicture(const QString &path);
    void removeBackgroundPicture();
    void TileBitmapsProcessBar(QLabel *target, QLabel *source);
    void setTitleFont(const QString &family);

    // Colours (layouteditordialog_colors.cpp).
    void rgb_errechnen(const QString &colorText);
    void farbe_zeigen();
    void slider_Change(int channel);
    void setSliders(ColorParts parts);
    ColorParts sliderParts() const;
    void paintElement(int element, quint32 platformValue);
    void setColorText(int element, const QString &text);
    int selectedElement() const;
    void step(int direction);
    void fastSteps(int direction, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void enableColorTools(bool enabled);
    void paintSwatches();
    // The readability of the text and link colours on the background colour.
    void kontrast_zeigen();

    WindowContext &m_ctx;
    CommonDialog m_dialog;

    // Window state.
    bool m_pageSaved = false;
    int m_closeByButton = 0;
    bool m_closeConfirmed = false;
    QString m_projectFilePath;
    QString m_templatesFolder;
    QString m_backgroundPicturePath;
    PictureUse m_backgroundPictureOn = PictureUse::Unset;
    Alignment m_titleAlignment = Alignment::Unset;
    QString m_addressVersion;
    QString m_sliderEventsOff;
    HexParts m_hex;
    ColorParts m_val;
    int m_nextStandardColor = 0;
    qint32 m_dialogColor = 0;

    // Controls, named as the handlers refer to them.
    QLabel *lblkopf, *lbltitel, *lblname, *lblbeschreibung, *lblkeywords, *lbldatname, *lblmail;
    QLabel *lblstil, *lbltitelausrichtung, *lblvorschau;
    StoredTextEdit *txttitel, *Text1, *txtbeschreibung;
    QComboBox *Combo1, *cindexschrift, *cgroesse, *cgroessetext;
    QLineEdit *txtdatname, *txtmail;
    QCheckBox *Check1, *Check3;
    QGroupBox *Frame1, *Frame2, *Frame3;
    QRadioButton *opttitellinks, *opttitelzent, *opttitelrechts;
    QRadioButton *olinks, *omitte, *orechts;
    std::array<QRadioButton *, ElementCount> m_options{};
    std::array<QLabel *, ElementCount> m_colorLabels{};
    QRadioButton *Option6, *optsystem, *opthand;
    QButtonGroup *m_elements, *m_pickers;
    QLabel *picvorschau, *Picture1, *lbltext, *lblneulink, *lblaltlink, *lblaktivlink;
    // Beside each sample its contrast; none for the background colour itself.
    std::array<QLabel *, ElementCount> m_contrastLabels{};
    std::array<QScrollBar *, 3> m_sliders{};  // scrollrot, scrollgruen, scrollblau
    std::array<QLabel *, 3> m_swatches{};     // lblrot, lblgruen, lblblau
    std::array<QLabel *, 3> m_sliderLabels{}; // captions 1630, 1640, 1650
    QLabel *gesamtfarbe;
    Button3D *cmdplus, *cmdminus, *cmdnorm, *cmdfarbspeichern, *cmdoeffnefarbe, *cmdrausprojekt;
    QWidget *Shape2;
};

} // namespace askbright
