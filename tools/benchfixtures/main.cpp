// Writes the inputs scripts/bench feeds to askbright-cli into the folder
// given as the only argument: a page project, databases from ordinary to
// extreme, and files to import.
#include "app/textcodec.h"
#include "database/faqfile.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace askbright;
using namespace Qt::StringLiterals;

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// count records whose answers are answerBytes long.
QByteArray records(int count, int answerBytes)
{
    const QString answer =
        u"Antwort mit Umlauten äöü, <Klammern> & Zeilen\r\n"_s.repeated(answerBytes / 40 + 1)
            .left(answerBytes);
    QList<FaqRecord> list;
    for (int i = 1; i <= count; ++i)
        list << FaqRecord{u"Frage Nummer %1: wie funktioniert das mit ¨Größe¨?"_s.arg(i),
                          answer,
                          u"Fragesteller %1"_s.arg(i),
                          u"http://www.example.org/?id=%1&x=1"_s.arg(i),
                          qint16(i % 2),
                          u"06.12.2026"_s};
    return formatFaq(list);
}

// count records whose questions are size copies of byte c, each as long as
// a text may be.
QByteArray hugeQuestions(int count, char c, qsizetype size)
{
    QByteArray out = " " + QByteArray::number(count) + " \r\n";
    const QByteArray record =
        "\"" + QByteArray(size, c) + "\"\r\n\"a\"\r\n\"\"\r\n\"\"\r\n 0 \r\n06.12.2026\r\n";
    return out + record.repeated(count);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: bench_fixtures FOLDER\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QByteArray project = "[Projektdatei f\xFCr Askbright]|Titel|#000000|#FFFFFF|#FF0000|"
                               "#800080|#0000FF||nein|faq|||mitte|||Arial|16|12|links| 0 |";
    const bool ok =
        dir.mkpath(u"."_s) && dir.mkpath(u"out"_s) &&
        writeBytes(dir.filePath(u"seite.pdt"_s), QByteArray(project).replace('|', "\r\n")) &&
        writeBytes(dir.filePath(u"2000x2k.faq"_s), records(2000, 2048)) &&
        writeBytes(dir.filePath(u"2000x32k.faq"_s), records(2000, 32768)) &&
        writeBytes(dir.filePath(u"amp100x1m.faq"_s), hugeQuestions(100, '&', 1'000'000)) &&
        writeBytes(dir.filePath(u"szlig100x1m.faq"_s), hugeQuestions(100, '\xDF', 1'000'000)) &&
        // Imports and exports.
        writeBytes(dir.filePath(u"2000x100k.faq"_s), records(2000, 100000)) &&
        writeBytes(dir.filePath(u"empty10m.csv"_s),
                   "question,answer\r\n" + QByteArray(10'000'000, '\n')) &&
        writeBytes(dir.filePath(u"empty10m.md"_s), "## q\n\n" + QByteArray(10'000'000, '\n'));
    if (!ok)
        std::fputs("bench_fixtures: cannot write the fixtures\n", stderr);
    return ok ? 0 : 1;
}
