// Installs the build into a temporary prefix, as a packager would, and checks
// the installed tree: the program folder with its companions, the links in
// bin/, the desktop entry, the file type and the icons.

#include "testutil.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <unistd.h>

using namespace Qt::StringLiterals;
using testutil::readBytes;

namespace {

const QString programDir = QStringLiteral(ASKBRIGHT_PROGRAM_DIR);
const QList<int> iconSizes = {16, 24, 32, 48, 64, 128, 256};

// The companion files as the source tree holds them, relative to dist/ (hidden ones left out).
QStringList distFiles()
{
    const QDir root(QStringLiteral(ASKBRIGHT_SOURCE_DIR "/dist"));
    QStringList files;
    for (QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << root.relativeFilePath(it.next());
    files.sort();
    return files;
}

struct Run {
    int exitCode = -1;
    QByteArray output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool ended =
        process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAll()};
}

} // namespace

class tst_install : public QObject {
    Q_OBJECT
private slots:
    // Installing over an existing installation replaces the links instead of
    // failing; every check below is on the tree installed twice.
    void initTestCase()
    {
        m_prefix = m_dir.filePath(u"prefix"_s);
        for (int i = 0; i < 2; ++i) {
            const Run r =
                run(QStringLiteral(ASKBRIGHT_CMAKE),
                    {u"--install"_s, QStringLiteral(ASKBRIGHT_BUILD_DIR), u"--prefix"_s, m_prefix});
            QVERIFY2(r.exitCode == 0, r.output.constData());
        }
    }

    // The program folder with its companions, the links, the desktop files and
    // the icons, and nothing more: no build tools, tests or version-control files.
    void installedTree()
    {
        QSet<QString> expected{u"bin/askbright"_s, u"bin/askbright-cli"_s,
                               u"share/applications/askbright.desktop"_s,
                               u"share/mime/packages/askbright.xml"_s,
                               u"share/icons/hicolor/scalable/apps/askbright.svg"_s};
        for (int size : iconSizes)
            expected << u"share/icons/hicolor/%1x%1/apps/askbright.png"_s.arg(size);
        for (const QString &f :
             distFiles() + QStringList{u"askbright"_s, u"askbright-cli"_s, u"whats_new.pdf"_s})
            expected << programDir + u'/' + f;
        QSet<QString> installed;
        QDirIterator it(m_prefix, QDir::Files | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            installed << QDir(m_prefix).relativeFilePath(it.next());
        QCOMPARE(installed, expected);
        for (const QString &exe : {u"askbright"_s, u"askbright-cli"_s})
            QVERIFY(QFileInfo(program(exe)).isExecutable());
        // The companions, installed and beside the built executable, byte for byte.
        for (const QString &f : distFiles()) {
            const QByteArray source = readBytes(QStringLiteral(ASKBRIGHT_SOURCE_DIR "/dist/") + f);
            QVERIFY2(!source.isEmpty() && readBytes(program(f)) == source &&
                         readBytes(QStringLiteral(ASKBRIGHT_BUILD_DIR "/bin/") + f) == source,
                     qPrintable(f));
        }
    }

    void links_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("program") << u"askbright"_s;
        QTest::newRow("command-line tool") << u"askbright-cli"_s;
    }

    void links()
    {
        QFETCH(QString, name);
        const QFileInfo link(path(u"bin/"_s + name));
        // A link, and relative, so the installed tree can be moved as a whole.
        char buffer[4096] = {};
        QVERIFY(::readlink(QFile::encodeName(link.filePath()).constData(), buffer,
                           sizeof buffer - 1) > 0);
        QVERIFY2(buffer[0] != '/', buffer);
        QCOMPARE(link.canonicalFilePath(), QFileInfo(program(name)).canonicalFilePath());
    }

