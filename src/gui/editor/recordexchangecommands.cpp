#include "editor/recordexchangecommands.h"

#include "app/apperror.h"
#include "app/paths.h"
#include "app/windowcontext.h"
#include "controls/dialogservice.h"
#include "database/exchange.h"
#include "state/appstate.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace askbright {

namespace {

// Notes listed in the import report's text; all of them are in its details.
constexpr qsizetype listedNotes = 20;

// "12 Datensätze übernommen, 1 davon geändert." and what was left out or changed.
Message importReport(const ImportResult &result, Language lang, const QString &title)
{
    const qsizetype taken = result.records.size();
    QString summary =
        taken == 1 ? lang.pick(u"1 Datensatz übernommen", u"1 record imported")
                   : lang.pick(u"%1 Datensätze übernommen", u"%1 records imported").arg(taken);
    if (result.changed > 0)
        summary += lang.pick(u", %1 davon geändert", u", %1 of them changed").arg(result.changed);
    QStringList lines{summary + u'.'};
    if (result.leftOut > 0)
        lines << (result.leftOut == 1
                      ? lang.pick(u"1 Zeile nicht übernommen.", u"1 row not imported.")
                      : lang.pick(u"%1 Zeilen nicht übernommen.", u"%1 rows not imported.")
                            .arg(result.leftOut));
    QStringList notes;
    for (const ImportNote &note : result.notes)
        notes << noteText(note, lang);
    if (result.unlisted > 0)
        notes << lang.pick(u"... und %1 weitere nicht übernommene Zeilen",
                           u"... and %1 more rows not imported")
                     .arg(result.unlisted);
    Message message;
    message.title = title;
    message.icon = notes.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation;
    if (!notes.isEmpty())
        lines << QString() << notes.first(std::min(notes.size(), listedNotes));
    if (notes.size() > listedNotes) {
        lines << lang.pick(u"... und %1 weitere (siehe Details)", u"... and %1 more (see details)")
                     .arg(notes.size() - listedNotes);
        message.details = notes.join(u'\n');
    }
    message.text = lines.join(u'\r');
    return message;
}

const char16_t csvImportFilter[] = u"CSV (*.csv, *.tsv, *.txt)|*.csv;*.tsv;*.txt";
const char16_t csvExportFilter[] = u"CSV (*.csv)|*.csv";
const char16_t markdownFilter[] = u"Markdown (*.md, *.markdown)|*.md;*.markdown";

} // namespace

RecordExchangeCommands::RecordExchangeCommands(WindowContext &context, QMenu *fileMenu,
                                               QAction *before,
                                               std::function<QList<FaqRecord>()> records)
    : QObject(fileMenu), m_ctx(context), m_records(std::move(records))
{
    QAction *separator = fileMenu->insertSeparator(before);
    separator->setObjectName(QStringLiteral("strichtausch"));
    const std::pair<QAction **, std::pair<const char *, void (RecordExchangeCommands::*)()>>
        entries[] = {
            {&m_importCsv, {"mnuimportcsv", &RecordExchangeCommands::onImportCsvTriggered}},
            {&m_importMarkdown,
             {"mnuimportmd", &RecordExchangeCommands::onImportMarkdownTriggered}},
            {&m_exportCsv, {"mnuexportcsv", &RecordExchangeCommands::onExportCsvTriggered}},
            {&m_exportMarkdown,
             {"mnuexportmd", &RecordExchangeCommands::onExportMarkdownTriggered}},
        };
    for (const auto &[action, entry] : entries) {
        *action = new QAction(fileMenu);
        (*action)->setObjectName(QLatin1String(entry.first));
        connect(*action, &QAction::triggered, this, entry.second);
        fileMenu->insertAction(before, *action);
    }
    connect(fileMenu, &QMenu::aboutToShow, this, &RecordExchangeCommands::updateEnabled);
}

void RecordExchangeCommands::updateEnabled()
{
    m_ctx.guarded("frm1", "mnudatei_Click", [this] {
        const FaqDatabase &db = m_ctx.state.database;
        const bool open = db.recordCount() >= 1 || !db.filePath().isEmpty();
        m_importCsv->setEnabled(open);
        m_importMarkdown->setEnabled(open);
        m_exportCsv->setEnabled(db.recordCount() >= 1);
        m_exportMarkdown->setEnabled(db.recordCount() >= 1);
    });
}

void RecordExchangeCommands::retranslate(Language lang)
{
    m_importCsv->setText(lang.pick(u"CSV &importieren...", u"Import &CSV..."));
    m_importMarkdown->setText(lang.pick(u"&Markdown importieren...", u"Import &Markdown..."));
    m_exportCsv->setText(lang.pick(u"Als CS&V exportieren...", u"Export as CS&V..."));
    m_exportMarkdown->setText(
        lang.pick(u"Als Mar&kdown exportieren...", u"Export as Mar&kdown..."));
}

