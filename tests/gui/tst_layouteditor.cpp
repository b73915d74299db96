#include "app/product.h"
#include "app/textcodec.h"
#include "appearance/schemefile.h"
#include "gui/captions.h"
#include "gui/session.h"
#include "project/contactstore.h"
#include "project/layouteditordialog.h"
#include "project/projectfile.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Session;

namespace {

PageProject sampleProject()
{
    PageProject p;
    p.title = u"Meine FAQ\r\nzweite Zeile"_s;
    p.textColor = u"#000000"_s;
    p.bgColor = u"#FFFFFF"_s;
    p.alinkColor = u"#FF0000"_s;
    p.vlinkColor = u"#800080"_s;
    p.linkColor = u"#0000FF"_s;
    p.pictureUse = PictureUse::NotUsed;
    p.pageFileName = u"faq"_s;
    p.author = u"Max"_s;
    p.description = u"Fragen"_s;
    p.titleAlign = Alignment::Left;
    p.bold = true;
    p.fontName = u"Arial"_s;
    p.titleSize = u"16"_s;
    p.textSize = u"12"_s;
    p.faqAlign = Alignment::Right;
    p.keywords = {u"eins"_s, u"zwei"_s};
    return p;
}

// The lines of a written file.
QStringList fileLines(const QString &path)
{
    QStringList lines = decodeCp1252(testutil::readBytes(path)).split(u"\r\n"_s);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList keywordLines(const QString &path)
{
    return fileLines(path).mid(20);
}

Message question(const QString &text, const QString &title, MessageButtons buttons,
                 MessageIcon icon, int defaultButton)
{
    return {text, title, buttons, icon, defaultButton};
}

// The main window with a templates folder holding a.pdt, and the layout
// editor opened over it for that page.
struct Layout {
    Session s;
    QString templates;
    QString other;
    std::unique_ptr<LayoutEditorDialog> editor;

    explicit Layout(Language language = Language::German, const PageProject &a = sampleProject())
    {
        s.state.settings.soundsOn = true;
        s.state.setLanguage(language);
        templates = s.path(u"vorlagen"_s) + u'/';
        other = s.path(u"andere"_s) + u'/';
        QDir().mkpath(templates);
        QDir().mkpath(other);
        savePageProject(templates + u"a.pdt"_s, a, {});
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

    template <typename T> T *get(const char *name) { return testutil::child<T>(*editor, name); }
    QComboBox *keywords() { return get<QComboBox>("Combo1"); }
    QString colorText(const char *label) { return get<QLabel>(label)->text(); }
    QList<int> sliders()
    {
        return {get<QScrollBar>("scrollrot")->value(), get<QScrollBar>("scrollgruen")->value(),
                get<QScrollBar>("scrollblau")->value()};
    }

    // Saves through the save button into path; the address is filled so
    // that only the questions of the folder and the file come up.
    void save(const QString &path)
    {
        if (!get<QLineEdit>("txtmail")->text().contains(u'@'))
            get<QLineEdit>("txtmail")->setText(u"max@example.org"_s);
        s.dialogs.files << path;
        editor->cmdfarbspeichern_Click();
    }

    QStringList pageList() { return testutil::itemTexts(s.get<QComboBox>("cseite")); }
};

} // namespace

class tst_layouteditor : public QObject {
    Q_OBJECT
private slots:
    void opensTheSelectedPage();
    void opensWithoutAProject_data();
    void opensWithoutAProject();
    void saveIntoAnotherFolder();
    void declinedFolderChangeKeepsTheSettings();
    void openFromAnotherFolder();
    void keywordEnter();
    void keywordRemoval_data();
    void keywordRemoval();
    void keywordSavedOnce();
    void fontListsArePickedFrom_data();
    void fontListsArePickedFrom();
    void choosingAnElement_data();
    void choosingAnElement();
    void plusAndMinus_data();
    void plusAndMinus();
    void standardColorsCycle();
    void systemColorDialog();
    void backgroundPicture();
    void leaving_data();
    void leaving();
    void leaveShownModally();
    void addressChangeAloneAsks();
    void contactStore_data();
    void contactStore();
    void failedWritesAreReported();
    void schemePaintsByRole();
    void captionsFit_data();
    void captionsFit();
};

void tst_layouteditor::opensTheSelectedPage()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    QCOMPARE(e.windowTitle(), u"Seiteneinstellung/Vorschau   Datei: a.pdt"_s);
    QCOMPARE(l.get<QPlainTextEdit>("txttitel")->toPlainText(), u"Meine FAQ\nzweite Zeile"_s);
    QCOMPARE(l.colorText("Label12"), u"#FF0000"_s);
    QVERIFY(l.get<QRadioButton>("opttitellinks")->isChecked());
    QVERIFY(l.get<QRadioButton>("orechts")->isChecked());
    QVERIFY(l.get<QCheckBox>("Check1")->isChecked() && !l.get<QCheckBox>("Check3")->isChecked());
    QCOMPARE(l.get<QComboBox>("cgroesse")->currentText(), u"16"_s);
    QCOMPARE(l.keywords()->count(), 2);
    QCOMPARE(l.keywords()->currentText(), u"eins"_s);
    // The last colour read stands on the sliders; the tools wait for an element.
    QCOMPARE(l.sliders(), (QList<int>{0, 0, 255}));
    QVERIFY(!l.get<QScrollBar>("scrollrot")->isEnabled());
    QVERIFY(!l.get<Button3D>("cmdplus")->isEnabled());
    QCOMPARE(l.get<QLabel>("lblneulink")->palette().color(QPalette::WindowText), QColor(Qt::blue));
    QCOMPARE(l.get<Button3D>("cmdfarbspeichern")->caption(), u"Vorlage\nspeichern"_s);
    QVERIFY(!e.pageSaved());
    QVERIFY(l.s.dialogs.messages.isEmpty());
}

void tst_layouteditor::opensWithoutAProject_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("message");
    // No page selected or one whose extension is in capitals: nothing is
    // read but the contact store.
    QTest::newRow("no page") << QString() << QString();
    QTest::newRow("capital PDT") << u"A.PDT"_s << QString();
    QTest::newRow("not a project") << u"kaputt.pdt"_s << u"Keine Seitenvorlage!"_s;
}

