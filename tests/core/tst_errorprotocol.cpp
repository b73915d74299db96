#include "app/apperror.h"
#include "errors/errorprotocol.h"
#include "testutil.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace askbright;

namespace {

const QString dashes = QString(70, u'-') + QStringLiteral("\r\n");
const QString ind = QString(10, u' ');

ProtocolFields windowFields(const QStringList &callStack)
{
    ProtocolFields f;
    f.progInfoCaption = QStringLiteral("Programm-Infos:");
    f.progInfo = QStringLiteral("askbright  V1.6.3");
    f.errorCaption = QStringLiteral("Fehlerbeschreibung:");
    f.errorTitles = {QStringLiteral("Fehler-Nr:"), QStringLiteral("Modul:"),
                     QStringLiteral("Prozedur:"), QStringLiteral("Zeilen-Nr.:")};
    f.errorValues = {QStringLiteral("13 (Type mismatch)"), QStringLiteral("frm1"),
                     QStringLiteral("cmdvor_Click"), QStringLiteral("0")};
    f.callStackCaption = QStringLiteral("CallStack:");
    f.callStack = callStack;
    return f;
}

const SystemInfo testSystem{QStringLiteral("Debian GNU/Linux 12 (bookworm)"), QStringLiteral("6.1"),
                            QStringLiteral("0   x86_64-little_endian-lp64")};

} // namespace

Q_DECLARE_METATYPE(askbright::SystemInfo)

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
        const QDateTime morning(QDate(2026, 3, 7), QTime(9, 5, 3));
        QTest::newRow("no entries")
            << QStringList() << QString() << morning << "03-07-2026 / 09:05:03";
        QTest::newRow("two entries")
            << QStringList{"frm1.cmdvor_Click", "Module1.faq_laden"}
            << ind + "frm1.cmdvor_Click\r\n" + ind + "Module1.faq_laden\r\n"
            << morning << "03-07-2026 / 09:05:03";
        QTest::newRow("24-hour clock")
            << QStringList() << QString() << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58))
            << "12-31-2025 / 23:59:58";
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

    void systemRows_data()
    {
        QTest::addColumn<QStringList>("given"); // product name, kernel version, ABI
        QTest::addColumn<SystemInfo>("expected");
        const auto row = [](const char *name, const QStringList &given, const SystemInfo &info) {
            QTest::newRow(name) << given << info;
        };
        row("distribution kernel",
            {"Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64", "x86_64-little_endian-lp64"},
            testSystem);
        row("three numbers", {"Windows 10 Version 22H2", "10.0.19045", "x86_64"},
            {"Windows 10 Version 22H2", "10.0", "19045   x86_64"});
        row("leading zeros dropped", {"X", "06.01.007", "arm64"}, {"X", "6.1", "7   arm64"});
        row("no product name", {"", "5.15", "a"}, {"linux", "5.15", "0   a"});
        row("no version", {"Y", "", "a"}, {"Y", "0.0", "0   a"});
        row("not a number", {"Y", "beta", "a"}, {"Y", "0.0", "0   a"});
    }

    void systemRows()
    {
        QFETCH(QStringList, given);
        QFETCH(SystemInfo, expected);
        QCOMPARE(systemInfoFrom(given[0], QStringLiteral("linux"), given[1], given[2]), expected);
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
        QFETCH(QStringList, printed);
        QCOMPARE(wrapForPrint(protocol), printed);
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
        QFETCH(QByteArray, bytes);
        QCOMPARE(protocolBytes(text), bytes);
    }

    void logAppendsEachReport()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("askbright.EPT");
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
        bool written = true;
        try {
            written = AppendProtocolLog(QDir(dir.path()).filePath(name), "protokoll\r\n");
        } catch (...) {
            QFAIL("the log append threw");
        }
        QVERIFY(!written);
        QVERIFY(!QFileInfo(dir.filePath("fehlt")).exists());
    }

    void protocolFileReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("askbright.ERR");
        QVERIFY(testutil::writeBytes(path, "alter Inhalt, der länger ist\r\n"));
        saveProtocol(path, "neu\r\n");
        QCOMPARE(testutil::readBytes(path), QByteArray("neu\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_errorprotocol)
#include "tst_errorprotocol.moc"
