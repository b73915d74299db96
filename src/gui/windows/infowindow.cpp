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

    Label1 = arialLabel(this, "Label1", 20, 14, 300, 30, 16);
    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);
    Label2 = arialLabel(this, "Label2", 22, 46, 300, 18, 10);
    lbl1 = arialLabel(this, "lbl1", 20, 76, 484, 136, 9);
    lbladr = arialLabel(this, "lbladr", 20, 224, 220, 72, 9);
    lblkn = arialLabel(this, "lblkn", 260, 224, 240, 108, 9);

    Label3 = place(new QLabel(this), "Label3", 20, 336, 312, 18);
    Label3->setText(QStringLiteral("weitere Free- und Shareware finden Sie auf meiner "));
    lblhomepage = place(new QLabel(this), "lblhomepage", 332, 336, 76, 18);
    lblhomepage->setText(QStringLiteral("Homepage"));
    QFont link = lblhomepage->font();
    link.setUnderline(true);
    lblhomepage->setFont(link);
    QPalette linkColour = lblhomepage->palette();
    linkColour.setColor(QPalette::WindowText, Qt::blue);
    lblhomepage->setPalette(linkColour);
    lblhomepage->setCursor(Qt::PointingHandCursor);
    lblhomepage->installEventFilter(this);

    cmdinfoend = place(new Button3D({}, this), "cmdinfoend", 410, 354, 94, 28);
    connect(cmdinfoend, &QPushButton::clicked, this, &InfoWindow::cmdinfoend_Click);

    m_ctx.guarded("frminfo", "Form_Load", [this] { Form_Load(); });
}

void InfoWindow::Form_Load()
{
    Label1->setText(productTitle);
    Label2->setText(versionText());

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
        paintWithScheme(cmdinfoend, SchemeRole::Button, c);
        paintWithScheme(this, SchemeRole::Window, c);
        paintWithScheme({lbl1, lbladr, lblkn}, SchemeRole::Text, c);
        // Title, version, homepage line and link keep their design colours,
        // whatever the window's own text colour became.
        for (QLabel *keep : {Label1, Label2, Label3}) {
            QPalette p = keep->palette();
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
                p.setColor(group, QPalette::WindowText, design.color(group, QPalette::WindowText));
            keep->setPalette(p);
        }
    }
    sprache_me();
}

void InfoWindow::sprache_me()
{
    const Language lang = m_ctx.language();
    setWindowTitle(caption(4009, lang));
    cmdinfoend->setCaption(lang.pick(u"&zurück", u"go &back"));
    lbl1->setText(lang.isGerman() ? donationGerman : donationEnglish);
    lbladr->setText(makerAddress);
    lblkn->setText(makerBank);
}

void InfoWindow::cmdinfoend_Click()
{
    m_ctx.guarded("frminfo", "cmdinfoend_Click", [this] { close(); });
}

void InfoWindow::lblhomepage_Click()
{
    // A desktop that cannot open the address shows nothing.
    m_ctx.guarded("frminfo", "lblhomepage_Click",
                  [this] { m_ctx.dialogs.openExternal(homepageUrl); });
}

bool InfoWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblhomepage && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblhomepage_Click();
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
