// Installs the build into a temporary prefix, as a packager would, and checks
// the installed tree: the program folder with its companions, the links in
// bin/, the desktop entry, the file type and the icons.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString programDir = QStringLiteral(ASKBRIGHT_PROGRAM_DIR);
const QList<int> iconSizes = {16, 24, 32, 48, 64, 128, 256};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The companion files as the source tree holds them, relative to dist/.
QStringList distFiles()
{
    const QString root = QStringLiteral(ASKBRIGHT_SOURCE_DIR "/dist");
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(root).relativeFilePath(it.next());
        if (!relative.startsWith(u'.') && !relative.contains(u"/."_s))
            files << relative;
    }
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
    Run result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = process.readAll();
    return result;
}

bool near(QRgb pixel, QRgb expected)
{
    return qAbs(qRed(pixel) - qRed(expected)) <= 8 && qAbs(qGreen(pixel) - qGreen(expected)) <= 8 &&
           qAbs(qBlue(pixel) - qBlue(expected)) <= 8 && qAlpha(pixel) == 255;
}

} // namespace

class tst_install : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void installedTree();
    void companionsAsDelivered();
    void links_data();
    void links();
    void programFolderFoundThroughLinks();
    void desktopEntry();
    void mimePackage();
    void icons_data();
    void icons();
    void whatsNew();
    void installedProgramMakesAPage();
    void installAgain();

private:
    QString path(const QString &relative) const { return m_prefix + u'/' + relative; }
    QString program(const QString &relative) const { return path(programDir + u'/' + relative); }
    void install();

    QTemporaryDir m_dir;
    QString m_prefix;
};

void tst_install::install()
{
    const Run r =
        run(QStringLiteral(ASKBRIGHT_CMAKE),
            {u"--install"_s, QStringLiteral(ASKBRIGHT_BUILD_DIR), u"--prefix"_s, m_prefix});
    QVERIFY2(r.exitCode == 0, r.output.constData());
}

void tst_install::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_prefix = m_dir.filePath(u"prefix"_s);
    install();
}

void tst_install::installedTree()
{
    QSet<QString> expected;
    for (const QString &f : distFiles())
        expected << programDir + u'/' + f;
    for (const QString &f : {u"askbright"_s, u"askbright-cli"_s, u"whats_new.pdf"_s})
        expected << programDir + u'/' + f;
    expected << u"bin/askbright"_s << u"bin/askbright-cli"_s
             << u"share/applications/askbright.desktop"_s << u"share/mime/packages/askbright.xml"_s
             << u"share/icons/hicolor/scalable/apps/askbright.svg"_s;
    for (int size : iconSizes)
        expected << u"share/icons/hicolor/%1x%1/apps/askbright.png"_s.arg(size);

    // Nothing more: no build tools, tests or version-control files.
    QSet<QString> installed;
    QDirIterator it(m_prefix, QDir::Files | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        installed << QDir(m_prefix).relativeFilePath(it.next());
    QCOMPARE(installed, expected);

    for (const QString &exe : {u"askbright"_s, u"askbright-cli"_s})
        QVERIFY(QFileInfo(program(exe)).isExecutable());
}

void tst_install::companionsAsDelivered()
{
    const QStringList files = distFiles();
    QVERIFY(files.size() >= 6);
    for (const QString &f : files) {
        const QByteArray source = readAll(QStringLiteral(ASKBRIGHT_SOURCE_DIR "/dist/") + f);
        QVERIFY2(!source.isEmpty(), qPrintable(f));
        // Installed, and placed beside the built executable, byte for byte.
        QVERIFY2(readAll(program(f)) == source, qPrintable(f));
        QVERIFY2(readAll(QStringLiteral(ASKBRIGHT_BUILD_DIR "/bin/") + f) == source, qPrintable(f));
    }
}

void tst_install::links_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("program") << u"askbright"_s;
    QTest::newRow("command-line tool") << u"askbright-cli"_s;
}

void tst_install::links()
{
    QFETCH(QString, name);
    const QFileInfo link(path(u"bin/"_s + name));
    QVERIFY(link.isSymLink());
    // Relative, so the installed tree can be moved as a whole.
    const QByteArray target = QFile::encodeName(link.filePath());
    char buffer[4096] = {};
    const ssize_t n = ::readlink(target.constData(), buffer, sizeof buffer - 1);
    QVERIFY(n > 0);
    QVERIFY2(buffer[0] != '/', buffer);
    QCOMPARE(link.canonicalFilePath(), QFileInfo(program(name)).canonicalFilePath());
}

void tst_install::programFolderFoundThroughLinks()
{
    // Qt reports the folder of the real executable, not of the link that started it.
    const QString real = QStringLiteral(ASKBRIGHT_APPDIR);
    const QString links = m_dir.filePath(u"links"_s);
    QVERIFY(QDir().mkpath(links));
    QVERIFY(QFile::link(real, links + u"/direct"_s));
    QVERIFY(QFile::link(links + u"/direct"_s, links + u"/chain"_s));
    for (const QString &start : {real, links + u"/direct"_s, links + u"/chain"_s}) {
        const Run r = run(start, {});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QString::fromLocal8Bit(r.output).trimmed(), QFileInfo(real).canonicalPath());
    }
}

