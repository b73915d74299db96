#include "app/product.h"
#include "app/textcodec.h"
#include "testutil.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

class tst_cli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();
    void dateFromSourceDateEpoch();
    void optionsReachThePage();

private:
    struct Run {
        int code = -1;
        QString out;
        QString err;
    };
    Run cli(const QStringList &arguments, const QString &epoch = {});
    QStringList generate() const
    {
        return {QStringLiteral("generate"),
                QStringLiteral("--database"),
                m_database,
                QStringLiteral("--project"),
                m_project,
                QStringLiteral("--output"),
                m_out};
    }

    QTemporaryDir m_dir;
    QString m_database;
    QString m_project;
    QString m_out;
};

void tst_cli::initTestCase()
{
    m_database = testutil::dataPath(QStringLiteral("two_records.faq"));
    m_project = m_dir.filePath(QStringLiteral("seite.pdt"));
    m_out = m_dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("out")));
    const QByteArray project = "[Projektdatei f\xFCr Askbright]\r\nTitel\r\n#000000\r\n#FFFFFF\r\n"
                               "#FF0000\r\n#800080\r\n#0000FF\r\n\r\nnein\r\nfaq\r\nAutor\r\n"
                               "Text\r\nmitte\r\n\r\n\r\nArial\r\n16\r\n12\r\nlinks\r\n 0 \r\n";
    QVERIFY(testutil::writeBytes(m_project, project));
    QVERIFY(testutil::writeBytes(m_dir.filePath(QStringLiteral("kaputt.pdt")), "kein Projekt\r\n"));
    QVERIFY(testutil::writeBytes(m_dir.filePath(QStringLiteral("x.faq")), "not a database"));
}

tst_cli::Run tst_cli::cli(const QStringList &arguments, const QString &epoch)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
    if (!epoch.isEmpty())
        env.insert(QStringLiteral("SOURCE_DATE_EPOCH"), epoch);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ASKBRIGHT_CLI), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.code = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

void tst_cli::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("stdoutPart");
    QTest::addColumn<QString>("stderrPart");
    const QStringList g = generate();
    const auto with = [&](std::initializer_list<QString> extra) { return g + QStringList(extra); };

    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                          << QStringLiteral("Usage: askbright-cli generate") << QString();
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << QStringLiteral("askbright-cli ") + askbright::fullVersionText()
                             << QString();
    QTest::newRow("ok") << with({QStringLiteral("--date"), QStringLiteral("2026-12-06")}) << 0
                        << QDir::toNativeSeparators(m_out + QStringLiteral("/faq.html"))
                        << QString();
    QTest::newRow("no command") << QStringList() << 2 << QString()
                                << QStringLiteral("missing command");
    QTest::newRow("unknown option") << with({QStringLiteral("--colour")}) << 2 << QString()
                                    << QStringLiteral("Unknown option 'colour'");
    QTest::newRow("missing argument")
        << QStringList{QStringLiteral("generate"), QStringLiteral("--database")} << 2 << QString()
        << QStringLiteral("Missing value after '--database'");
    QTest::newRow("missing project")
        << QStringList{QStringLiteral("generate"), QStringLiteral("--database"), m_database,
                       QStringLiteral("--output"), m_out}
        << 2 << QString() << QStringLiteral("--project is required");
    QTest::newRow("bad language") << with({QStringLiteral("--language"), QStringLiteral("french")})
                                  << 2 << QString() << QStringLiteral("deutsch or englisch");
    QTest::newRow("bad layout") << with({QStringLiteral("--layout"), QStringLiteral("3")}) << 2
                                << QString() << QStringLiteral("--layout must be 1 or 2");
    QTest::newRow("bad date") << with({QStringLiteral("--date"), QStringLiteral("06.12.2026")}) << 2
                              << QString() << QStringLiteral("invalid --date");
    QTest::newRow("database missing")
        << QStringList{QStringLiteral("generate"),
                       QStringLiteral("--database"),
                       m_dir.filePath(QStringLiteral("fehlt.faq")),
                       QStringLiteral("--project"),
                       m_project,
                       QStringLiteral("--output"),
                       m_out}
        << 2 << QString() << QStringLiteral("cannot read the database");
    QTest::newRow("database not a database") << QStringList{QStringLiteral("generate"),
                                                            QStringLiteral("--database"),
                                                            m_dir.filePath(QStringLiteral("x.faq")),
                                                            QStringLiteral("--project"),
                                                            m_project,
                                                            QStringLiteral("--output"),
                                                            m_out}
                                             << 2 << QString() << QStringLiteral("13  ");
    QTest::newRow("not a project, English")
        << QStringList{QStringLiteral("generate"),
                       QStringLiteral("--database"),
                       m_database,
                       QStringLiteral("--project"),
                       m_dir.filePath(QStringLiteral("kaputt.pdt")),
                       QStringLiteral("--output"),
                       m_out,
                       QStringLiteral("--language"),
                       QStringLiteral("englisch")}
        << 1 << QString() << QStringLiteral("Askbright: Invalid Filetype");
    QTest::newRow("output folder missing")
        << QStringList{QStringLiteral("generate"),
                       QStringLiteral("--database"),
                       m_database,
                       QStringLiteral("--project"),
                       m_project,
                       QStringLiteral("--output"),
                       m_dir.filePath(QStringLiteral("nirgends"))}
        << 2 << QString()
        << QStringLiteral("Seite nicht erzeugt: Die FAQ-Seite wurde nicht erzeugt:\n76  ");
}

