#pragma once

#include "app/language.h"
#include "controls/dialogservice.h"
#include "controls/storedtext.h"
#include "project/colortools.h"
#include "project/projectfile.h"

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace askbright {

class Button3D;
class KeywordList;
class WindowContext;

// The page layout editor: one page project (title, head data, keywords,
// font, alignments, the five page colours, background picture) with a small
// live preview, and the contact address. The constructor opens it for the
// page selected (the shared page selection); showFor shows it modally. It
// coordinates the colour tools and the keyword list, which live in their
// own classes.
class LayoutEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit LayoutEditorDialog(WindowContext &ctx, QWidget *parent = nullptr);

    // Opens the editor for the selected page, modally over owner.
    static int showFor(WindowContext &ctx, QWidget *owner);

    void onSaveProjectClicked();
    void onOpenProjectClicked();
    void onLeaveClicked();

    // Captions and tool tips in language.
    void retranslate(Language language);

    bool pageSaved() const { return m_pageSaved; }
    QString projectFilePath() const { return m_projectFilePath; }
    QString backgroundPicturePath() const { return m_backgroundPicturePath; }
    PictureUse backgroundPictureOn() const { return m_backgroundPictureOn; }
    // Where the save and open dialogs start.
    QString templatesFolder() const { return m_templatesFolder; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Element = ColorTools::Element;

    bool guard(const char *procedure, const std::function<void()> &body);
    void buildControls();
    void connectChanges();
    void load();
    void applyScheme();
    // Reads the project file into the window, then the contact store.
    void readProject();
    // Writes the project and the contact store; false when a write failed
    // (reported, the old files stay).
    bool saveProject();
    // The address field from the store as read.
    void showContactAddress();
    void readAddressStore();
    void decodeContactAddress();
    void setCaption(const QString &fileName);
    // The templates folder becomes folder, its page list read again.
    void followIntoFolder(const QString &folder);
    void rescanPages();
    // The project file dialog, set up for a save or an open in initDir.
    void prepareProjectDialog(const QString &initDir, const QString &title);
    void markUnsaved();
    bool confirmClose();

    // Window <-> project.
    PageProject windowProject() const;
    // complete: every line was read; otherwise only values that differ from
    // before were read and are shown.
    void applyProject(const PageProject &project, const PageProject &before, bool complete);
    void selectAlignment(Alignment alignment, QRadioButton *left, QRadioButton *centre,
                         QRadioButton *right);
    Alignment faqAlignment() const;

    // Background picture and preview.
    void choosePicture();
    void dropPicture();
    bool loadBackgroundPicture(const QString &path);
    void removeBackgroundPicture();
    void tileBackgroundPicture();
    void setTitleFont(const QString &family);
    void paintSample(Element element, const QColor &color);

    WindowContext &m_ctx;
    CommonDialog m_dialog;

    // Window state.
    bool m_pageSaved = false;
    bool m_leavingByButton = false;
    bool m_closeConfirmed = false;
    QString m_projectFilePath;
    QString m_templatesFolder;
    QString m_backgroundPicturePath;
    PictureUse m_backgroundPictureOn = PictureUse::Unset;
    Alignment m_titleAlignment = Alignment::Unset;
    QString m_addressVersion;
    QString m_shownFileName; // in the title

    QLabel *m_headingLabel, *m_titleLabel, *m_authorLabel, *m_descriptionLabel, *m_keywordsLabel;
    QLabel *m_pageFileNameLabel, *m_contactLabel, *m_fontLabel, *m_titleAlignmentLabel;
    QLabel *m_previewLabel;
    StoredTextEdit *m_titleField, *m_authorField, *m_descriptionField;
    KeywordList *m_keywordList;
    QComboBox *m_fontList, *m_titleSizeList, *m_textSizeList;
    QLineEdit *m_pageFileNameField, *m_contactField;
    QCheckBox *m_boldBox, *m_italicBox;
    QGroupBox *m_fontFrame, *m_faqAlignmentFrame;
    QRadioButton *m_titleLeftOption, *m_titleCentreOption, *m_titleRightOption;
    QRadioButton *m_faqLeftOption, *m_faqCentreOption, *m_faqRightOption;
    ColorTools *m_colorTools;
    // The preview: the background colour or the tiled picture, and the samples.
    QLabel *m_preview, *m_backgroundPicture;
    QLabel *m_textSample, *m_newLinkSample, *m_visitedLinkSample, *m_activeLinkSample;
    Button3D *m_saveButton, *m_openButton, *m_leaveButton;
    QWidget *m_buttonBar;
};

} // namespace askbright
