#include "app/paths.h"
#include "controls/pathlabel.h"
#include "editor/pagepanel.h"
#include "gui/session.h"

#include <QSignalSpy>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::itemTexts;
using testutil::Kit;

namespace {

// A page panel on its own, with folders for the page list: templates with
// three page projects and a file that is none, one without projects, and an
// HTML output folder.
struct Panel : Kit {
    QString templates = withTrailingSeparator(path(u"vorlagen"_s));
    QString empty = withTrailingSeparator(path(u"leer"_s));
    QString html = withTrailingSeparator(path(u"html"_s));
    QWidget client;
    PagePanel panel{context, &client};

    Panel()
    {
        for (const QString &f : {templates, empty, html})
            QDir().mkpath(f);
        for (const char *name : {"b.pdt", "a.pdt", "C.PDT", "notiz.txt"})
            testutil::writeBytes(templates + QLatin1String(name), "x");
    }
    // {{T}} the templates folder, {{E}} the empty one, {{H}} the HTML folder,
    // {{X}} a folder that does not exist.
    QString expand(QString text) const
    {
        return text.replace(u"{{T}}"_s, templates)
            .replace(u"{{E}}"_s, empty)
            .replace(u"{{H}}"_s, html)
            .replace(u"{{X}}"_s, path(u"weg/"_s));
    }
    // The start with these settings.
    void start(const QString &templatesFolder, const QString &page = {},
               const QString &htmlFolder = {})
    {
        state.settings.TemplatesFolder = expand(templatesFolder);
        state.settings.lastTemplatePage = page;
        state.settings.HtmlOutputFolder = expand(htmlFolder);
        state.settings.soundsOn = true;
        panel.checkFolders();
    }
    template <typename T> T *get(const char *name) { return testutil::child<T>(client, name); }
    QComboBox *list() { return get<QComboBox>("cseite"); }
};

} // namespace

class tst_pagepanel : public QObject {
    Q_OBJECT
private slots:
    // Start-up checks the output and templates folders and fills the page list;
    // the layout editor opens only with a templates folder.
    void startupFolderCheck_data()
    {
        QTest::addColumn<QString>("io"); // "templates|page|html -> shown|selected|htmlShown"
        QTest::addColumn<QList<MessageIcon>>("messages");
        const QList<MessageIcon> none;
        QTest::newRow("remembered page") << "{{T}}|b.pdt|{{H}} -> {{T}}|b.pdt|{{H}}" << none;
        QTest::newRow("HTML folder missing")
            << "{{T}}|a.pdt|{{X}} -> {{T}}|a.pdt|" << QList{MessageIcon::Critical};
        QTest::newRow("no templates folder")
            << "|a.pdt|{{H}} -> ||{{H}}" << QList{MessageIcon::Information};
        QTest::newRow("templates folder missing")
            << "{{X}}|a.pdt| -> ||" << QList{MessageIcon::Critical};
        QTest::newRow("no page projects") << "{{E}}|| -> ||" << QList{MessageIcon::Question};
    }

    void startupFolderCheck()
    {
        QFETCH(QString, io);
        QFETCH(QList<MessageIcon>, messages);
        Panel p;
        const QStringList v = p.expand(io.replace(u" -> "_s, u"|"_s)).split(u'|');
        p.start(v.at(0), v.at(1), v.at(2));
        QList<MessageIcon> icons;
        for (const Message &m : std::as_const(p.dialogs.messages))
            icons << m.icon;
        QCOMPARE(icons, messages);
        const bool listed = !v.at(3).isEmpty();
        const QStringList shown{p.state.settings.TemplatesFolder,
                                p.get<PathLabel>("lbltest")->text(),
                                p.list()->currentText(),
                                itemTexts(p.list()).join(u','),
                                QString::number(p.list()->isEnabled()),
                                QString::number(p.get<Button3D>("cmdsloeschen")->isEnabled()),
                                p.state.settings.HtmlOutputFolder,
                                p.get<PathLabel>("lblhtml")->text()};
        QCOMPARE(shown, (QStringList{
                            v.at(3), v.at(3), v.at(4), listed ? u"C.PDT,a.pdt,b.pdt"_s : QString(),
                            QString::number(listed), QString::number(listed), v.at(5), v.at(5)}));
        // The layout editor needs a templates folder.
        p.dialogs.messages.clear();
        p.sounds.played.clear();
        QSignalSpy requested(&p.panel, &PagePanel::layoutEditorRequested);
        p.get<Button3D>("Command1")->click();
        QCOMPARE(requested.size(), int(listed));
        QCOMPARE(p.dialogs.messages.size(), int(!listed));
        QCOMPARE(p.sounds.played, listed ? QStringList{u"generieren"_s} : QStringList());
    }

