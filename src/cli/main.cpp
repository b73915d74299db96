// askbright-cli: generates the FAQ page from a database and a page project
// without the window system, for scripts and reproducible builds, and moves
// records in and out of a database as CSV or Markdown.

#include "app/apperror.h"
#include "app/clock.h"
#include "app/filesaver.h"
#include "app/product.h"
#include "app/textcodec.h"
#include "database/exchange.h"
#include "database/faqdatabase.h"
#include "database/faqfile.h"
#include "html/pagegenerator.h"
#include "settings/recentfiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <array>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

using namespace askbright;

namespace {

enum ExitCode { ExitOk = 0, ExitGivenUp = 1, ExitFailed = 2, ExitUsage = 2 };

const char usageText[] =
    "Usage: askbright-cli generate --database FILE.faq --project FILE.pdt --output DIR [options]\n"
    "       askbright-cli import --database FILE.faq (--csv FILE | --markdown FILE)\n"
    "       askbright-cli export --database FILE.faq (--csv FILE | --markdown FILE) [--title T]\n"
    "       askbright-cli --help | --version\n"
    "\n"
    "generate writes the FAQ page DIR/<page file name>.html (and copies the background\n"
    "picture beside it) and prints the page's path.\n"
    "import appends the records of a CSV file (header row naming the columns question,\n"
    "answer, extra info, link, date, info with question) or of a Markdown file (a\n"
    "\"## \" heading per question) to the database, creating it when it does not exist,\n"
    "and reports every row it left out or changed. export writes the records as CSV or\n"
    "Markdown. Paths are used as given.\n"
    "\n"
    "Options:\n"
    "  --database FILE        the .faq database\n"
    "  --project FILE         the .pdt page project\n"
    "  --output DIR           the folder the page is written to (must exist)\n"
    "  --language VARIANT     deutsch (default) or englisch\n"
    "  --layout N             1: questions repeated before the answers (default), 2: answers only\n"
    "  --no-paragraphs        keep line breaks of questions and answers as typed\n"
    "  --links-same-size      links as large as the text (default: 2 points smaller)\n"
    "  --pre                  preformatted answers\n"
    "  --contact ADDRESS      contact block with this address, used exactly as given\n"
    "  --modern               an HTML5 page (phones, search box, FAQ structured data)\n"
    "  --page-language LANG   de or en: the language of the modern page's words\n"
    "                         (default: that of --language)\n"
    "  --date YYYY-MM-DD      generation date, and the date of imported rows without one\n"
    "                         (default: SOURCE_DATE_EPOCH when set, else today)\n"
    "  --csv FILE             import from or export to this CSV file\n"
    "  --markdown FILE        import from or export to this Markdown file\n"
    "  --title TEXT           the heading of an exported Markdown file (default: FAQ)\n"
    "  -h, --help             show this help\n"
    "  -v, --version          show the version\n"
    "\n"
    "Exit status: 0 page written or every row imported as it was, 1 run given up (not a\n"
    "page project, background picture missing, not a file of records) or rows left out\n"
    "or changed, 2 error or bad usage.\n";

// A line for the terminal: control characters that came from files (escape
// sequences among them) become "?".
void printLine(QString text, FILE *stream)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control)
            c = u'?';
    }
    std::fputs(qPrintable(text + u'\n'), stream);
}

void printErr(const QString &text)
{
    printLine(text, stderr);
}

// A path in a message: cut in the middle when long, also where a description
// quotes it.
QString shortPath(const QString &path)
{
    return shortenedPath(path, 60);
}

QString describe(const AppError &error, const QString &path)
{
    return error.numberAndDescription().replace(path, shortPath(path));
}

int usageError(const QString &text)
{
    printErr(QStringLiteral("askbright-cli: ") + text);
    printErr(QStringLiteral("Try 'askbright-cli --help' for more information."));
    return ExitUsage;
}

QString cannotReadDatabase(const QString &path, const AppError &error)
{
    return QStringLiteral("askbright-cli: cannot read the database '%1': %2")
        .arg(shortPath(path), describe(error, path));
}

// The database read record by record each time the page asks for the
// records, so they are never all in memory; a fault of the file is told as
// the database's, not as the page's. The page reads the records more than
// once, so a file replaced or changed between two readings stops the run
// instead of mixing two versions in one page.
class DatabaseFile {
public:
    explicit DatabaseFile(const QString &path) : m_path(path) {}

    RecordSource records()
    {
        return [this](const RecordVisitor &visit) {
            bool inVisit = false;
            try {
                checkUnchanged();
                forEachFaqRecord(m_path, [&](const FaqRecord &record) {
                    inVisit = true;
                    visit(record);
                    inVisit = false;
                });
                checkUnchanged();
            } catch (const AppError &error) {
                if (!inVisit)
                    m_failure = cannotReadDatabase(m_path, error);
                throw;
            }
        };
    }
    // Why the file could not be read, or "".
    const QString &failure() const { return m_failure; }

private:
    using Identity = std::array<qint64, 5>; // device, inode, size, change time

