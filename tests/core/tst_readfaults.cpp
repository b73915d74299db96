// Every reader of the core given something that is not a regular file: it is
// refused at once, by name of what it is, and nothing waits for a writer.
#include "app/apperror.h"
#include "appearance/schemefile.h"
#include "database/faqfile.h"
#include "project/contactstore.h"
#include "project/projectfile.h"
#include "settings/recentfiles.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/stat.h>

using namespace askbright;
using namespace Qt::StringLiterals;

using Reader = std::function<void(const QString &path)>;

class tst_readfaults : public QObject {
    Q_OBJECT
private slots:
    void irregularFiles_data()
    {
        QTest::addColumn<QString>("path"); // {{DIR}}: the test's folder
        QTest::addColumn<Reader>("reader");
        QTest::addColumn<QString>("kind");
        const QList<std::pair<const char *, Reader>> readers = {
            {"database", [](const QString &p) { faq_einlesen(p); }},
            {"page project", [](const QString &p) { readProjectFile(p); }},
            {"settings",
             [](const QString &p) {
                 AppSettings settings;
                 if (const auto error = readSettingsFile(p, settings).error)
                     throw *error;
             }},
            {"recent files", [](const QString &p) { readRecentFiles(p); }},
            {"colour scheme", [](const QString &p) { readSchemeFile(p); }},
        };
        const QList<std::pair<const char *, const char *>> paths = {
            {"{{DIR}}/pipe", "a named pipe"},
            {"{{DIR}}/folder", "a folder"},
            {"/dev/null", "a device"}};
        for (const auto &[name, reader] : readers) {
            for (const auto &[path, kind] : paths)
                QTest::addRow("%s, %s", name, kind)
                    << QString::fromLatin1(path) << reader << QString::fromLatin1(kind);
        }
    }

    void irregularFiles()
    {
        QFETCH(QString, path);
        QFETCH(Reader, reader);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)).constData(), 0600), 0);
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        path.replace(u"{{DIR}}"_s, dir.path());
        try {
            reader(path);
            QFAIL("read without complaint");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), int(AppError::BadFileName));
            QCOMPARE(e.description(),
                     u"Bad file name or number: %1 is %2, not a file"_s.arg(path, kind));
        }
        // The contact store is optional: anything but a file counts as no store.
        QVERIFY(QFile::rename(dir.filePath(u"pipe"_s), dir.filePath(u"mail.dat"_s)));
        QVERIFY(!readContactStore(dir.path() + u'/'));
    }
};

QTEST_GUILESS_MAIN(tst_readfaults)
#include "tst_readfaults.moc"
