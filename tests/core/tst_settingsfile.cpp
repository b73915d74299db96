#include "settings/settingsfile.h"
#include "testutil.h"

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

const QString fixturePath = testutil::dataPath(u"settings59.ini"_s);

// In declaration order: language, sounds, on top, tray, centring, left, top, height, width,
// remember size, fonts, colours, folders.
const AppSettings fixture(Language::English, true, true, false, false, -150, 1200, 7320, 9240, true,
                          FieldFont{u"Verdana"_s, 12, true, false},
                          FieldFont{u"Arial"_s, 11.25, false, true}, std::array{255, 16711680},
                          u"/home/user/vorlagen/"_s, u"faq.pdt"_s, u"/home/user/html/"_s,
                          u"/home/user/standard.sch"_s, u"/home/user/faq/"_s);
// Unlike the fixture and the defaults, to show what a read leaves alone.
const AppSettings before(Language::German, false, false, false, false, 0, 0, 0, 0, false,
                         FieldFont{u"Courier"_s, 9.75, true, true},
                         FieldFont{u"Courier"_s, 9.75, true, true}, std::array{0, 0}, u""_s, u""_s,
                         u""_s, u"/before.sch"_s, u"/before/"_s);

// The fixture's first count lines, line at replaced by replacement.
QByteArray lines(int count, const QByteArray &replacement = {}, int at = 0)
{
    const QList<QByteArray> all = testutil::readBytes(fixturePath).split('\n');
    QByteArray out;
    for (int i = 1; i <= count && i <= settingsLineCount; ++i)
        out += (i == at ? replacement + '\r' : all.at(i - 1)) + '\n';
    return out;
}

} // namespace

class tst_settingsfile : public QObject {
    Q_OBJECT
private slots:
    void writes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"askbright.ini"_s);
        writeSettingsFile(path, fixture);
        QCOMPARE(testutil::readBytes(path), testutil::readBytes(fixturePath));
        writeSettingsFile(path, before);
        AppSettings read;
        QCOMPARE(readSettingsFile(path, read).outcome, SettingsReadOutcome::Complete);
        QCOMPARE(read, before);
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // null: no file
        QTest::addColumn<SettingsReadOutcome>("outcome");
        QTest::addColumn<int>("error");
        QTest::addColumn<AppSettings>("expected");
        using enum SettingsReadOutcome;
        const int ended = AppError::InputPastEndOfFile, mismatch = AppError::TypeMismatch;
        AppSettings three = before, notBold = fixture, german = fixture, reset = before,
                    silent = fixture;
        three.questionFont = {u"Verdana"_s, 12, true, true};
        notBold.questionFont.bold = false;
        german.language = Language::German;
        silent.soundsOn = false; // only 1
        // Any other error resets the fonts and turns centring on; the rest stays as read.
        reset.questionFont = reset.answerFont = FieldFont();
        reset.centerWindow = true;
        QTest::newRow("59 lines") << lines(59) << Complete << 0 << fixture;
        QTest::newRow("200 lines")
            << lines(59) + QByteArray("noise\r\n").repeated(141) << Complete << 0 << fixture;
        QTest::newRow("45 lines") << lines(45) << EndedEarly << ended << fixture;
        QTest::newRow("3 lines") << lines(3) << EndedEarly << ended << three;
        QTest::newRow("true") << lines(59, "true", 3) << Complete << 0 << notBold;
        QTest::newRow("sounds 2") << lines(59, " 2 ", 24) << Complete << 0 << silent;
        QTest::newRow("folder trimmed")
            << lines(59, "  /home/user/vorlagen/ ", 18) << Complete << 0 << fixture;
        QTest::newRow("merken trimmed") << lines(59, " merken ", 29) << Complete << 0 << fixture;
        QTest::newRow("language trimmed")
            << lines(59, " englisch ", 33) << Complete << 0 << fixture;
        QTest::newRow("language misspelt") << lines(59, "englich", 33) << Complete << 0 << german;
        QTest::newRow("no file") << QByteArray() << Recovered << int(AppError::FileNotFound)
                                 << reset;
        QTest::newRow("abc size") << lines(59, "abc", 2) << Recovered << mismatch << reset;
    }

    void reads()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"askbright.ini"_s);
        QVERIFY(bytes.isNull() || testutil::writeBytes(path, bytes));
        AppSettings read = before;
        const SettingsReadResult result = readSettingsFile(path, read);
        QTEST(result.outcome, "outcome");
        QTEST(result.error ? result.error->number() : 0, "error");
        QTEST(read, "expected");
    }
};

QTEST_GUILESS_MAIN(tst_settingsfile)
#include "tst_settingsfile.moc"
