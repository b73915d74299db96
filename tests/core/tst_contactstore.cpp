#include "app/apperror.h"
#include "app/product.h"
#include "project/contactstore.h"
#include "testutil.h"

#include <QTemporaryDir>

using namespace askbright;

class tst_contactstore : public QObject {
    Q_OBJECT
private slots:
    void encoding_data();
    void encoding();
    void decodingEdges_data();
    void decodingEdges();
    void decodingErrors();
    void editorStoreRoundTrip();
    void exportStoreStaysPlain();
    void versionRule_data();
    void versionRule();
    void missingAndShortStores();
};

void tst_contactstore::encoding_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("abc") << QStringLiteral("abc") << QStringLiteral("&#97;&#98;&#99;");
    QTest::newRow("blanks dropped") << QStringLiteral(" a@b ") << QStringLiteral("&#97;&#64;&#98;");
    QTest::newRow("umlaut") << QStringLiteral("ä") << QStringLiteral("&#228;");
    QTest::newRow("euro is 128") << QStringLiteral("€") << QStringLiteral("&#128;");
    QTest::newRow("empty") << QString() << QString();
}

void tst_contactstore::encoding()
{
    QFETCH(QString, address);
    QFETCH(QString, encoded);
    QCOMPARE(mail_encrypt(address), encoded);
    QCOMPARE(mail_decrypt(encoded), address.trimmed());
}

void tst_contactstore::decodingEdges_data()
{
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("open run at the end dropped")
        << QStringLiteral("&#97;&#98") << QStringLiteral("a");
    QTest::newRow("plain address without separators")
        << QStringLiteral("max@example.org") << QString();
    QTest::newRow("separators only") << QStringLiteral("&#;;&") << QString();
}

void tst_contactstore::decodingEdges()
{
    QFETCH(QString, encoded);
    QFETCH(QString, decoded);
    QCOMPARE(mail_decrypt(encoded), decoded);
}

void tst_contactstore::decodingErrors()
{
    try {
        mail_decrypt(QStringLiteral("max&example.org;"));
        QFAIL("a run that is not a number was decoded");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::TypeMismatch));
    }
    QVERIFY_THROWS_EXCEPTION(AppError, mail_decrypt(QStringLiteral("&#300;")));
    QVERIFY_THROWS_EXCEPTION(AppError, mail_encrypt(QStringLiteral("\u4E2D")));
}

void tst_contactstore::editorStoreRoundTrip()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    saveEditorContactStore(folder, QStringLiteral(" ä@b "));
    const QByteArray first = testutil::readBytes(folder + QStringLiteral("mail.dat"));
    QCOMPARE(first, (fullVersionText() + QStringLiteral("\r\n&#228;&#64;&#98;\r\n")).toLatin1());
    const ContactStore store = readContactStore(folder).value();
    QCOMPARE(addressForEditor(store), QStringLiteral("ä@b"));
    saveEditorContactStore(folder, addressForEditor(store));
    QCOMPARE(testutil::readBytes(folder + QStringLiteral("mail.dat")), first);

    saveEditorContactStore(folder, QStringLiteral("ohne at"));
    QCOMPARE(readContactStore(folder)->address, QString());
}

void tst_contactstore::exportStoreStaysPlain()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    mail_speichern(folder, QStringLiteral("max@example.org"));
    QCOMPARE(testutil::readBytes(folder + QStringLiteral("mail.dat")),
             QByteArray("1.2.5\r\nmax@example.org\r\n"));
    const ContactStore store = readContactStore(folder).value();
    QCOMPARE(addressForEditor(store), QStringLiteral("max@example.org"));
    QCOMPARE(readContactAddress(folder), QStringLiteral("max@example.org"));
}

void tst_contactstore::versionRule_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("encoded");
    QTest::newRow("running program") << fullVersionText() << true;
    QTest::newRow("other revision") << fullVersionText().left(3) + QStringLiteral(".9") << true;
    QTest::newRow("export dialog") << QStringLiteral("1.2.5") << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_contactstore::versionRule()
{
    QFETCH(QString, version);
    QFETCH(bool, encoded);
    QCOMPARE(holdsEncodedAddress(version), encoded);
}

void tst_contactstore::missingAndShortStores()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    QVERIFY(!readContactStore(folder).has_value());
    QCOMPARE(readContactAddress(folder), QString());
    QVERIFY(testutil::writeBytes(folder + QStringLiteral("mail.dat"), "  1.6.3  \r\n  a@b  \r\n"));
    QCOMPARE(readContactStore(folder),
             (ContactStore{QStringLiteral("1.6.3"), QStringLiteral("a@b")}));
    QVERIFY(testutil::writeBytes(folder + QStringLiteral("mail.dat"), "1.6.3\r\n"));
    QVERIFY_THROWS_EXCEPTION(AppError, readContactStore(folder));
}

QTEST_GUILESS_MAIN(tst_contactstore)
#include "tst_contactstore.moc"
