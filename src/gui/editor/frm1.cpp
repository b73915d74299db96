#include "editor/frm1.h"

#include "app/apperror.h"
#include "app/interfacetexts.h"
#include "app/numbers.h"
#include "app/paths.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/cp1252guard.h"
#include "controls/traycontrol.h"
#include "database/faqfile.h"
#include "html/templatefolders.h"
#include "settings/recentfiles.h"
#include "settings/settingsfile.h"
#include "state/appstate.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>

namespace askbright {

namespace {

constexpr int twipsPerPixel = 15;
constexpr int minimumWidthTwips = 9240;
constexpr int minimumHeightTwips = 7320;
const QString faqFilter = QStringLiteral("FAQ_Datei (*.faq)|*.faq");
const QString nextCaption = QStringLiteral("&>");

qint16 toTwips(int pixels)
{
    return qint16(qBound(-32768, pixels * twipsPerPixel, 32767));
}

// Record texts keep CR LF line breaks; the text boxes work with LF.
QString toWindowText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString fromWindowText(QString text)
{
    text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

// " 7": the sign position and the digits, as the position text shows numbers.
QString positionNumber(int n)
{
    return printNumber(n).chopped(1);
}

QFont fieldFont(const FieldFont &f)
{
    QFont font(f.name);
    font.setPointSizeF(f.size > 0 ? f.size : 11.25);
    font.setBold(f.bold);
    font.setUnderline(f.underline);
    return font;
}

template <typename W> W *place(W *widget, const char *name, int x, int y, int w, int h)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

} // namespace

frm1::frm1(AppState &state, DialogService &dialogs, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_dialogs(dialogs), m_stddialog(dialogs),
      m_tray(new TrayControl(this))
{
    setObjectName(QStringLiteral("frm1"));
    m_tray->setObjectName(QStringLiteral("tray"));
    buildControls();
    buildMenus();
    setMinimumSize(minimumWidthTwips / twipsPerPixel, minimumHeightTwips / twipsPerPixel);
    resize(minimumSize());
    connect(m_tray, &TrayControl::mouseDown, this, &frm1::tray_MouseDown);
    // The desktop session ending closes without questions, like the exit command.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { noteSessionEnd(); });
}

void frm1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    auto label = [client](const char *name, int x, int y, int w, int h) {
        return place(new QLabel(client), name, x, y, w, h);
    };
    auto button = [client](const char *name, const QString &caption, int x, int y, int w, int h) {
        return place(new Button3D(caption, client), name, x, y, w, h);
    };

    Label1 = label("Label1", 8, 10, 22, 18);
    txtfrage = place(new QPlainTextEdit(client), "txtfrage", 30, 8, 578, 92);
    Label2 = label("Label2", 8, 108, 22, 18);
    txtantwort = place(new QPlainTextEdit(client), "txtantwort", 30, 106, 578, 152);
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        field->setTabChangesFocus(true);

    Label3 = label("Label3", 30, 264, 250, 16);
    txtzusatz1 = place(new QLineEdit(client), "txtzusatz1", 30, 280, 250, 24);
    chkfragez2 = place(new QCheckBox(client), "chkfragez2", 290, 281, 140, 22);
    Label4 = label("Label4", 30, 308, 130, 16);
    Label8 = label("Label8", 160, 308, 120, 16);
    txtzusatz2 = place(new QLineEdit(client), "txtzusatz2", 30, 324, 250, 24);
    lbl1 = label("lbl1", 290, 308, 62, 16);
    lbldatum0 = label("lbldatum0", 352, 308, 80, 16);
    cmdaktuell = button("cmdaktuell", {}, 290, 323, 140, 26);

    Label5 = label("Label5", 440, 264, 168, 16);
    Label5->setAlignment(Qt::AlignCenter);
    lblxvony = label("lblxvony", 440, 280, 168, 18);
    lblxvony->setAlignment(Qt::AlignCenter);
    cmdanfang = button("cmdanfang", QStringLiteral("|<"), 440, 300, 40, 26);
    cmdzurueck = button("cmdzurueck", QStringLiteral("<"), 482, 300, 40, 26);
    cmdvor = button("cmdvor", nextCaption, 524, 300, 40, 26);
    cmdende = button("cmdende", QStringLiteral(">|"), 566, 300, 42, 26);
    cmdinsert = button("cmdinsert", {}, 440, 328, 83, 24);
    cmdloeschen = button("cmdloeschen", {}, 525, 328, 83, 24);

    lblpfad = label("lblpfad", 8, 362, 200, 16);
    lbltest = label("lbltest", 208, 362, 400, 16);
    lblhtmlpfad = label("lblhtmlpfad", 8, 380, 200, 16);
    lblhtml = label("lblhtml", 208, 380, 400, 16);
    Label6 = label("Label6", 8, 404, 84, 20);
    cseite = place(new QComboBox(client), "cseite", 92, 402, 216, 24);
    cseite->setEditable(true);
    Label7 = label("Label7", 92, 428, 216, 16);
    Command1 = button("Command1", {}, 316, 402, 190, 24);
    cmdsloeschen = button("cmdsloeschen", {}, 316, 430, 190, 24);
    cmdhtml = button("cmdhtml", QStringLiteral("HTML"), 512, 402, 96, 52);
    for (QLabel *path : {lbltest, lblhtml})
        path->setTextFormat(Qt::PlainText);

    // Page selection, layout editing and export arrive with the export window.
    for (QWidget *later : std::initializer_list<QWidget *>{cseite, Command1, cmdsloeschen, cmdhtml})
        later->setEnabled(false);

    const HintText hint = [this] {
        return lang(u"Dieses Zeichen kann in der Datei nicht gespeichert werden.",
                    u"This character cannot be stored in the file.");
    };
    guardCp1252(txtfrage, hint);
    guardCp1252(txtantwort, hint);
    guardCp1252(txtzusatz1, hint);
    guardCp1252(txtzusatz2, hint);

    // Typing changes the record shown, and so the database.
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        connect(field, &QPlainTextEdit::textChanged, this, [this] {
            if (!m_showingRecord)
                markChanged();
        });
    for (QLineEdit *field : {txtzusatz1, txtzusatz2})
        connect(field, &QLineEdit::textEdited, this, [this] { markChanged(); });
    connect(chkfragez2, &QCheckBox::clicked, this, [this] { markChanged(); });

    const std::pair<Button3D *, void (frm1::*)()> handlers[] = {
        {cmdanfang, &frm1::cmdanfang_Click},   {cmdzurueck, &frm1::cmdzurueck_Click},
        {cmdvor, &frm1::cmdvor_Click},         {cmdende, &frm1::cmdende_Click},
        {cmdinsert, &frm1::cmdinsert_Click},   {cmdloeschen, &frm1::cmdloeschen_Click},
        {cmdaktuell, &frm1::cmdaktuell_Click},
    };
    for (const auto &[b, handler] : handlers)
        connect(b, &QPushButton::clicked, this, handler);
}

QAction *frm1::addAction(QMenu *menu, const char *name, void (frm1::*handler)())
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QLatin1String(name));
    if (handler)
        connect(action, &QAction::triggered, this, handler);
    else
        action->setEnabled(false); // its command arrives with its window
    return action;
}

