#include "app/paths.h"
#include "app/textcodec.h"
#include "appearance/schemefile.h"
#include "gui/session.h"
#include "html/exportdialog.h"
#include "html/layoutpictures.h"
#include "html/pagepreview.h"
#include "project/contactstore.h"
#include "settings/settingsfile.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <functional>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::child;
using testutil::Session;

namespace {

// A page project; picture and pictureOn fill lines 8 and 9. The title has a
// character beyond ASCII (the euro sign).
QByteArray project(const QString &picture = {}, bool pictureOn = false,
                   const QByteArray &textColor = "#000000", const QByteArray &linkColor = "#0000FF")
{
    QByteArray bytes = "[Projektdatei f\xFCr Askbright]|Titel \x80|" + textColor +
                       "|#FFFFFF|#FF0000|#800080|" + linkColor + '|' + picture.toLatin1() +
                       (pictureOn ? "|ja" : "|nein") +
                       "|faq|Autor|Beschreibung|mitte|Fett||Verdana|+1|+2|links| 2 |k1|k2|";
    return bytes.replace('|', "\r\n");
}

const QString pageTitle = QStringLiteral("Titel \u20AC");

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

void click(ExportDialog &d, const char *name)
{
    child<QAbstractButton>(d, name)->click();
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

// The rich-text rendering of page bytes with the preview's default colours.
QString rendered(const QByteArray &page, bool modern, const QTextBrowser *preview)
{
    QTextBrowser browser;
    browser.document()->setDefaultStyleSheet(preview->document()->defaultStyleSheet());
    browser.setHtml(previewHtml(page, modern));
    return browser.toHtml();
}

const QStringList storedContact{u"--contact"_s, u"kontakt@example.org"_s};

// The export dialog opened directly over the main window, with three
// records, seite.pdt selected and a stored contact address.
struct Opened {
    Folders f;
    Session s{settingsFor(f)};
    QString database = s.path(u"a.faq"_s);
    std::unique_ptr<ExportDialog> dialog;

    explicit Opened(const QByteArray &seite = project())
    {
        testutil::writeBytes(f.templates + u"seite.pdt"_s, seite);
        QList<FaqRecord> records(3);
        for (int i = 0; i < 3; ++i) {
            records[i].question = u"Q%1"_s.arg(i + 1);
            records[i].answer = u"Antwort\r\nauf Q%1"_s.arg(i + 1); // with a line break
        }
        faq_speichern(database, records);
        s.open(database);
        mail_speichern(s.state.dataFolder(), u"kontakt@example.org"_s);
        s.dialogs.messages.clear();
        open();
    }

    void open()
    {
        dialog = std::make_unique<ExportDialog>(s.context, &s.w());
        dialog->show();
    }
    template <typename T = QWidget> T *get(const char *name) { return child<T>(*dialog, name); }
    void click(const char *name) { get<QAbstractButton>(name)->click(); }
    QByteArray cli(const QStringList &options) const { return cliPage(options, f, database); }

    QTextBrowser *preview()
    {
        click("previewButton");
        return get<QTextBrowser>("pageView");
    }
};

} // namespace

class tst_export : public QObject {
    Q_OBJECT
private slots:
    // The dialog's page equals the command-line generator's for the same
    // options; the browser opens it and the notice says where it is, and
    // where the picture must go with it.
    void pageAndNotice_data()
    {
        QTest::addColumn<QString>("options"); // the dialog's changes, as the CLI's options
        QTest::addColumn<QString>("picture"); // "": none, "used", "unused"
        QTest::newRow("defaults") << ""
                                  << "";
        // As settings from Windows hold it.
        QTest::newRow("output folder with backslashes") << "backslashes"
                                                        << "";
        QTest::newRow("all options changed") << "--layout 2 --no-paragraphs --links-same-size --pre"
                                             << "";
        QTest::newRow("background picture") << "--layout 2"
                                            << "used";
        // The hint shows the path as read after the folder.
        QTest::newRow("picture named, not used") << "--pre"
                                                 << "unused";
    }