void tst_layouteditor::opensWithoutAProject()
{
    QFETCH(QString, page);
    QFETCH(QString, message);
    Layout l;
    QVERIFY(testutil::writeBytes(l.templates + u"A.PDT"_s,
                                 testutil::readBytes(l.templates + u"a.pdt"_s)));
    QVERIFY(testutil::writeBytes(l.templates + u"kaputt.pdt"_s, "irgendwas\r\n"));
    QVERIFY(testutil::writeBytes(l.s.state.dataFolder() + u"mail.dat"_s,
                                 "1.2.5\r\nmax@example.org\r\n"));
    l.s.state.pages.setPage(page);
    LayoutEditorDialog &e = l.open();
    QCOMPARE(l.get<QPlainTextEdit>("txttitel")->toPlainText(),
             u"FAQ- Häfig gestellte Fragen und \nAntworten\n"_s);
    QCOMPARE(l.get<QLineEdit>("txtdatname")->text(), u"faqpage1"_s);
    for (const char *label : {"Label10", "Label11", "Label12", "Label13", "Label14"})
        QCOMPARE(l.colorText(label), u"#FFFFFF"_s);
    QCOMPARE(l.get<QComboBox>("cindexschrift")->currentText(), u"Arial"_s);
    QCOMPARE(l.get<QComboBox>("cgroessetext")->currentText(), u"10"_s);
    QCOMPARE(l.get<QComboBox>("cgroessetext")->count(), 9);
    QCOMPARE(l.get<QComboBox>("cgroessetext")->itemText(0), u" 8"_s);
    QCOMPARE(l.sliders(), (QList<int>{255, 255, 255}));
    QCOMPARE(l.s.dialogs.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    // The store is read unless the file was refused.
    QCOMPARE(l.get<QLineEdit>("txtmail")->text(),
             message.isEmpty() ? u"max@example.org"_s : QString());
    QCOMPARE(e.projectFilePath(), l.templates + page);
}

void tst_layouteditor::saveIntoAnotherFolder()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    const QString target = l.other + u"neu.pdt"_s;
    // No keeps the folder and shows the save dialog again; Yes moves it.
    l.s.dialogs.answers << AnswerYes << AnswerNo << AnswerYes << AnswerYes;
    l.s.dialogs.files << target;
    l.save(target);

    const Message folderQuestion =
        question(u"Damit wechseln Sie den Standardordner für Seitenvorlagen!\rWollen Sie dies "
                 u"wirklich?"_s,
                 u"Hinweis"_s, MessageButtons::YesNoCancel, MessageIcon::Question, 2);
    QCOMPARE(l.s.dialogs.messages.size(), 4); // create, folder, create, folder
    QCOMPARE(l.s.dialogs.messages.at(1), folderQuestion);
    QCOMPARE(l.s.dialogs.messages.at(3), folderQuestion);
    QCOMPARE(l.s.dialogs.fileRequests.size(), 2);
    for (const FileDialogRequest &r : std::as_const(l.s.dialogs.fileRequests)) {
        QCOMPARE(r.kind, FileDialogKind::Save);
        QCOMPARE(r.initDir, l.templates);
        QCOMPARE(r.title, u"Projektdatei speichern"_s);
        QCOMPARE(r.filter, u"Projekt-Datei (*.pdt)|*.pdt"_s);
        QCOMPARE(r.flags, DialogFlags::Save);
    }
    QCOMPARE(fileLines(target).value(0), projectMarker);
    QCOMPARE(l.s.state.pages.templatesFolder(), l.other);
    QCOMPARE(l.s.state.settings.TemplatesFolder, l.other);
    QCOMPARE(l.pageList(), QStringList{u"neu.pdt"_s});
    QCOMPARE(l.s.state.pages.page(), u"neu.pdt"_s);
    QCOMPARE(e.windowTitle(), u"Seiteneinstellung/Vorschau   Datei: neu.pdt"_s);
    QVERIFY(e.pageSaved());
    QCOMPARE(e.templatesFolder(), l.other);
}