void frm1::buildMenus()
{
    auto menu = [this](QMenu *parent, const char *name) {
        QMenu *m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto separator = [](QMenu *parent, const char *name) {
        QAction *s = parent->addSeparator();
        s->setObjectName(QLatin1String(name));
        return s;
    };

    mnudatei = menu(nullptr, "mnudatei");
    connect(mnudatei, &QMenu::aboutToShow, this, &frm1::mnudatei_Click);
    mnudatneu = addAction(mnudatei, "mnudatneu", &frm1::mnudatneu_Click);
    mnudatoeffnen = addAction(mnudatei, "mnudatoeffnen", &frm1::mnudatoeffnen_Click);
    mnudatspeichern = addAction(mnudatei, "mnudatspeichern", nullptr);
    connect(mnudatspeichern, &QAction::triggered, this, [this] { mnudatspeichern_Click(); });
    mnudatspeiunter = addAction(mnudatei, "mnudatspeiunter", nullptr);
    connect(mnudatspeiunter, &QAction::triggered, this, [this] { mnudatspeiunter_Click(); });
    mnusort = addAction(mnudatei, "mnusort", nullptr);
    strich3 = separator(mnudatei, "strich3");
    mnuexporttext = addAction(mnudatei, "mnuexporttext", nullptr);
    mnustrich = separator(mnudatei, "mnustrich");
    for (int i = 0; i < 8; ++i) {
        m[size_t(i)] = mnudatei->addAction(QString());
        m[size_t(i)]->setObjectName(QStringLiteral("m%1").arg(i + 1));
        connect(m[size_t(i)], &QAction::triggered, this, [this, i] { m_Click(i + 1); });
    }
    mnunix = separator(mnudatei, "mnunix");
    mnuhistorie = addAction(mnudatei, "mnuhistorie", &frm1::mnuhistorie_Click);
    mmmmm = separator(mnudatei, "mmmmm");
    mnuende = addAction(mnudatei, "mnuende", &frm1::mnuende_Click);

    mnueinstell = menu(nullptr, "mnueinstell");
    mnuklang = addAction(mnueinstell, "mnuklang", &frm1::mnuklang_Click);
    mnufont = menu(mnueinstell, "mnufont");
    mnufontgesamt = addAction(mnufont, "mnufontgesamt", nullptr);
    mnufontfrage = addAction(mnufont, "mnufontfrage", nullptr);
    mnufontantwort = addAction(mnufont, "mnufontantwort", nullptr);
    mnufont->setEnabled(false);
    mnufarbe = addAction(mnueinstell, "mnufarbe", nullptr);
    mnuvorlagen = addAction(mnueinstell, "mnuvorlagen", nullptr);
    mnuhtml = addAction(mnueinstell, "mnuhtml", nullptr);
    mnusprache = menu(mnueinstell, "mnusprache");
    mnudeutsch = addAction(mnusprache, "mnudeutsch", &frm1::mnudeutsch_Click);
    mnuenglisch = addAction(mnusprache, "mnuenglisch", &frm1::mnuenglisch_Click);

    mnufenster = menu(nullptr, "mnufenster");
    mnuontop = addAction(mnufenster, "mnuontop", &frm1::mnuontop_Click);
    mnumin = addAction(mnufenster, "mnumin", &frm1::mnumin_Click);
    mnuzentrieren = addAction(mnufenster, "mnuzentrieren", &frm1::mnuzentrieren_Click);
    mnuposition = addAction(mnufenster, "mnuposition", &frm1::mnuposition_Click);
    mnugroesse = addAction(mnufenster, "mnugroesse", &frm1::mnugroesse_Click);

    mnuinfo = menu(nullptr, "mnuinfo");
    mnuhilfe = addAction(mnuinfo, "mnuhilfe", nullptr);
    mnuhome = addAction(mnuinfo, "mnuhome", &frm1::mnuhome_Click);
    mnuhome->setText(QStringLiteral("Homepage"));
    mnuwasneu = addAction(mnuinfo, "mnuwasneu", nullptr);
    mnuueber = addAction(mnuinfo, "mnuueber", nullptr);
    mnudonate = addAction(mnuinfo, "mnudonate", nullptr);

    for (QAction *a : {mnuklang, mnudeutsch, mnuenglisch, mnuontop, mnumin, mnuzentrieren,
                       mnuposition, mnugroesse})
        a->setCheckable(true);
}

// ---------------------------------------------------------------- helpers

bool frm1::english() const
{
    return m_state.settings.language.isEnglish();
}

QString frm1::lang(const char16_t *german, const char16_t *englishText) const
{
    return QString::fromUtf16(english() ? englishText : german);
}

int frm1::ask(const QString &text, const QString &title, MessageButtons buttons, MessageIcon icon,
              int defaultButton)
{
    return m_dialogs.showMessage({text, title, buttons, icon, defaultButton});
}

void frm1::inform(const QString &text, const QString &title, MessageIcon icon)
{
    m_dialogs.showMessage({text, title, MessageButtons::Ok, icon, 1});
}

void frm1::guarded(const char *procedure, const std::function<void()> &body)
{
    try {
        body();
    } catch (const AppError &e) {
        OnError(procedure, e);
    } catch (const std::exception &e) {
        OnError(procedure, AppError(AppError::InvalidCall, QString::fromLocal8Bit(e.what())));
    }
    m_tray->setIndicator(m_state.database.hasUnsavedChanges() ? 1 : 0);
}

void frm1::OnError(const char *procedure, const AppError &error)
{
    inform(
        QStringLiteral("frm1 - %1\r%2").arg(QLatin1String(procedure), error.numberAndDescription()),
        {}, MessageIcon::Critical);
}

FaqRecord frm1::fieldsRecord() const
{
    return felder_an_maskeds({fromWindowText(txtfrage->toPlainText()),
                              fromWindowText(txtantwort->toPlainText()), txtzusatz1->text(),
                              txtzusatz2->text(), chkfragez2->isChecked(), lbldatum0->text()});
}

void frm1::showRecord(const FaqRecord &record)
{
    const RecordFields fields = maskeds_an_felder(record);
    m_showingRecord = true;
    txtfrage->setPlainText(toWindowText(fields.question));
    txtantwort->setPlainText(toWindowText(fields.answer));
    txtzusatz1->setText(fields.extraInfo);
    txtzusatz2->setText(fields.homepageLink);
    chkfragez2->setChecked(fields.infoWithQuestion);
    lbldatum0->setText(fields.dateLabel);
    m_showingRecord = false;
}

void frm1::commit()
{
    m_state.database.commit(fieldsRecord());
}

void frm1::showSlot(int index)
{
    m_state.database.show(index);
    showRecord(m_state.database.editBuffer());
}

bool frm1::moveTo(int index, bool answerNeeded)
{
    if (!questionFilled() || (answerNeeded && !answerFilled())) {
        unvollstaendig();
        return false;
    }
    commit();
    showSlot(index);
    return true;
}

bool frm1::questionFilled() const
{
    return !trimBlanks(txtfrage->toPlainText()).isEmpty();
}

bool frm1::answerFilled() const
{
    return !trimBlanks(txtantwort->toPlainText()).isEmpty();
}

void frm1::completeLink()
{
    const QString link = txtzusatz2->text();
    if (!trimBlanks(link).isEmpty() && !link.startsWith(QLatin1String("http://")))
        txtzusatz2->setText(QStringLiteral("http://") + link);
}

void frm1::markChanged()
{
    if (m_state.database.recordCount() < 1)
        return;
    m_state.database.markChanged();
    m_tray->setIndicator(1);
}

void frm1::refuseFullDatabase()
{
    inform(lang(u"Die Datenbank enthält bereits 2000 Datensätze;\rmehr sind nicht möglich.",
                u"The database already holds 2000 records;\rno more can be added."),
           lang(u"Höchstzahl erreicht", u"Limit reached"), MessageIcon::Exclamation);
}

void frm1::setNextCaptionNew()
{
    cmdvor->setCaption(english() ? QStringLiteral("&new") : QStringLiteral("&neu"));
}

void frm1::updateTitle()
{
    setWindowTitle(productTitle + versionText() + m_state.titleSuffix());
}

void frm1::setRecordButtonsVisible(bool visible)
{
    for (Button3D *b : {cmdanfang, cmdzurueck, cmdvor, cmdende, cmdinsert, cmdloeschen})
        b->setVisible(visible);
}

void frm1::setFieldsEditable(bool editable)
{
    txtfrage->setReadOnly(!editable);
    txtantwort->setReadOnly(!editable);
    for (QWidget *field :
         std::initializer_list<QWidget *>{txtfrage, txtantwort, txtzusatz1, txtzusatz2}) {
        QPalette p = field->palette();
        p.setColor(QPalette::Base, editable ? QApplication::palette().color(QPalette::Base)
                                            : colorFromBgr(lightGrey));
        field->setPalette(p);
    }
}

void frm1::setExportAllowed(bool allowed)
{
    // The export command itself arrives with the export window; the button
    // already shows whether it would be available.
    cmdhtml->setCaptionColor(
        allowed ? bgrFromColor(QApplication::palette().color(QPalette::ButtonText)) : lightGrey);
}

void frm1::setRecentEntriesEnabled(bool enabled)
{
    for (QAction *entry : m)
        entry->setEnabled(enabled);
}

void frm1::setWindowState(WindowState state)
{
    switch (state) {
    case WindowState::NoDatabase:
        setRecordButtonsVisible(false);
        setFieldsEditable(false);
        chkfragez2->setEnabled(false);
        setExportAllowed(false);
        mnudatspeiunter->setEnabled(false);
        mnudatneu->setEnabled(true);
        mnudatoeffnen->setEnabled(true);
        strich3->setVisible(false);
        setRecentEntriesEnabled(true);
        break;
    case WindowState::DatabaseOpen:
        setRecordButtonsVisible(true);
        setFieldsEditable(true);
        chkfragez2->setEnabled(true);
        lblxvony->setEnabled(true);
        cmdloeschen->setEnabled(true);
        cmdvor->setCaption(nextCaption);
        for (QAction *a : {mnudatspeichern, mnudatspeiunter, mnudatoeffnen, mnudatneu})
            a->setEnabled(true);
        mnueinstell->menuAction()->setVisible(true);
        strich3->setVisible(true);
        break;
    case WindowState::NewDatabase:
        setRecordButtonsVisible(true);
        setFieldsEditable(true);
        chkfragez2->setEnabled(true);
        lblxvony->setEnabled(true);
        mnueinstell->menuAction()->setVisible(true);
        strich3->setVisible(true);
        setNextCaptionNew();
        setExportAllowed(false);
        mnudatneu->setEnabled(false);
        break;
    case WindowState::EmptyDatabase:
        setRecordButtonsVisible(false);
        setFieldsEditable(false);
        chkfragez2->setEnabled(false);
        mnudatoeffnen->setEnabled(true);
        break;
    }
}

// ---------------------------------------------------------------- start-up

void frm1::Form_Load()
{
    auto step = [this](const std::function<void()> &body) {
        try {
            body();
        } catch (const AppError &e) {
            inform(QStringLiteral("Fehler ") + e.numberAndDescription());
        }
    };
    AppSettings &settings = m_state.settings;
    FaqDatabase &db = m_state.database;

    step([&] { m_tray->start(); });
    lbltest->clear();
    step([&] {
        createRecentFilesIfMissing(m_state.recentFilesPath());
        historie();
    });
    m_openFromHistory = false;
    db.setBlankRecord(leerds_erstellen(m_state.clock().today()));
    showRecord(db.editBuffer());
    updateTitle();
    setWindowState(WindowState::NoDatabase);
    show();

    step([&] { readSettings(); });
    db.setFaqFolder(settings.faqFolder);
    if (settings.alwaysOnTop != 1)
        settings.alwaysOnTop = 0;
    mnuontop->setChecked(settings.alwaysOnTop == 1);
    setWindowFlag(Qt::WindowStaysOnTopHint, settings.alwaysOnTop == 1);
    mnumin->setChecked(settings.minimizeToTray == 1);
    mnuklang->setChecked(settings.soundsOn == 1);
    mnudeutsch->setChecked(!english());
    mnuenglisch->setChecked(english());

    if (settings.rememberSize == 1) {
        mnugroesse->setChecked(true);
        resize(settings.windowWidth / twipsPerPixel, settings.windowHeight / twipsPerPixel);
    } else {
        settings.windowHeight = toTwips(height() + 1);
        settings.windowWidth = toTwips(width() + 1);
    }
    if (settings.centerWindow != 0) {
        mnuzentrieren->setChecked(true);
        centre();
    } else {
        mnuposition->setChecked(true);
        move(settings.windowLeft / twipsPerPixel, settings.windowTop / twipsPerPixel);
    }
    step([&] { applyCaptions(m_state.settings.language); });
    show();

    txtfrage->setFont(fieldFont(settings.questionFont));
    txtantwort->setFont(fieldFont(settings.answerFont));
    for (auto [field, color] : {std::pair{txtfrage, settings.textColors[0]},
                                std::pair{txtantwort, settings.textColors[1]}}) {
        QPalette p = field->palette();
        p.setColor(QPalette::Text, colorFromBgr(color));
        field->setPalette(p);
    }
}

void frm1::readSettings()
{
    const SettingsReadResult result =
        readSettingsFile(m_state.settingsFilePath(), m_state.settings);
    if (result.outcome == SettingsReadOutcome::Recovered)
        writeSettings();
}

void frm1::writeSettings()
{
    // The remembered position stays what was read at start; the file gets
    // where the window is now.
    AppSettings current = m_state.settings;
    current.windowLeft = toTwips(pos().x());
    current.windowTop = toTwips(pos().y());
    current.faqFolder = m_state.database.faqFolder();
    m_state.settings.faqFolder = current.faqFolder;
    try {
        writeSettingsFile(m_state.settingsFilePath(), current);
    } catch (const AppError &) {
        inform(QStringLiteral("Fehler beim Speichern der *.ini-Datei"),
               QStringLiteral("Einstellungsdatei speichern fehlgeschlagen"));
    }
}

void frm1::centre()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    move(area.x() + area.width() / 2 - frameGeometry().width() / 2,
         area.y() + area.height() / 2 - frameGeometry().height() / 2);
}

