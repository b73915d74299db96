#include "app/product.h"
#include "appearance/schemefile.h"
#include "gui/session.h"
#include "project/layouteditordialog.h"
#include "project/projectfile.h"

#include <QApplication>
#include <QImage>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Session;

namespace {

// In the order of the file: title, the five colours, picture, page name, author,
// description, alignment, bold, italic, font, sizes, alignment of the list, keywords.
const PageProject sample(u"Meine FAQ\r\nzweite Zeile"_s, u"#000000"_s, u"#FFFFFF"_s, u"#FF0000"_s,
                         u"#800080"_s, u"#0000FF"_s, QString(), PictureUse::NotUsed, u"faq"_s,
                         QString(), QString(), Alignment::Left, true, false, u"Arial"_s, u"16"_s,
                         u"12"_s, Alignment::Right, QStringList{u"eins"_s, u"zwei"_s});

// The project as the file holds it now.
PageProject readBack(const QString &path)
{
    PageProject p;
    testutil::ScriptedDialogService dialogs;
    openPageProject(path, p, Language::German, dialogs);
    return p;
}

// The main window with a templates folder holding a.pdt, and the layout
// editor opened over it for that page.
struct Layout {
    Session s;
    QString templates = s.path(u"vorlagen/"_s), other = s.path(u"andere/"_s);
    std::unique_ptr<LayoutEditorDialog> editor;

    Layout()
    {
        s.state.settings.soundsOn = true;
        QDir().mkpath(templates);
        QDir().mkpath(other);
        savePageProject(page(), sample, {});
        s.state.pages.setTemplatesFolder(templates);
        s.state.pages.rescan();
        s.state.pages.setPage(u"a.pdt"_s);
        s.dialogs.messages.clear(); // whatever the main window said at start
    }

    LayoutEditorDialog &open()
    {
        editor = std::make_unique<LayoutEditorDialog>(s.context, &s.w());
        editor->show();
        return *editor;
    }

    template <typename T = QWidget> T *get(const char *name)
    {
        return testutil::child<T>(*editor, name);
    }
    QComboBox *keywords() { return get<QComboBox>("Combo1"); }
    QColor textColor(const char *name, QPalette::ColorRole role = QPalette::WindowText)
    {
        return get(name)->palette().color(role);
    }

    // Saves through the save button into path; the address is filled so
    // that only the questions of the folder and the file come up.
    void save(const QString &path)
    {
        if (!get<QLineEdit>("txtmail")->text().contains(u'@'))
            get<QLineEdit>("txtmail")->setText(u"max@example.org"_s);
        s.dialogs.files << path;
        get<Button3D>("cmdfarbspeichern")->click();
    }

    QString page() const { return templates + u"a.pdt"_s; }
};

} // namespace

class tst_layouteditor : public QObject {
    Q_OBJECT
private slots:
    // The scheme paints the editor by role; the preview keeps the page's own colours.
    void opensTheSelectedPage()
    {
        Layout l;
        const ColorScheme scheme{{0x0000C0, 0x008000, 0xE0E0FF, 0xFF0000}};
        saveSchemeFile(l.s.state.settings.schemeFilePath = l.s.path(u"bunt.sch"_s), scheme);
        LayoutEditorDialog &e = l.open();
        QVERIFY(e.windowTitle().endsWith(u"a.pdt"_s));
        QCOMPARE(l.get<QPlainTextEdit>("txttitel")->toPlainText(), u"Meine FAQ\nzweite Zeile"_s);
        QCOMPARE(l.get<QLabel>("Label12")->text(), u"#FF0000"_s);
        QVERIFY(l.get<QRadioButton>("opttitellinks")->isChecked());
        QVERIFY(l.get<QRadioButton>("orechts")->isChecked());
        QVERIFY(l.get<QCheckBox>("Check1")->isChecked() &&
                !l.get<QCheckBox>("Check3")->isChecked());
        QCOMPARE(l.get<QComboBox>("cgroesse")->currentText(), u"16"_s);
        QCOMPARE(testutil::itemTexts(l.keywords()), sample.keywords);
        QCOMPARE(l.keywords()->currentText(), u"eins"_s);
        // The tools wait for an element; the preview shows the page's colours.
        QVERIFY(!l.get("scrollrot")->isEnabled());
        QCOMPARE(l.textColor("lblneulink"), QColor(Qt::blue));
        QCOMPARE(l.textColor("picvorschau", QPalette::Window), QColor(Qt::white));
        QCOMPARE(l.s.state.currentColors, scheme);
        const QColor button(0xC0, 0, 0), font(0, 0x80, 0), back(0xFF, 0xE0, 0xE0);
        QCOMPARE(e.palette().color(QPalette::Window), back);
        QCOMPARE(l.textColor("Shape2", QPalette::Window), button);
        QCOMPARE(l.get<Button3D>("cmdplus")->captionColor(), std::optional<qint32>(0xFF0000));
        QCOMPARE(l.textColor("Frame3"), font);
        QCOMPARE(l.textColor("optsystem", QPalette::Window), button);
        QCOMPARE(l.textColor("textContrastLabel"), font);
    }