void tst_layouteditor::declinedFolderChangeKeepsTheSettings()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    l.s.dialogs.answers << AnswerYes << AnswerCancel; // create, then not the folder
    l.save(l.other + u"neu.pdt"_s);                   // the dialog shown again is cancelled
    QCOMPARE(l.s.dialogs.fileRequests.size(), 2);
    QVERIFY(!QFile::exists(l.other + u"neu.pdt"_s));
    QCOMPARE(l.s.state.pages.templatesFolder(), l.templates);
    QCOMPARE(l.s.state.settings.TemplatesFolder, l.templates);
    QCOMPARE(e.templatesFolder(), l.templates);
    QVERIFY(!e.pageSaved());

    // Saving into the folder shown asks nothing about folders and lists a new project.
    l.s.dialogs.messages.clear();
    l.save(l.templates + u"b.pdt"_s);
    QCOMPARE(l.s.dialogs.messages.size(), 1); // the file is created
    QCOMPARE(l.pageList(), (QStringList{u"a.pdt"_s, u"b.pdt"_s}));
    QCOMPARE(l.s.state.pages.page(), u"b.pdt"_s);
}

void tst_layouteditor::openFromAnotherFolder()
{
    PageProject b = sampleProject();
    b.title = u"Andere Seite"_s;
    b.keywords = {u"drei"_s};
    Layout l;
    savePageProject(l.other + u"b.pdt"_s, b, {});
    LayoutEditorDialog &e = l.open();
    l.s.dialogs.files << l.other + u"b.pdt"_s;
    e.cmdoeffnefarbe_Click();

    const FileDialogRequest request = l.s.dialogs.fileRequests.last();
    QCOMPARE(request.kind, FileDialogKind::Open);
    QCOMPARE(request.initDir, l.templates);
    QCOMPARE(request.title, u"Projektdatei öffnen"_s);
    QCOMPARE(l.get<QPlainTextEdit>("txttitel")->toPlainText(), u"Andere Seite"_s);
    // Only the second project's keywords are listed.
    QCOMPARE(l.keywords()->count(), 1);
    QCOMPARE(l.keywords()->currentText(), u"drei"_s);
    QCOMPARE(e.windowTitle(), u"Seiteneinstellung/Vorschau   Datei: b.pdt"_s);
    QVERIFY(!e.pageSaved());
    QCOMPARE(e.templatesFolder(), l.other);
    // The main window follows: its page name names the project opened.
    QCOMPARE(l.s.state.pages.templatesFolder() + l.s.state.pages.page(), l.other + u"b.pdt"_s);
    QCOMPARE(l.s.state.settings.TemplatesFolder, l.other);

    // The next dialog starts there; a font name goes into the file without
    // a foundry tag.
    l.get<QComboBox>("cindexschrift")->setEditText(u"P052 [urw]"_s);
    l.save(l.other + u"b.pdt"_s);
    QCOMPARE(l.s.dialogs.fileRequests.last().initDir, l.other);
    QVERIFY(l.s.dialogs.messages.isEmpty());
    QVERIFY(fileLines(l.other + u"b.pdt"_s).contains(u"P052"_s));
}

void tst_layouteditor::keywordEnter()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    QComboBox *list = l.keywords();
    list->clear();
    for (int i = 1; i <= 29; ++i) {
        list->setEditText(u"k%1"_s.arg(i));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->currentText(), QString());
    }
    list->setEditText(u"k30"_s);
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(list->count(), 30);
    list->setEditText(u"k31"_s);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(list->count(), 30);
    QCOMPARE(list->currentText(), u"k31"_s);
    QVERIFY(e.isVisible()); // Enter never reached a button

    // The text left in the entry field is the 31st keyword of the file.
    l.save(l.templates + u"a.pdt"_s);
    const QStringList lines = fileLines(l.templates + u"a.pdt"_s);
    QCOMPARE(lines.at(19), u" 31 "_s);
    QCOMPARE(lines.size(), 51);
    QCOMPARE(lines.at(49), u"k30"_s);
    QCOMPARE(lines.at(50), u"k31"_s);
}

void tst_layouteditor::keywordRemoval_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("entry");
    const QStringList left{u"y"_s, u"X"_s};
    // The key still edits the entry field after the removal.
    QTest::newRow("Delete") << int(Qt::Key_Delete) << left << u"x"_s;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << left << QString();
    QTest::newRow("Clear") << int(Qt::Key_Clear) << left << u"x"_s;
    QTest::newRow("other key") << int(Qt::Key_Z) << QStringList{u"x"_s, u"y"_s, u"x"_s, u"X"_s}
                               << u"xz"_s;
}

