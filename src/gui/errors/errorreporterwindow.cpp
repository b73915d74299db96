#include "errors/errorreporterwindow.h"

#include "app/apperror.h"
#include "app/paths.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "controls/dialogservice.h"
#include "controls/formontop.h"
#include "controls/soundplayer.h"
#include "state/appstate.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace askbright {

namespace {

// The width of m_errorFrame, which every frame and the window share.
constexpr int frameWidth = 600;

const QString hintText =
    QStringLiteral("Es liegt ein Problem vor, mit dem Sie sich an den technischen Support von "
                   "Brennwald\r\n"
                   "wenden sollten. Bitte benutzen Sie die EMail-Funktion zum direkten Senden. Sie "
                   "können auch die Supportseite auf meiner Homepage benutzen. Fahren Sie dann am "
                   "besten mit dem nächsten Befehl fort.");

const QString mailNotice =
    QStringLiteral("Es wird jetzt Ihr Standard-Email-Programm aufgerufen. Die Fehlerbeschreibung "
                   "sowie das Fehlerprotokoll\r\n"
                   "wurden zu Ihrer Bequemlichkeit in die Zwischenablage kopiert.\r\n"
                   "\r\n"
                   "Bitte fügen Sie den Inhalt der Zwischenablage in Ihre Email ein, indem Sie in "
                   "Ihrem Email-Programm\r\n"
                   "die Tasten [Strg] und [Einfg] gleichzeitig betätigen. Alternativ können Sie "
                   "den Inhalt in die EMail\r\n"
                   "einfügen, indem Sie den Befehl 'Einfügen' aus dem Menü 'Bearbeiten' "
                   "ausführen.");

QLabel *plainLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    // Error descriptions and paths are shown as they are, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox *frame(const char *name, const QString &caption, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

ErrorReporterWindow::ErrorReporterWindow(AppState &state, DialogService &dialogs,
                                         SoundPlayer &sounds, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      printJob(&ErrorReporterWindow::printOnPrinter), m_state(state), m_dialogs(dialogs),
      m_sounds(sounds), m_system(currentSystemInfo())
{
    setObjectName(QStringLiteral("ErrPtnr"));
    setWindowTitle(QStringLiteral("ACHTUNG ! Ein Fehler ist aufgetreten ..."));
    buildControls();
}

void ErrorReporterWindow::buildControls()
{
    m_commentFrame = frame("framComment", QStringLiteral("Hinweise:"), this);
    m_commentLabel = plainLabel(QStringLiteral("lblComment"), m_commentFrame);
    m_commentLabel->setWordWrap(true);
    (new QVBoxLayout(m_commentFrame))->addWidget(m_commentLabel);

    m_errorFrame = frame("framFehler", QStringLiteral("Fehlerbeschreibung:"), this);
    auto *grid = new QGridLayout(m_errorFrame);
    const std::array<QString, 4> titles = {QStringLiteral("Fehler-Nr:"), QStringLiteral("Modul:"),
                                           QStringLiteral("Prozedur:"),
                                           QStringLiteral("Zeilen-Nr.:")};
    for (int i = 0; i < 4; ++i) {
        m_errorTitles[i] = plainLabel(QStringLiteral("lblErrTitel%1").arg(i), m_errorFrame);
        m_errorTitles[i]->setText(titles[i]);
        m_errorValues[i] = plainLabel(QStringLiteral("lblError%1").arg(i), m_errorFrame);
        m_errorValues[i]->setWordWrap(true);
        grid->addWidget(m_errorTitles[i], i, 0, Qt::AlignTop);
        grid->addWidget(m_errorValues[i], i, 1);
    }
    grid->setColumnStretch(1, 1);

    m_programInfoFrame = frame("framProgInfo", QStringLiteral("Programm-Infos:"), this);
    m_programInfoLabel = plainLabel(QStringLiteral("lblProgInfo"), m_programInfoFrame);
    (new QVBoxLayout(m_programInfoFrame))->addWidget(m_programInfoLabel);

    auto buttonRow =
        [this](QGroupBox *box, const char *name, const std::array<QString, 4> &captions,
               std::array<QPushButton *, 4> &buttons, void (ErrorReporterWindow::*click)(int)) {
            auto *row = new QHBoxLayout(box);
            for (int i = 0; i < 4; ++i) {
                buttons[i] = new QPushButton(captions[i], box);
                buttons[i]->setObjectName(QLatin1String(name) + QString::number(i));
                buttons[i]->setAutoDefault(false);
                row->addWidget(buttons[i]);
                connect(buttons[i], &QPushButton::clicked, this,
                        [this, click, i] { (this->*click)(i); });
            }
        };
    m_protocolFrame = frame("framProtocol", QStringLiteral("Fehlerprotokoll ..."), this);
    buttonRow(m_protocolFrame, "cmdProtocol",
              {QStringLiteral("&Drucken"), QStringLiteral("&Speichern"), QStringLiteral("&EMail"),
               QStringLiteral("&WWW")},
              m_protocolButtons, &ErrorReporterWindow::onProtocolClicked);

    m_callStackFrame = frame("framCallStack", QStringLiteral("CallStack:"), this);
    m_callStackList = new QListWidget(m_callStackFrame);
    m_callStackList->setObjectName(QStringLiteral("lstCallStack"));
    (new QVBoxLayout(m_callStackFrame))->addWidget(m_callStackList);
    m_callStackFrame->hide();

    m_continueFrame = frame("framContinue", QStringLiteral("Weiterer Programmablauf..."), this);
    buttonRow(m_continueFrame, "cmdContinue",
              {QStringLiteral("Befehl wieder&holen"),
               QStringLiteral("Fortsetzen mit &nächsten Befehl"),
               QStringLiteral("&Prozedur verlassen"), QStringLiteral("Programm &beenden")},
              m_continueButtons, &ErrorReporterWindow::onContinueClicked);
}

int ErrorReporterWindow::OnError(const QString &module, const QString &procedure,
                                 const AppError &error)
{
    // The window's own texts are German; the description follows the
    // interface language where it has both wordings.
    m_errorValues[0]->setText(QString::number(error.number()) + QStringLiteral(" (") +
                              error.description(m_state.language()) + u')');
    m_errorValues[1]->setText(module);
    m_errorValues[2]->setText(procedure);
    // Handlers here carry no line labels.
    m_errorValues[3]->setText(QStringLiteral("0"));
    if (m_programInfoLabel->text().isEmpty())
        m_programInfoLabel->setText(programInfoText(m_state.exeBaseName()));
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    arrangeFrames();
    AppendProtocolLog(m_state.errorLogPath(), buildProtocol());
    if (m_state.settings.soundsOn) {
        // The reporter is the last resort of every handler: a clip that
        // fails must not throw into the handler that asked for help.
        try {
            m_sounds.PlayWaveRes(QStringLiteral("sorry4"));
        } catch (...) {
        }
    }
    FormOnTop(this, m_state.settings.alwaysOnTop);
    const FocusReturn focusBack;
    exec();
    return m_continueAction;
}

void ErrorReporterWindow::onContinueClicked(int index)
{
    m_continueAction = qint16(index);
    hide();
}

void ErrorReporterWindow::arrangeFrames()
{
    QString screenHint = hintText;
    screenHint.replace(QLatin1String(crlf), QLatin1String("\n"));
    m_commentLabel->setText(screenHint);
    for (QPushButton *button : m_protocolButtons)
        button->setVisible(true);
    m_callStackFrame->setVisible(false);
    // Retrying the failed statement is never offered: a handler cannot resume.
    m_continueButtons[0]->setVisible(false);
    for (int i = 1; i < 4; ++i)
        m_continueButtons[i]->setVisible(true);

    int top = 0;
    for (QGroupBox *box :
         {m_commentFrame, m_errorFrame, m_programInfoFrame, m_protocolFrame, m_continueFrame}) {
        box->setVisible(true);
        const int height =
            box->hasHeightForWidth() ? box->heightForWidth(frameWidth) : box->sizeHint().height();
        box->setGeometry(0, top, frameWidth, height);
        top += height;
    }
    setFixedSize(frameWidth, top);

    if (const QScreen *display = screen()) {
        const QRect area = display->geometry();
        const QSize outer = frameGeometry().size();
        move(area.x() + (area.width() - outer.width()) / 2,
             area.y() + (area.height() - outer.height()) / 2);
    }
}

QString ErrorReporterWindow::buildProtocol() const
{
    ProtocolFields fields;
    fields.progInfoCaption = m_programInfoFrame->title();
    fields.progInfo = m_programInfoLabel->text();
    fields.errorCaption = m_errorFrame->title();
    for (size_t i = 0; i < 4; ++i) {
        fields.errorTitles[i] = m_errorTitles[i]->text();
        fields.errorValues[i] = m_errorValues[i]->text();
    }
    fields.callStackCaption = m_callStackFrame->title();
    for (int i = 0; i < m_callStackList->count(); ++i)
        fields.callStack << m_callStackList->item(i)->text();
    const Clock &clock = m_state.clock();
    return askbright::BuildProtocol(fields, clock.today(), clock.timeOfDay(), m_system);
}

void ErrorReporterWindow::onProtocolClicked(int index)
{
    // Nothing may escape into the event loop that runs this window.
    try {
        const QString protocol = buildProtocol();
        switch (index) {
        case 0:
            printProtocol(protocol);
            break;
        case 1:
            saveProtocolFile(protocol);
            break;
        case 2:
            mailProtocol(protocol);
            break;
        case 3:
            showHomepage(protocol);
            break;
        default:
            break;
        }
    } catch (const std::exception &e) {
        message(QStringLiteral("Der Befehl konnte nicht ausgeführt werden:\r") +
                    QString::fromLocal8Bit(e.what()),
                MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

void ErrorReporterWindow::printProtocol(const QString &protocol)
{
    switch (printJob(this, wrapForPrint(protocol))) {
    case PrintOutcome::Printed:
        break;
    case PrintOutcome::Cancelled:
        message(QStringLiteral("Das Fehlerprotokoll wurde nicht gedruckt."));
        break;
    case PrintOutcome::Failed:
        message(QStringLiteral("Das Fehlerprotokoll konnte nicht gedruckt werden: Es ist kein "
                               "Drucker bereit."),
                MessageButtons::Ok, MessageIcon::Exclamation);
        break;
    }
}

ErrorReporterWindow::PrintOutcome ErrorReporterWindow::printOnPrinter(QWidget *parent,
                                                                      const QStringList &lines)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintOutcome::Failed;
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect page = painter.viewport();
    int top = 0;
    for (const QString &line : lines) {
        if (top + metrics.height() > page.height() && top > 0) {
            if (!printer.newPage())
                return PrintOutcome::Failed;
            top = 0;
        }
        painter.drawText(QRect(0, top, page.width(), metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, line);
        top += metrics.lineSpacing();
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

void ErrorReporterWindow::saveProtocolFile(const QString &protocol)
{
    const QString path = m_state.errorProtocolPath();
    if (QFileInfo::exists(localPath(path)) &&
        message(QStringLiteral("Vorhandene Datei '") + path + QStringLiteral("' überschreiben ?"),
                MessageButtons::YesNo) != AnswerYes)
        return;
    try {
        saveProtocol(path, protocol);
    } catch (const AppError &e) {
        message(QStringLiteral("Das Fehlerprotokoll konnte nicht in die Datei '") + path +
                    QStringLiteral("' geschrieben werden:\r") +
                    e.numberAndDescription(m_state.language()),
                MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    message(QStringLiteral("Das Fehlerprotokoll wurde in die Datei '") + path +
            QStringLiteral("' geschrieben !"));
}

void ErrorReporterWindow::mailProtocol(const QString &protocol)
{
    message(mailNotice);
    copyToClipboard(protocol);
    openAddress(QStringLiteral("mailto:") + trimBlanks(supportAddress));
}

void ErrorReporterWindow::showHomepage(const QString &protocol)
{
    copyToClipboard(protocol);
    openAddress(homepageUrl);
}

void ErrorReporterWindow::copyToClipboard(const QString &protocol)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(protocol);
    if (clipboard->text() != protocol)
        message(QStringLiteral("Das Fehlerprotokoll konnte nicht in die Zwischenablage kopiert "
                               "werden."),
                MessageButtons::Ok, MessageIcon::Exclamation);
}

void ErrorReporterWindow::openAddress(const QString &address)
{
    if (!m_dialogs.openExternal(address))
        message(QStringLiteral("Die Adresse '") + address +
                    QStringLiteral("' konnte nicht geöffnet werden."),
                MessageButtons::Ok, MessageIcon::Exclamation);
}

int ErrorReporterWindow::message(const QString &text, MessageButtons buttons, MessageIcon icon)
{
    return m_dialogs.showMessage({text, {}, buttons, icon, 1});
}

void ErrorReporterWindow::reject() {}

void ErrorReporterWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace askbright
