// The companion files delivered in the program folder, read with the
// program's own readers: a new user must be able to open them and make a page.

#include "app/clock.h"
#include "app/textcodec.h"
#include "appearance/schemefile.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"
#include "html/pagegenerator.h"
#include "html/templatefolders.h"
#include "project/contrast.h"
#include "project/projectfile.h"
#include "recordingsink.h"
#include "testutil.h"

#include <QRegularExpression>
#include <QSet>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

QString distPath(const QString &name)
{
    return QStringLiteral(ASKBRIGHT_DIST "/") + name;
}

using C = ColorScheme;

double contrast(qint32 a, qint32 b)
{
    return contrastRatio(partsOfPlatformColor(quint32(a)), partsOfPlatformColor(quint32(b)));
}

// Every line ends in CR LF and no CR or LF stands alone.
bool hasOnlyCrLf(const QByteArray &bytes)
{
    return bytes.endsWith("\r\n") && bytes.count('\r') == bytes.count('\n') &&
           bytes.count("\r\n") == bytes.count('\n');
}

} // namespace

class tst_samples : public QObject {
    Q_OBJECT
private slots:
    void standardScheme()
    {
        const QByteArray bytes = testutil::readBytes(distPath(standardSchemeName));
        const ColorScheme scheme = readSchemeFile(distPath(standardSchemeName));
        QCOMPARE(formatScheme(scheme), bytes);
        for (qint32 colour : scheme.entries)
            QVERIFY2(colour >= 0 && colour <= 0xFFFFFF, "a colour with a top byte");
        // Readable: text on the background and captions on the buttons.
        QVERIFY(contrast(scheme[C::fontColor], scheme[C::backgroundColor]) >= 7);
        QVERIFY(contrast(scheme[C::buttonFontColor], scheme[C::buttonColor]) >= 4.5);
        QVERIFY(relativeLuminance(partsOfPlatformColor(scheme[C::backgroundColor])) > 0.7);
    }

    void sampleDatabase()
    {
        const QString path = distPath(u"beispiel.faq"_s);
        const QByteArray bytes = testutil::readBytes(path);
        const QList<FaqRecord> records = faq_einlesen(path);
        QVERIFY(records.size() >= 10 && records.size() <= 15);
        // Exactly the layout the program writes, so saving it changes no byte.
        QCOMPARE(formatFaq(records), bytes);
        QVERIFY(hasOnlyCrLf(bytes));

        bool quoteSeen = false, extraWithLinkSeen = false, lineBreakSeen = false;
        QSet<QString> questions;
        for (const FaqRecord &r : records) {
            // Complete records only: the program refuses to leave an empty one.
            QVERIFY(!trimBlanks(r.question).isEmpty());
            QVERIFY(!trimBlanks(r.answer).isEmpty());
            QVERIFY2(!questions.contains(r.question), qPrintable(r.question));
            questions.insert(r.question);
            quoteSeen = quoteSeen || r.answer.contains(quoteSubstitute);
            lineBreakSeen = lineBreakSeen || r.answer.contains(u"\r\n"_s);
            extraWithLinkSeen = extraWithLinkSeen ||
                                (!r.extraInfo.isEmpty() && r.homepageLink.startsWith(u"http"_s));
            QVERIFY(r.infoWithQuestion == 0 || r.infoWithQuestion == 1);
            QVERIFY2(QDate::fromString(r.createdDate, u"dd.MM.yyyy"_s).isValid(),
                     qPrintable(r.createdDate));
        }
        QCOMPARE(QList<bool>({quoteSeen, lineBreakSeen, extraWithLinkSeen}), QList<bool>(3, true));
    }

    void pageProjects_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("language");
        const QStringList names = pageProjectNames(distPath(u"vorlagen"_s));
        QCOMPARE(names, (QStringList{u"klassisch.pdt"_s, u"nachtblau.pdt"_s}));
        for (const QString &name : names) {
            QTest::newRow(qPrintable(name + u" deutsch"_s)) << name << u"deutsch"_s;
            QTest::newRow(qPrintable(name + u" englisch"_s)) << name << u"englisch"_s;
        }
    }

    void pageProjects()
    {
        QFETCH(QString, name);
        QFETCH(QString, language);
        const QString path = distPath(u"vorlagen/"_s + name);
        const QByteArray bytes = testutil::readBytes(path);
        QVERIFY(hasOnlyCrLf(bytes));

        RecordingSink sink;
        PageProject project;
        QCOMPARE(openPageProject(path, project, Language::fromSetting(language), sink),
                 ProjectReadOutcome::Read);
        QCOMPARE(sink.messages.size(), 0);
        // Exactly the layout the layout editor writes.
        QCOMPARE(encodeCp1252(formatPageProject(project, QString())), bytes);
        static const QRegularExpression colourText(u"^#[0-9A-F]{6}$"_s);
        for (const QString &colour : {project.textColor, project.bgColor, project.alinkColor,
                                      project.vlinkColor, project.linkColor})
            QVERIFY2(colourText.match(colour).hasMatch(), qPrintable(colour));
        QVERIFY(project.picturePath.isEmpty());
        QVERIFY(!project.pageFileName.isEmpty());

        // Together with the sample database they make a page at once.
        QTemporaryDir out;
        FixedClock clock(QDate(2025, 3, 15));
        FaqDatabase database;
        database.replaceRecords(faq_einlesen(distPath(u"beispiel.faq"_s)));
        const PageResult result =
            generatePage(Language::fromSetting(language), {path, out.path() + u'/', {}, {}},
                         database, clock, sink);
        QCOMPARE(result.status, PageStatus::Ok);
        QCOMPARE(sink.messages.size(), 0);
        QCOMPARE(result.pagePath, out.path() + u'/' + project.pageFileName + u".html"_s);
        const QString page = decodeCp1252(testutil::readBytes(result.pagePath));
        QCOMPARE(page.count(u"<LI><a name=\"frage"_s), database.recordCount());
    }
};

QTEST_GUILESS_MAIN(tst_samples)
#include "tst_samples.moc"