    void chooseTemplatesFolder_data()
    {
        QTest::addColumn<QString>("before"); // the templates folder at start
        QTest::addColumn<int>("answer");     // to the question whether to replace it
        QTest::addColumn<QString>("chosen"); // from the folder browser, "" cancels
        QTest::addColumn<QString>("after");  // the folder | the page list | the page
        const auto row = [](const char *name, const char *before, int answer, const char *chosen,
                            const char *after) {
            QTest::newRow(name) << QString(before) << answer << QString(chosen) << QString(after);
        };
        row("set, No", "{{T}}", AnswerNo, "{{E}}", "{{T}}|C.PDT,a.pdt,b.pdt|b.pdt");
        row("set, Yes, cancelled", "{{T}}", AnswerYes, "", "{{T}}|C.PDT,a.pdt,b.pdt|b.pdt");
        row("set, Yes, an empty folder", "{{T}}", AnswerYes, "{{E}}", "{{E}}||");
        row("unset: not asked", "", 0, "{{T}}", "{{T}}|C.PDT,a.pdt,b.pdt|C.PDT");
    }

    void chooseTemplatesFolder()
    {
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        Panel p;
        p.start(before, u"b.pdt"_s);
        p.dialogs.messages.clear();
        p.dialogs.answers << answer;
        p.dialogs.folders << p.expand(chosen);
        p.sounds.played.clear();
        p.panel.onChooseTemplatesFolderTriggered();
        QCOMPARE(p.dialogs.messages.size() + p.dialogs.folderPrompts.size(),
                 int(!before.isEmpty()) + int(answer != AnswerNo));
        QCOMPARE(p.sounds.played, QStringList{u"menu"_s});
        QCOMPARE(p.state.pages.templatesFolder() + u'|' + itemTexts(p.list()).join(u',') + u'|' +
                     p.state.pages.page(),
                 p.expand(after));
        QVERIFY(p.list()->isEnabled() && p.get<Button3D>("cmdsloeschen")->isEnabled());
    }

    // A cancelled folder browser changes nothing; a path too long to show whole
    // is shortened in the middle: its start and its last folder stay in sight.
    void chooseOutputFolder()
    {
        Panel p;
        p.start(QString(), QString(), u"{{H}}"_s);
        auto *label = p.get<PathLabel>("lblhtml");
        p.panel.onChooseOutputFolderTriggered(); // nothing scripted: cancelled
        QCOMPARE(p.state.settings.HtmlOutputFolder + label->text() + label->toolTip(),
                 p.html.repeated(3));
        const QString deep = p.empty + QStringList(12, u"Unterordner"_s).join(u'/') + u"/Ende/"_s;
        p.dialogs.folders << deep;
        p.panel.onChooseOutputFolderTriggered();
        QCOMPARE(p.state.settings.HtmlOutputFolder + label->text() + label->toolTip(),
                 deep.repeated(3));
        const QString shown = label->shownText();
        QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->width());
        QVERIFY(shown.startsWith(p.dir.path().left(4)));
        QVERIFY(shown.endsWith(u"/Ende/"_s));
    }

    void deletePageProject_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QString>("page");  // the page list's text
        QTest::addColumn<int>("answer");    // -1: nothing asked
        QTest::addColumn<QString>("after"); // the files left | the page
        QTest::newRow("OK deletes") << "a.pdt,b.pdt,c.pdt"
                                    << "b.pdt" << int(AnswerOk) << "a.pdt,c.pdt|a.pdt";
        QTest::newRow("Cancel keeps") << "a.pdt,b.pdt"
                                      << "b.pdt" << int(AnswerCancel) << "a.pdt,b.pdt|b.pdt";
        QTest::newRow("a typed name is not deleted") << "a.pdt,z.faq"
                                                     << "z.faq" << -1 << "a.pdt,z.faq|z.faq";
    }

    void deletePageProject()
    {
        QFETCH(QString, files);
        QFETCH(QString, page);
        QFETCH(int, answer);
        Panel p;
        for (const QString &file : files.split(u','))
            QVERIFY(testutil::writeBytes(p.empty + file, "x"));
        p.start(u"{{E}}"_s);
        p.state.pages.setPage(page);
        p.dialogs.answers << answer;
        p.sounds.played.clear();
        p.get<Button3D>("cmdsloeschen")->click();
        // The question names the file and keeps it on Enter.
        QCOMPARE(p.dialogs.messages.size(), 1);
        QCOMPARE(p.dialogs.messages.first().text.startsWith(p.empty + page), answer > 0);
        QCOMPARE(p.dialogs.messages.first().defaultButton, answer > 0 ? 2 : 1);
        const QStringList left = QDir(p.empty).entryList(QDir::Files, QDir::Name);
        QTEST(left.join(u',') + u'|' + p.state.pages.page(), "after");
        QCOMPARE(itemTexts(p.list()), left.filter(u".pdt"_s));
        QCOMPARE(p.sounds.played.size(), int(answer == AnswerOk));
    }
};

QTEST_MAIN(tst_pagepanel)
#include "tst_pagepanel.moc"
