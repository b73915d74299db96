#include "app/paths.h"
#include "app/textcodec.h"
#include "appearance/schemefile.h"
#include "gui/captions.h"
#include "gui/session.h"
#include "html/exportdialog.h"
#include "html/layoutpictures.h"
#include "project/contactstore.h"
#include "settings/settingsfile.h"

#include <QGroupBox>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <functional>

using namespace askbright;
using namespace Qt::StringLiterals;
Q_DECLARE_METATYPE(askbright::Message)
using testutil::child;
using testutil::Session;

namespace {

// A page project; picture and pictureOn fill lines 8 and 9.
QByteArray project(const QString &picture = {}, bool pictureOn = false)
{
    QByteArray bytes = "[Projektdatei f\xFCr Askbright]|Titel \"A\"|#000000|#FFFFFF|#FF0000|"
                       "#800080|#0000FF|" +
                       picture.toLatin1() + (pictureOn ? "|ja" : "|nein") +
                       "|faq|Autor|Beschreibung|mitte|Fett||Verdana|+1|+2|links| 2 |k1|k2|";
    return bytes.replace('|', "\r\n");
}

// The folders a run works with, outside the program folder: templates with
// one page project, the HTML output folder, and a folder for pictures.
struct Folders {
    QTemporaryDir dir;
    QString templates = withTrailingSeparator(dir.filePath(u"vorlagen"_s));
    QString html = withTrailingSeparator(dir.filePath(u"html"_s));
    QString pictures = withTrailingSeparator(dir.filePath(u"bilder"_s));

    Folders()
    {
        for (const QString &f : {templates, html, pictures})
            QDir().mkpath(f);
        testutil::writeBytes(templates + u"seite.pdt"_s, project());
    }
};

QByteArray settingsFor(const Folders &f, Language language = Language::German,
                       const QString &html = QStringLiteral("{{HTML}}"))
{
    AppSettings s;
    s.language = language;
    s.soundsOn = true;
    s.TemplatesFolder = f.templates;
    s.lastTemplatePage = u"seite.pdt"_s;
    s.HtmlOutputFolder = html == u"{{HTML}}"_s ? f.html : html;
    return encodeCp1252(formatSettings(s));
}

// Runs the export command; while its dialog is shown modally, act runs on
// it. Returns whether the dialog was shown.
bool runExport(Session &s, const std::function<void(ExportDialog &)> &act)
{
    bool shown = false;
    QTimer timer; // gone with this call, so it never fires later
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *dialog = s.w().findChild<ExportDialog *>();
        if (!dialog || !dialog->isVisible())
            return;
        shown = true;
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer.start(0);
    s.w().onExportPageTriggered();
    return shown;
}

void generate(ExportDialog &d)
{
    child<Button3D>(d, "cmdgenerieren")->click();
}

// The page as the command-line generator writes it for the same inputs.
QByteArray cliPage(const QStringList &options, const Folders &f, const QString &database)
{
    QTemporaryDir out;
    QProcess process;
    process.start(QStringLiteral(ASKBRIGHT_CLI),
                  QStringList{u"generate"_s, u"--database"_s, database, u"--project"_s,
                              f.templates + u"seite.pdt"_s, u"--output"_s, out.path(), u"--date"_s,
                              u"2026-12-06"_s} +
                      options);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning() << "cli:" << process.readAllStandardError();
    return testutil::readBytes(out.filePath(u"faq.html"_s));
}

Message notice(const QString &text, const QString &title)
{
    return {text, title, MessageButtons::Ok, MessageIcon::Information, 1};
}

} // namespace

class tst_export : public QObject {
    Q_OBJECT
private slots:
    // The dialog's page equals the command-line generator's for the same
    // options; the browser is asked to open it and the notice says where it is.
    void pageAndNotice_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("options"); // the dialog's changes, as the CLI's options
        QTest::addColumn<QString>("picture"); // "": none, "used", "unused"
        QTest::addColumn<QString>("notice");  // {{P}} the page, {{B}} the picture hint's path

