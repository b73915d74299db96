#include "app/paths.h"
#include "app/textcodec.h"
#include "database/faqfile.h"
#include "gui/captions.h"
#include "gui/session.h"
#include "html/exportdialog.h"
#include "html/pagepreview.h"
#include "project/contactstore.h"
#include "project/layouteditordialog.h"
#include "project/projectfile.h"

#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextList>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Session;

namespace {

const QString pageTitle = u"Fragen über Preise in €"_s;
const QString secondQuestion = u"Was kostet ein Kaffee in €?"_s;

// A page project in its file form; picture fills lines 8 and 9.
QByteArray projectFile(const QString &picture = {}, const QString &textColor = u"#000000"_s,
                       const QString &bgColor = u"#FFFFFF"_s,
                       const QString &linkColor = u"#0000FF"_s)
{
    const QString lines[] = {u"[Projektdatei für Askbright]"_s,
                             pageTitle,
                             textColor,
                             bgColor,
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
    QString text;
    for (const QString &line : lines)
        text += line + u"\r\n"_s;
    return encodeCp1252(text);
}

// The main window with a database of three records, a templates folder
// holding seite.pdt selected in the page list, an output folder and a stored
// contact address.
struct Export {
    Session s;
    QString templates = withTrailingSeparator(s.path(u"vorlagen"_s));
    QString html = withTrailingSeparator(s.path(u"html"_s));
    QString database = s.path(u"fragen.faq"_s);
    std::unique_ptr<ExportDialog> dialog;

    explicit Export(Language language = Language::German, const QByteArray &project = projectFile())
    {
        s.state.setLanguage(language);
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
    }

    ExportDialog &open()
    {
        dialog = std::make_unique<ExportDialog>(s.context, &s.w());
        dialog->show();
        return *dialog;
    }

    template <typename T> T *get(const char *name)
    {
        return testutil::child<T>(*dialog, QLatin1String(name));
    }
    void click(const char *name) { get<QAbstractButton>(name)->click(); }

    QTextBrowser *preview()
    {
        click("cmdvorschau");
        return get<QTextBrowser>("txtvorschau");
    }

    // The page as the command-line generator writes it for the same inputs.
    QByteArray cliPage(const QStringList &options) const
    {
        QTemporaryDir out;
        QProcess process;
        process.start(QStringLiteral(ASKBRIGHT_CLI),
                      QStringList{u"generate"_s, u"--database"_s, database, u"--project"_s,
                                  templates + u"seite.pdt"_s, u"--output"_s, out.path(),
                                  u"--date"_s, u"2026-12-06"_s, u"--language"_s,
                                  s.state.language().isGerman() ? u"deutsch"_s : u"englisch"_s} +
                          options);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            qWarning() << "cli:" << process.readAllStandardError();
        return testutil::readBytes(out.filePath(u"faq.html"_s));
    }
};

// The rich-text rendering of page bytes, decoded as the page declares, with
// the preview's default colours.
QString rendered(const QByteArray &page, bool modern, const QTextBrowser *preview)
{
    QTextBrowser browser;
    browser.document()->setDefaultStyleSheet(preview->document()->defaultStyleSheet());
    browser.setHtml(previewHtml(page, modern));
    return browser.toHtml();
}

// The list numbers of the preview's paragraphs, in order.
QStringList numbered(const QTextBrowser *browser)
{
    QStringList numbers;
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
        if (b.textList())
            numbers << b.textList()->itemText(b);
    }
    return numbers;
}

// Clicks the dialog's controls that stand for the command-line options.
void applyOptions(Export &e, const QStringList &options)
{
    const std::pair<const char *, const char *> controls[] = {
        {"--layout", "optl2"}, {"--no-paragraphs", "Check1"}, {"--links-same-size", "chklinks"},
        {"--pre", "chkpre"},   {"--modern", "chkmodern"},
    };
    for (const auto &[option, control] : controls)
        if (options.contains(QLatin1String(option)))
            e.click(control);
    // From the interface's German to English.
    if (options.contains(u"--page-language"_s))
        QTest::keyClick(e.get<QComboBox>("pageLanguage"), Qt::Key_Down);
}

// The layout editor opened for a page project with these colours.
struct Colors {
    Session s;
    QString templates = withTrailingSeparator(s.path(u"vorlagen"_s));
    std::unique_ptr<LayoutEditorDialog> editor;