void tst_layouteditor::keywordRemoval()
{
    QFETCH(int, key);
    QFETCH(QStringList, left);
    QFETCH(QString, entry);
    Layout l;
    l.open();
    QComboBox *list = l.keywords();
    list->clear();
    list->addItems({u"x"_s, u"y"_s, u"x"_s, u"X"_s});
    list->setEditText(u"x"_s);
    QTest::keyClick(list, Qt::Key(key));
    QCOMPARE(testutil::itemTexts(list), left);
    QCOMPARE(list->currentText(), entry);
}

void tst_layouteditor::keywordSavedOnce()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    // As after opening, the first keyword stands in the entry field.
    QCOMPARE(l.keywords()->currentText(), u"eins"_s);
    l.keywords()->addItem(u"zwei"_s);
    l.save(l.templates + u"a.pdt"_s);
    QCOMPARE(keywordLines(l.templates + u"a.pdt"_s), (QStringList{u"eins"_s, u"zwei"_s}));
    QCOMPARE(fileLines(l.templates + u"a.pdt"_s).at(19), u" 2 "_s);
    // The list lost its duplicate on saving.
    QCOMPARE(l.keywords()->count(), 2);
    QVERIFY(e.pageSaved());
}

void tst_layouteditor::fontListsArePickedFrom_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text"); // the cursor stands after the first character
    QTest::newRow("font: letter") << u"cindexschrift"_s << int(Qt::Key_X) << u"Arial"_s;
    QTest::newRow("font: Delete") << u"cindexschrift"_s << int(Qt::Key_Delete) << u"Arial"_s;
    QTest::newRow("font: Backspace") << u"cindexschrift"_s << int(Qt::Key_Backspace) << u"rial"_s;
    QTest::newRow("title size: digit") << u"cgroesse"_s << int(Qt::Key_4) << u"16"_s;
    QTest::newRow("title size: Backspace") << u"cgroesse"_s << int(Qt::Key_Backspace) << u"6"_s;
    QTest::newRow("text size: digit") << u"cgroessetext"_s << int(Qt::Key_4) << u"142"_s;
    QTest::newRow("text size: Delete") << u"cgroessetext"_s << int(Qt::Key_Delete) << u"1"_s;
}

void tst_layouteditor::fontListsArePickedFrom()
{
    QFETCH(QString, list);
    QFETCH(int, key);
    QFETCH(QString, text);
    Layout l;
    l.open();
    auto *box = l.get<QComboBox>(list.toLatin1().constData());
    box->lineEdit()->setCursorPosition(1);
    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(box->currentText(), text);
    QVERIFY(!box->lineEdit()->isReadOnly()); // unlocked again on release
}

void tst_layouteditor::choosingAnElement_data()
{
    QTest::addColumn<QString>("fileColor");
    QTest::addColumn<QList<int>>("parts");
    QTest::addColumn<QString>("shown");
    // The sliders stand at 0, 0, 255 (the link colour read last); only the
    // parts whose slider moves are rewritten. Reading the text is the colour
    // conversion's own business.
    QTest::newRow("lower case") << u"#0a0b0c"_s << QList<int>{10, 11, 12} << u"#0A0B0C"_s;
    QTest::newRow("lower case, sliders kept")
        << u"#00a0ff"_s << QList<int>{0, 160, 255} << u"#00A0ff"_s;
}

void tst_layouteditor::choosingAnElement()
{
    QFETCH(QString, fileColor);
    QFETCH(QList<int>, parts);
    QFETCH(QString, shown);
    PageProject p = sampleProject();
    p.textColor = fileColor;
    Layout l(Language::German, p);
    LayoutEditorDialog &e = l.open();
    QCOMPARE(l.colorText("Label10"), fileColor);
    l.s.sounds.played.clear();
    l.get<QRadioButton>("Option1")->click();
    QCOMPARE(l.s.sounds.played, QStringList{u"edit"_s});
    QCOMPARE(l.sliders(), parts);
    QCOMPARE(l.colorText("Label10"), shown);
    const QColor color(parts[0], parts[1], parts[2]);
    QCOMPARE(l.get<QLabel>("lbltext")->palette().color(QPalette::WindowText), color);
    QCOMPARE(l.get<QPlainTextEdit>("txttitel")->palette().color(QPalette::Text), color);
    QCOMPARE(l.get<QLabel>("gesamtfarbe")->palette().color(QPalette::Window), color);
    QVERIFY(l.get<QScrollBar>("scrollblau")->isEnabled() &&
            l.get<Button3D>("cmdnorm")->isEnabled());

    // A slider moved to 10 writes 0A: the text keeps its seven characters.
    l.get<QScrollBar>("scrollgruen")->setValue(10);
    QCOMPARE(l.colorText("Label10").size(), 7);
    QCOMPARE(l.colorText("Label10").mid(3, 2), u"0A"_s);
    QCOMPARE(l.get<QLabel>("lblgruen")->palette().color(QPalette::Window), QColor(0, 10, 0));
    QVERIFY(!e.pageSaved());
}