// ---------------------------------------------------------------- captions

void frm1::deutsch_frm1()
{
    applyCaptions(Language::German);
}

void frm1::englisch_form1()
{
    applyCaptions(Language::English);
}

void frm1::applyCaptions(Language en)
{
    const std::pair<QMenu *, int> menus[] = {
        {mnudatei, 1000},   {mnueinstell, 1060}, {mnufont, 1080},
        {mnufenster, 1140}, {mnuinfo, 1180},     {mnusprache, 1660},
    };
    for (const auto &[menu, id] : menus)
        menu->setTitle(caption(id, en));

    const std::pair<QAction *, int> actions[] = {
        {mnudatneu, 1010},       {mnudatoeffnen, 1020}, {mnudatspeichern, 1030},
        {mnudatspeiunter, 1040}, {mnuende, 1050},       {mnuklang, 1070},
        {mnufontgesamt, 1090},   {mnufontfrage, 1100},  {mnufontantwort, 1110},
        {mnufarbe, 1120},        {mnuvorlagen, 1130},   {mnuzentrieren, 1150},
        {mnuposition, 1160},     {mnugroesse, 1170},    {mnuhilfe, 1190},
        {mnuueber, 1200},        {mnudeutsch, 1670},    {mnuenglisch, 1680},
        {mnuexporttext, 1690},   {mnuontop, 1810},      {mnumin, 1820},
        {mnuhtml, 1830},         {mnuhistorie, 1860},   {mnusort, 3000},
        {mnuwasneu, 4005},       {mnudonate, 4007},
    };
    for (const auto &[action, id] : actions)
        action->setText(caption(id, en));

    const std::pair<QLabel *, int> labels[] = {
        {Label1, 1210}, {Label2, 1220},  {Label3, 1230},      {Label5, 1240},
        {Label4, 1250}, {Label8, 1255},  {lbl1, 1260},        {Label6, 1280},
        {Label7, 1320}, {lblpfad, 1130}, {lblhtmlpfad, 1840},
    };
    for (const auto &[label, id] : labels)
        label->setText(caption(id, en));

    chkfragez2->setText(caption(1700, en));
    const std::pair<Button3D *, int> buttons[] = {
        {cmdaktuell, 1270},   {cmdloeschen, 1290}, {Command1, 1300},
        {cmdsloeschen, 1310}, {cmdinsert, 4003},
    };
    for (const auto &[b, id] : buttons)
        b->setCaption(caption(id, en));

    cmdinsert->setToolTip(en.isEnglish()
                              ? QStringLiteral("insert a database after the current database")
                              : QStringLiteral("fügt einen Datensatz vor dem aktuellen ein"));
    chkfragez2->setToolTip(en.isEnglish()
                               ? QStringLiteral("additionally info write with the question")
                               : QStringLiteral("Zusatz erscheint bei Frage, sonst bei Antwort"));
    const QString linkTip = en.isEnglish()
                                ? QStringLiteral("'http://' can skip over, get operating by itself")
                                : QStringLiteral("'http://' wird automatisch eingesetzt");
    Label4->setToolTip(linkTip);
    Label8->setToolTip(linkTip);

    if (en.isEnglish() && cmdvor->caption() == QLatin1String("&neu"))
        cmdvor->setCaption(QStringLiteral("&new"));
    else if (en.isGerman() && cmdvor->caption() == QLatin1String("&new"))
        cmdvor->setCaption(QStringLiteral("&neu"));
    status_aktuell();
}

