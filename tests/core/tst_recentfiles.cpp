#include "app/apperror.h"
#include "settings/recentfiles.h"
#include "testutil.h"

#include <QRegularExpression>

using namespace askbright;
using namespace Qt::StringLiterals;

// The files a..i exist in the temporary folder, which is the current one; x does not.
class tst_recentfiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir::setCurrent(m_dir.path()));
        for (char c = 'a'; c <= 'i'; ++c)
            QVERIFY(testutil::writeBytes(QString(QChar(c)), " 0 \r\n"));
    }

    void updateList_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("error");
        const QByteArray eight = "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\n";
        const QByteArray nine = eight + "i\r\n";
        QTest::newRow("first start") << QByteArray("\r\n") << QString() << QByteArray("\r\n") << 0;
        QTest::newRow("newest last") << QByteArray("a\r\n") << "b" << QByteArray("a\r\nb\r\n") << 0;
        QTest::newRow("ninth drops oldest") << eight << "i" << nine.mid(3) << 0;
        QTest::newRow("vanished frees a slot") << "x\r\n" + eight.mid(3) << "i" << nine.mid(3) << 0;
        QTest::newRow("gone") << QByteArray("a\r\nx\r\n") << "" << QByteArray("a\r\n") << 0;
        // Odd line ends prove that an unchanged list is not written again.
        QTest::newRow("reopened") << QByteArray("a\nb\r") << "a" << QByteArray("a\nb\r") << 0;
        QTest::newRow("nine lines") << nine << "c" << nine << int(AppError::SubscriptOutOfRange);
    }

    void updateList()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, open);
        QFETCH(QByteArray, after);
        QFETCH(int, error);
        QVERIFY(testutil::writeBytes(recentFilesName, before));
        try {
            QCOMPARE(updateRecentFiles(recentFilesName, open),
                     QString(after).split(QRegularExpression("[\r\n]"), Qt::SkipEmptyParts));
            QCOMPARE(error, 0);
        } catch (const AppError &e) {
            QCOMPARE(e.number(), error);
        }
        QCOMPARE(testutil::readBytes(recentFilesName), after);
    }

    void shortenedForMenu_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("expected");
        // Beyond the maximum: head, "...", and from the first separator in the last maximum - 6.
        QTest::newRow("drive") << u"C:\\dir\\sub\\fq\\a.faq"_s << 16 << u"C:\\...\\fq\\a.faq"_s;
        QTest::newRow("UNC") << u"\\\\srv\\dir\\sub\\fq\\a.faq"_s << 16
                             << u"\\\\srv\\...\\fq\\a.faq"_s;
        QTest::newRow("long name") << u"D:\\abcdefghij.faq"_s << 12 << u"D:\\...ij.faq"_s;
        QTest::newRow("exactly max")
            << u"C:\\abcdefghijklmnopq"_s << 20 << u"C:\\abcdefghijklmnopq"_s;
        QTest::newRow("separator at limit")
            << u"C:\\abcdefg\\ijklmn"_s << 12 << u"C:\\...\\ijklmn"_s;
    }

    void shortenedForMenu()
    {
        QFETCH(QString, path);
        QFETCH(int, maximum);
        QTEST(shortenedPath(path, maximum), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_recentfiles)
#include "tst_recentfiles.moc"