void tst_layouteditor::plusAndMinus_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier;
    QTest::newRow("plus, 255 stays") << u"#FE00FF"_s << true << none << u"#FF01FF"_s;
    QTest::newRow("minus, 0 stays") << u"#000105"_s << false << none << u"#000004"_s;
    QTest::newRow("shift plus from black") << u"#000000"_s << true << shift << u"#0C0C0C"_s;
    QTest::newRow("shift minus from white") << u"#FFFFFF"_s << false << shift << u"#F3F3F3"_s;
    QTest::newRow("shift plus stops at 255") << u"#F8F0FF"_s << true << shift << u"#FFFCFF"_s;
    QTest::newRow("shift with ctrl: one step")
        << u"#000000"_s << true << int(Qt::ShiftModifier | Qt::ControlModifier) << u"#010101"_s;
    QTest::newRow("shift with alt: one step")
        << u"#101010"_s << false << int(Qt::ShiftModifier | Qt::AltModifier) << u"#0F0F0F"_s;
}

void tst_layouteditor::plusAndMinus()
{
    QFETCH(QString, start);
    QFETCH(bool, plus);
    QFETCH(int, modifiers);
    QFETCH(QString, result);
    PageProject p = sampleProject();
    p.vlinkColor = start;
    Layout l(Language::German, p);
    l.open();
    l.get<QRadioButton>("Option4")->click();
    QCOMPARE(l.colorText("Label13"), start);
    QTest::mouseClick(l.get<Button3D>(plus ? "cmdplus" : "cmdminus"), Qt::LeftButton,
                      Qt::KeyboardModifiers(modifiers));
    QCOMPARE(l.colorText("Label13"), result);
    const ColorParts parts = rgb_errechnen(result);
    QCOMPARE(l.get<QLabel>("lblaltlink")->palette().color(QPalette::WindowText),
             QColor(parts.red, parts.green, parts.blue));
}

void tst_layouteditor::standardColorsCycle()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    l.get<QRadioButton>("Option3")->click();
    QStringList shown;
    for (int i = 0; i < 17; ++i) {
        e.cmdnorm_Click();
        shown << l.colorText("Label12");
    }
    QStringList expected(StandardColors.begin(), StandardColors.end());
    expected << u"#000000"_s;
    QCOMPARE(shown, expected);
    QCOMPARE(l.sliders(), (QList<int>{0, 0, 0}));
    QCOMPARE(l.get<Button3D>("cmdnorm")->caption(), u"Pallette"_s);
    QCOMPARE(l.get<Button3D>("cmdnorm")->toolTip(), u"Grundfarben"_s);
}

void tst_layouteditor::systemColorDialog()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    l.get<QRadioButton>("Option5")->click();
    l.s.dialogs.colors << std::nullopt << qint32(0x0C0B0A);
    l.get<QRadioButton>("optsystem")->click(); // cancelled: nothing changes
    QCOMPARE(l.colorText("Label14"), u"#0000FF"_s);
    l.get<QRadioButton>("optsystem")->click();
    QCOMPARE(l.colorText("Label14"), u"#0A0B0C"_s);
    QCOMPARE(l.sliders(), (QList<int>{10, 11, 12}));
    QCOMPARE(l.get<QLabel>("lblneulink")->palette().color(QPalette::WindowText),
             QColor(10, 11, 12));
    QVERIFY(l.get<QRadioButton>("opthand")->isChecked());
    QVERIFY(!l.get<QRadioButton>("optsystem")->isChecked());
    // The sliders act again, and the dialog opens with the colour it returned.
    l.get<QScrollBar>("scrollrot")->setValue(255);
    QCOMPARE(l.colorText("Label14"), u"#FF0B0C"_s);
    e.optsystem_Click();
    QCOMPARE(l.s.dialogs.colorRequests, (QList<qint32>{0, 0, 0x0C0B0A}));
}

