#include "app/paths.h"
#include "appearance/schemefile.h"
#include "gui/session.h"
#include "html/exportdialog.h"
#include "html/layoutpictures.h"
#include "html/pagepreview.h"
#include "project/contactstore.h"

#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

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
const QStringList storedContact{u"--contact"_s, u"kontakt@example.org"_s};

// The rich-text rendering of page bytes with the preview's default colours.
QString rendered(const QByteArray &page, bool modern, const QTextBrowser *preview)
{
    QTextBrowser browser;
    browser.document()->setDefaultStyleSheet(preview->document()->defaultStyleSheet());
    browser.setHtml(previewHtml(page, modern));
    return browser.toHtml();
}

// A run with three records open (answers with a line break), seite.pdt
// selected and a stored contact address.
struct Run {
    // Outside the program folder: templates, the HTML output and pictures.
    QTemporaryDir dir;
    QString templates = withTrailingSeparator(dir.filePath(u"vorlagen"_s));
    QString html = withTrailingSeparator(dir.filePath(u"html"_s));
    QString pictures = withTrailingSeparator(dir.filePath(u"bilder"_s));
    Session s;
    QString database = s.path(u"a.faq"_s);
    QString page = html + u"faq.html"_s;
    std::unique_ptr<ExportDialog> dialog;

    explicit Run(const QByteArray &seite = project(), const QString &htmlSetting = u"{{HTML}}"_s)
        : s([&](Session &s) { // the window starts with the folders and a page project
              for (const QString &folder : {templates, html, pictures})
                  QDir().mkpath(folder);
              testutil::writeBytes(templates + u"seite.pdt"_s, project());
              testutil::writeBytes(s.state.settingsFilePath(),
                                   testutil::settingsBytes([&](AppSettings &a) {
                                       a.soundsOn = true;
                                       a.TemplatesFolder = templates;
                                       a.lastTemplatePage = u"seite.pdt"_s;
                                       a.HtmlOutputFolder = expand(htmlSetting);
                                   }));
          })
    {
        testutil::writeBytes(templates + u"seite.pdt"_s, seite);
        QList<FaqRecord> records = Session::numberedRecords(3);
        for (FaqRecord &record : records)
            record.answer = u"Antwort\r\nauf "_s + record.question;
        faq_speichern(database, records);
        s.open(database);
        mail_speichern(s.state.dataFolder(), u"kontakt@example.org"_s);
        s.dialogs.messages.clear();
        s.sounds.played.clear();
    }

    // {{HTML}}: the output folder, {{HTML-}} without its separator, {{HTML\}}
    // with backslashes as settings from Windows hold it.
    QString expand(QString text) const
    {
        return text.replace(u"{{HTML\\}}"_s, QString(html).replace(u'/', u'\\'))
            .replace(u"{{HTML-}}"_s, html.chopped(1))
            .replace(u"{{HTML}}"_s, html);
    }
    // The dialog directly over the main window.
    ExportDialog &open()
    {
        dialog = std::make_unique<ExportDialog>(s.context, &s.w());
        dialog->show();
        return *dialog;
    }
    // The export command; while its dialog is shown modally, act runs on it.
    // Returns whether the dialog was shown.
    bool viaCommand(const std::function<void(ExportDialog &)> &act)
    {
        bool shown = false;
        QObject guard; // gone with this call, so the timer never fires later
        QTimer::singleShot(0, &guard, [&] {
            auto *d = s.w().findChild<ExportDialog *>();
            if (!d || !d->isVisible())
                return;
            shown = true;
            act(*d);
            if (d->isVisible())
                d->reject();
        });
        s.w().onExportPageTriggered();
        return shown;
    }
    template <typename T = QWidget> T *get(const char *name) { return child<T>(*dialog, name); }
    void click(const char *name) { get<QAbstractButton>(name)->click(); }
    // The page as the command-line generator writes it for the same inputs.
    QByteArray cli(const QStringList &options) const
    {
        QTemporaryDir out;
        QProcess process;
        process.start(QStringLiteral(ASKBRIGHT_CLI),
                      QStringList{u"generate"_s, u"--database"_s, database, u"--project"_s,
                                  templates + u"seite.pdt"_s, u"--output"_s, out.path(),
                                  u"--date"_s, u"2026-12-06"_s} +
                          options);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            qWarning() << "cli:" << process.readAllStandardError();
        return testutil::readBytes(out.filePath(u"faq.html"_s));
    }
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
    // Through the export command, generated with Return: the page equals the
    // command-line generator's, the browser opens it and the notice says where
    // it is, and where the picture must go with it. The preview shows the
    // picture from where the project names it, under the lower-case name the
    // page gives it, and copies nothing.
    void pageAndNotice_data()
    {
        QTest::addColumn<QString>("htmlSetting");
        QTest::addColumn<QString>("options"); // the dialog's changes, as the CLI's options
        QTest::addColumn<QString>("picture"); // "": none, "used", "unused"
        QTest::newRow("output folder with backslashes")
            << u"{{HTML\\}}"_s << QString() << QString();
        QTest::newRow("background picture") << u"{{HTML}}"_s << u"--layout 2"_s << u"used"_s;
        // The hint shows the path as read after the folder.
        QTest::newRow("picture named, not used") << u"{{HTML}}"_s << u"--pre"_s << u"unused"_s;
        // The language list is open only for the modern page.
        QTest::newRow("modern page in English")
            << u"{{HTML}}"_s << u"--modern --page-language en"_s << u"used"_s;
    }