    void programFolderFoundThroughLinks()
    {
        // Qt reports the folder of the real executable, not of the link that started it.
        const QString real = QStringLiteral(ASKBRIGHT_APPDIR);
        const QString direct = m_dir.filePath(u"direct"_s), chain = m_dir.filePath(u"chain"_s);
        QVERIFY(QFile::link(real, direct) && QFile::link(direct, chain));
        for (const QString &start : {real, direct, chain}) {
            const Run r = run(start, {});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(QString::fromLocal8Bit(r.output).trimmed(), QFileInfo(real).canonicalPath());
        }
    }

    // The desktop entry parses, and what it names is installed: the command, the
    // icon, and the file type, which the type package gives the database extension.
    void desktopIntegration()
    {
        const QStringList lines =
            QString::fromUtf8(readBytes(path(u"share/applications/askbright.desktop"_s)))
                .split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.value(0), u"[Desktop Entry]"_s);
        static const QRegularExpression entry(u"^([A-Za-z0-9-]+(\\[[A-Za-z_@.]+\\])?)=(.*)$"_s);
        QHash<QString, QString> keys;
        for (const QString &line : lines.mid(1)) {
            const QRegularExpressionMatch m = entry.match(line);
            QVERIFY2(line.startsWith(u'#') || (m.hasMatch() && !keys.contains(m.captured(1))),
                     qPrintable(line));
            keys.insert(m.captured(1), m.captured(3));
        }
        const QStringList exec = keys.value(u"Exec"_s).split(u' ');
        QCOMPARE(exec.value(1), u"%f"_s);
        QVERIFY(QFileInfo(path(u"bin/"_s + exec.first())).isExecutable());
        QVERIFY(QFile::exists(
            path(u"share/icons/hicolor/scalable/apps/%1.svg"_s.arg(keys.value(u"Icon"_s)))));

        QXmlStreamReader xml(readBytes(path(u"share/mime/packages/askbright.xml"_s)));
        QStringList typesAndGlobs;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"mime-type")
                typesAndGlobs << xml.attributes().value(u"type"_s).toString();
            else if (xml.name() == u"glob")
                typesAndGlobs << xml.attributes().value(u"pattern"_s).toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(typesAndGlobs.value(1), u"*.faq"_s);
        QVERIFY(keys.value(u"MimeType"_s).split(u';').contains(typesAndGlobs.value(0)));
    }

    void icons_data()
    {
        QTest::addColumn<int>("size");
        for (int size : iconSizes)
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }

    void icons()
    {
        QFETCH(int, size);
        const QImage image(path(u"share/icons/hicolor/%1x%1/apps/askbright.png"_s.arg(size)));
        QCOMPARE(image.size(), QSize(size, size));
        // Transparent outside the rounded corner, drawn in the middle.
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }

    void whatsNew()
    {
        const QByteArray pdf = readBytes(program(u"whats_new.pdf"_s));
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        static const QRegularExpression page(u"/Type\\s*/Page[^s]"_s);
        QVERIFY(QString::fromLatin1(pdf).contains(page));
    }

    void installedProgramMakesAPage()
    {
        // The installed tool, started through its link, turns the installed samples into a page.
        const QString out = m_dir.filePath(u"page"_s);
        QVERIFY(QDir().mkpath(out));
        const Run r = run(path(u"bin/askbright-cli"_s),
                          {u"generate"_s, u"--database"_s, program(u"beispiel.faq"_s),
                           u"--project"_s, program(u"vorlagen/klassisch.pdt"_s), u"--output"_s, out,
                           u"--date"_s, u"2025-03-15"_s});
        QVERIFY2(r.exitCode == 0, r.output.constData());
        const QStringList pages = QDir(out).entryList({u"*.html"_s}, QDir::Files);
        QCOMPARE(pages.size(), 1);
        QVERIFY(QFileInfo(out + u'/' + pages.first()).size() > 1000);
    }

private:
    QString path(const QString &relative) const { return m_prefix + u'/' + relative; }
    QString program(const QString &relative) const { return path(programDir + u'/' + relative); }

    QTemporaryDir m_dir;
    QString m_prefix;
};

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
