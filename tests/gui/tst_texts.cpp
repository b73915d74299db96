// The interface texts, checked once for every window instead of per control:
// each window is opened as a user opens it, in German and in English; no
// caption is cut off, a text shown in one language is shown in the other, and
// what stays the same in both is a name, a number or a word both languages share.
#include "app/paths.h"
#include "gui/session.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::Session;

namespace {

// The controls of a window whose caption is wider than the control, so
// that part of it would be cut off.
QStringList cutOffCaptions(const QWidget *window)
{
    QStringList cut;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        QString text;
        int room = w->width();
        if (const auto *label = qobject_cast<const QLabel *>(w)) {
            if (label->wordWrap() || label->pixmap().isNull() == false)
                continue;
            text = label->text();
            room -= 2 * label->margin();
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(w)) {
            text = button->text();
            // Check boxes and option buttons need room for their indicator.
            room -= qobject_cast<const QCheckBox *>(w) || qobject_cast<const QRadioButton *>(w) ? 22
                                                                                                : 8;
        }
        text.remove(QLatin1Char('&'));
        int widest = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
        if (!text.isEmpty() && widest > room)
            cut << QStringLiteral("%1 \"%2\" %3>%4")
                       .arg(w->objectName(), text)
                       .arg(widest)
                       .arg(room);
    }
    return cut;
}

using Texts = QMap<QString, QString>; // "objectName" -> text shown

// Every named control's caption, the window title and, for the main window,
// its menus.
Texts textsOf(const QWidget &window)
{
    Texts texts{{u"(title)"_s, window.windowTitle()}};
    for (const QObject *o : window.findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_"_s) || name.startsWith(u"_q_"_s))
            continue;
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(o))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(o))
            text = button->text();
        else if (const auto *box = qobject_cast<const QGroupBox *>(o))
            text = box->title();
        else if (const auto *action = qobject_cast<const QAction *>(o))
            text = action->isSeparator() ? QString() : action->text();
        else if (const auto *menu = qobject_cast<const QMenu *>(o))
            text = menu->title();
        else
            continue;
        // A menu entry without a caption cannot be found by anyone.
        if (text.isEmpty() &&
            (qobject_cast<const QMenu *>(o) ||
             (qobject_cast<const QAction *>(o) && !static_cast<const QAction *>(o)->isSeparator() &&
              static_cast<const QAction *>(o)->isVisible())))
            text = u"(no caption)"_s;
        texts.insert(name, text.remove(u'&'));
    }
    return texts;
}

// Words the program shows alike in both languages: names, shared loan words.
bool isLanguageNeutral(const QString &text)
{
    static const QRegularExpression neutral(
        uR"(^(\W|\d)*$|^\w{1,2}\W?$|^(OK|Info|Homepage|HTML.*|FAQ.*|E-Mail.*|Askbright.*|Sound|Layout.*|CSV.*|Markdown.*|Start|Online.*|Internet.*|Text|Status|Design|Hyperlink.*|Tipp.*|Version.*|Links?|Test|System|Pallette)$|^#[0-9A-F]{6}$|[/\\]|https?:|@|\.(faq|pdt|html)\b)"_s,
        QRegularExpression::CaseInsensitiveOption);
    return neutral.match(text.trimmed()).hasMatch();
}

// A page project, a database of three records and the sample about text, so
// that every window can open.
void prepare(Session &s)
{
    const QString templates = withTrailingSeparator(s.path(u"vorlagen"_s));
    const QString html = withTrailingSeparator(s.path(u"html"_s));
    QDir().mkpath(templates);
    QDir().mkpath(html);
    testutil::writeBytes(templates + u"seite.pdt"_s,
                         testutil::pageProject(u"Titel|#000000|#FFFFFF|#FF0000|#800080|#0000FF||"
                                               u"nein|faq|Autor|Beschreibung|mitte|Fett||Arial|"
                                               u"16|12|links"_s,
                                               {u"k1"_s}));
    testutil::writeBytes(s.path(u"about.txt"_s), "Askbright\r\n");
    AppSettings settings;
    settings.TemplatesFolder = templates;
    settings.lastTemplatePage = u"seite.pdt"_s;
    settings.HtmlOutputFolder = html;
    testutil::writeBytes(s.state.settingsFilePath(), encodeCp1252(formatSettings(settings)));
}