void tst_layouteditor::backgroundPicture()
{
    // A 7 x 5 picture: first column red, the rest green.
    Layout l;
    const QString picture = l.s.path(u"kachel.bmp"_s);
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(Qt::green);
    for (int y = 0; y < 5; ++y)
        image.setPixelColor(0, y, Qt::red);
    QVERIFY(image.save(picture));
    PageProject p = sampleProject();
    p.picturePath = picture;
    p.pictureUse = PictureUse::Used;
    savePageProject(l.templates + u"a.pdt"_s, p, {});
    LayoutEditorDialog &e = l.open();

    // Tiled over the preview from its corner at the picture's size.
    auto *preview = l.get<QLabel>("picvorschau");
    const QImage shown = preview->pixmap().toImage();
    QCOMPARE(shown.size(), preview->size());
    for (const QPoint at : {QPoint(0, 0), QPoint(7, 5), QPoint(441, 195)})
        QCOMPARE(shown.pixelColor(at), QColor(Qt::red));
    for (const QPoint at : {QPoint(1, 0), QPoint(8, 199), QPoint(449, 199)})
        QCOMPARE(shown.pixelColor(at), QColor(Qt::green));
    QCOMPARE(e.backgroundPictureOn(), PictureUse::Used);

    // Saved once, then the background colour drops the picture.
    l.save(l.templates + u"a.pdt"_s);
    QVERIFY(e.pageSaved());
    l.get<QRadioButton>("Option2")->click();
    QVERIFY(preview->pixmap().isNull());
    QCOMPARE(e.backgroundPictureOn(), PictureUse::NotUsed);
    QCOMPARE(e.backgroundPicturePath(), QString());
    QVERIFY(!e.pageSaved());
    l.save(l.templates + u"a.pdt"_s);
    QCOMPARE(fileLines(l.templates + u"a.pdt"_s).mid(7, 2), (QStringList{QString(), u"nein"_s}));

    // Choosing a picture: the dialog, the preview, the project.
    l.s.dialogs.files << picture;
    l.get<QRadioButton>("Option6")->click();
    const FileDialogRequest request = l.s.dialogs.fileRequests.last();
    QCOMPARE(request.filter,
             u"Bitmaps (*.bmp)|*.bmp|Metadateien (*.wmf)|*.wmf|Alle "
             u"Bilddateien(*.ico;*.jpg;*gif;*.wmf;*.bmp;*.dib;*.emf;*.cur)|*.ico;*.jpg;*gif;*."
             u"wmf;*.bmp;*.dib;*.emf;*.cur"_s);
    QCOMPARE(request.filterIndex, 3);
    QVERIFY(!preview->pixmap().isNull());
    QCOMPARE(l.get<QLabel>("lblvorschau")->text(), u"Vorschau: "_s);
    QVERIFY(!l.get<QRadioButton>("Option6")->isChecked());
    QCOMPARE(e.backgroundPictureOn(), PictureUse::Used);
    QCOMPARE(e.backgroundPicturePath(), picture);
    QVERIFY(!e.pageSaved());
    QVERIFY(!l.get<QScrollBar>("scrollrot")->isEnabled() &&
            !l.get<QRadioButton>("optsystem")->isEnabled());
    QVERIFY(l.get<Button3D>("cmdplus")->isEnabled());

    // A file that is no picture is refused with a message; the project keeps its picture.
    const QString notAPicture = l.s.path(u"kaputt.bmp"_s);
    QVERIFY(testutil::writeBytes(notAPicture, "kein Bild"));
    l.s.dialogs.files << notAPicture;
    l.get<QRadioButton>("Option6")->click();
    QCOMPARE(l.s.dialogs.messages.last().text,
             u"Dieses Bild kann nicht angezeigt werden:\r"_s + notAPicture);
    QCOMPARE(e.backgroundPicturePath(), picture);
}

void tst_layouteditor::leaving_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("text"); // the question, none when empty
    QTest::addColumn<QString>("title");

    const QString leaveDe = u"Änderungen sind noch nicht gespeichert! Wirklich verlassen?"_s;
    const QString leaveEn = u"Changed data are not saved! Really leave?"_s;
    const QString closeDe = u"Noch nicht gespeichert! Trotzdem raus?"_s;
    const QString closeEn = u"Page is not saved! Sure close this window?"_s;
    QTest::newRow("button, yes") << false << false << true << int(AnswerYes) << true << leaveDe
                                 << u"Ohne Speichern verlassen?"_s;
    QTest::newRow("button, no") << false << false << true << int(AnswerNo) << false << leaveDe
                                << u"Ohne Speichern verlassen?"_s;
    QTest::newRow("button, english")
        << true << false << true << int(AnswerYes) << true << leaveEn << u"Lose data!"_s;
    QTest::newRow("button, saved") << false << true << true << 0 << true << QString() << QString();
    QTest::newRow("close box, yes")
        << false << false << false << int(AnswerYes) << true << closeDe << u"Sicherheitsabfrage"_s;
    QTest::newRow("close box, no")
        << false << false << false << int(AnswerNo) << false << closeDe << u"Sicherheitsabfrage"_s;
    QTest::newRow("close box, cancel") << false << false << false << int(AnswerCancel) << false
                                       << closeDe << u"Sicherheitsabfrage"_s;
    QTest::newRow("close box, english")
        << true << false << false << int(AnswerYes) << true << closeEn << u"Lose Data!"_s;
    QTest::newRow("close box, saved")
        << false << true << false << 0 << true << QString() << QString();
}

void tst_layouteditor::leaving()
{
    QFETCH(bool, english);
    QFETCH(bool, saveFirst);
    QFETCH(bool, byButton);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(QString, text);
    QFETCH(QString, title);
    Layout l(english ? Language::English : Language::German);
    LayoutEditorDialog &e = l.open();
    if (saveFirst) {
        l.save(l.templates + u"a.pdt"_s);
        QVERIFY(e.pageSaved());
    }
    l.s.dialogs.messages.clear();
    l.s.sounds.played.clear();
    if (answer)
        l.s.dialogs.answers << answer;
    if (byButton)
        e.cmdrausprojekt_Click();
    else
        e.close();

    QCOMPARE(e.isVisible(), !closed);
    QCOMPARE(l.s.sounds.played, closed ? QStringList{u"good1"_s} : QStringList());
    if (text.isEmpty()) {
        QVERIFY(l.s.dialogs.messages.isEmpty());
        return;
    }
    QCOMPARE(l.s.dialogs.messages.size(), 1);
    const Message expected =
        byButton ? question(text, title, MessageButtons::YesNo, MessageIcon::Critical, 2)
                 : question(text, title, MessageButtons::YesNoCancel, MessageIcon::Question, 3);
    QCOMPARE(l.s.dialogs.messages.first(), expected);
}