void tst_cli::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, stdoutPart);
    QFETCH(QString, stderrPart);
    const Run run = cli(arguments);
    QCOMPARE(run.code, code);
    QVERIFY2(run.out.contains(stdoutPart), qPrintable(run.out));
    QVERIFY2(run.err.contains(stderrPart), qPrintable(run.err));
    if (code == 0)
        QVERIFY(run.err.isEmpty());
}

void tst_cli::dateFromSourceDateEpoch()
{
    // 2004-02-29 12:00 UTC
    const Run run = cli(generate(), QStringLiteral("1078056000"));
    QCOMPARE(run.code, 0);
    const QByteArray page = testutil::readBytes(m_out + QStringLiteral("/faq.html"));
    QVERIFY(page.contains("<meta name=\"date\" content=\"2004-02-29\">"));
    QVERIFY(page.contains(">am 29.02.2004 \r\n"));
    QCOMPARE(cli(generate(), QStringLiteral("gestern")).code, 2);
}

void tst_cli::optionsReachThePage()
{
    const Run run =
        cli(generate() + QStringList{QStringLiteral("--language"), QStringLiteral("englisch"),
                                     QStringLiteral("--layout"), QStringLiteral("2"),
                                     QStringLiteral("--no-paragraphs"),
                                     QStringLiteral("--links-same-size"), QStringLiteral("--pre"),
                                     QStringLiteral("--contact"), QStringLiteral(" a@b "),
                                     QStringLiteral("--date"), QStringLiteral("2026-01-02")});
    QCOMPARE(run.code, 0);
    const QString page =
        askbright::decodeCp1252(testutil::readBytes(m_out + QStringLiteral("/faq.html")));
    QVERIFY(page.contains(QStringLiteral("Questions:")));
    QVERIFY(page.contains(
        QStringLiteral("mailto: a@b ?subject=Feedback Titel\">You have any questions?")));
    QVERIFY(page.contains(QStringLiteral("<pre>Zeile eins\r\nZeile zwei\r\nZeile drei</pre>")));
    QVERIFY(page.contains(QStringLiteral("<span style=\"font-size:12pt;\">(to the answer)")));
    QVERIFY(page.contains(QStringLiteral(">am 01-02-2026 \r\n")));
    QVERIFY(!page.contains(QStringLiteral("F:&nbsp;")));
}

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
