#include "app/apperror.h"
#include "app/product.h"
#include "project/contactstore.h"
#include "testutil.h"

#include <QTemporaryDir>

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_contactstore : public QObject {
    Q_OBJECT
private slots:
    void codes_data();
    void codes();
    void stores();
};

void tst_contactstore::codes_data()
{
    QTest::addColumn<QString>("encoded");
    QTest::addColumn<QString>("decoded");
    QTest::addColumn<int>("error");
    QTest::newRow("abc") << u"&#97;&#98;&#99;"_s << u"abc"_s << 0;
    QTest::newRow("umlaut") << u"&#228;"_s << u"ä"_s << 0;
    QTest::newRow("euro is 128") << u"&#128;"_s << u"€"_s << 0;
    QTest::newRow("open run dropped") << u"&#97;&#98"_s << u"a"_s << 0;
    QTest::newRow("not a number") << u"&#9x;&#98;"_s << QString() << int(AppError::TypeMismatch);
    QTest::newRow("beyond 255") << u"&#300;"_s << QString() << int(AppError::InvalidCall);
}

void tst_contactstore::codes()
{
    QFETCH(QString, encoded);
    QFETCH(QString, decoded);
    QFETCH(int, error);
    try {
        QCOMPARE(mail_decrypt(encoded), decoded);
        QCOMPARE(error, 0);
        QCOMPARE(mail_decrypt(mail_encrypt(decoded)), decoded);
    } catch (const AppError &e) {
        QCOMPARE(e.number(), error);
    }
}

void tst_contactstore::stores()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    const QString file = folder + u"mail.dat"_s;
    QVERIFY(!readContactStore(folder));
    QCOMPARE(readContactAddress(folder), QString());

    // The editor encodes the address; its own store reads back to the same bytes.
    const QByteArray encoded = (fullVersionText() + u"\r\n&#228;&#64;&#98;\r\n"_s).toLatin1();
    saveEditorContactStore(folder, u" ä@b "_s);
    QCOMPARE(testutil::readBytes(file), encoded);
    saveEditorContactStore(folder, addressForEditor(readContactStore(folder).value()));
    QCOMPARE(testutil::readBytes(file), encoded);
    QVERIFY_THROWS_EXCEPTION(AppError, saveEditorContactStore(folder, u"\u4E2D@b"_s));
    saveEditorContactStore(folder, u"ohne at"_s);
    QCOMPARE(readContactStore(folder)->address, QString());

    // Only a store of the running major.minor holds an encoded address.
    const QString revision = fullVersionText().left(3) + u".9"_s;
    QCOMPARE(addressForEditor({revision, u"&#97;&#64;&#98;"_s}), u"a@b"_s);
    for (const QString &version : {u"1.2.5"_s, QString()})
        QCOMPARE(addressForEditor({version, u"&#97;"_s}), u"&#97;"_s);
    QVERIFY(testutil::writeBytes(file, "  1.6.3  \r\n  a@b  \r\n"));
    QCOMPARE(readContactStore(folder), (ContactStore{u"1.6.3"_s, u"a@b"_s}));
    mail_speichern(folder, u"max@example.org"_s);
    QCOMPARE(testutil::readBytes(file), QByteArray("1.2.5\r\nmax@example.org\r\n"));
    QCOMPARE(readContactAddress(folder), u"max@example.org"_s);

    QVERIFY(testutil::writeBytes(file, "1.6.3\r\n"));
    QVERIFY_THROWS_EXCEPTION(AppError, readContactStore(folder));
}

QTEST_GUILESS_MAIN(tst_contactstore)
#include "tst_contactstore.moc"