void tst_install::desktopEntry()
{
    const QStringList lines =
        QString::fromUtf8(readAll(path(u"share/applications/askbright.desktop"_s)))
            .split(u'\n', Qt::SkipEmptyParts);
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.first(), u"[Desktop Entry]"_s);
    static const QRegularExpression entry(u"^([A-Za-z0-9-]+(\\[[A-Za-z_@.]+\\])?)=(.*)$"_s);
    QHash<QString, QString> keys;
    for (const QString &line : lines.mid(1)) {
        if (line.startsWith(u'#'))
            continue;
        const QRegularExpressionMatch m = entry.match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        QVERIFY2(!keys.contains(m.captured(1)), qPrintable(line));
        keys.insert(m.captured(1), m.captured(3));
    }
    QCOMPARE(keys.value(u"Type"_s), u"Application"_s);
    QCOMPARE(keys.value(u"Name"_s), u"Askbright"_s);
    QVERIFY(keys.contains(u"Name[de]"_s));
    QVERIFY(!keys.value(u"Comment"_s).isEmpty());
    QVERIFY(!keys.value(u"Comment[de]"_s).isEmpty());
    QCOMPARE(keys.value(u"Icon"_s), u"askbright"_s);
    QCOMPARE(keys.value(u"Categories"_s), u"Office;"_s);
    QVERIFY(keys.value(u"MimeType"_s).split(u';').contains(u"application/x-askbright-faq"_s));
    const QStringList exec = keys.value(u"Exec"_s).split(u' ');
    QCOMPARE(exec, (QStringList{u"askbright"_s, u"%f"_s}));
    // The command it names is the link installed in bin/.
    QVERIFY(QFileInfo(path(u"bin/"_s + exec.first())).isExecutable());
}

void tst_install::mimePackage()
{
    QXmlStreamReader xml(readAll(path(u"share/mime/packages/askbright.xml"_s)));
    QString type;
    QStringList globs;
    QHash<QString, QString> comments;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"mime-info") {
            QCOMPARE(xml.namespaceUri(),
                     u"http://www.freedesktop.org/standards/shared-mime-info"_s);
        } else if (xml.name() == u"mime-type") {
            type = xml.attributes().value(u"type"_s).toString();
        } else if (xml.name() == u"glob") {
            globs << xml.attributes().value(u"pattern"_s).toString();
        } else if (xml.name() == u"comment") {
            const QString lang = xml.attributes().value(u"xml:lang"_s).toString();
            comments.insert(lang, xml.readElementText());
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(type, u"application/x-askbright-faq"_s);
    QCOMPARE(globs, QStringList{u"*.faq"_s});
    QVERIFY(!comments.value(QString()).isEmpty());
    QVERIFY(!comments.value(u"de"_s).isEmpty());
}

void tst_install::icons_data()
{
    QTest::addColumn<int>("size");
    for (int size : iconSizes)
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void tst_install::icons()
{
    QFETCH(int, size);
    const QImage image(path(u"share/icons/hicolor/%1x%1/apps/askbright.png"_s.arg(size)));
    QCOMPARE(image.size(), QSize(size, size));
    QVERIFY(image.hasAlphaChannel());
    // Transparent outside the rounded corner, drawn in the middle.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
    if (size < 48)
        return; // too few pixels for the details below
    auto at = [&](int x, int y) { return image.pixel(x * size / 256, y * size / 256); };
    QVERIFY(near(at(26, 128), qRgb(0x2F, 0x6E, 0xA5)));  // background
    QVERIFY(near(at(60, 150), qRgb(0xFF, 0xFF, 0xFF)));  // speech bubble
    QVERIFY(near(at(128, 160), qRgb(0x2F, 0x6E, 0xA5))); // dot of the question mark
    QVERIFY(near(at(204, 50), qRgb(0xFF, 0xD9, 0x66)));  // spark

    QXmlStreamReader svg(readAll(path(u"share/icons/hicolor/scalable/apps/askbright.svg"_s)));
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.name(), u"svg"_s);
    QCOMPARE(svg.attributes().value(u"viewBox"_s), u"0 0 256 256"_s);
    while (!svg.atEnd())
        svg.readNext();
    QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
}

void tst_install::whatsNew()
{
    const QByteArray pdf = readAll(program(u"whats_new.pdf"_s));
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    static const QRegularExpression page(u"/Type\\s*/Page[^s]"_s);
    QVERIFY(QString::fromLatin1(pdf).contains(page));
}

void tst_install::installedProgramMakesAPage()
{
    // The installed tool, started through its link, turns the installed samples into a page.
    const QString out = m_dir.filePath(u"page"_s);
    QVERIFY(QDir().mkpath(out));
    const Run r = run(path(u"bin/askbright-cli"_s),
                      {u"generate"_s, u"--database"_s, program(u"beispiel.faq"_s), u"--project"_s,
                       program(u"vorlagen/klassisch.pdt"_s), u"--output"_s, out, u"--date"_s,
                       u"2025-03-15"_s});
    QVERIFY2(r.exitCode == 0, r.output.constData());
    const QStringList pages = QDir(out).entryList({u"*.html"_s}, QDir::Files);
    QCOMPARE(pages.size(), 1);
    QVERIFY(QFileInfo(out + u'/' + pages.first()).size() > 1000);
}

void tst_install::installAgain()
{
    // Installing over an existing installation replaces the links instead of failing.
    install();
    QVERIFY(QFileInfo(path(u"bin/askbright"_s)).isSymLink());
    QCOMPARE(QFileInfo(path(u"bin/askbright"_s)).canonicalFilePath(),
             QFileInfo(program(u"askbright"_s)).canonicalFilePath());
}

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
