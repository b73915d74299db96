// askbright-distgen: makes the generated companion files at build time.
//
//   askbright-distgen pdf  TEXT.txt OUT.pdf   the what's-new document from a plain text
//   askbright-distgen png  ICON.svg OUT.png N the program icon as an N x N bitmap
//
// The text format: "# " a title, "## " a heading, "- " a list item, a blank
// line ends a paragraph; other lines continue the paragraph they are in.
// The icon renderer knows only what the program icon uses (rect, circle and
// path with M L H V C Q Z, flat fills and strokes) and refuses anything else,
// so a drawing that it would render wrongly stops the build instead.

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QStringList>
#include <QTextDocument>
#include <QXmlStreamReader>
#include <cstdio>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

// ------------------------------------------------------------------- pdf

QString textToHtml(const QString &text)
{
    QString html = QStringLiteral(
        "<html><body style=\"font-family:'DejaVu Sans'; font-size:11pt; color:#1e293b\">");
    QString paragraph;
    bool inList = false;
    auto flushParagraph = [&] {
        if (!paragraph.isEmpty())
            html += QStringLiteral("<p style=\"margin-bottom:8pt\">") + paragraph.toHtmlEscaped() +
                    QStringLiteral("</p>");
        paragraph.clear();
    };
    auto closeList = [&] {
        if (inList)
            html += QStringLiteral("</ul>");
        inList = false;
    };
    for (const QString &raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            flushParagraph();
            closeList();
        } else if (line.startsWith(QStringLiteral("## "))) {
            flushParagraph();
            closeList();
            html +=
                QStringLiteral("<h2 style=\"color:#2f6ea5; font-size:14pt; margin-top:14pt\">") +
                line.mid(3).toHtmlEscaped() + QStringLiteral("</h2>");
        } else if (line.startsWith(QStringLiteral("# "))) {
            flushParagraph();
            closeList();
            html += QStringLiteral("<h1 style=\"color:#2f6ea5; font-size:20pt\">") +
                    line.mid(2).toHtmlEscaped() + QStringLiteral("</h1>");
        } else if (line.startsWith(QStringLiteral("- "))) {
            flushParagraph();
            if (!inList)
                html += QStringLiteral("<ul>");
            inList = true;
            html += QStringLiteral("<li style=\"margin-bottom:4pt\">") +
                    line.mid(2).toHtmlEscaped() + QStringLiteral("</li>");
        } else {
            closeList();
            paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    flushParagraph();
    closeList();
    return html + QStringLiteral("</body></html>");
}

void makePdf(const QString &textPath, const QString &pdfPath)
{
    const QString text = readText(textPath);
    const QString title = text.section(u'\n', 0, 0).remove(QStringLiteral("# "));
    QPdfWriter writer(pdfPath);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Askbright"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
    {
        QTextDocument document;
        document.setHtml(textToHtml(text));
        document.print(&writer);
    }
    if (QFile(pdfPath).size() == 0)
        fail(QStringLiteral("cannot write %1").arg(pdfPath));
}

// ------------------------------------------------------------------- png

QColor paint(const QXmlStreamAttributes &attributes, const QString &name, const QString &fallback)
{
    const QString value =
        attributes.hasAttribute(name) ? attributes.value(name).toString() : fallback;
    if (value == QLatin1String("none"))
        return Qt::transparent;
    const QColor color = QColor::fromString(value);
    if (!color.isValid())
        fail(QStringLiteral("unknown colour \"%1\"").arg(value));
    return color;
}

double number(const QXmlStreamAttributes &attributes, const QString &name, double fallback = -1)
{
    if (!attributes.hasAttribute(name)) {
        if (fallback < 0)
            fail(QStringLiteral("attribute %1 missing").arg(name));
        return fallback;
    }
    bool ok = false;
    const double value = attributes.value(name).toDouble(&ok);
    if (!ok)
        fail(QStringLiteral("attribute %1 is not a number").arg(name));
    return value;
}

// Path data with absolute and relative M L H V C Q Z; a command letter may be
// followed by several coordinate groups, as the syntax allows.
QPainterPath parsePathData(const QString &data)
{
    QStringList tokens;
    QString number;
    auto flush = [&] {
        if (!number.isEmpty())
            tokens << number;
        number.clear();
    };
    for (QChar c : data) {
        if (c.isLetter() && c != u'e' && c != u'E') {
            flush();
            tokens << QString(c);
        } else if (c == u',' || c.isSpace()) {
            flush();
        } else if (c == u'-' && !number.isEmpty() && !number.endsWith(u'e')) {
            flush();
            number = c;
        } else {
            number += c;
        }
    }
    flush();

    QPainterPath path;
    QPointF current;
    QPointF start;
    qsizetype i = 0;
    auto take = [&] {
        if (i >= tokens.size())
            fail(QStringLiteral("path data ends early: %1").arg(data));
        bool ok = false;
        const double v = tokens.at(i++).toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("bad path number in %1").arg(data));
        return v;
    };
    auto point = [&](bool relative) {
        const double x = take();
        const double y = take();
        return relative ? current + QPointF(x, y) : QPointF(x, y);
    };
    QChar command;
    while (i < tokens.size()) {
        if (tokens.at(i).size() == 1 && tokens.at(i).at(0).isLetter())
            command = tokens.at(i++).at(0);
        else if (command.isNull())
            fail(QStringLiteral("path data starts without a command: %1").arg(data));
        const bool relative = command.isLower();
        switch (command.toUpper().unicode()) {
        case 'M':
            current = start = point(relative);
            path.moveTo(current);
            command = relative ? u'l' : u'L'; // further pairs are line segments
            break;
        case 'L':
            current = point(relative);
            path.lineTo(current);
            break;
        case 'H':
            current.setX(relative ? current.x() + take() : take());
            path.lineTo(current);
            break;
        case 'V':
            current.setY(relative ? current.y() + take() : take());
            path.lineTo(current);
            break;
        case 'C': {
            const QPointF c1 = point(relative);
            const QPointF c2 = point(relative);
            current = point(relative);
            path.cubicTo(c1, c2, current);
            break;
        }
        case 'Q': {
            const QPointF c1 = point(relative);
            current = point(relative);
            path.quadTo(c1, current);
            break;
        }
        case 'Z':
            path.closeSubpath();
            current = start;
            break;
        default:
            fail(QStringLiteral("path command %1 is not supported").arg(command));
        }
    }
    return path;
}

