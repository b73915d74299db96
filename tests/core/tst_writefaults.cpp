// Every writer of the core goes through the save helper: on a full disk the
// old file is as it was, nothing half-written is left beside it, the failure
// is reported and what was in memory is still there. The fault kinds
// themselves are proved once, at the save helper (tst_filesaver).
#include "app/apperror.h"
#include "appearance/schemefile.h"
#include "database/exchange.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"
#include "errors/errorprotocol.h"
#include "html/pagegenerator.h"
#include "project/contactstore.h"
#include "project/projectfile.h"
#include "recordingsink.h"
#include "settings/recentfiles.h"
#include "settings/settingsfile.h"
#include "testutil.h"

#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

// Writes into the folder (ending in '/'); throws the error it met.
using Write = std::function<void(const QString &folder)>;

const QList<FaqRecord> records = {{u"Frage ä"_s, u"Antwort"_s, u"Info"_s, u"http://x"_s, 1},
                                  {u"Zweite"_s, u"Zeile\r\nzwei"_s, {}, {}, 0}};

// The page generator reports through a message; a full disk has its own.
void writePage(const QString &project, const QString &folder)
{
    FaqDatabase database;
    database.replaceRecords(records);
    RecordingSink sink;
    const PageResult result = generatePage(Language::German, {project, folder, {}, u"a@b"_s},
                                           database, FixedClock(QDate(2026, 12, 6)), sink);
    if (result.status == PageStatus::Ok)
        return;
    const bool full =
        sink.messages.size() == 1 && sink.messages.first().text == u"Datenträger voll!"_s;
    throw AppError(full && result.status == PageStatus::Failed ? int(AppError::DiskFull) : -1);
}

} // namespace

class tst_writefaults : public QObject {
    Q_OBJECT
private slots:
    // Past the file-size limit a write fails with EFBIG instead of ending the process.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void writers_data()
    {
        QTest::addColumn<QString>("target"); // the file the writer replaces in the folder
        QTest::addColumn<Write>("write");
        const auto row = [](const char *name, const QString &target, const Write &write) {
            QTest::newRow(name) << target << write;
        };
        row("database", u"a.faq"_s, [](auto &f) { faq_speichern(f + u"a.faq"_s, records); });
        row("page", u"faq.html"_s, [](auto &f) { writePage(f + u"../seite.pdt"_s, f); });
        row("page with picture", u"faq.html"_s,
            [](auto &f) { writePage(f + u"../bild.pdt"_s, f); });
        row("page project", u"seite.pdt"_s, [](auto &f) {
            PageProject project;
            project.keywords = QStringList(20, u"Schlagwort"_s);
            savePageProject(f + u"seite.pdt"_s, project, u"neu"_s);
        });
        row("mail.dat (editor)", u"mail.dat"_s,
            [](auto &f) { saveEditorContactStore(f, u"max@example.org"_s); });
        row("mail.dat (export)", u"mail.dat"_s,
            [](auto &f) { mail_speichern(f, u"max@example.org"_s); });
        row("settings", u"askbright.ini"_s,
            [](auto &f) { writeSettingsFile(f + u"askbright.ini"_s, AppSettings()); });
        // An existing file that is not listed yet: the list changes.
        row("recent files", u"dateiliste.lis"_s,
            [](auto &f) { updateRecentFiles(f + u"dateiliste.lis"_s, f + u"../bild.gif"_s); });
        row("CSV export", u"a.csv"_s,
            [](auto &f) { exportFile(f + u"a.csv"_s, ExchangeFormat::Csv, records, {}); });
        row("colour scheme", u"a.sch"_s, [](auto &f) {
            saveSchemeFile(f + u"a.sch"_s, ColorScheme{{1, 2, 3, 4}});
        });
        row("error protocol", u"a.ERR"_s,
            [](auto &f) { saveProtocol(f + u"a.ERR"_s, QString(100, u'x')); });
    }

    void writers()
    {
        QFETCH(QString, target);
        QFETCH(Write, write);
        QTemporaryDir root;
        const QString folder = root.filePath(u"w/"_s);
        QVERIFY(QDir(root.path()).mkdir(u"w"_s));
        QVERIFY(testutil::writeBytes(root.filePath(u"bild.gif"_s), "GIF89a"));
        const QString lines =
            u"Titel|#000000|#FFFFFF|#FF0000|#800080|#0000FF|%1|faq|||mitte|||Arial|16|12|links"_s;
        QVERIFY(testutil::writeBytes(root.filePath(u"seite.pdt"_s),
                                     testutil::pageProject(lines.arg(u"|nein"_s))));
        QVERIFY(testutil::writeBytes(
            root.filePath(u"bild.pdt"_s),
            testutil::pageProject(lines.arg(root.filePath(u"bild.gif|ja"_s)))));
        const QByteArray old = "old content that must survive\r\n";
        QVERIFY(testutil::writeBytes(folder + target, old));
        const auto entries = [&folder] {
            return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        };
        const QStringList before = entries();

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit tiny{8, saved.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        int got = 0;
        try {
            write(folder);
        } catch (const AppError &e) {
            got = e.number();
        }
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);

        QCOMPARE(got, int(AppError::DiskFull));
        QCOMPARE(entries(), before);
        QCOMPARE(testutil::readBytes(folder + target), old);
    }
};

QTEST_GUILESS_MAIN(tst_writefaults)
#include "tst_writefaults.moc"