    void checkUnchanged()
    {
        struct stat st {};
        Identity now{};
        if (::stat(QFile::encodeName(m_path).constData(), &st) == 0)
            now = {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size),
                   qint64(st.st_mtim.tv_sec), qint64(st.st_mtim.tv_nsec)};
        if (!m_identity)
            m_identity = now;
        else if (*m_identity != now)
            throw AppError(AppError::PathFileAccessError,
                           QStringLiteral("Path/File access error: the file changed while the "
                                          "page was written"));
    }

    QString m_path;
    QString m_failure;
    std::optional<Identity> m_identity;
};

// Shows the generator's message boxes as text on standard error; a failure
// of the database file is told as such.
class StderrSink : public MessageSink {
public:
    explicit StderrSink(const DatabaseFile *database = nullptr) : m_database(database) {}

    int showMessage(const Message &message) override
    {
        if (m_database && !m_database->failure().isEmpty()) {
            printErr(m_database->failure());
            return AnswerOk;
        }
        const QStringList lines = message.text.split(u'\r');
        printErr((message.title.isEmpty() ? productTitle : message.title) + QStringLiteral(": ") +
                 lines.first());
        for (const QString &line : lines.sliced(1))
            printErr(line);
        return AnswerOk;
    }

private:
    const DatabaseFile *m_database;
};

// The generation date: --date, else SOURCE_DATE_EPOCH, else today.
bool generationDate(const QCommandLineParser &parser, QDate &date, QString &error)
{
    if (parser.isSet(QStringLiteral("date"))) {
        const QString text = parser.value(QStringLiteral("date"));
        date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            error = QStringLiteral("invalid --date '%1' (expected YYYY-MM-DD)").arg(text);
        return date.isValid();
    }
    if (qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH")) {
        const QString text = qEnvironmentVariable("SOURCE_DATE_EPOCH");
        bool ok = false;
        const qint64 seconds = text.toLongLong(&ok);
        if (ok)
            date = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).date();
        if (!ok || !date.isValid())
            error = QStringLiteral("invalid SOURCE_DATE_EPOCH '%1'").arg(text);
        return ok && date.isValid();
    }
    date = QDate::currentDate();
    return true;
}

// A folder named on the command line, as the file system takes it (a
// backslash is part of a name here), ending with a separator.
QString asFolder(const QString &path)
{
    return path.endsWith(u'/') || path.endsWith(QDir::separator()) ? path : path + u'/';
}

// Reads the database; tells why on standard error when it cannot.
bool readDatabase(const QString &path, QList<FaqRecord> &records)
{
    try {
        records = faq_einlesen(path);
        return true;
    } catch (const AppError &error) {
        printErr(cannotReadDatabase(path, error));
        return false;
    }
}

// import and export: records between the database and a CSV or Markdown file.
int exchange(const QCommandLineParser &parser, bool import)
{
    const QString databasePath = parser.value(QStringLiteral("database"));
    const QString csv = parser.value(QStringLiteral("csv"));
    const QString markdown = parser.value(QStringLiteral("markdown"));
    if (databasePath.isEmpty())
        return usageError(QStringLiteral("--database is required"));
    if (csv.isEmpty() == markdown.isEmpty())
        return usageError(QStringLiteral("give exactly one of --csv and --markdown"));
    const QString file = csv.isEmpty() ? markdown : csv;
    const ExchangeFormat format = csv.isEmpty() ? ExchangeFormat::Markdown : ExchangeFormat::Csv;
    QDate date;
    QString dateError;
    if (!generationDate(parser, date, dateError))
        return usageError(dateError);

    QList<FaqRecord> records;
    const bool newDatabase = import && !QFileInfo::exists(databasePath);
    if (!newDatabase && !readDatabase(databasePath, records))
        return ExitFailed;
    const auto failed = [](const QString &path, const AppError &error) {
        printErr(
            QStringLiteral("askbright-cli: %1: %2").arg(shortPath(path), describe(error, path)));
    };
    if (!import) {
        try {
            exportFile(file, format, records,
                       parser.isSet(QStringLiteral("title")) ? parser.value(QStringLiteral("title"))
                                                             : QStringLiteral("FAQ"));
        } catch (const AppError &error) {
            failed(file, error);
            return ExitFailed;
        }
        printLine(
            QStringLiteral("%1 records written to %2").arg(records.size()).arg(shortPath(file)),
            stdout);
        return ExitOk;
    }
    ImportResult result;
    try {
        result = importFile(file, format, FaqDatabase::maxRecords - int(records.size()),
                            shortDateText(date));
    } catch (const AppError &error) {
        failed(file, error);
        // A file that is not one of records is given up like a page project that is none.
        return error.number() == AppError::TypeMismatch ? ExitGivenUp : ExitFailed;
    }
    for (const ImportNote &note : result.notes)
        printErr(QStringLiteral("askbright-cli: ") + noteText(note, Language::English));
    if (result.unlisted > 0)
        printErr(QStringLiteral("askbright-cli: %1 more rows left out").arg(result.unlisted));
    try {
        faq_speichern(databasePath, records + result.records);
    } catch (const AppError &error) {
        failed(databasePath, error);
        return ExitFailed;
    }
    printLine(QStringLiteral("%1 records imported (%2 changed), %3 rows left out")
                  .arg(result.records.size())
                  .arg(result.changed)
                  .arg(result.leftOut),
              stdout);
    return result.notes.isEmpty() && result.unlisted == 0 ? ExitOk : ExitGivenUp;
}

