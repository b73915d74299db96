#include "app/product.h"
#include "testutil.h"

#include <QProcess>

using namespace Qt::StringLiterals;

class tst_cli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void run_data();
    void run();
    void importAndExport();

private:
    // Runs the tool; returns the exit code, fills the two streams.
    int cli(const QStringList &arguments, QByteArray *out = nullptr, QByteArray *err = nullptr,
            const QString &epoch = u"1078056000"_s);

    QTemporaryDir m_dir;
};

void tst_cli::initTestCase()
{
    const QByteArray project = testutil::pageProject(
        u"Titel|#000000|#FFFFFF|#FF0000|#800080|#0000FF||nein|faq|||mitte|||Arial|16|12|links"_s);
    QVERIFY(testutil::writeBytes(m_dir.filePath(u"seite.pdt"_s), project));
    // A backslash is part of a name here, as the file system has it.
    QVERIFY(testutil::writeBytes(m_dir.filePath(u"a\\b.pdt"_s), project));
    QVERIFY(QDir(m_dir.path()).mkdir(u"x\\y"_s));
}

void tst_cli::run_data()
{
    // {{DB}}: a database with two records, {{DIR}}: the folder of project and page; '~' is a blank
    // inside one argument.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("epoch"); // SOURCE_DATE_EPOCH
    QTest::addColumn<int>("code");
    // Part of stdout after success, else of stderr; the other stream stays empty.
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("page"); // '|'-separated parts of the written page; empty: no page

    const auto row = [](const char *name, const QString &line, int code, const QString &message,
                        const QString &page = {}, const QString &epoch = u"1078056000"_s) {
        QTest::newRow(name) << line.split(u' ', Qt::SkipEmptyParts) << epoch << code << message
                            << page;
    };
    const QString g = u"generate --database {{DB}} --project {{DIR}}/seite.pdt --output {{DIR}}"_s;
    const QString written = QDir::toNativeSeparators(m_dir.filePath(u"faq.html"_s));
    row("help", u"--help"_s, 0, u"Usage: askbright-cli generate"_s);
    row("version", u"--version"_s, 0, u"askbright-cli "_s + askbright::fullVersionText());
    row("--date before SOURCE_DATE_EPOCH", g + u" --date 2026-12-06"_s, 0, written,
        u"name=\"date\" content=\"2026-12-06\""_s);
    // The default SOURCE_DATE_EPOCH is 2004-02-29 12:00 UTC.
    row("SOURCE_DATE_EPOCH", g, 0, written, u"name=\"date\" content=\"2004-02-29\""_s);
    row("options reach the page",
        g + u" --language englisch --layout 2 --no-paragraphs --links-same-size --pre "
            u"--contact ~a@b~"_s,
        0, written,
        u"Questions:|mailto: a@b ?subject=Feedback Titel\">You have any questions?|"
        u"<pre>Zeile eins\r\nZeile zwei\r\nZeile drei</pre>|"
        u"<span style=\"font-size:12pt;\">(to the answer)|>Top</a><br>&nbsp;</span>"_s);
    row("bad SOURCE_DATE_EPOCH", g, 2, u"invalid SOURCE_DATE_EPOCH 'gestern'"_s, {}, u"gestern"_s);
    row("no command", QString(), 2, u"missing command"_s);
    row("unknown option", g + u" --colour"_s, 2, u"Unknown option 'colour'"_s);
    row("missing project", u"generate --database {{DB}} --output {{DIR}}"_s, 2,
        u"--project is required"_s);
    row("bad language", g + u" --language french"_s, 2, u"deutsch or englisch, not 'french'"_s);
    row("bad layout", g + u" --layout 3"_s, 2, u"--layout must be 1 or 2, not '3'"_s);
    row("bad date", g + u" --date 06.12.2026"_s, 2, u"invalid --date '06.12.2026'"_s);
    row("extra argument", g + u" page"_s, 2, u"extra argument 'page'"_s);
    row("both import formats", u"import --database {{DB}} --csv a.csv --markdown a.md"_s, 2,
        u"give exactly one of --csv and --markdown"_s);
    row("database missing", QString(g).replace(u"{{DB}}"_s, u"{{DIR}}/fehlt.faq"_s), 2,
        u"cannot read the database '{{DIR}}/fehlt.faq': 53  "_s);
    row("a long path is cut in the middle",
        QString(g).replace(u"{{DB}}"_s, u"{{DIR}}"_s + (u"/"_s + QString(50, u'x')).repeated(6) +
                                            u"/fehlt.faq"_s),
        2, u"cannot read the database '/.../fehlt.faq': 53  File not found: /.../fehlt.faq\n"_s);
    row("output folder missing", g + u"/nirgends"_s, 2,
        u"Seite nicht erzeugt: Die FAQ-Seite wurde nicht erzeugt:\n76  "_s);
    row("paths as given",
        u"generate --database {{DB}} --project {{DIR}}/a\\b.pdt --output {{DIR}}/x\\y"_s, 0,
        u"{{DIR}}/x\\y/faq.html"_s);
    row("modern page", g + u" --modern --page-language en"_s, 0, written,
        u"<!DOCTYPE html>\n<html lang=\"en\">|application/ld+json|<li class=\"item\" id="_s);
    row("bad page language", g + u" --modern --page-language fr"_s, 2,
        u"--page-language must be de or en, not 'fr'"_s);
    row("import needs one file", u"import --database {{DB}}"_s, 2,
        u"give exactly one of --csv and --markdown"_s);
    row("not a command", u"sort"_s, 2, u"unknown command 'sort'"_s);
    row("not a project, English",
        QString(g).replace(u"{{DIR}}/seite.pdt"_s, u"{{DB}}"_s) + u" --language englisch"_s, 1,
        u"Askbright: Invalid Filetype"_s);
}