void frm1::mnudeutsch_Click()
{
    // Choosing the checked entry switches to the other language too, so
    // either entry always switches.
    guarded("mnudeutsch_Click", [this] {
        const Language language = m_state.settings.language.other();
        m_state.settings.language = language;
        mnudeutsch->setChecked(language.isGerman());
        mnuenglisch->setChecked(language.isEnglish());
        language.isEnglish() ? englisch_form1() : deutsch_frm1();
    });
}

void frm1::mnuenglisch_Click()
{
    mnudeutsch_Click();
}

// ---------------------------------------------------------------- records

void frm1::status_aktuell()
{
    const FaqDatabase &db = m_state.database;
    lblxvony->setText(positionNumber(db.currentIndex()) + lang(u" von ", u" of ") +
                      positionNumber(db.recordCount()));
    cmdinsert->setEnabled(db.recordCount() > 1 && db.currentIndex() < db.recordCount());
}

void frm1::unvollstaendig()
{
    if (english())
        inform(QStringLiteral("Please fill out the question AND the answer\ror press the DELETE- "
                              "Button."),
               QStringLiteral("fill incompletely "), MessageIcon::Information);
    else
        inform(QStringLiteral("Nicht so faul sein ;-))\rMindestens Frage und Antwort eingeben !"),
               QStringLiteral("Unvollständige Eingabe"), MessageIcon::Information);
    txtfrage->setFocus();
}

