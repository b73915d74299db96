#pragma once

#include "app/language.h"
#include "html/exportoptions.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace askbright {

class Button3D;
class PagePreview;
class WindowContext;
struct PageRequest;

// The export dialog: the generation options, the contact address, the page
// generator of the interface language, the page opened in the browser and
// the notice where it was saved. The options are the dialog's own: every
// opening starts from the defaults, only the modern-page choice is kept in
// the shared state for the session. The opener shows it modally.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(WindowContext &ctx, QWidget *parent = nullptr);

    const ExportOptions &options() const { return m_options; }

    void onGenerateClicked();
    void onLeaveClicked();
    void onPreviewClicked();

    // Captions, titles and the layout pictures in language.
    void retranslate(Language language);

private:
    void buildControls();
    void connectControls();
    void applyScheme();
    void onParagraphsClicked();
    void onSameSizeLinksClicked();
    void onLayoutClicked(AnswerLayout layout);
    void onModernPageClicked();
    void onPageLanguageChosen();
    // Settles the contact address, asking for it while it is wanted and
    // missing; a typed address is stored.
    QString settleContactAddress();
    void showNotice(const QString &pagePath, const QString &picturePath);
    // What a generation would be asked for now, with this contact address.
    PageRequest currentRequest(const QString &contactAddress) const;
    // Shows the page of the current options while the preview is open.
    void refreshPreview();
    // The layout choice has no effect on the modern page, the page language
    // only there.
    void enableForPageKind();

    WindowContext &m_ctx;
    ExportOptions m_options;

    QCheckBox *m_contactBox, *m_sameSizeLinksBox, *m_preformattedBox, *m_paragraphsBox;
    QCheckBox *m_modernPageBox;
    QGroupBox *m_layoutFrame;
    QRadioButton *m_withQuestionsOption, *m_answersOnlyOption;
    QLabel *m_withQuestionsLabel, *m_answersOnlyLabel;
    // The layout pictures in German and in English.
    QLabel *m_withQuestionsPicture, *m_answersOnlyPicture;
    QLabel *m_withQuestionsPictureEnglish, *m_answersOnlyPictureEnglish;
    QFrame *m_buttonBar;
    Button3D *m_generateButton, *m_leaveButton, *m_previewButton;
    QLabel *m_pageLanguageLabel;
    QComboBox *m_pageLanguage;
    QPointer<PagePreview> m_preview;
};

} // namespace askbright