// Opens a window through the main window and returns its texts and cut-off
// captions while it is shown.
struct Shown {
    Texts texts;
    QStringList cut;
    bool opened = false;
};

Shown openAndRead(Session &s, const char *command)
{
    Shown shown;
    if (QLatin1String(command) == "main") {
        shown = {textsOf(s.w()), cutOffCaptions(&s.w()), true};
        return shown;
    }
    QTimer timer; // until the window is up; gone with this call
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer.stop();
        shown = {textsOf(*modal), cutOffCaptions(modal), true};
        // Past any question on leaving: the window's texts are all this wants.
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    });
    timer.start(10);
    if (auto *action = s.w().findChild<QAction *>(QLatin1String(command)))
        action->trigger();
    else
        testutil::child<QAbstractButton>(s.w(), QLatin1String(command))->click();
    return shown;
}

} // namespace

class tst_texts : public QObject {
    Q_OBJECT
private slots:
    void everyWindowFollowsTheLanguage_data()
    {
        QTest::addColumn<QByteArray>("command"); // what opens the window
        QTest::addColumn<QStringList>("alike");  // controls worded alike in both languages
        QTest::newRow("main window") << QByteArray("main") << QStringList();
        QTest::newRow("layout editor") << QByteArray("Command1") << QStringList();
        QTest::newRow("export") << QByteArray("mnuexporttext") << QStringList();
        QTest::newRow("reorder") << QByteArray("mnusort") << QStringList();
        QTest::newRow("scheme editor") << QByteArray("mnufarbe") << QStringList();
        // The credits scroll the about text, in whatever language it is written.
        QTest::newRow("about") << QByteArray("mnuueber") << QStringList{u"*"_s};
        // The address, the bank and the German note are the same for everyone.
        QTest::newRow("donation") << QByteArray("mnudonate")
                                  << QStringList{u"lbladr"_s, u"lblkn"_s, u"Label3"_s};
    }

    void everyWindowFollowsTheLanguage()
    {
        QFETCH(QByteArray, command);
        QFETCH(QStringList, alike);
        Session s(prepare);
        s.open(s.writeDatabase(u"liste.faq"_s, 3));
        const Shown german = openAndRead(s, command.constData());
        s.action("mnuenglisch")->trigger();
        QCOMPARE(s.state.language(), Language::English);
        const Shown english = openAndRead(s, command.constData());

        QVERIFY(german.opened && english.opened);
        QVERIFY2(german.cut.isEmpty(), qPrintable(german.cut.join(u" | "_s)));
        QVERIFY2(english.cut.isEmpty(), qPrintable(english.cut.join(u" | "_s)));
        QCOMPARE(english.texts.keys(), german.texts.keys());
        if (alike == QStringList{u"*"_s})
            return;
        QStringList untranslated;
        int changed = 0;
        for (auto it = german.texts.cbegin(); it != german.texts.cend(); ++it) {
            const QString other = english.texts.value(it.key());
            if (it.value().isEmpty() != other.isEmpty())
                untranslated << it.key() + u" shown in one language only"_s;
            else if (it.value() != other)
                ++changed;
            else if (!it.value().isEmpty() && !isLanguageNeutral(it.value()) &&
                     !alike.contains(it.key()))
                untranslated << it.key() + u": "_s + it.value();
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u" | "_s)));
        QVERIFY(changed > 0);
    }
};

QTEST_MAIN(tst_texts)
#include "tst_texts.moc"