    void pageAndNotice()
    {
        QFETCH(QString, options);
        QFETCH(QString, picture);
        Folders f;
        const QString picturePath = f.pictures + u"Hintergrund.JPG"_s;
        if (!picture.isEmpty()) {
            QVERIFY(testutil::writeBytes(picturePath, "\xFF\xD8\xFFJPEG"));
            QVERIFY(testutil::writeBytes(f.templates + u"seite.pdt"_s,
                                         project(picturePath, picture == u"used"_s)));
        }
        Session s(options == u"backslashes"_s
                      ? settingsFor(f, Language::German, QString(f.html).replace(u'/', u'\\'))
                      : settingsFor(f));
        if (options == u"backslashes"_s)
            options.clear();
        const QString database = testutil::dataPath(u"two_records.faq"_s);
        s.open(database);
        s.sounds.played.clear();
        const QStringList changes = options.split(u' ', Qt::SkipEmptyParts);
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            const std::pair<const char *, const char *> controls[] = {
                {"--layout", "optl2"},
                {"--no-paragraphs", "Check1"},
                {"--links-same-size", "chklinks"},
                {"--pre", "chkpre"}};
            for (const auto &[option, control] : controls)
                if (changes.contains(QLatin1String(option)))
                    click(d, control);
            click(d, "chkmail"); // no contact block, nothing asked
            click(d, "cmdgenerieren");
            QVERIFY(!d.isVisible());
        }));

        const QString page = f.html + u"faq.html"_s;
        QCOMPARE(testutil::readBytes(page), cliPage(changes, f, database));
        QCOMPARE(s.dialogs.opened, QStringList{page});
        QCOMPARE(s.dialogs.messages.size(), 1);
        const QString notice = s.dialogs.messages.first().text;
        // The notice names the folder as the settings hold it.
        const QString shownFolder = s.state.settings.HtmlOutputFolder;
        QVERIFY2(notice.contains(u'"' + shownFolder + u"faq.html\""_s), qPrintable(notice));
        const QString hint =
            picture.isEmpty()
                ? QString()
                : shownFolder + (picture == u"used"_s ? u"hintergrund.jpg"_s : picturePath);
        QCOMPARE(notice.contains(u"\r\""_s + hint + u'"'), !hint.isEmpty());
        QCOMPARE(QFileInfo::exists(f.html + u"hintergrund.jpg"_s), picture == u"used"_s);
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
        QTest::newRow("stored address asks nothing")
            << plain << true << QStringList{} << QList<int>{} << 0 << 0 << "a@b.de" << plain;
        QTest::newRow("the editor's encoded store is used as stored")
            << encoded << true << QStringList{} << QList<int>{} << 0 << 0 << "&#97;&#64;&#98;"
            << encoded;
        QTest::newRow("typed address is stored")
            << QByteArray() << true << QStringList{"neu@example.org"} << QList<int>{} << 1 << 0
            << "neu@example.org" << QByteArray("1.2.5\r\nneu@example.org\r\n");
        QTest::newRow("no @ and No: used and stored as typed")
            << QByteArray() << true << QStringList{"ohne-at"} << QList<int>{AnswerNo} << 1 << 1
            << "ohne-at" << QByteArray("1.2.5\r\nohne-at\r\n");
        QTest::newRow("no @ and Yes asks again")
            << QByteArray() << true << QStringList{"falsch", "richtig@x.de"}
            << QList<int>{AnswerYes} << 2 << 1 << "richtig@x.de"
            << QByteArray("1.2.5\r\nrichtig@x.de\r\n");
        QTest::newRow("cancelled and No: no contact, nothing stored")
            << QByteArray() << true << QStringList{""} << QList<int>{AnswerNo} << 1 << 1 << ""
            << QByteArray();
        QTest::newRow("unchecked leaves the store alone")
            << plain << false << QStringList{} << QList<int>{} << 0 << 0 << "" << plain;
        QTest::newRow("unchecked without a store asks nothing")
            << QByteArray() << false << QStringList{} << QList<int>{} << 0 << 0 << ""
            << QByteArray();
    }

    void contactAddress()
    {
        QFETCH(QByteArray, store);
        QFETCH(bool, useMail);
        QFETCH(QStringList, inputs);
        QFETCH(QList<int>, answers);
        QFETCH(int, asked);
        QFETCH(int, retries);
        QFETCH(QString, mailto);
        QFETCH(QByteArray, stored);
        Folders f;
        Session s(settingsFor(f));
        s.open(s.writeDatabase(u"a.faq"_s, 2));
        const QString storePath = s.state.dataFolder() + contactFileName;
        if (!store.isNull())
            QVERIFY(testutil::writeBytes(storePath, store));
        s.dialogs.inputs = inputs;
        s.dialogs.answers = answers;

        ExportDialog d(s.context, &s.w());
        child<QCheckBox>(d, "chkmail")->setChecked(useMail);
        d.onGenerateClicked();

        QCOMPARE(s.dialogs.inputPrompts.size(), asked);
        QCOMPARE(s.dialogs.messages.size(), retries + 1); // then the notice
        for (int i = 0; i < retries; ++i)
            QCOMPARE(s.dialogs.messages.at(i).buttons, MessageButtons::YesNo);
        QCOMPARE(s.state.contactAddress, mailto);
        const QByteArray page = testutil::readBytes(f.html + u"faq.html"_s);
        QVERIFY(page.startsWith("<html>"));
        QCOMPARE(page.contains("mailto:" + mailto.toLatin1() + '?'), !mailto.isEmpty());
        QCOMPARE(page.contains("mailto:"), !mailto.isEmpty());
        QCOMPARE(testutil::readBytes(storePath), stored);
        QCOMPARE(QFileInfo::exists(storePath), !stored.isNull());
    }

    // The options are the dialog's: every opening starts from the defaults,
    // whatever the last one chose.
    void optionsResetOnReopening()
    {
        Folders f;
        Session s(settingsFor(f));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            click(d, "optl2");
            for (const char *box : {"Check1", "chklinks", "chkpre", "chkmail"})
                click(d, box);
            QCOMPARE(d.options().answerLayout, AnswerLayout::AnswersOnly);
            QVERIFY(!d.options().formatParagraphs && !d.options().smallLinks);
            click(d, "cmdhtmlraus");
            QVERIFY(!d.isVisible());
        }));
        QVERIFY(!QFileInfo::exists(f.html + u"faq.html"_s));

        QVERIFY(testutil::writeBytes(s.state.dataFolder() + contactFileName, "1\r\nk@l.de\r\n"));
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            QCOMPARE(d.options(), ExportOptions{});
            QVERIFY(child<QRadioButton>(d, "optl1")->isChecked());
            QVERIFY(child<QCheckBox>(d, "Check1")->isChecked());
            QVERIFY(!child<QCheckBox>(d, "chklinks")->isChecked());
            QVERIFY(!child<QCheckBox>(d, "chkpre")->isChecked());
            QVERIFY(child<QCheckBox>(d, "chkmail")->isChecked());
            click(d, "cmdgenerieren");
        }));
        QCOMPARE(testutil::readBytes(f.html + u"faq.html"_s),
                 cliPage({u"--contact"_s, u"k@l.de"_s}, f, s.state.database.filePath()));
    }

    // Export saves unsaved changes first; a save that does not happen stops it.
    void saveBeforeExport_data()
    {
        QTest::addColumn<QString>("edit"); // "typed", "emptied", "folder gone"
        QTest::addColumn<bool>("shown");
        QTest::newRow("saved, then exported") << "typed" << true;
        QTest::newRow("save refused: empty record") << "emptied" << false;
        QTest::newRow("save fails") << "folder gone" << false;
    }

    void saveBeforeExport()
    {
        QFETCH(QString, edit);
        QFETCH(bool, shown);
        Folders f;
        Session s(settingsFor(f));
        QDir(s.dir.path()).mkdir(u"db"_s);
        const QString file = s.writeDatabase(u"db/a.faq"_s, 2);
        s.open(file);
        s.type(edit == u"emptied"_s ? QString() : u"Q1 edited"_s,
               edit == u"emptied"_s ? QString() : u"A1"_s);
        if (edit == u"folder gone"_s)
            QVERIFY(QDir(s.path(u"db"_s)).removeRecursively());
        s.sounds.played.clear();

        QCOMPARE(runExport(s, [](ExportDialog &d) { d.onLeaveClicked(); }), shown);
        QCOMPARE(s.dialogs.messages.size(), shown ? 0 : 1);
        QCOMPARE(s.state.database.hasUnsavedChanges(), !shown);
        if (shown)
            QCOMPARE(faq_einlesen(file).at(0).question, u"Q1 edited"_s);
        QCOMPARE(s.sounds.played.count(u"generieren"_s), shown ? 1 : 0);
    }

    void exportCommandChecks_data()
    {
        QTest::addColumn<QString>("page");   // the page list's text
        QTest::addColumn<QString>("stored"); // HtmlOutputFolder at start
        QTest::addColumn<QString>("chosen"); // what the folder browser gives
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("folder"); // HtmlOutputFolder afterwards
        const QString html = u"{{HTML}}"_s;
        QTest::newRow("no page") << "" << html << "" << false << html;
        QTest::newRow("folder known: not asked") << "seite.pdt" << html << "" << true << html;
        QTest::newRow("no folder, browser cancelled") << "seite.pdt"
                                                      << ""
                                                      << "" << false << "";
        QTest::newRow("no folder, chosen without separator") << "seite.pdt"
                                                             << ""
                                                             << "{{HTML-}}" << true << html;
    }

    void exportCommandChecks()
    {
        QFETCH(QString, page);
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(bool, shown);
        QFETCH(QString, folder);
        Folders f;
        const auto expand = [&](QString text) {
            return text.replace(u"{{HTML-}}"_s, f.html.chopped(1)).replace(u"{{HTML}}"_s, f.html);
        };
        Session s(settingsFor(f, Language::German, expand(stored)));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        s.state.pages.setPage(page);
        s.dialogs.folders << expand(chosen);
        s.sounds.played.clear();

        QCOMPARE(runExport(s, [](ExportDialog &d) { d.onLeaveClicked(); }), shown);
        QCOMPARE(s.dialogs.messages.size(), page.isEmpty() ? 1 : 0);
        QCOMPARE(s.dialogs.folderPrompts.size(), stored.isEmpty() && !page.isEmpty() ? 1 : 0);
        QCOMPARE(s.state.settings.HtmlOutputFolder, expand(folder));
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), expand(folder));
        QCOMPARE(s.sounds.played, page.isEmpty() ? QStringList{} : QStringList{u"generieren"_s});
    }

    // A failed generation forgets the output folder, a refused one only
    // closes. Either way no page is opened and no notice shown.
    void failedRuns_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QByteArray>("content"); // of the selected page project, null: none
        QTest::addColumn<bool>("folderKept");
        QTest::newRow("page project missing") << "fehlt.pdt" << QByteArray() << false;
        QTest::newRow("not a page project")
            << "falsch.pdt" << QByteArray("[projektdatei]\r\n") << true;
        QTest::newRow("picture missing")
            << "bild.pdt" << project(u"/nirgends/bild.gif"_s, true) << true;
    }

    void failedRuns()
    {
        QFETCH(QString, page);
        QFETCH(QByteArray, content);
        QFETCH(bool, folderKept);
        Folders f;
        if (!content.isNull())
            QVERIFY(testutil::writeBytes(f.templates + page, content));
        Session s(settingsFor(f));
        s.open(s.writeDatabase(u"a.faq"_s, 1));
        s.state.pages.setPage(page);
        QVERIFY(runExport(s, [&](ExportDialog &d) {
            child<QCheckBox>(d, "chkmail")->setChecked(false);
            click(d, "cmdgenerieren");
            QVERIFY(!d.isVisible());
        }));
        QCOMPARE(s.dialogs.messages.size(), 1); // the generator's reason
        QVERIFY(s.dialogs.opened.isEmpty());
        QVERIFY(QDir(f.html).isEmpty());
        QCOMPARE(s.state.settings.HtmlOutputFolder, folderKept ? f.html : QString());
        QCOMPARE(s.get<QLabel>("lblhtml")->text(), folderKept ? f.html : QString());

        // Without a folder the next export asks for one again.
        QVERIFY(runExport(s, [](ExportDialog &d) { d.onLeaveClicked(); }) == folderKept);
        QCOMPARE(s.dialogs.folderPrompts.size(), folderKept ? 0 : 1);
    }

    // The layout pictures show the page's words in the interface language,
    // each picture its own layout.
    void layoutPictures()
    {
        Folders f;
        Session s(settingsFor(f));
        ExportDialog d(s.context, &s.w());
        d.show();
        for (const Language language : {Language::English, Language::German}) {
            d.retranslate(language);
            for (const char *german : {"Picture1", "Picture2"})
                QCOMPARE(child<QLabel>(d, german)->isVisible(), language.isGerman());
            for (const char *english : {"Picture1e", "Picture2e"})
                QCOMPARE(child<QLabel>(d, english)->isVisible(), language.isEnglish());
        }
        QList<QImage> pictures;
        for (const Language language : {Language::German, Language::English})
            for (const AnswerLayout layout :
                 {AnswerLayout::WithQuestions, AnswerLayout::AnswersOnly})
                pictures << layoutPicture(layout, language).toImage();
        for (int i = 0; i < pictures.size(); ++i)
            for (int j = i + 1; j < pictures.size(); ++j)
                QVERIFY2(pictures.at(i) != pictures.at(j), qPrintable(u"%1 = %2"_s.arg(i).arg(j)));
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
        QVERIFY((own.topLeft() - centred).manhattanLength() <= 2);
        const auto color = [&](const char *name, QPalette::ColorRole role) {
            return child<QWidget>(d, name)->palette().color(role);
        };
        QCOMPARE(d.palette().color(QPalette::Window) == QColor(Qt::blue), painted);
        QCOMPARE(color("modernPageBox", QPalette::Window) == QColor(Qt::blue), painted);
        QCOMPARE(color("Label1", QPalette::WindowText) == QColor(Qt::green), painted);
        QCOMPARE(color("Shape1", QPalette::Window) == QColor(Qt::red), painted);
        QCOMPARE(child<Button3D>(d, "previewButton")->faceColor(),
                 painted ? std::optional<qint32>(0x0000FF) : std::nullopt);
        QCOMPARE(child<Button3D>(d, "cmdhtmlraus")->captionColor(),
                 painted ? std::optional<qint32>(0x00FFFF) : std::nullopt);
    }
    // The modern box and the page language reach the page written.
    void modernPageWritten()
    {
        Opened e;
        QVERIFY(!e.get("pageLanguage")->isEnabled());
        e.click("modernPageBox");
        QVERIFY(e.get("pageLanguage")->isEnabled());
        QTest::keyClick(e.get("pageLanguage"), Qt::Key_Down); // from German to English
        e.click("cmdgenerieren");
        QCOMPARE(testutil::readBytes(e.f.html + u"faq.html"_s),
                 e.cli(QStringList{u"--modern"_s, u"--page-language"_s, u"en"_s} + storedContact));
        QVERIFY(e.s.errors.reports.isEmpty());
    }

    // The modern choice outlives the dialog for the session; the other
    // options start from their defaults at every opening.
    void modernChoiceKeptForTheSession()
    {
        Opened e;
        e.click("modernPageBox");
        // The layout has no effect on the modern page.
        QVERIFY(!e.get("optl2")->isEnabled());
        e.click("optl2");
        e.open();
        QVERIFY(e.get<QCheckBox>("modernPageBox")->isChecked());
        QVERIFY(e.dialog->options().modernPage);
        QVERIFY(e.get<QRadioButton>("optl1")->isChecked());
        QCOMPARE(e.dialog->options().answerLayout, AnswerLayout::WithQuestions);
        e.click("modernPageBox");
        e.open();
        QVERIFY(!e.get<QCheckBox>("modernPageBox")->isChecked());
        QVERIFY(!e.dialog->options().modernPage);
        QVERIFY(e.get("optl2")->isEnabled());
    }

    // The preview renders the bytes a generation would write with the
    // dialog's options at that moment, following each option as it changes.
    void previewFollowsOptions_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("options"); // the same as the CLI's
        QTest::addColumn<bool>("stored");         // a contact address in the store
        QTest::newRow("layout 2") << "optl2" << QStringList{u"--layout"_s, u"2"_s} << true;
        QTest::newRow("no paragraphs") << "Check1" << QStringList{u"--no-paragraphs"_s} << true;
        QTest::newRow("links same size")
            << "chklinks" << QStringList{u"--links-same-size"_s} << true;
        QTest::newRow("pre") << "chkpre" << QStringList{u"--pre"_s} << true;
        QTest::newRow("contact unticked") << "chkmail" << QStringList{} << true;
        // Generating would ask for an address; the preview asks nothing.
        QTest::newRow("no address stored") << "chkpre" << QStringList{u"--pre"_s} << false;
        QTest::newRow("modern") << "modernPageBox" << QStringList{u"--modern"_s} << true;
    }

    void previewFollowsOptions()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, options);
        QFETCH(bool, stored);
        Opened e;
        if (!stored)
            QVERIFY(QFile::remove(QDir(e.s.state.dataFolder()).filePath(contactFileName)));
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->window()->isVisible());
        const QStringList contact =
            stored && control != u"chkmail"_s ? storedContact : QStringList();
        const QString before = browser->toHtml();
        QCOMPARE(before, rendered(e.cli(stored ? storedContact : QStringList()), false, browser));

        e.click(control.toLatin1().constData());
        const QString after = browser->toHtml();
        QVERIFY(after != before);
        QCOMPARE(after,
                 rendered(e.cli(options + contact), options.contains(u"--modern"_s), browser));
        QVERIFY(browser->window()->windowTitle().endsWith(u"faq.html"_s));
        // Nothing was written and nothing was asked.
        QVERIFY(QDir(e.f.html).isEmpty());
        QVERIFY(e.s.dialogs.messages.isEmpty() && e.s.dialogs.inputPrompts.isEmpty());
        QVERIFY(e.s.errors.reports.isEmpty());
        // The live page opens in the browser from a folder of the preview's own.
        child<QPushButton>(*browser->window(), u"openInBrowser"_s)->click();
        QCOMPARE(e.s.dialogs.opened.size(), 1);
        QCOMPARE(testutil::readBytes(e.s.dialogs.opened.constFirst()), e.cli(options + contact));
        QVERIFY(QDir(e.f.html).isEmpty());
        // Escape closes it.
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!browser->window()->isVisible());
    }

    // The background picture is shown from where the project names it, under
    // the lower-case name the page gives it; nothing is copied.
    void previewShowsBackgroundPicture_data()
    {
        QTest::addColumn<bool>("modern");
        QTest::newRow("classic") << false;
        QTest::newRow("modern") << true;
    }

    void previewShowsBackgroundPicture()
    {
        QFETCH(bool, modern);
        QTemporaryDir pictures;
        const QString picture = pictures.filePath(u"Hintergrund.PNG"_s);
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(picture));
        Opened e(project(picture, true));
        if (modern)
            e.click("modernPageBox");
        QTextBrowser *browser = e.preview();
        const QImage loaded =
            browser->document()
                ->resource(QTextDocument::ImageResource, QUrl(u"hintergrund.png"_s))
                .value<QImage>();
        QCOMPARE(loaded.pixelColor(3, 2), QColor(Qt::darkCyan));
        QVERIFY(QDir(e.f.html).isEmpty());
    }

    // The rich-text engine takes no colours from the body tag: the preview
    // gives the text and link colours of the project itself.
    void previewShowsThePageColors_data()
    {
        QTest::addColumn<QString>("textColor");
        QTest::addColumn<QString>("linkColor");
        QTest::addColumn<QColor>("text"); // invalid: the standard colour
        QTest::addColumn<QColor>("link");
        QTest::newRow("page colours")
            << "#F2F2F2"
            << "#FFD966" << QColor(0xF2, 0xF2, 0xF2) << QColor(0xFF, 0xD9, 0x66);
        QTest::newRow("no usable colours") << "rot"
                                           << "" << QColor() << QColor();
    }

    void previewShowsThePageColors()
    {
        QFETCH(QString, textColor);
        QFETCH(QString, linkColor);
        QFETCH(QColor, text);
        QFETCH(QColor, link);
        Opened e(project({}, false, textColor.toLatin1(), linkColor.toLatin1()));
        QTextBrowser *browser = e.preview();
        // The colour a piece of the page is drawn in; invalid: the standard one.
        const auto colorOf = [browser](const std::function<bool(const QTextFragment &)> &which) {
            for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it)
                    if (which(it.fragment())) {
                        const QTextCharFormat f = it.fragment().charFormat();
                        return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color()
                                                                           : QColor();
                    }
            return QColor(Qt::transparent);
        };
        QCOMPARE(colorOf([](const QTextFragment &f) { return f.text().contains(u"Q2"_s); }), text);
        const QColor anchor = colorOf([](const QTextFragment &f) {
            return f.charFormat().isAnchor() && !f.charFormat().anchorHref().isEmpty();
        });
        QVERIFY(anchor != QColor(Qt::transparent));
        QVERIFY(link.isValid() ? anchor == link : anchor != QColor(0xFF, 0xD9, 0x66));
    }

    // A page that cannot be composed shows why in the preview, without a
    // message box; a good project afterwards shows the page again.
    void previewOfABrokenProject_data()
    {
        QTest::addColumn<QByteArray>("broken"); // null: no file
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a project file")
            << QByteArray("Hallo\r\nWelt\r\n") << u"Keine Projektdatei"_s;
        QTest::newRow("keyword count not a number")
            << QByteArray(project()).replace(" 2 ", "viele") << u"Keyword count"_s;
        QTest::newRow("file gone") << QByteArray() << u"53"_s;
    }

    void previewOfABrokenProject()
    {
        QFETCH(QByteArray, broken);
        QFETCH(QString, reason);
        Opened e;
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->toPlainText().contains(pageTitle));
        auto *openInBrowser = child<QPushButton>(*browser->window(), u"openInBrowser"_s);
        QVERIFY(openInBrowser->isEnabled());

        const QString path = e.f.templates + u"seite.pdt"_s;
        if (broken.isNull())
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(testutil::writeBytes(path, broken));
        e.click("chklinks");
        const QString text = browser->toPlainText();
        QVERIFY2(text.contains(reason) && !text.contains(pageTitle), qPrintable(text));
        QVERIFY(!openInBrowser->isEnabled());
        QVERIFY(e.s.dialogs.messages.isEmpty());
        QVERIFY(e.s.errors.reports.isEmpty());

        QVERIFY(testutil::writeBytes(path, project()));
        e.click("chklinks");
        QVERIFY(browser->toPlainText().contains(pageTitle));
        QVERIFY(openInBrowser->isEnabled());
    }

    // The controls added to the export dialog lie inside it and clear of the others.
    void newControlsClearOfOthers()
    {
        Opened e;
        for (const char *name :
             {"modernPageBox", "previewButton", "pageLanguageLabel", "pageLanguage"}) {
            const QRect r = e.get(name)->geometry();
            QVERIFY(e.dialog->rect().contains(r));
            for (const char *other :
                 {"chkmail", "Frame1", "Shape1", "cmdgenerieren", "cmdhtmlraus"})
                QVERIFY2(!r.intersects(e.get(other)->geometry()), other);
        }
    }
};

QTEST_MAIN(tst_export)
#include "tst_export.moc"