    // No page selected or one whose extension is in capitals: nothing is
    // read but the contact store; a file that is no project is told.
    void opensWithoutAProject_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("messages");
        QTest::newRow("no page") << QString() << 0;
        QTest::newRow("capital PDT") << u"A.PDT"_s << 0;
        QTest::newRow("not a project") << u"kaputt.pdt"_s << 1;
    }

    void opensWithoutAProject()
    {
        QFETCH(QString, page);
        QFETCH(int, messages);
        Layout l;
        QVERIFY(testutil::writeBytes(l.templates + u"A.PDT"_s, testutil::readBytes(l.page())));
        QVERIFY(testutil::writeBytes(l.templates + u"kaputt.pdt"_s, "irgendwas\r\n"));
        QVERIFY(testutil::writeBytes(l.s.state.dataFolder() + u"mail.dat"_s,
                                     "1.2.5\r\nmax@example.org\r\n"));
        l.s.state.pages.setPage(page);
        LayoutEditorDialog &e = l.open();
        QCOMPARE(l.get<QLineEdit>("txtdatname")->text(), u"faqpage1"_s);
        for (const char *label : {"Label10", "Label11", "Label12", "Label13", "Label14"})
            QCOMPARE(l.get<QLabel>(label)->text(), u"#FFFFFF"_s);
        QCOMPARE(l.get<QComboBox>("cindexschrift")->currentText(), u"Arial"_s);
        QCOMPARE(l.get<QComboBox>("cgroessetext")->count(), 9);
        QCOMPARE(l.s.dialogs.messages.size(), messages);
        // The store is read unless the file was refused.
        QCOMPARE(l.get<QLineEdit>("txtmail")->text(), messages ? QString() : u"max@example.org"_s);
        QCOMPARE(e.projectFilePath(), l.templates + page);
    }

    // Saving into another folder asks whether the templates folder moves
    // there: No shows the save dialog again, Cancel stops, Yes moves it and
    // the page list; saving into the folder shown asks nothing about folders.
    void saveFolderQuestion_data()
    {
        QTest::addColumn<bool>("other");
        QTest::addColumn<QList<int>>("answers"); // create, folder, create, folder, ...
        QTest::addColumn<QStringList>("pages");  // the page list afterwards, empty: not saved
        QTest::newRow("No, then Yes")
            << true << QList<int>{AnswerYes, AnswerNo, AnswerYes, AnswerYes}
            << QStringList{u"neu.pdt"_s};
        QTest::newRow("Cancel") << true << QList<int>{AnswerYes, AnswerCancel} << QStringList{};
        QTest::newRow("folder shown")
            << false << QList<int>{AnswerYes} << QStringList{u"a.pdt"_s, u"neu.pdt"_s};
    }

    void saveFolderQuestion()
    {
        QFETCH(bool, other);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, pages);
        Layout l;
        LayoutEditorDialog &e = l.open();
        const QString folder = other ? l.other : l.templates;
        const QString target = folder + u"neu.pdt"_s;
        const bool saved = !pages.isEmpty();
        l.s.dialogs.answers = answers;
        if (answers.size() > 2) // a dialog shown again without a file queued is cancelled
            l.s.dialogs.files << target;
        l.save(target);

        QCOMPARE(l.s.dialogs.messages.size(), answers.size());
        for (qsizetype i = 1; i < answers.size(); i += 2)
            QCOMPARE(l.s.dialogs.messages.at(i).buttons, MessageButtons::YesNoCancel);
        QCOMPARE(l.s.dialogs.fileRequests.size(), other ? 2 : 1);
        for (const FileDialogRequest &r : std::as_const(l.s.dialogs.fileRequests))
            QCOMPARE(r.initDir, l.templates);
        QCOMPARE(QFile::exists(target), saved);
        QCOMPARE(e.pageSaved(), saved);
        const QString templates = saved ? folder : l.templates;
        QCOMPARE(l.s.state.pages.templatesFolder(), templates);
        QCOMPARE(l.s.state.settings.TemplatesFolder, templates);
        QCOMPARE(e.templatesFolder(), templates);
        if (!saved)
            return;
        QCOMPARE(readBack(target).title, sample.title);
        QCOMPARE(testutil::itemTexts(l.s.get<QComboBox>("cseite")), pages);
        QCOMPARE(l.s.state.pages.page(), u"neu.pdt"_s);
        QVERIFY(e.windowTitle().endsWith(u"neu.pdt"_s));
    }

    void openFromAnotherFolder()
    {
        PageProject b = sample;
        b.title = u"Andere Seite"_s;
        b.keywords = {u"drei"_s};
        Layout l;
        savePageProject(l.other + u"b.pdt"_s, b, {});
        LayoutEditorDialog &e = l.open();
        l.s.dialogs.files << l.other + u"b.pdt"_s;
        l.get<Button3D>("cmdoeffnefarbe")->click();

        QCOMPARE(l.s.dialogs.fileRequests.last().kind, FileDialogKind::Open);
        QCOMPARE(l.s.dialogs.fileRequests.last().initDir, l.templates);
        QCOMPARE(l.get<QPlainTextEdit>("txttitel")->toPlainText(), b.title);
        QCOMPARE(testutil::itemTexts(l.keywords()), b.keywords); // only the second's
        QVERIFY(e.windowTitle().endsWith(u"b.pdt"_s));
        QVERIFY(!e.pageSaved());
        QCOMPARE(e.templatesFolder(), l.other);
        // The main window follows: its page name names the project opened.
        QCOMPARE(l.s.state.pages.templatesFolder() + l.s.state.pages.page(), l.other + u"b.pdt"_s);

        // The next dialog starts there; a font name goes into the file without
        // a foundry tag.
        l.get<QComboBox>("cindexschrift")->setEditText(u"P052 [urw]"_s);
        l.save(l.other + u"b.pdt"_s);
        QCOMPARE(l.s.dialogs.fileRequests.last().initDir, l.other);
        QVERIFY(l.s.dialogs.messages.isEmpty());
        QCOMPARE(readBack(l.other + u"b.pdt"_s).fontName, u"P052"_s);
    }

    // Enter in the keyword list stays there; saving writes the list without
    // its duplicates and the text left in the field after it.
    void keywordsSaved()
    {
        Layout l;
        LayoutEditorDialog &e = l.open();
        l.keywords()->addItem(u"zwei"_s);
        l.keywords()->setEditText(u"drei"_s);
        QTest::keyClick(l.keywords(), Qt::Key_Return);
        QVERIFY(e.isVisible()); // Enter never reached a button
        l.keywords()->setEditText(u"vier"_s);
        l.save(l.page());
        QCOMPARE(readBack(l.page()).keywords,
                 (QStringList{u"eins"_s, u"zwei"_s, u"drei"_s, u"vier"_s}));
        QCOMPARE(l.keywords()->count(), 3);
        QVERIFY(e.pageSaved());
    }

    void fontListsArePickedFrom_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text"); // the cursor stands after the first character
        QTest::newRow("font: Delete") << u"cindexschrift"_s << int(Qt::Key_Delete) << u"Arial"_s;
        QTest::newRow("font: Backspace")
            << u"cindexschrift"_s << int(Qt::Key_Backspace) << u"rial"_s;
        QTest::newRow("title size: digit") << u"cgroesse"_s << int(Qt::Key_4) << u"16"_s;
        QTest::newRow("text size: digit") << u"cgroessetext"_s << int(Qt::Key_4) << u"142"_s;
    }

    void fontListsArePickedFrom()
    {
        QFETCH(QString, list);
        QFETCH(int, key);
        Layout l;
        l.open();
        auto *box = l.get<QComboBox>(list.toLatin1().constData());
        box->lineEdit()->setCursorPosition(1);
        QTest::keyClick(box, Qt::Key(key));
        QTEST(box->currentText(), "text");
        QVERIFY(!box->lineEdit()->isReadOnly()); // unlocked again on release
    }

    // The colour tools paint the preview and the title field; a changed
    // colour is unsaved work and goes into the file.
    void colorToolsPaintThePreview_data()
    {
        QTest::addColumn<int>("element"); // Option1 .. Option5
        QTest::addColumn<QString>("widget");
        QTest::addColumn<int>("role");
        QTest::newRow("text") << 1 << "txttitel" << int(QPalette::Text);
        QTest::newRow("background") << 2 << "txttitel" << int(QPalette::Base);
        QTest::newRow("active link") << 3 << "lblaktivlink" << int(QPalette::WindowText);
        QTest::newRow("visited link") << 4 << "lblaltlink" << int(QPalette::WindowText);
        QTest::newRow("new link") << 5 << "lblneulink" << int(QPalette::WindowText);
    }

    void colorToolsPaintThePreview()
    {
        QFETCH(int, element);
        QFETCH(QString, widget);
        QFETCH(int, role);
        Layout l;
        LayoutEditorDialog &e = l.open();
        l.save(l.page());
        l.get<QRadioButton>(u"Option%1"_s.arg(element).toLatin1().constData())->click();
        for (const char *slider : {"scrollrot", "scrollgruen", "scrollblau"})
            l.get<QScrollBar>(slider)->setValue(0x33);
        QCOMPARE(l.textColor(widget.toLatin1().constData(), QPalette::ColorRole(role)),
                 QColor(0x33, 0x33, 0x33));
        QVERIFY(!e.pageSaved());
        l.save(l.page());
        const PageProject saved = readBack(l.page());
        const QStringList colors{saved.textColor, saved.bgColor, saved.alinkColor, saved.vlinkColor,
                                 saved.linkColor};
        QCOMPARE(colors.count(u"#333333"_s), 1);
        QCOMPARE(colors.indexOf(u"#333333"_s), element - 1);
    }

    void backgroundPicture()
    {
        // A 7 x 5 picture: first column red, the rest green.
        Layout l;
        const QString picture = l.s.path(u"kachel.bmp"_s);
        QImage image(7, 5, QImage::Format_RGB32);
        image.fill(Qt::green);
        for (int y = 0; y < 5; ++y)
            image.setPixelColor(0, y, Qt::red);
        QVERIFY(image.save(picture));
        PageProject p = sample;
        p.picturePath = picture;
        p.pictureUse = PictureUse::Used;
        savePageProject(l.page(), p, {});
        LayoutEditorDialog &e = l.open();

        // Tiled over the preview from its corner at the picture's size.
        auto *preview = l.get<QLabel>("picvorschau");
        const QImage shown = preview->pixmap().toImage();
        QCOMPARE(shown.size(), preview->size());
        QCOMPARE(shown.pixelColor(441, 195), QColor(Qt::red));
        QCOMPARE(shown.pixelColor(449, 199), QColor(Qt::green));
        QCOMPARE(e.backgroundPictureOn(), PictureUse::Used);

        // Saved once, then the background colour drops the picture.
        l.save(l.page());
        l.get<QRadioButton>("Option2")->click();
        QVERIFY(preview->pixmap().isNull());
        QCOMPARE(e.backgroundPicturePath(), QString());
        QVERIFY(!e.pageSaved());
        l.save(l.page());
        QCOMPARE(readBack(l.page()).pictureUse, PictureUse::NotUsed);

        // Choosing a picture: the dialog, the preview, the project.
        l.s.dialogs.files << picture;
        l.get<QRadioButton>("Option6")->click();
        QCOMPARE(l.s.dialogs.fileRequests.last().filterIndex, 3);
        QVERIFY(!preview->pixmap().isNull());
        QVERIFY(!l.get<QRadioButton>("Option6")->isChecked());
        QCOMPARE(e.backgroundPictureOn(), PictureUse::Used);
        QCOMPARE(e.backgroundPicturePath(), picture);
        QVERIFY(!e.pageSaved());

        // A file that is no picture is refused with a message naming it; the
        // project keeps its picture.
        const QString notAPicture = l.s.path(u"kaputt.bmp"_s);
        QVERIFY(testutil::writeBytes(notAPicture, "kein Bild"));
        l.s.dialogs.files << notAPicture;
        l.get<QRadioButton>("Option6")->click();
        QVERIFY(l.s.dialogs.messages.last().text.endsWith(u'\r' + notAPicture));
        QCOMPARE(e.backgroundPicturePath(), picture);
    }

    // The leave button asks Yes/No, the close box Yes/No/Cancel, both only
    // while the page is unsaved.
    void leaving_data()
    {
        QTest::addColumn<bool>("saveFirst");
        QTest::addColumn<bool>("byButton");
        QTest::addColumn<int>("answer"); // 0: nothing asked
        QTest::addColumn<bool>("closed");
        QTest::newRow("button, yes") << false << true << int(AnswerYes) << true;
        QTest::newRow("button, saved") << true << true << 0 << true;
        QTest::newRow("close box, yes") << false << false << int(AnswerYes) << true;
        QTest::newRow("close box, cancel") << false << false << int(AnswerCancel) << false;
        QTest::newRow("close box, saved") << true << false << 0 << true;
    }

    void leaving()
    {
        QFETCH(bool, saveFirst);
        QFETCH(bool, byButton);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        Layout l;
        LayoutEditorDialog &e = l.open();
        if (saveFirst)
            l.save(l.page());
        l.s.dialogs.messages.clear();
        l.s.sounds.played.clear();
        if (answer)
            l.s.dialogs.answers << answer;
        byButton ? e.onLeaveClicked() : void(e.close());

        QCOMPARE(e.isVisible(), !closed);
        QCOMPARE(l.s.sounds.played, closed ? QStringList{u"good1"_s} : QStringList());
        QCOMPARE(l.s.dialogs.messages.size(), answer ? 1 : 0);
        if (answer)
            QCOMPARE(l.s.dialogs.messages.first().buttons,
                     byButton ? MessageButtons::YesNo : MessageButtons::YesNoCancel);
    }

    // Shown modally, the editor stays after No and Escape asks as the close box does.
    void leaveShownModally()
    {
        Layout l;
        l.s.dialogs.answers << AnswerNo << AnswerNo << AnswerYes;
        bool modal = false, stayed = false, stayedAfterEscape = false;
        QTimer::singleShot(0, this, [&] {
            auto *editor = l.s.w().findChild<LayoutEditorDialog *>();
            modal = editor && QApplication::activeModalWidget() == editor;
            auto *leave = editor->findChild<Button3D *>(u"cmdrausprojekt"_s);
            leave->click();
            stayed = editor->isVisible();
            QTest::keyClick(editor, Qt::Key_Escape);
            stayedAfterEscape = editor->isVisible();
            leave->click();
        });
        LayoutEditorDialog::showFor(l.s.context, &l.s.w());
        QVERIFY(modal && stayed && stayedAfterEscape);
        QCOMPARE(l.s.dialogs.messages.size(), 3);
        QCOMPARE(l.s.dialogs.messages.at(1).buttons, MessageButtons::YesNoCancel);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A changed address alone is unsaved work; without an at sign the save
    // asks, and OK goes back to the field.
    void addressChangeAloneAsks()
    {
        Layout l;
        LayoutEditorDialog &e = l.open();
        l.save(l.page());
        QTest::keyClicks(l.get<QLineEdit>("txtmail"), u"x"_s);
        QVERIFY(!e.pageSaved());
        l.get<QLineEdit>("txtmail")->clear();
        l.s.dialogs.answers << AnswerOk;
        l.s.dialogs.files << l.page();
        l.s.dialogs.messages.clear();
        l.get("txttitel")->setFocus();
        l.get<Button3D>("cmdfarbspeichern")->click();
        QCOMPARE(l.s.dialogs.messages.size(), 1);
        QCOMPARE(l.s.dialogs.messages.last().buttons, MessageButtons::OkCancel);
        QCOMPARE(l.s.dialogs.files.size(), 1); // no dialog shown
        QCOMPARE(e.focusWidget(), l.get("txtmail"));
        QVERIFY(!e.pageSaved());
        l.s.dialogs.files.clear();
    }

    // The store is read on opening (a failure reported) and written with the
    // project.
    void contactStore_data()
    {
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("savedLine"); // line 2 after saving
        QTest::addColumn<QStringList>("reports");
        const QByteArray own = fullVersionText().toLatin1();
        QTest::newRow("own version, encoded") << own + "\r\n&#228;&#64;&#98;\r\n"
                                              << u"ä@b"_s << u"&#228;&#64;&#98;"_s << QStringList();
        QTest::newRow("own version, plain: cannot be decoded")
            << own + "\r\nmax;b\r\n"
            << QString() << QString() << QStringList{u"frmindex/mail_decrypt/13"_s};
    }

    void contactStore()
    {
        QFETCH(QByteArray, store);
        QFETCH(QString, savedLine);
        Layout l;
        const QString file = l.s.state.dataFolder() + u"mail.dat"_s;
        QVERIFY(testutil::writeBytes(file, store));
        LayoutEditorDialog &e = l.open();
        QTEST(l.get<QLineEdit>("txtmail")->text(), "shown");
        QTEST(l.s.errors.reports, "reports");
        l.s.dialogs.answers << AnswerCancel; // save without an address
        l.s.dialogs.files << l.page();
        e.onSaveProjectClicked();
        QVERIFY(e.pageSaved());
        QCOMPARE(testutil::readBytes(file),
                 encodeCp1252(fullVersionText() + u"\r\n"_s + savedLine + u"\r\n"_s));
    }

    void failedWritesAreReported()
    {
        Layout l;
        LayoutEditorDialog &e = l.open();
        const QByteArray before = testutil::readBytes(l.page());
        // A font name the file cannot hold: nothing is written, the old file stays.
        l.get<QComboBox>("cindexschrift")->setEditText(u"\u6587\u6CC9"_s);
        l.save(l.page());
        QCOMPARE(testutil::readBytes(l.page()), before);
        QVERIFY(!e.pageSaved());
        // The project is written, the contact store cannot be: still unsaved.
        l.get<QComboBox>("cindexschrift")->setEditText(u"Arial"_s);
        l.get<QLineEdit>("txtdatname")->setText(u"neu"_s);
        QVERIFY(QDir().mkpath(l.s.state.dataFolder() + u"mail.dat"_s));
        l.save(l.page());
        QCOMPARE(readBack(l.page()).pageFileName, u"neu"_s);
        QVERIFY(!e.pageSaved());
        QCOMPARE(l.s.errors.reports.size(), 2);
        for (const QString &report : std::as_const(l.s.errors.reports))
            QVERIFY(report.startsWith(u"frmindex/seite_speichern/"_s));
    }
};

QTEST_MAIN(tst_layouteditor)
#include "tst_layouteditor.moc"