void frm1::cmdanfang_Click()
{
    guarded("cmdanfang_Click", [this] {
        if (moveTo(1, false))
            cmdvor->setCaption(nextCaption);
        status_aktuell();
    });
}

void frm1::cmdzurueck_Click()
{
    guarded("cmdzurueck_Click", [this] {
        completeLink();
        cmdvor->setCaption(nextCaption);
        if (m_state.database.currentIndex() < 2) {
            inform(lang(u"Dateianfang erreicht!", u"This is the first data base"),
                   lang(u"Rückwartsblättern", u"Browse back"), MessageIcon::Information);
        } else {
            moveTo(m_state.database.currentIndex() - 1, true);
        }
        status_aktuell();
    });
}

void frm1::cmdvor_Click()
{
    guarded("cmdvor_Click", [this] {
        FaqDatabase &db = m_state.database;
        completeLink();
        const int current = db.currentIndex();
        if (current == db.recordCount() - 1)
            setNextCaptionNew();
        if (current == db.recordCount()) {
            if (!questionFilled() || !answerFilled()) {
                unvollstaendig();
            } else if (db.isFull()) {
                refuseFullDatabase();
            } else {
                // The record being finished is dated today.
                lbldatum0->setText(trimTrailingBlanks(fitDate(m_state.today())));
                commit();
                db.addRecord();
                showRecord(db.editBuffer());
                mnudatspeiunter->setEnabled(true);
            }
        } else if (current < db.recordCount()) {
            moveTo(current + 1, false);
        }
        status_aktuell();
        txtfrage->setFocus();
    });
}

