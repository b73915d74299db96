// Every writer of the core under the faults a disk can have: whatever fails,
// the old file is as it was, nothing half-written is left behind, the failure
// is reported and what was in memory is still there.
#include "app/apperror.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"
#include "html/pagegenerator.h"
#include "project/contactstore.h"
#include "project/projectfile.h"
#include "recordingsink.h"
#include "settings/recentfiles.h"
#include "settings/settingsfile.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

enum class Fault { ReadOnlyFolder, DiskFull, TargetIsFolder, FolderVanished };

// Writes into folder; returns the error number it met (0: none). target is the
// file name the writer replaces there.
struct Writer {
    QString target;
    std::function<int(const QString &folder)> write;
};

int numberOf(const std::function<void()> &write)
{
    try {
        write();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

const QList<FaqRecord> records = {{u"Frage ä"_s, u"Antwort"_s, u"Info"_s, u"http://x"_s, 1},
                                  {u"Zweite"_s, u"Zeile\r\nzwei"_s, {}, {}, 0}};

// The page generator reports through its status and message; this maps them
// back to the error number its message stands for.
bool writeProject(const QString &project, const QString &picture)
{
    return testutil::writeBytes(
        project, testutil::pageProject(u"Titel|#000000|#FFFFFF|#FF0000|#800080|#0000FF|"_s +
                                       picture + u"|ja|faq|||mitte|||Arial|16|12|links"_s));
}

int pageNumber(const QString &project, const QString &folder)
{
    FaqDatabase database;
    database.replaceRecords(records);
    RecordingSink sink;
    const PageResult result = generatePage(Language::German, {project, folder, {}, u"a@b"_s},
                                           database, FixedClock(QDate(2026, 12, 6)), sink);
    if (result.status == PageStatus::Ok)
        return 0;
    if (result.status != PageStatus::Failed || sink.messages.size() != 1)
        return -1;
    const Message &m = sink.messages.first();
    if (m.icon != MessageIcon::Critical)
        return -1;
    if (m.text == u"Datenträger voll!"_s)
        return AppError::DiskFull;
    if (m.text == u"Kein Zugriff auf Datenträger möglich!"_s)
        return AppError::PermissionDenied; // stands for 57, 70, 71 and 75 alike
    const qsizetype at = m.text.indexOf(u'\r');
    return m.text.mid(at + 1).section(u' ', 0, 0).toInt();
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class tst_writefaults : public QObject {
    Q_OBJECT
private slots:
    // Past the file-size limit a write fails with EFBIG instead of ending the process.
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }
    void writers_data();
    void writers();
};

void tst_writefaults::writers_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("number");
    const int access = AppError::PermissionDenied; // the page's message joins 70 and 75
    const struct {
        Fault fault;
        const char *name;
        int number;
        int pageNumber;
    } faults[] = {
        {Fault::ReadOnlyFolder, "read-only folder", AppError::PermissionDenied, access},
        {Fault::DiskFull, "disk full", AppError::DiskFull, AppError::DiskFull},
        {Fault::TargetIsFolder, "target is a folder", AppError::PathFileAccessError, access},
        {Fault::FolderVanished, "folder vanished", AppError::PathNotFound, AppError::PathNotFound},
    };
    for (const char *writer :
         {"database", "page", "page with picture", "page project", "mail.dat (editor)",
          "mail.dat (export)", "settings", "recent files"}) {
        for (const auto &f : faults) {
            const QByteArray w(writer);
            int number = w.startsWith("page") && w != "page project" ? f.pageNumber : f.number;
            // The list is read before it is written: a folder in its place is refused there.
            if (w == "recent files" && f.fault == Fault::TargetIsFolder)
                number = AppError::BadFileName;
            QTest::addRow("%s, %s", writer, f.name)
                << QString::fromLatin1(writer) << f.fault << number;
        }
    }
}

void tst_writefaults::writers()
{
    QFETCH(QString, writer);
    QFETCH(Fault, fault);
    QFETCH(int, number);

    QTemporaryDir root;
    // Group and others may look in (the read-only case writes as another user).
    const auto lookIn = QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(root.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | lookIn));
    const QString folder = root.filePath(u"w/"_s);
    QVERIFY(QDir(root.path()).mkdir(u"w"_s));
    const QString picture = root.filePath(u"Bild.GIF"_s);
    QVERIFY(testutil::writeBytes(picture, "GIF89a"));
    const QString project = root.filePath(u"seite.pdt"_s);
    QVERIFY(writeProject(project, writer.endsWith(u"picture"_s) ? picture : QString()));

    const QMap<QString, Writer> writers = {
        {u"database"_s,
         {u"a.faq"_s,
          [](const QString &f) {
              FaqDatabase database;
              database.replaceRecords(records);
              const int number =
                  numberOf([&] { faq_speichern(f + u"a.faq"_s, database.records()); });
              // The records are still there to be saved elsewhere.
              return database.records() == records ? number : -1;
          }}},
        {u"page"_s,
         {u"faq.html"_s, [&project](const QString &f) { return pageNumber(project, f); }}},
        {u"page with picture"_s,
         {u"faq.html"_s, [&](const QString &f) { return pageNumber(project, f); }}},
        {u"page project"_s,
         {u"seite.pdt"_s,
          [](const QString &f) {
              PageProject project;
              project.title = u"Titel"_s;
              project.keywords = QStringList(20, u"Schlagwort"_s);
              return numberOf([&] { savePageProject(f + u"seite.pdt"_s, project, u"neu"_s); });
          }}},
        {u"mail.dat (editor)"_s,
         {u"mail.dat"_s,
          [](const QString &f) {
              return numberOf([&] { saveEditorContactStore(f, u"max@example.org"_s); });
          }}},
        {u"mail.dat (export)"_s,
         {u"mail.dat"_s,
          [](const QString &f) {
              return numberOf([&] { mail_speichern(f, u"max@example.org"_s); });
          }}},
        {u"settings"_s,
         {u"askbright.ini"_s,
          [](const QString &f) {
              return numberOf([&] { writeSettingsFile(f + u"askbright.ini"_s, AppSettings()); });
          }}},
        {u"recent files"_s,
         {u"dateiliste.lis"_s,
          [&picture](const QString &f) {
              // The picture is an existing file that is not listed yet: the list changes.
              return numberOf([&] { updateRecentFiles(f + u"dateiliste.lis"_s, picture); });
          }}},
    };
    const Writer w = writers.value(writer);
    const QString target = folder + w.target;
    const QByteArray old = "old content that must survive\r\n";
    if (fault == Fault::TargetIsFolder)
        QVERIFY(QDir(folder).mkdir(w.target));
    else
        QVERIFY(testutil::writeBytes(target, old));
    const auto entries = [&folder] {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    };
    const QStringList before = entries();

    // The fault, then the write, then everything back as it was.
    rlimit savedLimit{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &savedLimit), 0);
    const bool root0 = ::geteuid() == 0;
    int got = -2;
    switch (fault) {
    case Fault::ReadOnlyFolder:
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | lookIn));
        // Root passes permission bits by, so the write runs as nobody.
        if (root0)
            QCOMPARE(::seteuid(65534), 0);
        got = w.write(folder);
        if (root0)
            QCOMPARE(::seteuid(0), 0);
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        break;
    case Fault::DiskFull: {
        const rlimit tiny{8, savedLimit.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        got = w.write(folder);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &savedLimit), 0);
        break;
    }
    case Fault::TargetIsFolder:
        got = w.write(folder);
        break;
    case Fault::FolderVanished:
        // The folder was chosen, then removed before the write.
        QVERIFY(QDir(folder).removeRecursively());
        got = w.write(folder);
        break;
    }

    QCOMPARE(got, number);
    if (fault == Fault::FolderVanished) {
        QVERIFY(!QFileInfo::exists(folder));
        return;
    }
    // Nothing half-written beside the old file, and the old file as it was.
    QCOMPARE(entries(), before);
    if (fault == Fault::TargetIsFolder)
        QVERIFY(QFileInfo(target).isDir());
    else
        QCOMPARE(testutil::readBytes(target), old);
}

QTEST_GUILESS_MAIN(tst_writefaults)
#include "tst_writefaults.moc"
