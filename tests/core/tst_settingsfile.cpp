#include "app/textcodec.h"
#include "settings/settingsfile.h"
#include "testutil.h"

#include <QTemporaryDir>

using namespace askbright;

namespace {

QByteArray firstLines(int count, const QByteArray &replaceLine = {}, int replaceAt = 0)
{
    const QList<QByteArray> lines =
        testutil::readBytes(testutil::dataPath("settings59.ini")).split('\n');
    QByteArray out;
    for (int i = 0; i < count && i < 59; ++i)
        out += (i + 1 == replaceAt ? replaceLine + '\r' : lines.at(i)) + '\n';
    return out;
}

} // namespace

class tst_settingsfile : public QObject {
    Q_OBJECT
private slots:
    void readsFixture();
    void writesFixtureBack();
    void defaultsRoundTrip();
    void endsEarly_data();
    void endsEarly();
    void recovers_data();
    void recovers();
    void extraLinesAreIgnored();
    void boolsAreExact();
    void languageFallsBackToGerman_data();
    void languageFallsBackToGerman();
};

void tst_settingsfile::readsFixture()
{
    AppSettings s;
    const SettingsReadResult r = readSettingsFile(testutil::dataPath("settings59.ini"), s);
    QCOMPARE(r.outcome, SettingsReadOutcome::Complete);
    QCOMPARE(s.questionFont, (FieldFont{QStringLiteral("Verdana"), 12, true, false}));
    QCOMPARE(s.answerFont, (FieldFont{QStringLiteral("Arial"), 11.25, false, true}));
    QCOMPARE(s.textColors[0], 255);
    QCOMPARE(s.textColors[1], 16711680);
    QCOMPARE(s.windowLeft, qint16(-150));
    QCOMPARE(s.windowTop, qint16(1200));
    QCOMPARE(s.centerWindow, qint16(0));
    QCOMPARE(s.TemplatesFolder, QStringLiteral("/home/user/vorlagen/"));
    QCOMPARE(s.lastTemplatePage, QStringLiteral("faq.pdt"));
    QCOMPARE(s.HtmlOutputFolder, QStringLiteral("/home/user/html/"));
    QCOMPARE(s.soundsOn, qint16(1));
    QCOMPARE(s.windowHeight, qint16(7320));
    QCOMPARE(s.windowWidth, qint16(9240));
    QCOMPARE(s.rememberSize, qint16(1));
    QCOMPARE(s.schemeFilePath, QStringLiteral("/home/user/standard.sch"));
    QCOMPARE(s.language, QStringLiteral("englisch"));
    QCOMPARE(s.alwaysOnTop, qint16(1));
    QCOMPARE(s.minimizeToTray, qint16(0));
    QCOMPARE(s.faqFolder, QStringLiteral("/home/user/faq/"));
}

void tst_settingsfile::writesFixtureBack()
{
    AppSettings s;
    readSettingsFile(testutil::dataPath("settings59.ini"), s);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("askbright.ini"));
    writeSettingsFile(path, s);
    QCOMPARE(testutil::readBytes(path), testutil::readBytes(testutil::dataPath("settings59.ini")));
}

void tst_settingsfile::defaultsRoundTrip()
{
    AppSettings written;
    written.language = QStringLiteral("deutsch");
    written.questionFont.size = 9.75;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("askbright.ini"));
    writeSettingsFile(path, written);
    QCOMPARE(testutil::readBytes(path).count("\r\n"), 59);
    AppSettings read;
    QCOMPARE(readSettingsFile(path, read).outcome, SettingsReadOutcome::Complete);
    QCOMPARE(read, written);
}

void tst_settingsfile::endsEarly_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("3 lines") << 3;
    QTest::newRow("30 lines") << 30;
    QTest::newRow("45 lines") << 45;
}