        QTest::newRow("defaults, German")
            << false << ""
            << ""
            << "Ihre FAQ- Seite wurde in folgendem Verzeichnis gespeichert:\r\"{{P}}\"";
        QTest::newRow("all options changed, English")
            << true << "--layout 2 --no-paragraphs --links-same-size --pre"
            << ""
            << "The FAQ-Website is saved in:\r\"{{P}}\"";
        QTest::newRow("background picture, German")
            << false << "--layout 2"
            << "used"
            << "Ihre FAQ- Seite wurde in folgendem Verzeichnis gespeichert:\r\"{{P}}\"\rBeim "
               "Hochladen der FAQ-Webseite müssen Sie das Bild\r\"{{B}}\"\rmit ins selbe "
               "Verzeichnis wie Ihre Seite kopieren!";
        QTest::newRow("background picture, English")
            << true << ""
            << "used"
            << "The FAQ-Website is saved in:\r\"{{P}}\"\rIf you upload the website you must "
               "put\rthe Picture\r\"{{B}}\"\rin the same directory!";
        // A picture named but not used: the hint shows the path as read after the folder.
        QTest::newRow("picture named, not used")
            << true << "--pre"
            << "unused"
            << "The FAQ-Website is saved in:\r\"{{P}}\"\rIf you upload the website you must "
               "put\rthe Picture\r\"{{B}}\"\rin the same directory!";
    }

    void pageAndNotice()
    {
        QFETCH(bool, english);
        QFETCH(QString, options);
        QFETCH(QString, picture);
        QFETCH(QString, notice);
        Folders f;
        const QString picturePath = f.pictures + u"Hintergrund.JPG"_s;
        if (!picture.isEmpty()) {
            QVERIFY(testutil::writeBytes(picturePath, "\xFF\xD8\xFFJPEG"));
            QVERIFY(testutil::writeBytes(f.templates + u"seite.pdt"_s,
                                         project(picturePath, picture == u"used"_s)));
        }
        Session s(settingsFor(f, english ? Language::English : Language::German));
        const QString database = testutil::dataPath(u"two_records.faq"_s);
        s.open(database);
        s.sounds.played.clear();
        const QStringList changes = options.split(u' ', Qt::SkipEmptyParts);

        const bool shown = runExport(s, [&](ExportDialog &d) {
            if (changes.contains(u"--layout"_s))
                child<QRadioButton>(d, "optl2")->click();
            if (changes.contains(u"--no-paragraphs"_s))
                child<QCheckBox>(d, "Check1")->click();
            if (changes.contains(u"--links-same-size"_s))
                child<QCheckBox>(d, "chklinks")->click();
            if (changes.contains(u"--pre"_s))
                child<QCheckBox>(d, "chkpre")->click();
            child<QCheckBox>(d, "chkmail")->click(); // no contact block, nothing asked
            generate(d);
            QVERIFY(!d.isVisible());
        });
        QVERIFY(shown);

        const QString page = f.html + u"faq.html"_s;
        const QByteArray written = testutil::readBytes(page);
        QVERIFY(written.startsWith("<html>\r\n"));
        const QByteArray expected = cliPage(
            changes + (english ? QStringList{u"--language"_s, u"englisch"_s} : QStringList()), f,
            database);
        QCOMPARE(written, expected);
        QCOMPARE(s.dialogs.opened, QStringList{page});
        notice.replace(u"{{P}}"_s, page);
        notice.replace(u"{{B}}"_s,
                       f.html + (picture == u"used"_s ? u"hintergrund.jpg"_s : picturePath));
        QCOMPARE(s.dialogs.messages,
                 QList<Message>{::notice(notice, english ? u"Notice"_s : u"Hinweis zum Upload"_s)});
        if (picture == u"used"_s)
            QVERIFY(QFileInfo::exists(f.html + u"hintergrund.jpg"_s));
        QStringList sounds{u"generieren"_s, u"generieren"_s};
        if (changes.contains(u"--layout"_s))
            sounds.insert(1, u"menu"_s);
        QCOMPARE(s.sounds.played, sounds);
        QVERIFY(s.errors.reports.isEmpty());
    }

    // The contact address: read from the store, asked for while it is wanted
    // and missing, stored only when typed.
    void contactAddress_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QByteArray>("store"); // null: no mail.dat
        QTest::addColumn<bool>("useMail");     // chkmail
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<int>>("answers"); // to the retry question
        QTest::addColumn<int>("asked");          // input boxes shown
        QTest::addColumn<int>("retries");        // retry questions shown
        QTest::addColumn<QString>("mailto");     // "": no contact block
        QTest::addColumn<QByteArray>("stored");  // mail.dat afterwards, null: none

        const QByteArray plain = "1.2.5\r\na@b.de\r\n";
        const QByteArray encoded = "1.6.3\r\n&#97;&#64;&#98;\r\n";
        QTest::newRow("stored address asks nothing") << false << plain << true << QStringList{}
                                                     << QList<int>{} << 0 << 0 << "a@b.de" << plain;
        QTest::newRow("the editor's encoded store is used as stored")
            << false << encoded << true << QStringList{} << QList<int>{} << 0 << 0
            << "&#97;&#64;&#98;" << encoded;
        QTest::newRow("typed address is stored")
            << false << QByteArray() << true << QStringList{"neu@example.org"} << QList<int>{} << 1
            << 0 << "neu@example.org" << QByteArray("1.2.5\r\nneu@example.org\r\n");
        QTest::newRow("store without address line counts as empty")
            << false << QByteArray("1.2.5\r\n\r\n") << true << QStringList{"x@y.z"} << QList<int>{}
            << 1 << 0 << "x@y.z" << QByteArray("1.2.5\r\nx@y.z\r\n");
        QTest::newRow("no @ and No: used and stored as typed")
            << true << QByteArray() << true << QStringList{"ohne-at"} << QList<int>{AnswerNo} << 1
            << 1 << "ohne-at" << QByteArray("1.2.5\r\nohne-at\r\n");
        QTest::newRow("no @ and Yes asks again")
            << false << QByteArray() << true << QStringList{"falsch", "richtig@x.de"}
            << QList<int>{AnswerYes} << 2 << 1 << "richtig@x.de"
            << QByteArray("1.2.5\r\nrichtig@x.de\r\n");
        QTest::newRow("cancelled and No: no contact, nothing stored")
            << false << QByteArray() << true << QStringList{""} << QList<int>{AnswerNo} << 1 << 1
            << "" << QByteArray();
        QTest::newRow("unchecked leaves the store alone")
            << false << plain << false << QStringList{} << QList<int>{} << 0 << 0 << "" << plain;
        QTest::newRow("unchecked without a store asks nothing")
            << false << QByteArray() << false << QStringList{} << QList<int>{} << 0 << 0 << ""
            << QByteArray();
    }

    void contactAddress()
    {
        QFETCH(bool, english);
        QFETCH(QByteArray, store);
        QFETCH(bool, useMail);
        QFETCH(QStringList, inputs);
        QFETCH(QList<int>, answers);
        QFETCH(int, asked);
        QFETCH(int, retries);
        QFETCH(QString, mailto);
        QFETCH(QByteArray, stored);
        Folders f;
        Session s(settingsFor(f, english ? Language::English : Language::German));
        s.open(s.writeDatabase(u"a.faq"_s, 2));
        const QString storePath = s.state.dataFolder() + contactFileName;
        if (!store.isNull())
            QVERIFY(testutil::writeBytes(storePath, store));
        s.dialogs.inputs = inputs;
        s.dialogs.answers = answers;

        ExportDialog d(s.context, &s.w());
        child<QCheckBox>(d, "chkmail")->setChecked(useMail);
        d.cmdgenerieren_Click();

        const QString prompt =
            english ? u"Please still insert a correctly email-address in this inputfield. If you "
                      u"don't this the page have within a email-contact!|Wrong email address!"_s
                    : u"Bitte noch eine gültige EMailadresse eingeben. Wenn Sie keine eingeben, "
                      u"wird der EMail-Kontakt nicht mit generiert!|Fehlende EMailadresse !"_s;
        QCOMPARE(s.dialogs.inputPrompts, QStringList(asked, prompt));
        const Message retry = english ? Message{u"Invalid email address!\rTry out again?"_s,
                                                u"Correction the email address!"_s,
                                                MessageButtons::YesNo, MessageIcon::Critical, 1}
                                      : Message{u"Mailadresse ungültig!\rNochmals versuchen?"_s,
                                                u"Berichtigung der EMailadresse!"_s,
                                                MessageButtons::YesNo, MessageIcon::Critical, 1};
        QCOMPARE(s.dialogs.messages.mid(0, retries), QList<Message>(retries, retry));
        QCOMPARE(s.dialogs.messages.size(), retries + 1); // then the notice
        QCOMPARE(s.state.contactAddress, mailto);

        const QByteArray page = testutil::readBytes(f.html + u"faq.html"_s);
        QVERIFY(page.startsWith("<html>"));
        if (mailto.isEmpty())
            QVERIFY(!page.contains("mailto:"));
        else
            QVERIFY2(page.contains("<A HREF=\"mailto:" + mailto.toLatin1() +
                                   "?subject=Feedback Titel A\">"),
                     page.constData());
        QCOMPARE(testutil::readBytes(storePath), stored);
        QCOMPARE(QFileInfo::exists(storePath), !stored.isNull());
    }

    // An output folder stored with backslashes, as settings from Windows hold it.
    void backslashedOutputFolder()
    {
        Folders f;
        Session s(settingsFor(f, Language::German, QString(f.html).replace(u'/', u'\\')));
        s.open(testutil::dataPath(u"two_records.faq"_s));
        QVERIFY(runExport(s, [](ExportDialog &d) {
            child<QCheckBox>(d, "chkmail")->click();
            generate(d);
        }));
        QCOMPARE(s.dialogs.opened, QStringList{f.html + u"faq.html"_s});
    }

    void optionsResetOnReopening()
    {
        Folders f;
        Session s(settingsFor(f));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            child<QRadioButton>(d, "optl2")->click();
            for (const char *box : {"Check1", "chklinks", "chkpre", "chkmail"})
                child<QCheckBox>(d, box)->click();
            QCOMPARE(s.state.exportOptions.answerLayout, AnswerLayout::AnswersOnly);
            QVERIFY(!s.state.exportOptions.formatParagraphs);
            QVERIFY(!s.state.exportOptions.smallLinks);
            child<Button3D>(d, "cmdhtmlraus")->click();
            QVERIFY(!d.isVisible());
        }));
        QVERIFY(!QFileInfo::exists(f.html + u"faq.html"_s));
        QVERIFY(s.state.exportOptions != ExportOptions{});

        QVERIFY(testutil::writeBytes(s.state.dataFolder() + contactFileName, "1\r\nk@l.de\r\n"));
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            QCOMPARE(s.state.exportOptions, ExportOptions{});
            QVERIFY(child<QRadioButton>(d, "optl1")->isChecked());
            QVERIFY(child<QCheckBox>(d, "Check1")->isChecked());
            QVERIFY(!child<QCheckBox>(d, "chklinks")->isChecked());
            QVERIFY(!child<QCheckBox>(d, "chkpre")->isChecked());
            QVERIFY(child<QCheckBox>(d, "chkmail")->isChecked());
            generate(d);
        }));
        const QByteArray page = testutil::readBytes(f.html + u"faq.html"_s);
        QVERIFY(page.contains("<i><b>F:&nbsp;Q1</i></b><br>")); // layout 1
        QVERIFY(page.contains("mailto:k@l.de?"));
    }

    // Export saves unsaved changes first; a save that does not happen stops it.
    void saveBeforeExport_data()
    {
        QTest::addColumn<QString>("edit"); // "typed", "emptied", "folder gone"
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("saved, then exported") << "typed" << true << QStringList{};
        QTest::newRow("save refused: empty record")
            << "emptied" << false
            << QStringList{
                   u"Bitte diesen Datensatz noch ausfüllen oder\rden Lösch-Button drücken"_s};
        QTest::newRow("save fails")
            << "folder gone" << false << QStringList{u"Abspeichern wurde abgebrochen..."_s};
    }

    void saveBeforeExport()
    {
        QFETCH(QString, edit);
        QFETCH(bool, shown);
        QFETCH(QStringList, messages);
        Folders f;
        Session s(settingsFor(f));
        QDir(s.dir.path()).mkdir(u"db"_s);
        const QString file = s.writeDatabase(u"db/a.faq"_s, 2);
        s.open(file);
        if (edit == u"emptied"_s)
            s.type(QString(), QString());
        else
            s.type(u"Q1 edited"_s, u"A1"_s);
        if (edit == u"folder gone"_s)
            QVERIFY(QDir(s.path(u"db"_s)).removeRecursively());
        s.sounds.played.clear();

        QCOMPARE(runExport(s, [](ExportDialog &d) { d.cmdhtmlraus_Click(); }), shown);
        QCOMPARE(s.dialogs.messageTexts(), messages);
        QCOMPARE(s.state.database.hasUnsavedChanges(), !shown);
        if (shown)
            QCOMPARE(faq_einlesen(file).at(0).question, u"Q1 edited"_s);
        QCOMPARE(s.sounds.played.count(u"generieren"_s), shown ? 1 : 0);
    }

    void exportCommandChecks_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("page");   // the page list's text
        QTest::addColumn<QString>("stored"); // HtmlOutputFolder at start
        QTest::addColumn<QString>("chosen"); // what the folder browser gives
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("folder"); // HtmlOutputFolder afterwards
        QTest::addColumn<QList<Message>>("messages");
        const QString html = u"{{HTML}}"_s;
        const auto cancel = [](const char16_t *text, const char16_t *title) {
            return QList<Message>{{QString::fromUtf16(text), QString::fromUtf16(title),
                                   MessageButtons::Ok, MessageIcon::Critical, 1}};
        };
        QTest::newRow("no page, German") << false << "" << html << "" << false << html
                                         << cancel(u"Keine Vorlagenseite gewählt!", u"Abbruch");
        QTest::newRow("no page, English") << true << "" << html << "" << false << html
                                          << cancel(u"You must first choose a page", u"Cancel");
        QTest::newRow("folder known: not asked")
            << false << "seite.pdt" << html << "" << true << html << QList<Message>{};
        QTest::newRow("no folder, browser cancelled") << true << "seite.pdt"
                                                      << ""
                                                      << "" << false << "" << QList<Message>{};
        QTest::newRow("no folder, chosen without separator")
            << false << "seite.pdt"
            << ""
            << "{{HTML-}}" << true << html << QList<Message>{};
    }

    void exportCommandChecks()
    {
        QFETCH(bool, english);
        QFETCH(QString, page);
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(bool, shown);
        QFETCH(QString, folder);
        QFETCH(QList<Message>, messages);
        Folders f;
        const auto expand = [&](QString text) {
            return text.replace(u"{{HTML-}}"_s, f.html.chopped(1)).replace(u"{{HTML}}"_s, f.html);
        };
        Session s(settingsFor(f, english ? Language::English : Language::German, expand(stored)));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        s.state.pages.setPage(page);
        s.dialogs.folders << expand(chosen);
        s.sounds.played.clear();

        QCOMPARE(runExport(s, [](ExportDialog &d) { d.cmdhtmlraus_Click(); }), shown);
        QCOMPARE(s.dialogs.messages, messages);
        QCOMPARE(s.dialogs.folderPrompts, stored.isEmpty() && !page.isEmpty()
                                              ? QStringList{u"Bitte wählen Sie ein Verzeichnis"_s}
                                              : QStringList{});
        QCOMPARE(s.state.settings.HtmlOutputFolder, expand(folder));
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), expand(folder));
        QCOMPARE(s.sounds.played, page.isEmpty() ? QStringList{} : QStringList{u"generieren"_s});
    }

    // "fehler" forgets the output folder; "raus" only closes. Either way no
    // page is opened and no notice shown; the generator's message says why.
    void failedRuns_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QByteArray>("content"); // of the selected page project, null: none
        QTest::addColumn<bool>("folderKept");
        QTest::addColumn<QString>("message"); // start of the one message shown
        QTest::newRow("page project missing: fehler")
            << "fehlt.pdt" << QByteArray() << false << "Die FAQ-Seite wurde nicht erzeugt";
        QTest::newRow("not a page project: raus")
            << "falsch.pdt" << QByteArray("[projektdatei]\r\n") << true << "Keine Projektdatei";
        QTest::newRow("picture missing: raus")
            << "bild.pdt" << project(u"/nirgends/bild.gif"_s, true) << true
            << "Bildpfad für Hintergrundbild nicht korrekt!";
    }

    void failedRuns()
    {
        QFETCH(QString, page);
        QFETCH(QByteArray, content);
        QFETCH(bool, folderKept);
        QFETCH(QString, message);
        Folders f;
        if (!content.isNull())
            QVERIFY(testutil::writeBytes(f.templates + page, content));
        Session s(settingsFor(f));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        s.state.pages.setPage(page);
        s.state.settings.soundsOn = false;
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            child<QCheckBox>(d, "chkmail")->setChecked(false);
            generate(d);
            QVERIFY(!d.isVisible());
        }));
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY2(s.dialogs.messages.first().text.startsWith(message),
                 qPrintable(s.dialogs.messages.first().text));
        QVERIFY(s.dialogs.opened.isEmpty());
        QVERIFY(QDir(f.html).isEmpty());
        QCOMPARE(s.state.settings.HtmlOutputFolder, folderKept ? f.html : QString());
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), folderKept ? f.html : QString());

        // Without a folder the next export asks for one again.
        QVERIFY(runExport(s, [](ExportDialog &d) { d.cmdhtmlraus_Click(); }) == folderKept);
        QCOMPARE(s.dialogs.folderPrompts.size(), folderKept ? 0 : 1);
    }

    void captionsAndPictures_data()
    {
        QTest::addColumn<bool>("english");
        // Check1 chkmail chklinks chkpre chkmodern gen raus preview Frame1
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("title");
        QTest::newRow("German") << false
                                << QStringList{"Frage mit Absatzformatierung",
                                               "verwende EMail, wenn vorhanden",
                                               "Links gleiche Größe wie Text",
                                               "Antwort mit <pre> - Tag",
                                               "Moderne Seite (HTML5)",
                                               "Generieren!",
                                               "....raus hier!",
                                               "Vorschau",
                                               "Layout auswählen"}
                                << "HTML- Generierung";
        QTest::newRow("English") << true
                                 << QStringList{"Question with paragraph formating",
                                                "use email address if existing",
                                                "Links same size as text",
                                                "Answer with <pre> - Tag",
                                                "Modern page (HTML5)",
                                                "Create HTML!",
                                                "....leave me!",
                                                "Preview",
                                                "Select Layout"}
                                 << "Generating HTML-Code";
    }

    void captionsAndPictures()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, captions);
        QFETCH(QString, title);
        Folders f;
        Session s(settingsFor(f, english ? Language::English : Language::German));
        ExportDialog d(s.context, &s.w());
        d.show();
        QStringList shown;
        for (const char *box : {"Check1", "chkmail", "chklinks", "chkpre", "chkmodern"})
            shown << child<QCheckBox>(d, box)->text();
        for (const char *button : {"cmdgenerieren", "cmdhtmlraus", "cmdvorschau"})
            shown << child<Button3D>(d, button)->caption();
        shown << child<QGroupBox>(d, "Frame1")->title();
        QCOMPARE(shown, captions);
        QCOMPARE(d.windowTitle(), title);
        QCOMPARE(testutil::cutOffCaptions(&d), QStringList());

        // Fixed in both languages.
        QCOMPARE(child<QRadioButton>(d, "optl1")->text() + child<QLabel>(d, "Label2")->text(),
                 u"Layout 1Layout 2"_s);
        const QStringList tips{
            child<QRadioButton>(d, "optl1")->toolTip(), child<QRadioButton>(d, "optl2")->toolTip(),
            child<QCheckBox>(d, "chkpre")->toolTip(), child<QCheckBox>(d, "Check1")->toolTip()};
        QCOMPARE(tips, (QStringList{"Fragen nochmals wiederholen", "Fragen nicht wiederholen",
                                    "Formatierung wie eingegeben", "Absätze wie eingegeben"}));

        for (const char *german : {"Picture1", "Picture2"})
            QCOMPARE(child<QLabel>(d, german)->isVisible(), !english);
        for (const char *englishPicture : {"Picture1e", "Picture2e"})
            QCOMPARE(child<QLabel>(d, englishPicture)->isVisible(), english);
    }

    // Each picture shows its own layout in its own language.
    void layoutPicturesDiffer()
    {
        QList<QImage> pictures;
        for (Language language : {Language::German, Language::English})
            for (AnswerLayout layout : {AnswerLayout::WithQuestions, AnswerLayout::AnswersOnly})
                pictures << layoutPicture(layout, language).toImage();
        for (int i = 0; i < pictures.size(); ++i) {
            QVERIFY(!pictures.at(i).isNull());
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY2(pictures.at(i) != pictures.at(j), qPrintable(u"%1 = %2"_s.arg(i).arg(j)));
        }
    }

    void returnGenerates()
    {
        Folders f;
        Session s(settingsFor(f));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        ExportDialog d(s.context, &s.w());
        child<QCheckBox>(d, "chkmail")->setChecked(false);
        d.show();
        QTest::keyClick(&d, Qt::Key_Return);
        QVERIFY(QFileInfo::exists(f.html + u"faq.html"_s));
        QVERIFY(!d.isVisible());
    }

    void placementAndColours_data()
    {
        // "": none set, "missing", "usable", "unloaded"; which files count as
        // schemes is the scheme file's business
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<bool>("painted");
        QTest::newRow("no scheme") << "" << false;
        QTest::newRow("scheme file gone") << "missing" << false;
        QTest::newRow("usable scheme") << "usable" << true;
        QTest::newRow("usable scheme, colours never loaded") << "unloaded" << false;
    }

    void placementAndColours()
    {
        QFETCH(QString, scheme);
        QFETCH(bool, painted);
        Folders f;
        Session s(settingsFor(f));
        s.w().onAlwaysOnTopTriggered();
        ColorScheme colours;
        colours[ColorScheme::buttonColor] = 0x0000FF;
        colours[ColorScheme::fontColor] = 0x00FF00;
        colours[ColorScheme::backgroundColor] = 0xFF0000;
        colours[ColorScheme::buttonFontColor] = 0x00FFFF;
        if (scheme != u"unloaded"_s)
            s.state.currentColors = colours;
        const QString file = s.path(u"farben.sch"_s);
        if (scheme != u"missing"_s)
            QVERIFY(testutil::writeBytes(file, formatScheme(colours)));
        if (!scheme.isEmpty())
            s.state.settings.schemeFilePath = file;

        ExportDialog d(s.context, &s.w());
        QVERIFY(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QRect main = s.w().frameGeometry(), own = d.frameGeometry();
        // Centred before it has its frame: a pixel of frame either way.
        const QPoint centred(main.x() + main.width() / 2 - own.width() / 2,
                             main.y() + main.height() / 2 - own.height() / 2);
        QVERIFY2((own.topLeft() - centred).manhattanLength() <= 2,
                 qPrintable(u"%1,%2"_s.arg(own.x()).arg(own.y())));

        const auto background = [&](const char *name) {
            return child<QWidget>(d, name)->palette().color(QPalette::Window);
        };
        QCOMPARE(d.palette().color(QPalette::Window) == QColor(Qt::blue), painted);
        QCOMPARE(background("chkmail") == QColor(Qt::blue), painted);
        QCOMPARE(child<QLabel>(d, "Label1")->palette().color(QPalette::WindowText) ==
                     QColor(Qt::green),
                 painted);
        QCOMPARE(background("Shape1") == QColor(Qt::red), painted);
        QCOMPARE(child<Button3D>(d, "cmdgenerieren")->faceColor(),
                 painted ? std::optional<qint32>(0x0000FF) : std::nullopt);
        QCOMPARE(child<Button3D>(d, "cmdhtmlraus")->captionColor(),
                 painted ? std::optional<qint32>(0x00FFFF) : std::nullopt);
    }
};

QTEST_MAIN(tst_export)
#include "tst_export.moc"
