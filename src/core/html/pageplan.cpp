#include "html/pageplan.h"

#include "app/numbers.h"
#include "app/paths.h"
#include "app/textcodec.h"

#include <QRegularExpression>

namespace askbright {

namespace {

// A project line the generator will not write: the page file name must be a
// plain name, values written into attributes must not end them, and the
// title and text sizes must be numbers of points.
struct RefusedLine {
    enum Reason { NotPlainFileName, EndsAttribute, NotASize };
    int line = 0;
    Reason reason = EndsAttribute;
    QString value;
};

Message simpleMessage(const QString &text)
{
    Message m;
    m.text = text;
    return m;
}

Message refusedLineMessage(const RefusedLine &refused, Language language)
{
    Message m;
    const QString value = QLatin1Char('"') + excerpt(refused.value) + QLatin1Char('"');
    switch (refused.reason) {
    case RefusedLine::NotPlainFileName:
        m.text = language.pick(u"Zeile %1 der Projektdatei nennt keinen einfachen Dateinamen "
                               u"(ohne Ordner, nicht leer, ohne Steuerzeichen):\r%2",
                               u"Line %1 of the project file is not a plain file name "
                               u"(no folder, not empty, no control characters):\r%2");
        break;
    case RefusedLine::EndsAttribute:
        m.text = language.pick(u"Zeile %1 der Projektdatei enthält Zeichen, die in der Seite "
                               u"nicht stehen dürfen:\r%2",
                               u"Line %1 of the project file holds characters the page cannot "
                               u"take:\r%2");
        break;
    case RefusedLine::NotASize:
        m.text = language.pick(u"Zeile %1 der Projektdatei ist keine Schriftgröße (eine Zahl in "
                               u"Punkt):\r%2",
                               u"Line %1 of the project file is not a font size (a number of "
                               u"points):\r%2");
        break;
    }
    m.text = m.text.arg(refused.line).arg(value);
    return m;
}

// A name that stays inside the folder it is put in: no separator, not a
// reference to the folder or its parent, not empty, no control character.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    return std::none_of(name.begin(), name.end(), [](QChar c) {
        return isSeparator(c) || c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
}

// Characters that end an attribute value (and with it the tag) where the
// value stands: unquoted values end at any blank, quoted ones at the quote.
enum class AttributeForm { Unquoted, Quoted };

bool endsAttribute(const QString &value, AttributeForm form)
{
    return std::any_of(value.begin(), value.end(), [form](QChar c) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || u == u'"' || u == u'<' || u == u'>')
            return true;
        return form == AttributeForm::Unquoted && (u == u' ' || u == u'\'' || u == u'`');
    });
}

// A point size as the classic page writes it into its styles: digits, with
// at most one decimal point or comma. Anything else could add style rules.
bool isSize(const QString &size)
{
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,4}([.,][0-9]{1,4})?$"));
    return number.match(size).hasMatch();
}

// The first line, in file order, whose value the page cannot take as it is.
std::optional<RefusedLine> firstRefusedLine(const PageProject &p)
{
    int line = 3;
    for (const QString *color :
         {&p.textColor, &p.bgColor, &p.alinkColor, &p.vlinkColor, &p.linkColor}) {
        if (endsAttribute(*color, AttributeForm::Unquoted))
            return RefusedLine{line, RefusedLine::EndsAttribute, *color};
        ++line;
    }
    if (!isPlainFileName(p.pageFileName))
        return RefusedLine{10, RefusedLine::NotPlainFileName, p.pageFileName};
    if (endsAttribute(p.fontName, AttributeForm::Quoted))
        return RefusedLine{16, RefusedLine::EndsAttribute, p.fontName};
    if (!isSize(p.titleSize))
        return RefusedLine{17, RefusedLine::NotASize, p.titleSize};
    if (!isSize(p.textSize))
        return RefusedLine{18, RefusedLine::NotASize, p.textSize};
    return std::nullopt;
}

} // namespace

PagePlan planPage(Language variant, const ProjectLines &lines, const ExportOptions &options)
{
    PagePlan plan;
    const auto giveUp = [&plan](Message message) {
        plan.message = std::move(message);
        plan.status = PageStatus::GivenUp;
        return plan;
    };
    std::optional<PageProject> project = readProjectForPage(lines);
    if (!project)
        return giveUp(simpleMessage(variant.pick(u"Keine Projektdatei", u"Invalid Filetype")));
    plan.project = std::move(*project);
    const PageProject &p = plan.project;
    if (const std::optional<RefusedLine> refused = firstRefusedLine(p))
        return giveUp(refusedLineMessage(*refused, variant));
    plan.pageFileName = p.pageFileName + QStringLiteral(".html");
    plan.linkSize = p.textSize;
    if (options.smallLinks) {
        const double size = toDecimal(p.textSize);
        if (size > 0)
            plan.linkSize = QString::number(size - 2);
    }
    plan.withBackground = p.usesPicture() && !p.picturePath.isEmpty();
    if (plan.withBackground) {
        plan.pictureFileName = fileNameOf(p.picturePath).toLower();
        if (endsAttribute(plan.pictureFileName, AttributeForm::Quoted))
            return giveUp(
                refusedLineMessage({8, RefusedLine::EndsAttribute, p.picturePath}, variant));
    }
    return plan;
}

QString fontFaces(const PageProject &project)
{
    return project.fontName + (project.fontName == QLatin1String("Arial")
                                   ? QStringLiteral(",Helvetica")
                                   : QStringLiteral(",Arial,Helvetica"));
}

RecordSource recordsOf(const FaqDatabase &database)
{
    return [&database](const RecordVisitor &visit) {
        for (int i = 1; i <= database.recordCount(); ++i)
            visit(database.record(i));
    };
}

} // namespace askbright