void tst_layouteditor::leaveShownModally()
{
    Layout l;
    l.s.dialogs.answers << AnswerNo << AnswerYes; // stay once, then leave
    bool modal = false, stayed = false;
    QTimer::singleShot(0, this, [&] {
        auto *editor = l.s.w().findChild<LayoutEditorDialog *>();
        modal = editor && QApplication::activeModalWidget() == editor;
        auto *leave = editor->findChild<Button3D *>(u"cmdrausprojekt"_s);
        leave->click();
        stayed = editor->isVisible();
        leave->click();
    });
    LayoutEditorDialog::showFor(l.s.context, &l.s.w());
    QVERIFY(modal && stayed);
    QCOMPARE(l.s.dialogs.messages.size(), 2);
    QCOMPARE(l.s.dialogs.messages.last().title, u"Ohne Speichern verlassen?"_s);
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_layouteditor::addressChangeAloneAsks()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    l.save(l.templates + u"a.pdt"_s);
    QVERIFY(e.pageSaved());
    QTest::keyClicks(l.get<QLineEdit>("txtmail"), u"x"_s);
    QVERIFY(!e.pageSaved());
    l.s.dialogs.answers << AnswerNo;
    e.cmdrausprojekt_Click();
    QCOMPARE(l.s.dialogs.messages.last().title, u"Ohne Speichern verlassen?"_s);
    QVERIFY(e.isVisible());

    // Without an at sign the save asks; OK goes back to the field.
    l.get<QLineEdit>("txtmail")->clear();
    l.s.dialogs.answers << AnswerOk;
    l.s.dialogs.files << l.templates + u"a.pdt"_s;
    e.cmdfarbspeichern_Click();
    QCOMPARE(l.s.dialogs.messages.last(),
             question(u"EMail-Eintrag fehlt noch! ABBRECHEN = kein Eintrag"_s,
                      u"Vervollständigen!"_s, MessageButtons::OkCancel, MessageIcon::Information,
                      1));
    QCOMPARE(l.s.dialogs.files.size(), 1); // no dialog shown
    l.s.dialogs.files.clear();
}

void tst_layouteditor::contactStore_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("savedLine"); // line 2 after saving
    QTest::addColumn<QStringList>("reports");
    const QByteArray own = fullVersionText().toLatin1();
    QTest::newRow("own version, encoded") << own + "\r\n&#228;&#64;&#98;\r\n"
                                          << u"ä@b"_s << u"&#228;&#64;&#98;"_s << QStringList();
    QTest::newRow("export dialog's plain store")
        << QByteArray("1.2.5\r\n  max@example.org \r\n") << u"max@example.org"_s
        << mail_encrypt(u"max@example.org"_s) << QStringList();
    QTest::newRow("own version, plain: cannot be decoded")
        << own + "\r\nmax;b\r\n"
        << QString() << QString() << QStringList{u"frmindex/mail_decrypt/13"_s};
    QTest::newRow("one line: not read")
        << QByteArray("2.0.1\r\n") << QString() << QString() << QStringList();
}

void tst_layouteditor::contactStore()
{
    QFETCH(QByteArray, store);
    QFETCH(QString, shown);
    QFETCH(QString, savedLine);
    QFETCH(QStringList, reports);
    Layout l;
    const QString file = l.s.state.dataFolder() + u"mail.dat"_s;
    QVERIFY(testutil::writeBytes(file, store));
    LayoutEditorDialog &e = l.open();
    QCOMPARE(l.get<QLineEdit>("txtmail")->text(), shown);
    QCOMPARE(l.s.errors.reports, reports);

    if (!shown.contains(u'@'))
        l.s.dialogs.answers << AnswerCancel; // save without an address
    l.s.dialogs.files << l.templates + u"a.pdt"_s;
    e.cmdfarbspeichern_Click();
    QVERIFY(e.pageSaved());
    QCOMPARE(fileLines(file), (QStringList{fullVersionText(), savedLine}));
    // Saving again writes the same.
    const QByteArray first = testutil::readBytes(file);
    l.s.dialogs.answers << AnswerCancel;
    l.s.dialogs.files << l.templates + u"a.pdt"_s;
    e.cmdfarbspeichern_Click();
    QCOMPARE(testutil::readBytes(file), first);
}