void tst_cli::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, epoch);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QString, page);
    message.replace(u"{{DIR}}"_s, m_dir.path());
    arguments.replaceInStrings(u"~"_s, u" "_s)
        .replaceInStrings(u"{{DB}}"_s, testutil::dataPath(u"two_records.faq"_s))
        .replaceInStrings(u"{{DIR}}"_s, m_dir.path());
    const QString pagePath = m_dir.filePath(u"faq.html"_s);
    QFile::remove(pagePath);

    QByteArray out, err;
    QCOMPARE(cli(arguments, &out, &err, epoch), code);
    const QByteArray &talking = code == 0 ? out : err, &quiet = code == 0 ? err : out;
    QVERIFY2(QString::fromLocal8Bit(talking).contains(message), talking.constData());
    QVERIFY2(quiet.isEmpty(), quiet.constData());
    QCOMPARE(QFile::exists(pagePath), !page.isEmpty());
    const QString text = QString::fromLatin1(testutil::readBytes(pagePath));
    for (const QString &part : page.split(u'|', Qt::SkipEmptyParts))
        QVERIFY2(text.contains(part), qPrintable(part));
}

int tst_cli::cli(const QStringList &arguments, QByteArray *out, QByteArray *err,
                 const QString &epoch)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"SOURCE_DATE_EPOCH"_s, epoch);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ASKBRIGHT_CLI), arguments);
    if (!process.waitForFinished(60000))
        return -1;
    if (out)
        *out = process.readAllStandardOutput();
    if (err)
        *err = process.readAllStandardError();
    return process.exitCode();
}

// A database goes out as CSV and comes back byte for byte; an import lists
// what it left out or changed, and a file of no records changes nothing.
void tst_cli::importAndExport()
{
    const QString database = testutil::dataPath(u"two_records.faq"_s);
    // A backslash is part of the name here, as the file system has it.
    const QString csv = m_dir.filePath(u"two\\records.csv"_s), copy = m_dir.filePath(u"copy.faq"_s);
    QByteArray out, err;
    QCOMPARE(cli({u"export"_s, u"--database"_s, database, u"--csv"_s, csv}, &out), 0);
    QVERIFY(out.startsWith("2 records written to"));
    QCOMPARE(cli({u"import"_s, u"--database"_s, copy, u"--csv"_s, csv}, &out), 0);
    QCOMPARE(out, QByteArray("2 records imported (0 changed), 0 rows left out\n"));
    QCOMPARE(testutil::readBytes(copy), testutil::readBytes(database));

    // Control characters from the file reach the terminal as "?".
    const QString md = m_dir.filePath(u"more.md"_s);
    QVERIFY(testutil::writeBytes(md, "Vorwort\n## Dritte?\n\n- zur Frage: \x1b[2J\n\nJa.\n"));
    QCOMPARE(
        cli({u"import"_s, u"--database"_s, copy, u"--markdown"_s, md, u"--date"_s, u"2026-12-06"_s},
            &out, &err),
        1);
    QCOMPARE(out, QByteArray("1 records imported (1 changed), 1 rows left out\n"));
    QCOMPARE(err, QByteArray("askbright-cli: line 1: left out, text before the first question\n"
                             "askbright-cli: line 2, info with question: \"?[2J\" read as 0\n"));
    QVERIFY(testutil::readBytes(copy).endsWith("\"Dritte?\"\r\n\"Ja.\"\r\n\"\"\r\n\"\"\r\n 0 \r\n"
                                               "06.12.2026\r\n"));
    QVERIFY(testutil::readBytes(copy).startsWith(" 3 \r\n"));

    // A file that holds no records is given up and the database stays.
    const QByteArray before = testutil::readBytes(copy);
    QVERIFY(testutil::writeBytes(md, "# T\n"));
    QCOMPARE(cli({u"import"_s, u"--database"_s, copy, u"--markdown"_s, md}, nullptr, &err), 1);
    QVERIFY2(err.contains(": 13  The "), err.constData());
    QCOMPARE(testutil::readBytes(copy), before);
}

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