int generate(const QCommandLineParser &parser)
{
    for (const char *required : {"database", "project", "output"}) {
        if (parser.value(QString::fromLatin1(required)).isEmpty())
            return usageError(QStringLiteral("--%1 is required").arg(QLatin1String(required)));
    }

    const QString language = parser.isSet(QStringLiteral("language"))
                                 ? parser.value(QStringLiteral("language"))
                                 : QStringLiteral("deutsch");
    if (language != QLatin1String("deutsch") && language != QLatin1String("englisch"))
        return usageError(
            QStringLiteral("--language must be deutsch or englisch, not '%1'").arg(language));

    PageRequest request;
    request.projectPath = parser.value(QStringLiteral("project"));
    request.outputFolder = asFolder(parser.value(QStringLiteral("output")));
    request.contactAddress = parser.value(QStringLiteral("contact"));
    if (parser.isSet(QStringLiteral("layout"))) {
        const QString layout = parser.value(QStringLiteral("layout"));
        if (layout != QLatin1String("1") && layout != QLatin1String("2"))
            return usageError(QStringLiteral("--layout must be 1 or 2, not '%1'").arg(layout));
        if (layout == QLatin1String("2"))
            request.options.answerLayout = AnswerLayout::AnswersOnly;
    }
    request.options.formatParagraphs = !parser.isSet(QStringLiteral("no-paragraphs"));
    request.options.smallLinks = !parser.isSet(QStringLiteral("links-same-size"));
    request.options.preformattedAnswers = parser.isSet(QStringLiteral("pre"));
    request.options.useContactAddress = !request.contactAddress.isEmpty();
    request.options.modernPage = parser.isSet(QStringLiteral("modern"));
    if (parser.isSet(QStringLiteral("page-language"))) {
        const QString page = parser.value(QStringLiteral("page-language"));
        if (page != QLatin1String("de") && page != QLatin1String("en"))
            return usageError(
                QStringLiteral("--page-language must be de or en, not '%1'").arg(page));
        request.options.pageLanguage =
            page == QLatin1String("en") ? Language::English : Language::German;
    }

    QDate date;
    QString dateError;
    if (!generationDate(parser, date, dateError))
        return usageError(dateError);

    DatabaseFile database(parser.value(QStringLiteral("database")));
    StderrSink sink(&database);
    const FixedClock clock(date);
    const PageResult result =
        generatePage(Language::fromSetting(language), request, database.records(), clock, sink);
    switch (result.status) {
    case PageStatus::Ok:
        printLine(QDir::toNativeSeparators(result.pagePath), stdout);
        return ExitOk;
    case PageStatus::GivenUp:
        return ExitGivenUp;
    case PageStatus::Failed:
        break;
    }
    return ExitFailed;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const auto valueOption = [&](const char *name, const char *valueName) {
        parser.addOption({QString::fromLatin1(name), QString(), QString::fromLatin1(valueName)});
    };
    valueOption("database", "file");
    valueOption("project", "file");
    valueOption("output", "dir");
    valueOption("language", "variant");
    valueOption("page-language", "language");
    valueOption("layout", "n");
    valueOption("contact", "address");
    valueOption("date", "date");
    valueOption("csv", "file");
    valueOption("markdown", "file");
    valueOption("title", "text");
    for (const char *flag : {"no-paragraphs", "links-same-size", "pre", "modern"})
        parser.addOption({QString::fromLatin1(flag), QString()});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QString()});

    if (!parser.parse(app.arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(usageText, stdout);
        return ExitOk;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        printLine(QStringLiteral("askbright-cli ") + fullVersionText(), stdout);
        return ExitOk;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(QStringLiteral("missing command (generate, import or export)"));
    const QString command = positional.first();
    if (positional.size() > 1)
        return usageError(QStringLiteral("extra argument '%1'").arg(positional.at(1)));
    if (command == QLatin1String("generate"))
        return generate(parser);
    if (command == QLatin1String("import") || command == QLatin1String("export"))
        return exchange(parser, command == QLatin1String("import"));
    return usageError(QStringLiteral("unknown command '%1'").arg(command));
}