    Colors(Language language, const QStringList &colors) // text, background, active, visited, new
    {
        s.state.setLanguage(language);
        QDir().mkpath(templates);
        PageProject p;
        p.title = pageTitle;
        p.textColor = colors[0];
        p.bgColor = colors[1];
        p.alinkColor = colors[2];
        p.vlinkColor = colors[3];
        p.linkColor = colors[4];
        p.pictureUse = PictureUse::NotUsed;
        p.pageFileName = u"faq"_s;
        p.fontName = u"Arial"_s;
        p.titleSize = u"16"_s;
        p.textSize = u"12"_s;
        savePageProject(templates + u"a.pdt"_s, p, {});
        s.state.pages.setTemplatesFolder(templates);
        s.state.pages.rescan();
        s.state.pages.setPage(u"a.pdt"_s);
        editor = std::make_unique<LayoutEditorDialog>(s.context, &s.w());
        editor->show();
    }

    template <typename T = QLabel> T *get(const char *name)
    {
        return testutil::child<T>(*editor, QLatin1String(name));
    }
    bool marked(const char *name)
    {
        return get(name)->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
    // The four contrast labels: text, new, visited and active link.
    QStringList shown()
    {
        QStringList texts;
        for (const char *name : {"lblkontrasttext", "lblkontrastneulink", "lblkontrastaltlink",
                                 "lblkontrastaktivlink"})
            texts << get(name)->text() + (marked(name) ? u" [rot]"_s : QString());
        return texts;
    }
};

} // namespace

class tst_preview : public QObject {
    Q_OBJECT
private slots:
    // The page written with the modern box ticked or not is the command-line
    // generator's page for the same options.
    void generatedPage_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("options");

        QTest::newRow("classic, defaults") << false << QStringList{};
        QTest::newRow("classic, all options, English")
            << true
            << QStringList{u"--layout"_s, u"2"_s, u"--no-paragraphs"_s, u"--links-same-size"_s,
                           u"--pre"_s};
        QTest::newRow("modern, English page")
            << false << QStringList{u"--modern"_s, u"--page-language"_s, u"en"_s};
        QTest::newRow("modern, links same size, English")
            << true << QStringList{u"--modern"_s, u"--links-same-size"_s};
    }