void frm1::cmdende_Click()
{
    guarded("cmdende_Click", [this] {
        if (moveTo(m_state.database.recordCount(), false))
            setNextCaptionNew();
        status_aktuell();
    });
}

void frm1::cmdinsert_Click()
{
    guarded("cmdinsert_Click", [this] {
        FaqDatabase &db = m_state.database;
        if (!db.canInsert()) {
            inform(lang(u"Datensatz mit dem Button 'neu' anlegen", u"Please use the button 'new'!"),
                   lang(u"Funktion steht nicht zur Verfügung", u"Function not avaible"),
                   MessageIcon::Information);
            return;
        }
        if (db.isFull()) {
            refuseFullDatabase();
            return;
        }
        commit();
        db.insertBeforeCurrent();
        showRecord(db.editBuffer());
        status_aktuell();
        txtfrage->setFocus();
    });
}

void frm1::cmdloeschen_Click()
{
    FaqDatabase &db = m_state.database;
    try {
        if (db.recordCount() == 0) {
            mnudatspeiunter->setEnabled(false);
            mnudatneu->setEnabled(true);
            return;
        }
        const int answer =
            ask(lang(u"Diesen Datensatz wirklich löschen?", u"Really delete this data record?"),
                lang(u"Datensatz löschen", u"Data record delete"), MessageButtons::OkCancel,
                MessageIcon::Critical, 2);
        if (answer == AnswerOk) {
            db.removeCurrent();
            showRecord(db.editBuffer());
            if (db.recordCount() == 0)
                setWindowState(WindowState::EmptyDatabase);
        }
        txtfrage->setFocus();
        status_aktuell();
    } catch (const std::exception &) {
        inform(QStringLiteral("Fehler im Modul LÖSCHEN- Error in Module DELETE"));
    }
    m_tray->setIndicator(db.hasUnsavedChanges() ? 1 : 0);
}

void frm1::cmdaktuell_Click()
{
    guarded("cmdaktuell_Click", [this] {
        FaqDatabase &db = m_state.database;
        if (db.recordCount() == 0)
            return;
        db.setCreatedDate(db.currentIndex(), m_state.today());
        lbldatum0->setText(trimTrailingBlanks(db.record(db.currentIndex()).createdDate));
    });
}

// ---------------------------------------------------------------- file commands

void frm1::mnudatei_Click()
{
    mnudatspeichern->setEnabled(!m_state.database.filePath().isEmpty());
}

bool frm1::commitBeforeSave()
{
    FaqDatabase &db = m_state.database;
    if (db.recordCount() >= 1 && !questionFilled() && !answerFilled()) {
        inform(lang(u"Bitte diesen Datensatz noch ausfüllen oder\rden Lösch-Button drücken",
                    u"Please put data in this data record or\rpush then DELETE-Button"),
               QStringLiteral("Leere Datensatze nicht speichern"), MessageIcon::Information);
        return false;
    }
    // The record in the window is saved as shown, wherever it stands.
    if (db.recordCount() >= 1)
        commit();
    return true;
}

bool frm1::writeDatabase(const QString &previousPath)
{
    FaqDatabase &db = m_state.database;
    try {
        faq_speichern(db.filePath(), db.records());
        return true;
    } catch (const AppError &e) {
        inform(e.number() == AppError::FileNotFound
                   ? QStringLiteral("Nisch vorhanden!")
                   : QStringLiteral("Abspeichern wurde abgebrochen..."));
        db.setFilePath(previousPath);
        return false;
    }
}

void frm1::afterSave()
{
    FaqDatabase &db = m_state.database;
    db.markSaved();
    db.setFaqFolder(folderOf(db.filePath()));
    for (QAction *a : {mnudatspeichern, mnudatspeiunter, mnudatneu, mnudatoeffnen})
        a->setEnabled(true);
    m_state.setTitleSuffix(QStringLiteral("   Datei: ") + fileNameOf(db.filePath()));
    updateTitle();
    setExportAllowed(true);
    setRecentEntriesEnabled(true);
    historie();
}