    void pageAndNotice()
    {
        QFETCH(QString, htmlSetting);
        QFETCH(QString, options);
        QFETCH(QString, picture);
        Run r(project(), htmlSetting);
        const QString picturePath = r.pictures + u"Hintergrund.PNG"_s;
        if (!picture.isEmpty()) {
            QImage image(6, 4, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QVERIFY(image.save(picturePath, "PNG"));
            QVERIFY(testutil::writeBytes(r.templates + u"seite.pdt"_s,
                                         project(picturePath, picture == u"used"_s)));
        }
        const QStringList changes = options.split(u' ', Qt::SkipEmptyParts);
        QVERIFY(r.viaCommand([&](ExportDialog &d) {
            if (changes.contains(u"--layout"_s))
                child<QAbstractButton>(d, "optl2")->click();
            if (changes.contains(u"--pre"_s))
                child<QAbstractButton>(d, "chkpre")->click();
            if (changes.contains(u"--modern"_s)) {
                child<QAbstractButton>(d, "modernPageBox")->click();
                QTest::keyClick(child<QWidget>(d, "pageLanguage"), Qt::Key_Down); // to English
            }
            child<QAbstractButton>(d, "chkmail")->click(); // no contact block, nothing asked
            if (picture == u"used"_s) {
                child<QAbstractButton>(d, "previewButton")->click();
                auto *view = child<QTextBrowser>(d, "pageView");
                const QUrl url(u"hintergrund.png"_s);
                const QVariant shown =
                    view->document()->resource(QTextDocument::ImageResource, url);
                QCOMPARE(shown.value<QImage>().pixelColor(3, 2), QColor(Qt::darkCyan));
                QVERIFY(QDir(r.html).isEmpty());
            }
            QTest::keyClick(&d, Qt::Key_Return);
            QVERIFY(!d.isVisible());
        }));

        QCOMPARE(testutil::readBytes(r.page), r.cli(changes));
        QCOMPARE(r.s.dialogs.opened, QStringList{r.page});
        QCOMPARE(r.s.dialogs.messages.size(), 1);
        const QString notice = r.s.dialogs.messages.first().text;
        const QString shownFolder = r.s.state.settings.HtmlOutputFolder;
        QVERIFY2(notice.contains(u'"' + shownFolder + u"faq.html\""_s), qPrintable(notice));
        const QString hint =
            picture.isEmpty()
                ? QString()
                : shownFolder + (picture == u"used"_s ? u"hintergrund.png"_s : picturePath);
        QCOMPARE(notice.contains(u"\r\""_s + hint + u'"'), !hint.isEmpty());
        QCOMPARE(QFileInfo::exists(r.html + u"hintergrund.png"_s), picture == u"used"_s);
        const QString g = u"generieren"_s;
        QCOMPARE(r.s.sounds.played, (changes.contains(u"--layout"_s) ? QStringList{g, u"menu"_s, g}
                                                                     : QStringList{g, g}));
        QVERIFY(r.s.errors.reports.isEmpty());
    }

    // The contact address: read from the store, asked for while it is wanted
    // and missing, stored only when typed.
    void contactAddress_data()
    {
        QTest::addColumn<QByteArray>("store"); // null: no mail.dat
        QTest::addColumn<bool>("useMail");     // chkmail
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<int>>("answers"); // to the retry question
        QTest::addColumn<QString>("mailto");     // "": no contact block
        QTest::addColumn<QByteArray>("stored");  // mail.dat afterwards, null: none
        const QByteArray plain = "1.2.5\r\na@b.de\r\n";
        const QByteArray none;
        const QStringList typed{"neu@example.org"};
        const QByteArray typedStored = "1.2.5\r\nneu@example.org\r\n";
        QTest::newRow("stored address asks nothing")
            << plain << true << QStringList{} << QList<int>{} << "a@b.de" << plain;
        QTest::newRow("typed address is stored")
            << none << true << typed << QList<int>{} << typed[0] << typedStored;
        QTest::newRow("no @ and No: used and stored as typed")
            << none << true << QStringList{"ohne-at"} << QList<int>{AnswerNo} << "ohne-at"
            << QByteArray("1.2.5\r\nohne-at\r\n");
        QTest::newRow("no @ and Yes asks again")
            << none << true << QStringList{"falsch", typed[0]} << QList<int>{AnswerYes} << typed[0]
            << typedStored;
        QTest::newRow("cancelled and No: no contact, nothing stored")
            << none << true << QStringList{""} << QList<int>{AnswerNo} << "" << none;
        QTest::newRow("unchecked leaves the store alone")
            << plain << false << QStringList{} << QList<int>{} << "" << plain;
        QTest::newRow("unchecked without a store asks nothing")
            << none << false << QStringList{} << QList<int>{} << "" << none;
    }

    void contactAddress()
    {
        QFETCH(QByteArray, store);
        QFETCH(bool, useMail);
        QFETCH(QStringList, inputs);
        QFETCH(QList<int>, answers);
        QFETCH(QString, mailto);
        QFETCH(QByteArray, stored);
        Run r;
        const QString storePath = r.s.state.dataFolder() + contactFileName;
        QVERIFY(store.isNull() ? QFile::remove(storePath) : testutil::writeBytes(storePath, store));
        r.s.dialogs.inputs = inputs;
        r.s.dialogs.answers = answers;
        ExportDialog &d = r.open();
        r.get<QCheckBox>("chkmail")->setChecked(useMail);
        d.onGenerateClicked();

        QCOMPARE(r.s.dialogs.inputPrompts.size(), inputs.size());
        // A retry question for each answer, then the notice.
        QCOMPARE(r.s.dialogs.messages.size(), answers.size() + 1);
        if (!answers.isEmpty())
            QCOMPARE(r.s.dialogs.messages.first().buttons, MessageButtons::YesNo);
        QCOMPARE(r.s.state.contactAddress, mailto);
        const QByteArray page = testutil::readBytes(r.page);
        QVERIFY(page.startsWith("<html>"));
        QCOMPARE(page.contains("mailto:" + mailto.toLatin1() + '?'), !mailto.isEmpty());
        QCOMPARE(page.contains("mailto:"), !mailto.isEmpty());
        QCOMPARE(testutil::readBytes(storePath), stored);
        QCOMPARE(QFileInfo::exists(storePath), !stored.isNull());
    }

    // The export command saves unsaved changes first and needs an output
    // folder; what it lacks stops it before the dialog.
    void exportCommand_data()
    {
        QTest::addColumn<QString>("edit");   // "", "typed", "emptied"
        QTest::addColumn<QString>("stored"); // HtmlOutputFolder at start
        QTest::addColumn<QString>("chosen"); // what the folder browser gives
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("folder"); // HtmlOutputFolder afterwards
        const QString html = u"{{HTML}}"_s;
        QTest::newRow("edited: saved, then shown")
            << u"typed"_s << html << QString() << true << html;
        QTest::newRow("save refused: empty record")
            << u"emptied"_s << html << QString() << false << html;
        QTest::newRow("no folder, browser cancelled")
            << QString() << QString() << QString() << false << QString();
        QTest::newRow("no folder, chosen without separator")
            << QString() << QString() << u"{{HTML-}}"_s << true << html;
    }

    void exportCommand()
    {
        QFETCH(QString, edit);
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        QFETCH(QString, folder);
        Run r(project(), stored);
        if (!edit.isEmpty())
            r.s.type(edit == u"typed"_s ? u"Q1 edited"_s : QString(),
                     edit == u"typed"_s ? u"A1"_s : QString());
        r.s.dialogs.folders << r.expand(chosen);

        // The leave button closes without writing.
        QTEST(r.viaCommand([](ExportDialog &d) {
            child<QAbstractButton>(d, "cmdhtmlraus")->click();
            QVERIFY(!d.isVisible());
        }),
              "shown");
        QVERIFY(QDir(r.html).isEmpty());
        const bool refused = edit == u"emptied"_s;
        QCOMPARE(r.s.dialogs.messages.size(), int(refused));
        QCOMPARE(r.s.state.database.hasUnsavedChanges(), refused);
        QCOMPARE(faq_einlesen(r.database).at(0).question,
                 edit == u"typed"_s ? u"Q1 edited"_s : u"Q1"_s);
        QCOMPARE(r.s.dialogs.folderPrompts.size(), int(stored.isEmpty()));
        QCOMPARE(r.s.state.settings.HtmlOutputFolder, r.expand(folder));
        QCOMPARE(r.s.get<QLabel>("lblhtml")->text(), r.expand(folder));
        QCOMPARE(r.s.sounds.played.count(u"generieren"_s), int(!refused));
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
    }

    void failedRuns()
    {
        QFETCH(QString, page);
        QFETCH(QByteArray, content);
        QFETCH(bool, folderKept);
        Run r;
        if (!content.isNull())
            QVERIFY(testutil::writeBytes(r.templates + page, content));
        r.s.state.pages.setPage(page);
        r.open().onGenerateClicked();
        QVERIFY(!r.dialog->isVisible());
        QCOMPARE(r.s.dialogs.messages.size(), 1); // the generator's reason
        QVERIFY(r.s.dialogs.opened.isEmpty());
        QVERIFY(QDir(r.html).isEmpty());
        QCOMPARE(r.s.state.settings.HtmlOutputFolder, folderKept ? r.html : QString());
        QCOMPARE(r.s.get<QLabel>("lblhtml")->text(), folderKept ? r.html : QString());
    }

    // The layout pictures show the page's words in the interface language,
    // each picture its own layout.
    void layoutPictures()
    {
        Run r;
        ExportDialog &d = r.open();
        for (const Language language : {Language::English, Language::German}) {
            d.retranslate(language);
            for (const char *name : {"Picture1", "Picture2", "Picture1e", "Picture2e"})
                QCOMPARE(r.get(name)->isVisible(), language.isEnglish() == (name[8] == 'e'));
        }
        QList<QImage> pictures;
        for (const Language language : {Language::German, Language::English})
            for (const AnswerLayout layout :
                 {AnswerLayout::WithQuestions, AnswerLayout::AnswersOnly}) {
                const QImage picture = layoutPicture(layout, language).toImage();
                QVERIFY(!pictures.contains(picture));
                pictures << picture;
            }
    }

    // Colours that were never loaded or whose file is gone would paint
    // everything black: the design colours stay.
    void placementAndColours_data()
    {
        QTest::addColumn<QString>("scheme"); // "missing", "usable", "unloaded"
        QTest::addColumn<bool>("painted");
        QTest::newRow("scheme file gone") << "missing" << false;
        QTest::newRow("usable scheme") << "usable" << true;
        QTest::newRow("usable scheme, colours never loaded") << "unloaded" << false;
    }

    void placementAndColours()
    {
        QFETCH(QString, scheme);
        QFETCH(bool, painted);
        Run r;
        r.s.w().onAlwaysOnTopTriggered();
        const ColorScheme colours{{0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF}};
        if (scheme != u"unloaded"_s)
            r.s.state.currentColors = colours;
        const QString file = r.s.state.settings.schemeFilePath = r.s.path(u"farben.sch"_s);
        if (scheme != u"missing"_s)
            QVERIFY(testutil::writeBytes(file, formatScheme(colours)));

        ExportDialog d(r.s.context, &r.s.w());
        QVERIFY(d.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const QRect main = r.s.w().frameGeometry(), own = d.frameGeometry();
        // Centred before it has its frame: a pixel of frame either way.
        const QPoint centred(main.x() + main.width() / 2 - own.width() / 2,
                             main.y() + main.height() / 2 - own.height() / 2);
        QVERIFY((own.topLeft() - centred).manhattanLength() <= 2);
        const auto color = [&](const char *name, QPalette::ColorRole role) {
            return child<QWidget>(d, name)->palette().color(role);
        };
        QCOMPARE(color("modernPageBox", QPalette::Window) == QColor(Qt::blue), painted);
        QCOMPARE(color("Label1", QPalette::WindowText) == QColor(Qt::green), painted);
        QCOMPARE(color("Shape1", QPalette::Window) == QColor(Qt::red), painted);
        QCOMPARE(child<Button3D>(d, "previewButton")->faceColor(),
                 painted ? std::optional<qint32>(0x0000FF) : std::nullopt);
    }

    // The modern choice outlives the dialog for the session; the other
    // options start from their defaults at every opening.
    void optionsAtReopening()
    {
        Run r;
        r.open();
        for (const char *control : {"optl2", "Check1", "chklinks", "chkpre", "chkmail"})
            r.click(control);
        QVERIFY(!r.get("pageLanguage")->isEnabled());
        r.click("modernPageBox");
        QVERIFY(!r.get("optl2")->isEnabled()); // no effect on the modern page
        r.open();
        ExportOptions modern;
        modern.modernPage = true;
        QCOMPARE(r.dialog->options(), modern);
        QVERIFY(r.get<QCheckBox>("modernPageBox")->isChecked());
        QVERIFY(r.get<QRadioButton>("optl1")->isChecked());
        r.click("modernPageBox");
        r.open();
        QVERIFY(!r.get<QCheckBox>("modernPageBox")->isChecked());
        QVERIFY(r.get("optl2")->isEnabled());
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
        QTest::newRow("contact unticked") << "chkmail" << QStringList{} << true;
        // Generating would ask for an address; the preview asks nothing.
        QTest::newRow("pre, no address stored") << "chkpre" << QStringList{u"--pre"_s} << false;
        QTest::newRow("modern") << "modernPageBox" << QStringList{u"--modern"_s} << true;
    }

    void previewFollowsOptions()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, options);
        QFETCH(bool, stored);
        Run r;
        if (!stored)
            QVERIFY(QFile::remove(r.s.state.dataFolder() + contactFileName));
        r.open();
        QTextBrowser *browser = r.preview();
        QVERIFY(browser->window()->isVisible());
        const QStringList contact =
            stored && control != u"chkmail"_s ? storedContact : QStringList();
        const QString before = browser->toHtml();
        QCOMPARE(before, rendered(r.cli(stored ? storedContact : QStringList()), false, browser));

        r.click(control.toLatin1().constData());
        const QString after = browser->toHtml();
        QVERIFY(after != before);
        QCOMPARE(after,
                 rendered(r.cli(options + contact), options.contains(u"--modern"_s), browser));
        // Nothing was written and nothing was asked.
        QVERIFY(QDir(r.html).isEmpty());
        QVERIFY(r.s.dialogs.messages.isEmpty() && r.s.dialogs.inputPrompts.isEmpty());
        QVERIFY(r.s.errors.reports.isEmpty());
        // The live page opens in the browser from a folder of the preview's own.
        child<QPushButton>(*browser->window(), u"openInBrowser"_s)->click();
        QCOMPARE(r.s.dialogs.opened.size(), 1);
        QCOMPARE(testutil::readBytes(r.s.dialogs.opened.constFirst()), r.cli(options + contact));
        QVERIFY(QDir(r.html).isEmpty());
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!browser->window()->isVisible());
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
            << u"#F2F2F2"_s << u"#FFD966"_s << QColor(0xF2, 0xF2, 0xF2) << QColor(0xFF, 0xD9, 0x66);
        QTest::newRow("no usable colours") << u"rot"_s << QString() << QColor() << QColor();
    }

    void previewShowsThePageColors()
    {
        QFETCH(QString, textColor);
        QFETCH(QString, linkColor);
        QFETCH(QColor, link);
        Run r(project({}, false, textColor.toLatin1(), linkColor.toLatin1()));
        r.open();
        QTextBrowser *browser = r.preview();
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
        QTEST(colorOf([](const QTextFragment &f) { return f.text().contains(u"Q2"_s); }), "text");
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
        QTest::newRow("file gone") << QByteArray() << u"53"_s;
    }

    void previewOfABrokenProject()
    {
        QFETCH(QByteArray, broken);
        QFETCH(QString, reason);
        Run r;
        r.open();
        QTextBrowser *browser = r.preview();
        QVERIFY(browser->toPlainText().contains(pageTitle));
        auto *openInBrowser = child<QPushButton>(*browser->window(), u"openInBrowser"_s);
        QVERIFY(openInBrowser->isEnabled());

        const QString path = r.templates + u"seite.pdt"_s;
        QVERIFY(broken.isNull() ? QFile::remove(path) : testutil::writeBytes(path, broken));
        r.click("chklinks");
        const QString text = browser->toPlainText();
        QVERIFY2(text.contains(reason) && !text.contains(pageTitle), qPrintable(text));
        QVERIFY(!openInBrowser->isEnabled());
        QVERIFY(r.s.dialogs.messages.isEmpty());
        QVERIFY(r.s.errors.reports.isEmpty());

        QVERIFY(testutil::writeBytes(path, project()));
        r.click("chklinks");
        QVERIFY(browser->toPlainText().contains(pageTitle));
        QVERIFY(openInBrowser->isEnabled());
    }
};

QTEST_MAIN(tst_export)
#include "tst_export.moc"