    void generatedPage()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, options);
        Export e(english ? Language::English : Language::German);
        e.open();
        applyOptions(e, options);
        e.click("cmdgenerieren");

        const QByteArray written = testutil::readBytes(e.html + u"faq.html"_s);
        const bool modern = options.contains(u"--modern"_s);
        QVERIFY(written.startsWith(modern ? "<!DOCTYPE html>" : "<html>\r\n"));
        QCOMPARE(written,
                 e.cliPage(options + QStringList{u"--contact"_s, u"kontakt@example.org"_s}));
        QCOMPARE(e.s.state.exportOptions.modernPage, modern);
        QVERIFY(e.s.errors.reports.isEmpty());
    }

    // The modern choice outlives the dialog for the session; the other
    // options start from their defaults at every opening.
    void modernChoiceKeptForTheSession()
    {
        Export e;
        e.open();
        e.click("chkmodern");
        // The layout has no effect on the modern page.
        QVERIFY(!e.get<QRadioButton>("optl2")->isEnabled());
        e.click("optl2");
        e.dialog.reset();
        e.open();
        QVERIFY(e.get<QCheckBox>("chkmodern")->isChecked());
        QVERIFY(e.get<QRadioButton>("optl1")->isChecked());
        QCOMPARE(e.s.state.exportOptions.answerLayout, AnswerLayout::WithQuestions);
        QVERIFY(e.s.state.exportOptions.modernPage);
        e.click("chkmodern");
        e.dialog.reset();
        e.open();
        QVERIFY(!e.get<QCheckBox>("chkmodern")->isChecked());
        QVERIFY(!e.s.state.exportOptions.modernPage);
        QVERIFY(e.get<QRadioButton>("optl2")->isEnabled());
    }

    // The preview renders the bytes a generation would write with the
    // dialog's options at that moment, following every option as it changes.
    void previewFollowsOptions_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("stored"); // a contact address in the store
        QTest::addColumn<bool>("mail");   // chkmail left ticked

        QTest::newRow("layout 2") << false << QStringList{u"--layout"_s, u"2"_s} << true << true;
        QTest::newRow("no paragraphs")
            << false << QStringList{u"--no-paragraphs"_s} << true << true;
        QTest::newRow("links same size")
            << true << QStringList{u"--links-same-size"_s} << true << true;
        QTest::newRow("pre") << false << QStringList{u"--pre"_s} << true << true;
        QTest::newRow("contact unticked") << false << QStringList{} << true << false;
        // Generating would ask for an address; the preview asks nothing.
        QTest::newRow("no address stored") << false << QStringList{u"--pre"_s} << false << true;
        QTest::newRow("modern") << false << QStringList{u"--modern"_s} << true << true;
        QTest::newRow("modern, English, layout 2")
            << true << QStringList{u"--modern"_s, u"--layout"_s, u"2"_s} << true << true;
    }

    void previewFollowsOptions()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, options);
        QFETCH(bool, stored);
        QFETCH(bool, mail);
        Export e(english ? Language::English : Language::German);
        if (!stored)
            QVERIFY(QFile::remove(QDir(e.s.state.dataFolder()).filePath(contactFileName)));
        e.open();
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->window()->isVisible());
        const QStringList contact =
            stored ? QStringList{u"--contact"_s, u"kontakt@example.org"_s} : QStringList();
        const QString before = browser->toHtml();
        QCOMPARE(before, rendered(e.cliPage(contact), false, browser));
        QVERIFY(browser->toPlainText().contains(pageTitle));
        QVERIFY(browser->toPlainText().contains(secondQuestion));
        QCOMPARE(numbered(browser),
                 (QStringList{u"1."_s, u"2."_s, u"3."_s, u"1."_s, u"2."_s, u"3."_s}));

        applyOptions(e, options);
        if (!mail)
            e.click("chkmail");
        const bool modern = options.contains(u"--modern"_s);
        const QString after = browser->toHtml();
        QVERIFY(after != before);
        QCOMPARE(after,
                 rendered(e.cliPage(options + (mail ? contact : QStringList())), modern, browser));
        QVERIFY(browser->toPlainText().contains(pageTitle));
        QVERIFY(browser->toPlainText().contains(secondQuestion));
        QCOMPARE(browser->window()->windowTitle(),
                 (english ? u"Preview: "_s : u"Vorschau: "_s) + u"faq.html"_s);
        // Nothing was written and nothing was asked.
        QVERIFY(QDir(e.html).isEmpty());
        QVERIFY(e.s.dialogs.messages.isEmpty());
        QVERIFY(e.s.dialogs.inputPrompts.isEmpty());
        QVERIFY(e.s.errors.reports.isEmpty());
        // Every question numbered as on the page, without the script's no-match line.
        QCOMPARE(numbered(browser).mid(0, 3), (QStringList{u"1."_s, u"2."_s, u"3."_s}));
        QVERIFY(!browser->toPlainText().contains(english ? u"No matching"_s : u"Keine passende"_s));
        // The live page opens in the browser from a folder of the preview's own.
        testutil::child<QPushButton>(*browser->window(), u"openInBrowser"_s)->click();
        QCOMPARE(e.s.dialogs.opened.size(), 1);
        QCOMPARE(testutil::readBytes(e.s.dialogs.opened.constFirst()),
                 e.cliPage(options + (mail ? contact : QStringList())));
        QVERIFY(QDir(e.html).isEmpty());
        // Escape closes it.
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!browser->window()->isVisible());
    }

    // The background picture is shown from where the project names it, under
    // the lower-case name the page gives it.
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
        Export e(Language::German, projectFile(picture));
        e.open();
        if (modern)
            e.click("chkmodern");
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->toPlainText().contains(pageTitle));
        const QVariant shown =
            browser->document()->resource(QTextDocument::ImageResource, QUrl(u"hintergrund.png"_s));
        const QImage loaded = shown.value<QImage>();
        QCOMPARE(loaded.size(), QSize(6, 4));
        QCOMPARE(loaded.pixelColor(3, 2), QColor(Qt::darkCyan));
        QVERIFY(browser->searchPaths().contains(QFileInfo(picture).path()));
        // Not copied for the preview.
        QVERIFY(QDir(e.html).isEmpty());
    }

    // The rich-text engine takes no colours from the body tag: the preview
    // gives the text and link colours of the project itself.
    void previewShowsThePageColors_data()
    {
        QTest::addColumn<bool>("modern");
        QTest::addColumn<QString>("textColor");
        QTest::addColumn<QString>("linkColor");
        QTest::addColumn<QColor>("text"); // invalid: the standard colour
        QTest::addColumn<QColor>("link");

        QTest::newRow("classic") << false << "#F2F2F2"
                                 << "#FFD966" << QColor(0xF2, 0xF2, 0xF2)
                                 << QColor(0xFF, 0xD9, 0x66);
        QTest::newRow("modern") << true << "#F2F2F2"
                                << "#FFD966" << QColor(0xF2, 0xF2, 0xF2)
                                << QColor(0xFF, 0xD9, 0x66);
        QTest::newRow("no usable colours") << false << "rot"
                                           << "" << QColor() << QColor();
    }

    void previewShowsThePageColors()
    {
        QFETCH(bool, modern);
        QFETCH(QString, textColor);
        QFETCH(QString, linkColor);
        QFETCH(QColor, text);
        QFETCH(QColor, link);
        Export e(Language::German, projectFile({}, textColor, u"#1F2A44"_s, linkColor));
        e.open();
        if (modern)
            e.click("chkmodern");
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
        if (link.isValid())
            QCOMPARE(anchor, link);
        else
            QVERIFY(anchor != QColor(0xFF, 0xD9, 0x66));
    }

    // A page that cannot be composed shows why in the preview, without a
    // message box; a good project afterwards shows the page again.
    void previewOfABrokenProject_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QByteArray>("project"); // null: no file
        QTest::addColumn<QString>("reason");

        QTest::newRow("not a project file")
            << false << QByteArray("Hallo\r\nWelt\r\n") << u"Keine Projektdatei"_s;
        QTest::newRow("not a project file, English")
            << true << QByteArray("Hallo\r\n") << u"Invalid Filetype"_s;
        QTest::newRow("keyword count not a number")
            << false << QByteArray(projectFile()).replace(" 1 ", "viele") << u"Keyword count"_s;
        QTest::newRow("file gone") << false << QByteArray() << u"53"_s;
    }

    void previewOfABrokenProject()
    {
        QFETCH(bool, english);
        QFETCH(QByteArray, project);
        QFETCH(QString, reason);
        Export e(english ? Language::English : Language::German);
        e.open();
        QTextBrowser *browser = e.preview();
        QVERIFY(browser->toPlainText().contains(pageTitle));

        const QString path = e.templates + u"seite.pdt"_s;
        if (project.isNull())
            QVERIFY(QFile::remove(path));
        else
            QVERIFY(testutil::writeBytes(path, project));
        e.click("chklinks");
        const QString text = browser->toPlainText();
        QVERIFY2(text.startsWith(english ? u"The page cannot be created like this."_s
                                         : u"Die Seite kann so nicht erzeugt werden."_s),
                 qPrintable(text));
        QVERIFY2(text.contains(reason), qPrintable(text));
        QVERIFY(!text.contains(pageTitle));
        QVERIFY(e.s.dialogs.messages.isEmpty());
        QVERIFY(e.s.errors.reports.isEmpty());

        QVERIFY(testutil::writeBytes(path, projectFile()));
        e.click("chklinks");
        QVERIFY(browser->toPlainText().contains(pageTitle));
    }

    // The controls added to the export dialog lie inside it and clear of the others.
    void newControlsClearOfOthers()
    {
        Export e(Language::German);
        ExportDialog &d = e.open();
        for (const char *name : {"chkmodern", "cmdvorschau", "pageLanguageLabel", "pageLanguage"}) {
            const QRect r = e.get<QWidget>(name)->geometry();
            QVERIFY(d.rect().contains(r));
            for (const char *other :
                 {"chkmail", "Frame1", "Shape1", "cmdgenerieren", "cmdhtmlraus"})
                QVERIFY2(!r.intersects(e.get<QWidget>(other)->geometry()), other);
        }
    }

    // Each text and link colour's contrast with the background, one decimal
    // cut off, marked red with a sign below 4.5:1.
    void contrastOfTheColors_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("colors"); // text, background, active, visited, new
        QTest::addColumn<QStringList>("shown");  // text, new, visited, active

        QTest::newRow("black on white, red active link")
            << false
            << QStringList{u"#000000"_s, u"#FFFFFF"_s, u"#FF0000"_s, u"#800080"_s, u"#0000FF"_s}
            << QStringList{u"Kontrast 21.0:1"_s, u"Kontrast 8.5:1"_s, u"Kontrast 9.4:1"_s,
                           u"Kontrast 3.9:1 ⚠ [rot]"_s};
        QTest::newRow("English") << true
                                 << QStringList{u"#000000"_s, u"#FFFFFF"_s, u"#FF0000"_s,
                                                u"#800080"_s, u"#0000FF"_s}
                                 << QStringList{u"Contrast 21.0:1"_s, u"Contrast 8.5:1"_s,
                                                u"Contrast 9.4:1"_s, u"Contrast 3.9:1 ⚠ [rot]"_s};
        // 4.48 is not enough though it would round to 4.5; 4.54 is.
        QTest::newRow("either side of 4.5")
            << false
            << QStringList{u"#777777"_s, u"#FFFFFF"_s, u"#767676"_s, u"#000000"_s, u"#FFFFFF"_s}
            << QStringList{u"Kontrast 4.4:1 ⚠ [rot]"_s, u"Kontrast 1.0:1 ⚠ [rot]"_s,
                           u"Kontrast 21.0:1"_s, u"Kontrast 4.5:1"_s};
        QTest::newRow("grey on grey, white on navy")
            << false
            << QStringList{u"#777777"_s, u"#888888"_s, u"#888888"_s, u"#FFFFFF"_s, u"#000080"_s}
            << QStringList{u"Kontrast 1.2:1 ⚠ [rot]"_s, u"Kontrast 4.5:1"_s,
                           u"Kontrast 3.5:1 ⚠ [rot]"_s, u"Kontrast 1.0:1 ⚠ [rot]"_s};
    }

    void contrastOfTheColors()
    {
        QFETCH(bool, english);
        QFETCH(QStringList, colors);
        QFETCH(QStringList, shown);
        Colors c(english ? Language::English : Language::German, colors);
        QCOMPARE(c.shown(), shown);
        QCOMPARE(testutil::cutOffCaptions(c.editor.get()), QStringList());
        // Beside the preview, clear of every other control.
        for (const char *name : {"lblkontrasttext", "lblkontrastneulink", "lblkontrastaltlink",
                                 "lblkontrastaktivlink"}) {
            const QRect r = c.get(name)->geometry();
            QVERIFY(c.editor->rect().contains(r));
            for (const char *other : {"Frame3", "picvorschau", "Shape2", "lblvorschau"})
                QVERIFY2(!r.intersects(c.get<QWidget>(other)->geometry()), other);
        }
    }

    // The labels follow every colour tool.
    void contrastFollowsTheColorTools_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("shown"); // text, new, visited, active

        // Starting from black text on white, links #FF0000, #800080, #0000FF.
        QTest::newRow("background slider to black")
            << "background sliders"
            << QStringList{u"Kontrast 1.0:1 ⚠ [rot]"_s, u"Kontrast 2.4:1 ⚠ [rot]"_s,
                           u"Kontrast 2.2:1 ⚠ [rot]"_s, u"Kontrast 5.2:1"_s};
        QTest::newRow("text colour from the standard colours twice")
            << "standard colours"
            << QStringList{u"Kontrast 10.9:1"_s, u"Kontrast 8.5:1"_s, u"Kontrast 9.4:1"_s,
                           u"Kontrast 3.9:1 ⚠ [rot]"_s};
        QTest::newRow("active link darker by minus")
            << "minus"
            << QStringList{u"Kontrast 21.0:1"_s, u"Kontrast 8.5:1"_s, u"Kontrast 9.4:1"_s,
                           u"Kontrast 4.3:1 ⚠ [rot]"_s};
        QTest::newRow("new link from the system colour dialog")
            << "system dialog"
            << QStringList{u"Kontrast 21.0:1"_s, u"Kontrast 1.3:1 ⚠ [rot]"_s, u"Kontrast 9.4:1"_s,
                           u"Kontrast 3.9:1 ⚠ [rot]"_s};
    }

    void contrastFollowsTheColorTools()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, shown);
        Colors c(Language::German,
                 {u"#000000"_s, u"#FFFFFF"_s, u"#FF0000"_s, u"#800080"_s, u"#0000FF"_s});
        const auto option = [&](const char *name) { c.get<QRadioButton>(name)->click(); };
        if (tool == u"background sliders"_s) {
            option("Option2");
            for (const char *slider : {"scrollrot", "scrollgruen", "scrollblau"})
                c.get<QScrollBar>(slider)->setValue(0);
        } else if (tool == u"standard colours"_s) {
            option("Option1");
            c.editor->cmdnorm_Click(); // #000000
            c.editor->cmdnorm_Click(); // #800000
        } else if (tool == u"minus"_s) {
            option("Option3");
            for (int i = 0; i < 10; ++i)
                c.editor->cmdminus_Click(); // #FF0000 becomes #F50000
        } else {
            option("Option5");
            c.s.dialogs.colors << qint32(platformColor({0, 255, 0}));
            c.editor->optsystem_Click();
        }
        QCOMPARE(c.shown(), shown);
    }
};

QTEST_MAIN(tst_preview)
#include "tst_preview.moc"