bool frm1::mnudatspeichern_Click()
{
    bool saved = false;
    guarded("mnudatspeichern_Click", [&] {
        FaqDatabase &db = m_state.database;
        if (!commitBeforeSave())
            return;
        const QString previous = db.filePath();
        if (trimBlanks(previous).isEmpty()) {
            // Title and folder stay as the dialog last had them.
            prepareFaqDialog(DialogFlags::Save);
            try {
                m_stddialog.showSave();
            } catch (const AppError &e) {
                if (e.number() != AppError::Cancelled)
                    throw;
                db.markChanged();
                return;
            }
            db.setFilePath(m_stddialog.fileName);
        }
        if (!writeDatabase(previous)) {
            db.markChanged();
            return;
        }
        afterSave();
        saved = true;
    });
    return saved;
}

bool frm1::mnudatspeiunter_Click()
{
    bool saved = false;
    FaqDatabase &db = m_state.database;
    try {
        if (!commitBeforeSave())
            return false;
        prepareFaqDialog(DialogFlags::Save);
        m_stddialog.initDir = db.faqFolder();
        m_stddialog.dialogTitle = QStringLiteral("FAQ- Datei unter neuem Namen speichern");
        m_stddialog.fileName.clear();
        m_stddialog.showSave();
        const QString previous = db.filePath();
        db.setFilePath(m_stddialog.fileName);
        if (writeDatabase(previous)) {
            afterSave();
            saved = true;
        }
    } catch (const AppError &e) {
        if (e.number() != AppError::Cancelled)
            inform(QStringLiteral("Fehler beim Abspeichern! Evtl. abgebrochen..."));
    }
    m_tray->setIndicator(db.hasUnsavedChanges() ? 1 : 0);
    return saved;
}

void frm1::mnudatoeffnen_Click()
{
    guarded("mnudatoeffnen_Click", [this] {
        const bool fromHistory = m_openFromHistory;
        m_openFromHistory = false;
        bool saved = false;
        if (!offerSaveFirst(u"Lose of data!", saved))
            return;
        if (saved)
            inform(lang(u"Datenbank gespeichert!", u"Database was saved!"),
                   lang(u"Bestätigung", u"Confirmation"), MessageIcon::Information);
        QString path = m_historyPath;
        if (!fromHistory) {
            prepareFaqDialog(DialogFlags::Open);
            m_stddialog.initDir = m_state.database.faqFolder();
            m_stddialog.dialogTitle = QStringLiteral("FAQ - Datei öffnen");
            m_stddialog.fileName.clear();
            try {
                m_stddialog.showOpen();
            } catch (const AppError &e) {
                if (e.number() == AppError::Cancelled)
                    return; // the database shown stays as it is
                throw;
            }
            path = m_stddialog.fileName;
        }
        openFile(path);
    });
}

void frm1::openFile(const QString &path)
{
    FaqDatabase &db = m_state.database;
    QList<FaqRecord> records;
    try {
        records = faq_einlesen(path);
    } catch (const AppError &e) {
        inform(e.numberAndDescription());
        return;
    }
    db.replaceRecords(records);
    db.setFilePath(path);
    db.setFaqFolder(folderOf(path));
    db.markSaved();
    m_state.setTitleSuffix(QStringLiteral("   Datei: ") + fileNameOf(path));
    updateTitle();
    showRecord(db.editBuffer());
    writeSettings();
    setWindowState(records.isEmpty() ? WindowState::EmptyDatabase : WindowState::DatabaseOpen);
    for (QAction *a : {mnudatspeichern, mnudatspeiunter, mnudatoeffnen, mnudatneu})
        a->setEnabled(true);
    cmdvor->setCaption(nextCaption);
    status_aktuell();
    setRecentEntriesEnabled(false);
    historie();
}

void frm1::prepareFaqDialog(int flags)
{
    m_stddialog.flags = flags;
    m_stddialog.filter = faqFilter;
    m_stddialog.filterIndex = 1;
}

bool frm1::offerSaveFirst(const char16_t *englishTitle, bool &saved)
{
    saved = false;
    if (!m_state.database.hasUnsavedChanges())
        return true;
    if (ask(lang(u"Datensatz erst speichern?", u"Data record save first?"),
            lang(u"Datenverlust droht!", englishTitle), MessageButtons::YesNo,
            MessageIcon::Question) != AnswerYes)
        return true;
    // Replacing a database that could not be saved would lose it.
    saved = mnudatspeichern_Click();
    return saved;
}

void frm1::mnudatneu_Click()
{
    guarded("mnudatneu_Click", [this] {
        FaqDatabase &db = m_state.database;
        bool saved = false;
        if (!offerSaveFirst(u"Loss of data!", saved))
            return;
        setWindowState(WindowState::NewDatabase);
        m_state.setTitleSuffix(lang(u"   Neuanlage", u"   New File"));
        updateTitle();
        db.newDatabase(m_state.today());
        status_aktuell();
        // The check box keeps its state: the record reaches the database
        // when it is committed.
        m_showingRecord = true;
        for (QPlainTextEdit *field : {txtfrage, txtantwort})
            field->clear();
        txtzusatz1->clear();
        txtzusatz2->clear();
        m_showingRecord = false;
        lbldatum0->setText(trimTrailingBlanks(db.record(1).createdDate));
        txtfrage->setFocus();
        historie();
    });
}

// ---------------------------------------------------------------- recent files

