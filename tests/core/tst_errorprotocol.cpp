#include "app/apperror.h"
#include "errors/errorprotocol.h"
#include "testutil.h"

#include <QDateTime>
#include <csignal>
#include <sys/resource.h>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

const QString dashes = QString(70, u'-') + u"\r\n"_s;
const QString ind = QString(10, u' ');

ProtocolFields windowFields(const QStringList &callStack)
{
    return {u"Programm-Infos:"_s,
            u"askbright  V1.6.3"_s,
            u"Fehlerbeschreibung:"_s,
            {u"Fehler-Nr:"_s, u"Modul:"_s, u"Prozedur:"_s, u"Zeilen-Nr.:"_s},
            {u"13 (Type mismatch)"_s, u"frm1"_s, u"cmdvor_Click"_s, u"0"_s},
            u"CallStack:"_s,
            callStack};
}

const SystemInfo testSystem{u"Debian GNU/Linux 12 (bookworm)"_s, u"6.1"_s,
                            u"0   x86_64-little_endian-lp64"_s};

} // namespace

class tst_errorprotocol : public QObject {
    Q_OBJECT
private slots:
    // Past the file-size limit a write fails with EFBIG instead of ending the process.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void protocolRows_data()
    {
        QTest::addColumn<QStringList>("callStack");
        QTest::addColumn<QString>("stackRows");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("nowText");
        QTest::newRow("no entries, 24-hour clock")
            << QStringList() << QString() << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58))
            << "12-31-2025 / 23:59:58";
        QTest::newRow("two entries, leading zeros")
            << QStringList{"frm1.cmdvor_Click", "Module1.faq_laden"}
            << ind + "frm1.cmdvor_Click\r\n" + ind + "Module1.faq_laden\r\n"
            << QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)) << "03-07-2026 / 09:05:03";
    }

    void protocolRows()
    {
        QFETCH(QStringList, callStack);
        QFETCH(QString, stackRows);
        QFETCH(QDateTime, now);
        QFETCH(QString, nowText);
        const QString expected =
            dashes + "F E H L E R P R O T O K O L L vom DaverUdivada\r\n" + dashes +
            "PROGRAMM-INFOS:\r\n" + ind + "askbright  V1.6.3\r\n" + dashes +
            "FEHLERBESCHREIBUNG:\r\n" + ind + "Fehler-Nr:\t13 (Type mismatch)\r\n" + ind +
            "Modul:\tfrm1\r\n" + ind + "Prozedur:\tcmdvor_Click\r\n" + ind + "Zeilen-Nr.:\t0\r\n" +
            ind + "Datum/Uhrzeit:\t" + nowText + "\r\n" + dashes + "CALLSTACK:\r\n" + stackRows +
            dashes + "SYSTEMINFO:\r\n" + ind + "Plattform:\tDebian GNU/Linux 12 (bookworm)\r\n" +
            ind + "Version:\t6.1\r\n" + ind + "Build:\t0   x86_64-little_endian-lp64\r\n" + dashes;
        QCOMPARE(BuildProtocol(windowFields(callStack), now.date(), now.time(), testSystem),
                 expected);
    }

    void printWrap_data()
    {
        const QString a36(36, u'a'), b35(35, u'b'), b36(36, u'b'), x80(80, u'x');
        const QString w29(29, u'w'), gap(20, u' ');
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("empty") << QString() << QStringList{" "};
        QTest::newRow("several lines") << "eins\r\nzwei drei\r\n"
                                       << QStringList{"eins ", "zwei drei ", " "};
        QTest::newRow("exactly 73 with the added blank") << a36 + " " + b35 + "\r\n"
                                                         << QStringList{a36 + " " + b35 + " ", " "};
        QTest::newRow("74 wraps") << a36 + " " + b36 + "\r\n"
                                  << QStringList{a36 + " ", gap + b36 + " ", " "};
        QTest::newRow("word longer than 73 alone") << x80 << QStringList{x80 + " "};
        QTest::newRow("word longer than 73 after another")
            << "ab " + x80 << QStringList{"ab ", gap + x80 + " "};
        // The counter restarts at the word, not counting the 20 blanks.
        QTest::newRow("continuations")
            << QStringList(5, w29).join(u' ')
            << QStringList{w29 + " " + w29 + " ", gap + w29 + " " + w29 + " ", gap + w29 + " "};
        QTest::newRow("blank runs are words, tabs stop every 8 columns")
            << ind + "Modul:\tfrm1\tx" << QStringList{ind + "Modul:        frm1    x "};
        QTest::newRow("lone line feed stays in its line") << "a\nb" << QStringList{"a\nb "};
    }

    void printWrap()
    {
        QFETCH(QString, protocol);
        QTEST(wrapForPrint(protocol), "printed");
    }

    void fileBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("code page") << "ä€\r\n" << QByteArray("\xe4\x80\r\n");
        QTest::newRow("outside the code page") << "a\u4E2Db" << QByteArray("a&#20013;b");
        QTest::newRow("surrogate pair")
            << QString::fromUcs4(U"\U0001F600") << QByteArray("&#128512;");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("&#55296;");
    }

    void fileBytes()
    {
        QFETCH(QString, text);
        QTEST(protocolBytes(text), "bytes");
    }

    // The protocol file is replaced; the log gains each report.
    void protocolFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("askbright.ERR"), log = dir.filePath("askbright.EPT");
        QVERIFY(testutil::writeBytes(path, "alter Inhalt, der länger ist\r\n"));
        saveProtocol(path, "neu\r\n");
        QCOMPARE(testutil::readBytes(path), QByteArray("neu\r\n\r\n"));
        QVERIFY(testutil::writeBytes(log, "alt\r\n"));
        QVERIFY(AppendProtocolLog(log, "erstes\r\n"));
        QVERIFY(AppendProtocolLog(log, "zweites \u4E2D\r\n"));
        QCOMPARE(testutil::readBytes(log),
                 QByteArray("alt\r\nerstes\r\n\r\nzweites &#20013;\r\n\r\n"));
        // An entry that does not fit leaves none of itself behind.
        const QByteArray before = testutil::readBytes(log);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit tight{rlim_t(before.size() + 4), saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool written = AppendProtocolLog(log, "drittes, das nicht passt\r\n");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
        QVERIFY(!written);
        QCOMPARE(testutil::readBytes(log), before);
    }

    void logFailureIgnored_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << "fehlt/askbright.EPT";
        QTest::newRow("log is a folder") << "ordner";
        if (QFileInfo::exists("/dev/full"))
            QTest::newRow("full device") << "/dev/full";
    }

    void logFailureIgnored()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("ordner"));
        // A throw would fail the test too.
        QVERIFY(!AppendProtocolLog(QDir(dir.path()).filePath(name), "protokoll\r\n"));
        QVERIFY(!QFileInfo(dir.filePath("fehlt")).exists());
    }
};

QTEST_GUILESS_MAIN(tst_errorprotocol)
#include "tst_errorprotocol.moc"