void tst_layouteditor::failedWritesAreReported()
{
    Layout l;
    LayoutEditorDialog &e = l.open();
    const QString target = l.templates + u"a.pdt"_s;
    const QByteArray before = testutil::readBytes(target);
    // A font name the file cannot hold: nothing is written, the old file stays.
    l.get<QComboBox>("cindexschrift")->setEditText(u"\u6587\u6CC9"_s);
    l.save(target);
    QCOMPARE(l.s.errors.reports.size(), 1);
    QVERIFY(l.s.errors.reports.first().startsWith(u"frmindex/seite_speichern/"_s));
    QCOMPARE(testutil::readBytes(target), before);
    QVERIFY(!e.pageSaved());

    // The project is written, the contact store cannot be: still unsaved.
    l.get<QComboBox>("cindexschrift")->setEditText(u"Arial"_s);
    l.get<QLineEdit>("txtdatname")->setText(u"neu"_s);
    QVERIFY(QDir().mkpath(l.s.state.dataFolder() + u"mail.dat"_s));
    l.save(target);
    QCOMPARE(l.s.errors.reports.size(), 2);
    QVERIFY(l.s.errors.reports.last().startsWith(u"frmindex/seite_speichern/"_s));
    QCOMPARE(fileLines(target).at(9), u"neu"_s);
    QVERIFY(!e.pageSaved());
}

void tst_layouteditor::schemePaintsByRole()
{
    Layout l;
    ColorScheme scheme;
    scheme[ColorScheme::buttonColor] = 0x0000C0;     // dark red
    scheme[ColorScheme::fontColor] = 0x008000;       // green
    scheme[ColorScheme::backgroundColor] = 0xE0E0FF; // light pink
    scheme[ColorScheme::buttonFontColor] = 0xFF0000; // blue
    const QString file = l.s.path(u"bunt.sch"_s);
    saveSchemeFile(file, scheme);
    l.s.state.settings.schemeFilePath = file;
    LayoutEditorDialog &e = l.open();
    QCOMPARE(l.s.state.currentColors, scheme);
    QCOMPARE(l.s.state.savedColors, scheme);

    const QColor button(0xC0, 0, 0), font(0, 0x80, 0), back(0xFF, 0xE0, 0xE0), caption(0, 0, 0xFF);
    auto colors = [](QWidget *w) {
        // Disabled tools keep the platform's disabled text; enabled they show the scheme's.
        // The background is the colour the widget actually fills itself with.
        return std::tuple{w->autoFillBackground(), w->palette().color(w->backgroundRole()),
                          w->palette().color(QPalette::Active, QPalette::WindowText)};
    };
    QCOMPARE(e.palette().color(QPalette::Window), back);
    QCOMPARE(l.get<QWidget>("Shape2")->palette().color(QPalette::Window), button);
    for (const char *name : {"cmdfarbspeichern", "cmdplus", "cmdnorm"}) {
        QCOMPARE(l.get<Button3D>(name)->faceColor(), std::optional<qint32>(0x0000C0));
        QCOMPARE(l.get<Button3D>(name)->captionColor(), std::optional<qint32>(0xFF0000));
    }
    for (const char *name : {"Check1", "omitte", "opttitelzent", "Frame2", "lblstil"})
        QCOMPARE(colors(l.get<QWidget>(name)), std::tuple(true, back, font));
    for (const char *name : {"Option1", "Option6", "optsystem", "opthand"})
        QCOMPARE(colors(l.get<QWidget>(name)), std::tuple(true, button, caption));
    for (const char *name : {"lbltitel", "Label10", "lblrottext"})
        QCOMPARE(l.get<QLabel>(name)->palette().color(QPalette::WindowText), font);
    // The preview keeps the page's own colours.
    QCOMPARE(l.get<QLabel>("lblneulink")->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

void tst_layouteditor::captionsFit_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("deutsch") << false;
    QTest::newRow("english") << true;
}

void tst_layouteditor::captionsFit()
{
    QFETCH(bool, english);
    Layout l(english ? Language::English : Language::German);
    LayoutEditorDialog &e = l.open();
    QCOMPARE(testutil::cutOffCaptions(&e), QStringList());
    QCOMPARE(e.windowTitle(), english ? u"Page layout/preview   File: a.pdt"_s
                                      : u"Seiteneinstellung/Vorschau   Datei: a.pdt"_s);
    QCOMPARE(l.get<Button3D>("cmdoeffnefarbe")->caption(),
             english ? u"Template\nopen"_s : u"Vorlage\nöffnen"_s);
    QCOMPARE(l.get<QRadioButton>("Option2")->toolTip(),
             english ? u"clear the picture settings!"_s : u"Hebt Bildauswahl auf!"_s);
    QCOMPARE(l.get<QLineEdit>("txtmail")->toolTip(),
             english ? u"EMail-adress will be encoded"_s
                     : u"Email-Adresse wird verschlüsselt generiert"_s);
    QCOMPARE(l.get<Button3D>("cmdplus")->toolTip(),
             u"SHIFT- Taste für schnelle Änderung drücken"_s);
}

QTEST_MAIN(tst_layouteditor)
#include "tst_layouteditor.moc"