void frm1::historie()
{
    try {
        m_recentFiles =
            ::askbright::historie(m_state.recentFilesPath(), m_state.database.filePath());
    } catch (const AppError &e) {
        OnError("historie", e);
        return;
    }
    const bool any = !m_recentFiles.isEmpty();
    for (QAction *a : {mnustrich, mmmmm, mnuhistorie, mnunix})
        a->setVisible(any);
    for (int i = 0; i < 8; ++i) {
        QAction *entry = m[size_t(i)];
        if (i < m_recentFiles.size()) {
            QString text = longfix(m_recentFiles.at(i), 35);
            entry->setText(text.replace(u'&', QLatin1String("&&")));
            entry->setVisible(true);
        } else {
            entry->setText(QString());
            entry->setVisible(false);
        }
    }
}

void frm1::m_Click(int index)
{
    guarded("m_Click", [this, index] {
        const QString path = m_recentFiles.value(index - 1);
        if (path.isEmpty())
            return;
        if (!QFileInfo(path).isFile()) {
            inform(lang(u"Datei wurde verschoben oder gelöscht", u"File not found in this folder"),
                   lang(u"Datei nicht gefunden", u"file not found!"), MessageIcon::Information);
            return;
        }
        m_stddialog.fileName = path;
        m_openFromHistory = true;
        m_historyPath = path;
        mnudatoeffnen_Click();
    });
}

void frm1::mnuhistorie_Click()
{
    guarded("mnuhistorie_Click", [this] {
        clearRecentFiles(m_state.recentFilesPath());
        m_recentFiles.clear();
        for (QAction *entry : m)
            entry->setVisible(false);
        for (QAction *a : {mmmmm, mnuhistorie, mnunix})
            a->setVisible(false);
    });
}

// ---------------------------------------------------------------- window options

void frm1::mnuontop_Click()
{
    guarded("mnuontop_Click", [this] {
        AppSettings &s = m_state.settings;
        s.alwaysOnTop = s.alwaysOnTop == 1 ? 0 : 1;
        mnuontop->setChecked(s.alwaysOnTop == 1);
        const bool visible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, s.alwaysOnTop == 1);
        if (visible)
            show();
    });
}

void frm1::mnumin_Click()
{
    AppSettings &s = m_state.settings;
    s.minimizeToTray = s.minimizeToTray == 1 ? 0 : 1;
    mnumin->setChecked(s.minimizeToTray == 1);
}

void frm1::mnuklang_Click()
{
    AppSettings &s = m_state.settings;
    s.soundsOn = s.soundsOn == 1 ? 0 : 1;
    mnuklang->setChecked(s.soundsOn == 1);
}

void frm1::mnugroesse_Click()
{
    AppSettings &s = m_state.settings;
    s.rememberSize = s.rememberSize == 1 ? 0 : 1;
    mnugroesse->setChecked(s.rememberSize == 1);
}

void frm1::mnuzentrieren_Click()
{
    if (isMaximized())
        return;
    AppSettings &s = m_state.settings;
    s.centerWindow = s.centerWindow == 1 ? 0 : 1;
    mnuzentrieren->setChecked(s.centerWindow == 1);
    mnuposition->setChecked(s.centerWindow != 1);
    if (s.centerWindow == 1)
        centre();
    else
        move(s.windowLeft / twipsPerPixel, s.windowTop / twipsPerPixel);
}

void frm1::mnuposition_Click()
{
    mnuzentrieren_Click();
}

void frm1::mnuhome_Click()
{
    guarded("mnuhome_Click", [this] { m_dialogs.openExternal(homepageUrl); });
}

void frm1::tray_MouseDown(int button)
{
    if (button != 1)
        return;
    if (isVisible()) {
        hide();
    } else {
        showNormal();
        raise();
        activateWindow();
    }
}

// ---------------------------------------------------------------- ending

void frm1::noteSessionEnd()
{
    m_state.exitConfirmed = 1;
}

void frm1::mnuende_Click()
{
    try {
        m_state.exitConfirmed = 1;
        if (m_state.database.hasUnsavedChanges()) {
            const int answer =
                ask(lang(u"Änderungen sind noch nicht gespeichert! Wirklich verlassen?",
                         u"Changed data are not saved! Really leave?"),
                    lang(u"Ohne Speichern verlassen?", u"Loss data!"), MessageButtons::YesNo,
                    MessageIcon::Critical, 2);
            if (answer == AnswerNo) {
                m_state.exitConfirmed = 0;
                return;
            }
        }
        historie();
        unloadForms();
        QCoreApplication::exit(0);
    } catch (const AppError &e) {
        inform(QStringLiteral("%1\r%2").arg(e.number()).arg(e.description()),
               QStringLiteral("mnuende_click"));
    }
}

void frm1::unloadForms()
{
    m_unloading = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isWindow())
            w->close();
    close();
}

void frm1::closeEvent(QCloseEvent *event)
{
    AppSettings &s = m_state.settings;
    s.windowHeight = toTwips(height());
    s.windowWidth = toTwips(width());
    writeSettings();

    const bool closeBox = !m_unloading && m_state.exitConfirmed != 1;
    if (closeBox && s.minimizeToTray == 1) {
        event->ignore();
        // Without a notification area a hidden window could not come back.
        if (m_tray->available())
            hide();
        else
            showMinimized();
        return;
    }
    if (m_state.exitConfirmed != 1 && m_state.database.hasUnsavedChanges()) {
        const int answer = ask(lang(u"Noch nicht gespeichert! Trotzdem raus?",
                                    u"Not saving! You'r sure exit the program? "),
                               lang(u"Sicherheitsabfrage", u"Verifications question"),
                               MessageButtons::YesNoCancel, MessageIcon::Question, 3);
        if (answer != AnswerYes) {
            m_unloading = false;
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace askbright
