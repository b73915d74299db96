#include "html/layoutpictures.h"

#include <QPainter>

namespace askbright {

namespace {

constexpr int pictureWidth = 120;
constexpr int pictureHeight = 104;
constexpr int margin = 5;
constexpr int lineHeight = 9;

const QColor textGrey(0x70, 0x70, 0x70);
const QColor linkBlue(0x10, 0x30, 0xC0);

// A line of page text the miniature does not spell out.
void textBar(QPainter &p, int x, int y, int width, const QColor &colour)
{
    p.fillRect(x, y - 4, width, 3, colour);
}

void write(QPainter &p, int x, int y, const QString &text, const QColor &colour, bool bold = false,
           bool italic = false)
{
    QFont font = p.font();
    font.setBold(bold);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(x, y, text);
}

} // namespace

QPixmap layoutPicture(AnswerLayout layout, Language language)
{
    QPixmap picture(pictureWidth, pictureHeight);
    picture.fill(Qt::white);
    QPainter p(&picture);
    QFont font = p.font();
    font.setPixelSize(8);
    p.setFont(font);
    const int textX = margin + 12;
    const int textWidth = pictureWidth - textX - margin;

    int y = margin + 7;
    write(p, margin, y, language.pick(u"Fragen:", u"Questions:"), Qt::black, true);
    for (int i = 1; i <= 2; ++i) {
        y += lineHeight;
        write(p, margin, y, QStringLiteral("%1.").arg(i), Qt::black);
        textBar(p, textX, y, textWidth - 6 * i, Qt::black);
    }
    y += 5;
    p.setPen(textGrey);
    p.drawLine(margin, y, pictureWidth - margin, y);
    y += lineHeight;
    write(p, margin, y, language.pick(u"Antworten:", u"Answers:"), Qt::black, true);
    const QString back = language.pick(u"zurück", u"go back");
    for (int i = 1; i <= 2; ++i) {
        y += lineHeight;
        write(p, margin, y, QStringLiteral("%1.").arg(i), Qt::black);
        if (layout == AnswerLayout::WithQuestions) {
            // The question again, in bold italics, above its answer.
            write(p, textX, y, QStringLiteral("F:"), Qt::black, true, true);
            textBar(p, textX + 12, y, textWidth - 12 - 6 * i, Qt::black);
            y += lineHeight;
            write(p, textX, y, QStringLiteral("A:"), textGrey);
            textBar(p, textX + 12, y, textWidth - 20, textGrey);
        } else {
            textBar(p, textX, y, textWidth - 4 * i, textGrey);
            y += lineHeight;
            textBar(p, textX, y, textWidth / 2, textGrey);
        }
        y += lineHeight;
        write(p, textX, y, back, linkBlue);
    }
    p.setPen(textGrey);
    p.drawRect(0, 0, pictureWidth - 1, pictureHeight - 1);
    return picture;
}

} // namespace askbright
