#include "windows/infowindow.h"

#include "app/interfacetexts.h"
#include "app/placement.h"
#include "app/product.h"
#include "app/schemepainter.h"
#include "app/twips.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/dialogservice.h"
#include "controls/formontop.h"
#include "state/appstate.h"

#include <QLabel>
#include <QMouseEvent>

namespace askbright {

namespace {

QString lines(std::initializer_list<const char16_t *> parts)
{
    QStringList list;
    for (const char16_t *part : parts)
        list << QString::fromUtf16(part);
    return list.join(u'\n');
}

// The maker's address and bank details: the same in both languages.
const QString makerAddress = lines({
    u"Askbright team",
    u"Beispielweg 1",
    u"00000 Musterstadt",
    u"Deutschland",
});
const QString makerBank = lines({
    u"Beispielbank Musterstadt",
    u"BLZ 000 000 00",
    u"Konto 000 000 000 0",
    u"IBAN:",
    u"DE00 0000 0000 0000 0000 00",
    u"BIC: XXXXDEXXXXX",
});

const QString donationGerman = lines({
    u"Dieses Programm soll weiter entwickelt werden.",
    u"Es sollen weitere Funktionen eingebaut sowie",
    u"die Qualität weiter verbessert werden.",
    u"Sie können die Weiterentwicklung und die Bereitstellung",
    u"von Askbright durch eine Spende in beliebiger Höhe unterstützen (z.B. 10 EUR).",
    u"",
    u"Sie können dazu einen Betrag an untenstehende Adresse senden",
    u"oder auf das Konto überweisen. Vielen Dank!",
});
const QString donationEnglish = lines({
    u"I want to continue working on this program",
    u"therefore, your donation will be an incentive",
    u"for me to add new functions and increase the",
    u"program's quality.",
    u"",
    u"If you like this programm, please donate",
    u"by sending USD 10,00 or EUR 10,00 or what you want",
    u"to my address or on my bank account. Thank you!",
});

QLabel *arialLabel(QWidget *parent, const char *name, int x, int y, int w, int h, int points)
{
    auto *label = place(new QLabel(parent), name, x, y, w, h);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

InfoWindow::InfoWindow(WindowContext &context, QWidget *parent) : QDialog(parent), m_ctx(context)
{
    setObjectName(QStringLiteral("frminfo"));
    setFixedSize(520, 392);

    m_titleLabel = arialLabel(this, "Label1", 20, 14, 300, 30, 16);
    QFont title = m_titleLabel->font();
    title.setBold(true);
    m_titleLabel->setFont(title);
    m_versionLabel = arialLabel(this, "Label2", 22, 46, 300, 18, 10);
    m_donationLabel = arialLabel(this, "lbl1", 20, 76, 484, 136, 9);
    m_addressLabel = arialLabel(this, "lbladr", 20, 224, 220, 72, 9);
    m_bankLabel = arialLabel(this, "lblkn", 260, 224, 240, 108, 9);

    m_moreSoftwareLabel = place(new QLabel(this), "Label3", 20, 336, 312, 18);
    m_moreSoftwareLabel->setText(
        QStringLiteral("weitere Free- und Shareware finden Sie auf meiner "));
    m_homepageLink = place(new QLabel(this), "lblhomepage", 332, 336, 76, 18);
    m_homepageLink->setText(QStringLiteral("Homepage"));
    QFont link = m_homepageLink->font();
    link.setUnderline(true);
    m_homepageLink->setFont(link);
    QPalette linkColour = m_homepageLink->palette();
    linkColour.setColor(QPalette::WindowText, Qt::blue);
    m_homepageLink->setPalette(linkColour);
    m_homepageLink->setCursor(Qt::PointingHandCursor);
    m_homepageLink->installEventFilter(this);

    m_closeButton = place(new Button3D({}, this), "cmdinfoend", 410, 354, 94, 28);
    connect(m_closeButton, &QPushButton::clicked, this, &InfoWindow::onCloseClicked);

    m_ctx.guarded("frminfo", "Form_Load", [this] { load(); });
}

void InfoWindow::load()
{
    m_titleLabel->setText(productTitle);
    m_versionLabel->setText(versionText());

    const AppSettings &s = m_ctx.state.settings;
    if (s.centerWindow) {
        m_ctx.keepOnTop(this);
        move(pixelsFromTwips(s.windowLeft), pixelsFromTwips(s.windowTop));
    } else {
        centreOnScreen(this);
    }

    // Without a scheme loaded all four colours are black: the window keeps
    // its design colours rather than turning black.
    const ColorScheme &c = m_ctx.state.currentColors;
    if (!c.isUnset()) {
        const QPalette design = palette();
        paintWithScheme(m_closeButton, SchemeRole::Button, c);
        paintWithScheme(this, SchemeRole::Window, c);
        paintWithScheme({m_donationLabel, m_addressLabel, m_bankLabel}, SchemeRole::Text, c);
        // Title, version, homepage line and link keep their design colours,
        // whatever the window's own text colour became.
        for (QLabel *keep : {m_titleLabel, m_versionLabel, m_moreSoftwareLabel}) {
            QPalette p = keep->palette();
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                p.setColor(group, QPalette::WindowText, design.color(group, QPalette::WindowText));
            keep->setPalette(p);
        }
    }
    retranslate(m_ctx.language());
}

void InfoWindow::retranslate(Language lang)
{
    setWindowTitle(caption(4009, lang));
    m_closeButton->setCaption(lang.pick(u"&zurück", u"go &back"));
    m_donationLabel->setText(lang.isGerman() ? donationGerman : donationEnglish);
    m_addressLabel->setText(makerAddress);
    m_bankLabel->setText(makerBank);
}

void InfoWindow::onCloseClicked()
{
    m_ctx.guarded("frminfo", "cmdinfoend_Click", [this] { close(); });
}

void InfoWindow::onHomepageClicked()
{
    // A desktop that cannot open the address shows nothing.
    m_ctx.guarded("frminfo", "lblhomepage_Click",
                  [this] { m_ctx.dialogs.openExternal(homepageUrl); });
}

bool InfoWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_homepageLink && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        onHomepageClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void InfoWindow::done(int result)
{
    QDialog::done(result);
    // Hidden first, so that leaving the topmost band does not show it again.
    m_ctx.guarded("frminfo", "Form_QueryUnload", [this] {
        if (m_ctx.state.settings.alwaysOnTop)
            FormOnTop(this, false);
    });
}

} // namespace askbright