void drawShape(QPainter &painter, const QPainterPath &shape, const QXmlStreamAttributes &a)
{
    painter.fillPath(shape, paint(a, QStringLiteral("fill"), QStringLiteral("#000000")));
    const QColor stroke = paint(a, QStringLiteral("stroke"), QStringLiteral("none"));
    if (stroke.alpha() == 0)
        return;
    QPen pen(stroke, number(a, QStringLiteral("stroke-width"), 1));
    const QString cap = a.value(QStringLiteral("stroke-linecap")).toString();
    pen.setCapStyle(cap == QLatin1String("round")    ? Qt::RoundCap
                    : cap == QLatin1String("square") ? Qt::SquareCap
                                                     : Qt::FlatCap);
    const QString join = a.value(QStringLiteral("stroke-linejoin")).toString();
    pen.setJoinStyle(join == QLatin1String("round")   ? Qt::RoundJoin
                     : join == QLatin1String("bevel") ? Qt::BevelJoin
                                                      : Qt::MiterJoin);
    painter.strokePath(shape, pen);
}

void makePng(const QString &svgPath, const QString &pngPath, int size)
{
    if (size < 1 || size > 4096)
        fail(QStringLiteral("size %1 out of range").arg(size));
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QXmlStreamReader xml(readText(svgPath));
    int skipDepth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && skipDepth > 0) {
            --skipDepth;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (skipDepth > 0) {
            ++skipDepth;
            continue;
        }
        const QString name = xml.name().toString();
        const QXmlStreamAttributes a = xml.attributes();
        if (name == QLatin1String("svg")) {
            const QStringList box = a.value(QStringLiteral("viewBox")).toString().split(u' ');
            if (box.size() != 4)
                fail(QStringLiteral("the svg element needs a viewBox of four numbers"));
            painter.scale(size / box.at(2).toDouble(), size / box.at(3).toDouble());
            painter.translate(-box.at(0).toDouble(), -box.at(1).toDouble());
        } else if (name == QLatin1String("title") || name == QLatin1String("desc")) {
            skipDepth = 1;
        } else if (name == QLatin1String("rect")) {
            QPainterPath shape;
            const double rx = number(a, QStringLiteral("rx"), 0);
            shape.addRoundedRect(
                number(a, QStringLiteral("x"), 0), number(a, QStringLiteral("y"), 0),
                number(a, QStringLiteral("width")), number(a, QStringLiteral("height")), rx,
                number(a, QStringLiteral("ry"), rx));
            drawShape(painter, shape, a);
        } else if (name == QLatin1String("circle")) {
            QPainterPath shape;
            const double r = number(a, QStringLiteral("r"));
            shape.addEllipse(
                QPointF(number(a, QStringLiteral("cx")), number(a, QStringLiteral("cy"))), r, r);
            drawShape(painter, shape, a);
        } else if (name == QLatin1String("path")) {
            drawShape(painter, parsePathData(a.value(QStringLiteral("d")).toString()), a);
        } else {
            fail(QStringLiteral("element <%1> is not supported").arg(name));
        }
    }
    if (xml.hasError())
        fail(QStringLiteral("%1: %2").arg(svgPath, xml.errorString()));
    painter.end();
    if (!image.save(pngPath, "PNG"))
        fail(QStringLiteral("cannot write %1").arg(pngPath));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 4 && args.at(1) == QLatin1String("pdf")) {
            makePdf(args.at(2), args.at(3));
        } else if (args.size() == 5 && args.at(1) == QLatin1String("png")) {
            makePng(args.at(2), args.at(3), args.at(4).toInt());
        } else {
            std::fputs("usage: askbright-distgen pdf TEXT OUT.pdf | png ICON.svg OUT.png SIZE\n",
                       stderr);
            return 2;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "askbright-distgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
