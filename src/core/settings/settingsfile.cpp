#include "settings/settingsfile.h"

#include "app/apperror.h"
#include "app/boundedread.h"
#include "app/filesaver.h"
#include "app/numbers.h"
#include "app/textcodec.h"

#include <QStringList>

namespace askbright {

namespace {

constexpr qint64 maxSettingsFileBytes = 1024 * 1024;

// A number of the file; the message quotes only the start of a long line.
template <typename T> T numberOf(const QString &line, T (*convert)(const QString &))
{
    try {
        return convert(line);
    } catch (const AppError &e) {
        throw AppError(
            e.number(),
            AppError::classicDescription(e.number()) +
                QStringLiteral(": \"%1\" is not a number in range").arg(excerpt(trimBlanks(line))));
    }
}

// The 0/1 lines.
QString flagText(bool value)
{
    return printNumber(value ? 1 : 0);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void readFont(LineReader &in, FieldFont &font, qint32 &color)
{
    font.name = in.next();
    font.size = numberOf<double>(in.next(), toDecimal);
    font.bold = in.next() == QLatin1String("True");
    font.underline = in.next() == QLatin1String("True");
    color = numberOf<qint32>(trimBlanks(in.next()), toInt32);
}

void writeFont(QStringList &out, const FieldFont &font, qint32 color)
{
    out << font.name << printDecimal(font.size) << boolText(font.bold) << boolText(font.underline)
        << printNumber(color);
}

} // namespace

void parseSettings(const QString &text, AppSettings &s)
{
    LineReader in(text);
    readFont(in, s.questionFont, s.textColors[0]);
    readFont(in, s.answerFont, s.textColors[1]);
    in.next();
    s.windowLeft = numberOf<qint16>(trimBlanks(in.next()), toInt16);
    in.next();
    s.windowTop = numberOf<qint16>(trimBlanks(in.next()), toInt16);
    in.next();
    // Any number but 0 centres the window; only 1 switches the sounds on.
    s.centerWindow = numberOf<qint16>(in.next(), toInt16) != 0;
    in.next();
    s.TemplatesFolder = trimBlanks(in.next());
    in.next();
    s.lastTemplatePage = in.next();
    in.next();
    s.HtmlOutputFolder = trimBlanks(in.next());
    in.next();
    s.soundsOn = numberOf<qint16>(in.next(), toInt16) == 1;
    in.next();
    s.windowHeight = numberOf<qint16>(in.next(), toInt16);
    s.windowWidth = numberOf<qint16>(in.next(), toInt16);
    in.next();
    s.rememberSize = trimBlanks(in.next()) == QLatin1String("merken");
    in.next();
    s.schemeFilePath = in.next();
    in.next();
    s.language = Language::fromSetting(trimBlanks(in.next()));
    in.next();
    s.alwaysOnTop = trimBlanks(in.next()) == QLatin1String("1");
    in.next();
    s.minimizeToTray = trimBlanks(in.next()) == QLatin1String("1");
    in.next();
    s.faqFolder = in.next();
    for (int line = 40; line <= settingsLineCount; ++line)
        in.next();
}

SettingsReadResult readSettingsFile(const QString &path, AppSettings &settings)
{
    SettingsReadResult result;
    try {
        parseSettings(decodeCp1252(readFileBytes(path, maxSettingsFileBytes)), settings);
    } catch (const AppError &error) {
        result.error = error;
        if (error.number() == AppError::InputPastEndOfFile) {
            result.outcome = SettingsReadOutcome::EndedEarly;
        } else {
            result.outcome = SettingsReadOutcome::Recovered;
            settings.questionFont = FieldFont();
            settings.answerFont = FieldFont();
            settings.centerWindow = true;
        }
    }
    return result;
}

QString formatSettings(const AppSettings &s)
{
    QStringList out;
    writeFont(out, s.questionFont, s.textColors[0]);
    writeFont(out, s.answerFont, s.textColors[1]);
    out << QStringLiteral("[Fensterposition links]") << printNumber(s.windowLeft)
        << QStringLiteral("[Fensterposition oben]") << printNumber(s.windowTop)
        << QStringLiteral("[zentrieren]") << flagText(s.centerWindow)
        << QStringLiteral("[Speicherort Projekteinstellungen]") << s.TemplatesFolder
        << QStringLiteral("[Speicherort letzte Indexseite]") << s.lastTemplatePage
        << QStringLiteral("[Speicherort HTML-Datei]") << s.HtmlOutputFolder
        << QStringLiteral("[Klänge an-aus]") << flagText(s.soundsOn)
        << QStringLiteral("[Fenstergröße]") << printNumber(s.windowHeight)
        << printNumber(s.windowWidth) << QStringLiteral("[Fenstergröße merken]")
        << (s.rememberSize ? QStringLiteral("merken") : QStringLiteral("nicht merken"))
        << QStringLiteral("[Farbschema]") << s.schemeFilePath << QStringLiteral("[Sprache]")
        << s.language.settingText() << QStringLiteral("[im Vordergrund]") << flagText(s.alwaysOnTop)
        << QStringLiteral("[Minimieren]") << flagText(s.minimizeToTray)
        << QStringLiteral("[Pfad zu .faq-Dateien]") << s.faqFolder;
    for (int k = 1; k <= 10; ++k)
        out << QStringLiteral("[dummy%1]").arg(k) << QStringLiteral(" ");
    return out.join(QLatin1String(crlf)) + QLatin1String(crlf);
}

void writeSettingsFile(const QString &path, const AppSettings &settings)
{
    saveTextFile(path, formatSettings(settings));
}

} // namespace askbright
