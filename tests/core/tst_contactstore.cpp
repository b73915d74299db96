#include "app/apperror.h"
#include "app/product.h"
#include "project/contactstore.h"
#include "testutil.h"

using namespace askbright;
using namespace Qt::StringLiterals;

class tst_contactstore : public QObject {
    Q_OBJECT
private slots:
    void codes_data()
    {
        QTest::addColumn<QString>("encoded");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<int>("error");
        QTest::newRow("euro is 128") << u"&#128;"_s << u"€"_s << 0;
        QTest::newRow("open run dropped") << u"&#97;&#98"_s << u"a"_s << 0;
        QTest::newRow("not a number")
            << u"&#9x;&#98;"_s << QString() << int(AppError::TypeMismatch);
        QTest::newRow("beyond 255") << u"&#300;"_s << QString() << int(AppError::InvalidCall);
    }

    void codes()
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

    void stores()
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

        QVERIFY(testutil::writeBytes(file, "  1.6.3  \r\n  a@b  \r\n"));
        QCOMPARE(readContactStore(folder), (ContactStore{u"1.6.3"_s, u"a@b"_s}));
        mail_speichern(folder, u"max@example.org"_s);
        QCOMPARE(testutil::readBytes(file), QByteArray("1.2.5\r\nmax@example.org\r\n"));
        QCOMPARE(readContactAddress(folder), u"max@example.org"_s);

        QVERIFY(testutil::writeBytes(file, "1.6.3\r\n"));
        QVERIFY_THROWS_EXCEPTION(AppError, readContactStore(folder));
    }

    void editorAddress_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("error");
        const QString revision = fullVersionText().left(3) + u".9"_s;
        // A store of the running major.minor holds an encoded address.
        QTest::newRow("own revision") << revision << u"&#97;&#64;&#98;"_s << u"a@b"_s << 0;
        QTest::newRow("own, not decodable")
            << revision << u"max;b"_s << QString() << int(AppError::TypeMismatch);
        QTest::newRow("export dialog, plain")
            << plainStoreVersion << u"max@example.org"_s << u"max@example.org"_s << 0;
        // Character references alone are decoded whatever the version says, so
        // that saving does not encode them a second time.
        QTest::newRow("other version, encoded")
            << u"2.0.1"_s << u"&#97;&#64;&#98;"_s << u"a@b"_s << 0;
        QTest::newRow("text after references") << u"2.0.1"_s << u"&#97;x"_s << u"&#97;x"_s << 0;
        QTest::newRow("open run") << u"2.0.1"_s << u"&#97;&#98"_s << u"&#97;&#98"_s << 0;
        QTest::newRow("beyond 255") << u"2.0.1"_s << u"&#97;&#300;"_s << u"&#97;&#300;"_s << 0;
        QTest::newRow("empty") << u"2.0.1"_s << QString() << QString() << 0;
    }

    void editorAddress()
    {
        QFETCH(QString, version);
        QFETCH(QString, address);
        QFETCH(QString, shown);
        QFETCH(int, error);
        try {
            QCOMPARE(addressForEditor({version, address}), shown);
            QCOMPARE(error, 0);
        } catch (const AppError &e) {
            QCOMPARE(e.number(), error);
        }
        // Whatever is shown is what saving encodes: once.
        if (error == 0 && shown.contains(u'@')) {
            QTemporaryDir dir;
            saveEditorContactStore(dir.path() + u'/', shown);
            QCOMPARE(readContactStore(dir.path() + u'/')->address, mail_encrypt(shown));
        }
    }
};

QTEST_GUILESS_MAIN(tst_contactstore)
#include "tst_contactstore.moc"