void RecordExchangeCommands::onImportCsvTriggered()
{
    m_ctx.guarded("frm1", "mnuimportcsv_Click", [this] { importRecords(true); });
}

void RecordExchangeCommands::onImportMarkdownTriggered()
{
    m_ctx.guarded("frm1", "mnuimportmd_Click", [this] { importRecords(false); });
}

void RecordExchangeCommands::onExportCsvTriggered()
{
    m_ctx.guarded("frm1", "mnuexportcsv_Click", [this] { exportRecords(true); });
}

void RecordExchangeCommands::onExportMarkdownTriggered()
{
    m_ctx.guarded("frm1", "mnuexportmd_Click", [this] { exportRecords(false); });
}

QList<FaqRecord> RecordExchangeCommands::recordsToExchange() const
{
    // A blank record the window shows at the end (one just added, not yet
    // typed) is no record yet: saving would refuse it too.
    QList<FaqRecord> records = m_records();
    if (!records.isEmpty() && m_ctx.state.database.currentIndex() == records.size() &&
        records.last().question.isEmpty() && records.last().answer.isEmpty())
        records.removeLast();
    return records;
}
void RecordExchangeCommands::importRecords(bool csv)
{
    FaqDatabase &db = m_ctx.state.database;
    const QString title = m_ctx.pick(csv ? u"CSV importieren" : u"Markdown importieren",
                                     csv ? u"Import CSV" : u"Import Markdown");
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.title = title;
    request.initDir = db.faqFolder();
    request.filter = QString::fromUtf16(csv ? csvImportFilter : markdownFilter);
    request.flags = DialogFlags::Open;
    const std::optional<QString> path = m_ctx.dialogs.showFileDialog(request);
    if (!path)
        return;

    // A blank record just added in the window is where the imported ones go.
    const QList<FaqRecord> records = recordsToExchange();

    ImportResult result;
    const bool read = m_ctx.guarded(
        [&] {
            result = importFile(*path, csv ? ExchangeFormat::Csv : ExchangeFormat::Markdown,
                                FaqDatabase::maxRecords - int(records.size()), m_ctx.state.today());
        },
        [&](const AppError &e) {
            QString why = e.numberAndDescription(m_ctx.language());
            if (e.number() == AppError::TypeMismatch)
                why = csv ? m_ctx.pick(u"Die Datei ist keine CSV-Datei mit einer Kopfzeile der "
                                       u"Spalten\r(Frage, Antwort, Zusatz, Link, Datum).",
                                       u"The file is not a CSV file with a header row naming the "
                                       u"columns\r(question, answer, extra info, link, date).")
                          : m_ctx.pick(u"Die Datei enthält keine Frage: keine Zeile beginnt "
                                       u"mit „## “.",
                                       u"The file holds no question: no line begins with "
                                       u"\"## \".");
            m_ctx.inform(
                why + m_ctx.pick(u"\rEs wurde nichts übernommen.", u"\rNothing was imported."),
                title, MessageIcon::Exclamation);
        });
    if (!read)
        return;

    if (!result.records.isEmpty()) {
        const int first = int(records.size()) + 1;
        db.replaceRecords(records + result.records);
        db.markChanged();
        emit recordsImported(first);
    }
    m_ctx.dialogs.showMessage(importReport(result, m_ctx.language(), title));
}

void RecordExchangeCommands::exportRecords(bool csv)
{
    const FaqDatabase &db = m_ctx.state.database;
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.title = m_ctx.pick(csv ? u"Als CSV exportieren" : u"Als Markdown exportieren",
                               csv ? u"Export as CSV" : u"Export as Markdown");
    request.initDir = db.faqFolder();
    request.filter = QString::fromUtf16(csv ? csvExportFilter : markdownFilter);
    request.flags = DialogFlags::OverwritePrompt | DialogFlags::HideReadOnly |
                    DialogFlags::PathMustExist | DialogFlags::Explorer | DialogFlags::LongNames;
    const std::optional<QString> path = m_ctx.dialogs.showFileDialog(request);
    if (!path)
        return;

    const QList<FaqRecord> records = recordsToExchange();
    const QString title = db.filePath().isEmpty()
                              ? QStringLiteral("FAQ")
                              : QFileInfo(localPath(db.filePath())).completeBaseName();
    m_ctx.guarded(
        [&] {
            exportFile(*path, csv ? ExchangeFormat::Csv : ExchangeFormat::Markdown, records, title);
        },
        [&](const AppError &e) {
            m_ctx.inform(m_ctx
                             .pick(u"Die Datei konnte nicht geschrieben werden:\r%1\r%2",
                                   u"The file could not be written:\r%1\r%2")
                             .arg(*path, e.numberAndDescription()),
                         request.title, MessageIcon::Critical);
        });
}

} // namespace askbright