void tst_settingsfile::endsEarly()
{
    QFETCH(int, lines);
    AppSettings s;
    s.answerFont.name = QStringLiteral("Before");
    const SettingsReadOutcome outcome = [&] {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        testutil::writeBytes(path, firstLines(lines));
        return readSettingsFile(path, s).outcome;
    }();
    QCOMPARE(outcome, SettingsReadOutcome::EndedEarly);
    // What was read is kept; the rest keeps its value.
    QCOMPARE(s.questionFont.name, QStringLiteral("Verdana"));
    QCOMPARE(s.questionFont.bold, true);
    QCOMPARE(s.answerFont.name, lines > 5 ? QStringLiteral("Arial") : QStringLiteral("Before"));
    QCOMPARE(s.rememberSize, qint16(lines >= 29 ? 1 : 0));
    QCOMPARE(s.schemeFilePath, lines >= 31 ? QStringLiteral("/home/user/standard.sch") : QString());
    QCOMPARE(s.language, lines >= 33 ? QStringLiteral("englisch") : QString());
    QCOMPARE(s.alwaysOnTop, qint16(lines >= 35 ? 1 : 0));
    QCOMPARE(s.faqFolder, lines >= 39 ? QStringLiteral("/home/user/faq/") : QString());
}

void tst_settingsfile::recovers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("createFile");
    QTest::addColumn<int>("number");
    QTest::newRow("no file") << QByteArray() << false << int(AppError::FileNotFound);
    QTest::newRow("abc as left edge") << firstLines(59, "abc", 12) << true << int(AppError::TypeMismatch);
    QTest::newRow("abc as font size") << firstLines(59, "abc", 2) << true << int(AppError::TypeMismatch);
    QTest::newRow("height beyond 16 bits") << firstLines(59, " 99999 ", 26) << true << int(AppError::Overflow);
}

void tst_settingsfile::recovers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, createFile);
    QFETCH(int, number);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    if (createFile)
        testutil::writeBytes(path, bytes);
    AppSettings s;
    s.questionFont = FieldFont{QStringLiteral("Courier"), 20, true, true};
    s.centerWindow = 0;
    const SettingsReadResult r = readSettingsFile(path, s);
    QCOMPARE(r.outcome, SettingsReadOutcome::Recovered);
    QVERIFY(r.error.has_value());
    QCOMPARE(r.error->number(), number);
    QCOMPARE(s.questionFont, (FieldFont{QStringLiteral("Arial"), 11.25, false, false}));
    QCOMPARE(s.answerFont, s.questionFont);
    QCOMPARE(s.centerWindow, qint16(1));
}

void tst_settingsfile::extraLinesAreIgnored()
{
    QByteArray bytes = firstLines(59);
    for (int i = 0; i < 141; ++i)
        bytes += "noise\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.ini"));
    testutil::writeBytes(path, bytes);
    AppSettings s;
    QCOMPARE(readSettingsFile(path, s).outcome, SettingsReadOutcome::Complete);
    QCOMPARE(s.faqFolder, QStringLiteral("/home/user/faq/"));
}

void tst_settingsfile::boolsAreExact()
{
    AppSettings s;
    parseSettings(decodeCp1252(firstLines(59, "true", 3)), s);
    QVERIFY(!s.questionFont.bold);
    parseSettings(decodeCp1252(firstLines(59, "True ", 3)), s);
    QVERIFY(!s.questionFont.bold);
}

void tst_settingsfile::languageFallsBackToGerman_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("language");
    QTest::newRow("empty") << QByteArray("") << QStringLiteral("deutsch");
    QTest::newRow("misspelt") << QByteArray("englich") << QStringLiteral("deutsch");
    QTest::newRow("blanks around") << QByteArray(" englisch ") << QStringLiteral("englisch");
}

void tst_settingsfile::languageFallsBackToGerman()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, language);
    AppSettings s;
    parseSettings(decodeCp1252(firstLines(59, line, 33)), s);
    s.normalizeLanguage();
    QCOMPARE(s.language, language);
}

QTEST_GUILESS_MAIN(tst_settingsfile)
#include "tst_settingsfile.moc"
