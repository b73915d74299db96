#include "app/paths.h"
#include "app/textcodec.h"
#include "database/faqfile.h"
#include "gui/session.h"
#include "html/exportdialog.h"
#include "html/pagepreview.h"
#include "project/contactstore.h"

#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextBrowser>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Session;

namespace {

const QString pageTitle = u"Fragen über Preise in €"_s;
const QString secondQuestion = u"Was kostet ein Kaffee in €?"_s;

// A page project in its file form; picture fills lines 8 and 9.
QByteArray projectFile(const QString &picture = {}, const QString &textColor = u"#000000"_s,
                       const QString &linkColor = u"#0000FF"_s)
{
    const QStringList lines{u"[Projektdatei für Askbright]"_s,
                            pageTitle,
                            textColor,
                            u"#1F2A44"_s,
                            u"#FF0000"_s,
                            u"#800080"_s,
                            linkColor,
                            picture,
                            picture.isEmpty() ? u"nein"_s : u"ja"_s,
                            u"faq"_s,
                            u"Autor"_s,
                            u"Beschreibung"_s,
                            u"mitte"_s,
                            u"Fett"_s,
                            QString(),
                            u"Verdana"_s,
                            u"+1"_s,
                            u"+2"_s,
                            u"links"_s,
                            u" 1 "_s,
                            u"preise"_s};
    return encodeCp1252(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

// The main window with a database of three records, a templates folder
// holding seite.pdt selected in the page list, an output folder, a stored
// contact address, and the export dialog open.
struct Export {
    Session s;
    QString templates = withTrailingSeparator(s.path(u"vorlagen"_s));
    QString html = withTrailingSeparator(s.path(u"html"_s));
    QString database = s.path(u"fragen.faq"_s);
    std::unique_ptr<ExportDialog> dialog;

    explicit Export(const QByteArray &project = projectFile())
    {
        QDir().mkpath(templates);
        QDir().mkpath(html);
        testutil::writeBytes(templates + u"seite.pdt"_s, project);
        QList<FaqRecord> records;
        for (const QString &question :
             {u"Wann öffnet das Café?"_s, secondQuestion, u"Gibt es Kuchen?"_s}) {
            FaqRecord r;
            r.question = question;
            r.answer = u"Antwort auf:\r\n"_s + question;
            r.createdDate = u"01.01.2020"_s;
            records << r;
        }
        faq_speichern(database, records);
        s.open(database);
        mail_speichern(s.state.dataFolder(), u"kontakt@example.org"_s);
        s.state.settings.HtmlOutputFolder = html;
        s.state.pages.setTemplatesFolder(templates);
        s.state.pages.rescan();
        s.state.pages.setPage(u"seite.pdt"_s);
        s.dialogs.messages.clear();
        open();
    }

    void open()
    {
        dialog = std::make_unique<ExportDialog>(s.context, &s.w());
        dialog->show();
    }

    template <typename T = QWidget> T *get(const char *name)
    {
        return testutil::child<T>(*dialog, QLatin1String(name));
    }
    void click(const char *name) { get<QAbstractButton>(name)->click(); }

    QTextBrowser *preview()
    {
        click("previewButton");
        return get<QTextBrowser>("pageView");
    }

    // The page as the command-line generator writes it for the same inputs.
    QByteArray cliPage(const QStringList &options) const
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
};

// The rich-text rendering of page bytes with the preview's default colours.
QString rendered(const QByteArray &page, bool modern, const QTextBrowser *preview)
{
    QTextBrowser browser;
    browser.document()->setDefaultStyleSheet(preview->document()->defaultStyleSheet());
    browser.setHtml(previewHtml(page, modern));
    return browser.toHtml();
}

const QStringList storedContact{u"--contact"_s, u"kontakt@example.org"_s};

} // namespace

class tst_preview : public QObject {
    Q_OBJECT
private slots:
    // The modern box and the page language reach the page written.
    void modernPageWritten()
    {
        Export e;
        QVERIFY(!e.get("pageLanguage")->isEnabled());
        e.click("modernPageBox");
        QVERIFY(e.get("pageLanguage")->isEnabled());
        QTest::keyClick(e.get("pageLanguage"), Qt::Key_Down); // from German to English
        e.click("cmdgenerieren");
        QCOMPARE(
            testutil::readBytes(e.html + u"faq.html"_s),
            e.cliPage(QStringList{u"--modern"_s, u"--page-language"_s, u"en"_s} + storedContact));
        QVERIFY(e.s.errors.reports.isEmpty());
    }

    // The modern choice outlives the dialog for the session; the other
    // options start from their defaults at every opening.
    void modernChoiceKeptForTheSession()
    {
        Export e;
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
        Export e;
        if (!stored)
            QVERIFY(QFile::remove(QDir(e.s.state.dataFolder()).filePath(contactFileName)));
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->window()->isVisible());
        const QStringList contact =
            stored && control != u"chkmail"_s ? storedContact : QStringList();
        const QString before = browser->toHtml();
        QCOMPARE(before,
                 rendered(e.cliPage(stored ? storedContact : QStringList()), false, browser));

        e.click(control.toLatin1().constData());
        const QString after = browser->toHtml();
        QVERIFY(after != before);
        QCOMPARE(after,
                 rendered(e.cliPage(options + contact), options.contains(u"--modern"_s), browser));
        QVERIFY(browser->window()->windowTitle().endsWith(u"faq.html"_s));
        // Nothing was written and nothing was asked.
        QVERIFY(QDir(e.html).isEmpty());
        QVERIFY(e.s.dialogs.messages.isEmpty() && e.s.dialogs.inputPrompts.isEmpty());
        QVERIFY(e.s.errors.reports.isEmpty());
        // The live page opens in the browser from a folder of the preview's own.
        testutil::child<QPushButton>(*browser->window(), u"openInBrowser"_s)->click();
        QCOMPARE(e.s.dialogs.opened.size(), 1);
        QCOMPARE(testutil::readBytes(e.s.dialogs.opened.constFirst()),
                 e.cliPage(options + contact));
        QVERIFY(QDir(e.html).isEmpty());
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
        Export e(projectFile(picture));
        if (modern)
            e.click("modernPageBox");
        QTextBrowser *browser = e.preview();
        const QImage loaded =
            browser->document()
                ->resource(QTextDocument::ImageResource, QUrl(u"hintergrund.png"_s))
                .value<QImage>();
        QCOMPARE(loaded.pixelColor(3, 2), QColor(Qt::darkCyan));
        QVERIFY(QDir(e.html).isEmpty());
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
        Export e(projectFile({}, textColor, linkColor));
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
        QCOMPARE(colorOf([](const QTextFragment &f) { return f.text().contains(secondQuestion); }),
                 text);
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
        QTest::addColumn<QByteArray>("project"); // null: no file
        QTest::addColumn<QString>("reason");
        QTest::newRow("not a project file")
            << QByteArray("Hallo\r\nWelt\r\n") << u"Keine Projektdatei"_s;
        QTest::newRow("keyword count not a number")
            << QByteArray(projectFile()).replace(" 1 ", "viele") << u"Keyword count"_s;
        QTest::newRow("file gone") << QByteArray() << u"53"_s;
    }

    void previewOfABrokenProject()
    {
        QFETCH(QByteArray, project);
        QFETCH(QString, reason);
        Export e;
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->toPlainText().contains(pageTitle));
        auto *openInBrowser = testutil::child<QPushButton>(*browser->window(), u"openInBrowser"_s);
        QVERIFY(openInBrowser->isEnabled());

        const QString path = e.templates + u"seite.pdt"_s;
        if (project.isNull())
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(testutil::writeBytes(path, project));
        e.click("chklinks");
        const QString text = browser->toPlainText();
        QVERIFY2(text.contains(reason) && !text.contains(pageTitle), qPrintable(text));
        QVERIFY(!openInBrowser->isEnabled());
        QVERIFY(e.s.dialogs.messages.isEmpty());
        QVERIFY(e.s.errors.reports.isEmpty());

        QVERIFY(testutil::writeBytes(path, projectFile()));
        e.click("chklinks");
        QVERIFY(browser->toPlainText().contains(pageTitle));
        QVERIFY(openInBrowser->isEnabled());
    }

    // The controls added to the export dialog lie inside it and clear of the others.
    void newControlsClearOfOthers()
    {
        Export e;
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

QTEST_MAIN(tst_preview)
#include "tst_preview.moc"
