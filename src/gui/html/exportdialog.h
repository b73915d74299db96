#pragma once

#include "app/language.h"

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
// the notice where it was saved. Every opening starts from the default
// options; the opener shows it modally.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(WindowContext &ctx, QWidget *parent = nullptr);

    void cmdgenerieren_Click();
    void cmdhtmlraus_Click();
    void Check1_Click();
    void chklinks_Click();
    void optl1_Click();
    void optl2_Click();
    void chkpre_Click();
    void chkmail_Click();
    void chkmodern_Click();
    void onPageLanguageChosen();
    void cmdvorschau_Click();

    void export_deutsch();
    void export_englisch();

private:
    void buildControls();
    void applyScheme();
    // Settles the contact address, asking for it while it is wanted and
    // missing; a typed address is stored.
    QString settleContactAddress();
    void showNotice(const QString &pagePath, const QString &picturePath);
    void applyCaptions(Language language);
    // What a generation would be asked for now, with this contact address.
    PageRequest currentRequest(const QString &contactAddress) const;
    // Shows the page of the current options while the preview is open.
    void refreshPreview();
    // The layout choice has no effect on the modern page, the page language
    // only there.
    void enableForPageKind();

    WindowContext &m_ctx;

    QCheckBox *chkmail, *chklinks, *chkpre, *Check1, *chkmodern;
    QGroupBox *Frame1;
    QRadioButton *optl1, *optl2;
    QLabel *Label1, *Label2;
    QLabel *Picture1, *Picture2, *Picture1e, *Picture2e;
    QFrame *Shape1;
    Button3D *cmdgenerieren, *cmdhtmlraus, *cmdvorschau;
    QLabel *m_pageLanguageLabel;
    QComboBox *m_pageLanguage;
    QPointer<PagePreview> m_preview;
};

} // namespace askbright
