// The classic page, section by section, straight into Windows-1252 bytes.

#include "html/classicpage.h"

#include "app/product.h"
#include "app/textcodec.h"
#include "html/htmltext.h"

namespace askbright {

namespace {

// The literals in which the two page variants differ.
struct VariantTexts {
    const char *questionsHeading;
    const char *toAnswer;
    const char *contactLink;
    const char *answersHeading;
    const char *back;
    const char *topLayout1;
    const char *topLayout2;
    const char *footerDateFormat;
    const char *createdWith;
    const char *footerEnd;
};

const VariantTexts &textsOf(Language variant)
{
    static const VariantTexts german = {
        "Fragen:</span></font></b></p>",
        "(zur Antwort)</a></span></font></li>",
        ">noch Fragen?</A></span></font></p>",
        "Antworten:</span></font></b></p>",
        ">zur&uuml;ck</a>",
        ">Seitenanfang</a><br><br></span></font></li>",
        ">Seitenanfang</a><br>",
        "dd.MM.yyyy",
        "erzeugt mit <A href=\"",
        ">Askbright</B></FONT></A></P>",
    };
    static const VariantTexts english = {
        "Questions:</span></font></b></p>",
        "(to the answer)</a></span></font></li>",
        ">You have any questions?</A></span></font></p>",
        "Answers:</span></font></b></p>",
        ">go back</a>",
        ">Top</a><br><br></span></font></li>",
        ">Top</a><br>",
        "MM-dd-yyyy",
        "created with <A href=\"",
        ">Askbright</FONT></B></A></P>",
    };
    return variant.isGerman() ? german : english;
}

const char *alignmentAttribute(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center:
        return "CENTER";
    case Alignment::Right:
        return "RIGHT";
    case Alignment::Left:
    case Alignment::Unset:
        break;
    }
    return "LEFT";
}

// Values the plan has checked, and the page's own texts.
constexpr TextForm asItStands{};
constexpr TextForm withEntities{Escapes::Entities};

class ClassicPage {
public:
    ClassicPage(Language variant, const PagePlan &plan, const PageRequest &request,
                const RecordSource &records, QDate today, const PieceWriter &write)
        : m_out(write, PageEncoding::Windows1252), m_texts(textsOf(variant)),
          m_project(plan.project), m_plan(plan), m_request(request), m_records(records),
          m_today(today),
          m_fonts(fontFaces(plan.project)), m_recordForm{Escapes::Entities,
                                                         request.options.formatParagraphs
                                                             ? LineBreaks::CrAsBr
                                                             : LineBreaks::AsTyped,
                                                         true}
    {
    }

    void write()
    {
        writeHead();
        writeBodyOpening();
        writeTitleParagraph();
        writeQuestionList();
        if (!m_request.contactAddress.isEmpty())
            writeContactBlock();
        writeAnswerList();
        writeFooter();
        m_out.flush();
    }

private:
    void raw(const char *markup) { m_out.raw(markup); }
    void eol() { raw("\r\n"); }
    void text(QStringView value, TextForm form = asItStands) { m_out.text(value, form); }

    void span(const QString &points)
    {
        raw("<span style=\"font-size:");
        text(points);
        raw("pt;\">");
    }
    void titleSpan() { span(m_project.titleSize); }
    void textSpan() { span(m_project.textSize); }
    void linkSpan() { span(m_plan.linkSize); }

    void fontOpen()
    {
        raw("<font face=\"");
        text(m_fonts);
        raw("\">");
    }

    // Head with its meta tags, items 1 to 10.
    void writeHead()
    {
        raw("<html>\r\n<head>\r\n"
            "<meta http-equiv=\"content-type\" content=\"text/html; charset=ISO-8859-1\">\r\n"
            "<meta name=\"generator\" content=\"Askbright by Brennwald ( ");
        text(homepageUrl);
        raw(" )\">\r\n<title>");
        text(m_project.title, withEntities);
        raw("</title>\r\n<meta name=\"author\" content=\"");
        text(m_project.author, withEntities);
        raw("\">\r\n<meta name=\"description\" content=\"");
        text(m_project.description, withEntities);
        raw("\">\r\n<meta name=\"keywords\" content=\"");
        for (qsizetype k = 0; k < m_project.keywords.size(); ++k) {
            if (k > 0)
                raw(", ");
            text(m_project.keywords.at(k), withEntities);
        }
        raw("\">\r\n<meta name=\"date\" content=\"");
        text(m_today.toString(QStringLiteral("yyyy-MM-dd")));
        raw("\">\r\n</head>\r\n");
    }

    // The body tag with the page colours and the background, item 11. An
    // empty colour is left out (the browser's own applies), since an empty
    // unquoted value would take the next attribute as its value.
    void writeBodyOpening()
    {
        raw("<body");
        for (const auto &[name, colour] :
             {std::pair{" bgcolor=", &m_project.bgColor}, std::pair{" text=", &m_project.textColor},
              std::pair{" link=", &m_project.linkColor},
              std::pair{" vlink=", &m_project.vlinkColor},
              std::pair{" alink=", &m_project.alinkColor}}) {
            if (colour->isEmpty())
                continue;
            raw(name);
            text(*colour);
        }
        if (m_plan.withBackground) {
            raw(" background=\"");
            text(m_plan.pictureFileName);
            raw("\"");
        }
        raw(">\r\n");
    }

    // The title block with the anchor the back links aim at, item 12.
    void writeTitleParagraph()
    {
        raw("<p align=\"");
        raw(alignmentAttribute(m_project.titleAlign));
        raw("\">");
        if (m_project.bold)
            raw("<b>");
        if (m_project.italic)
            raw("<i>");
        fontOpen();
        titleSpan();
        text(trimBlanks(m_project.title), {Escapes::Entities, LineBreaks::CrAsBr});
        raw("<a name=\"_oben\"></a>");
        if (m_project.italic)
            raw("</i>");
        if (m_project.bold)
            raw("</b>");
        raw("</span></font></p>\r\n");
    }

    // A list heading and its opening lines, shared by both lists.
    void writeListHeading(const char *heading)
    {
        raw("<p align=\"");
        raw(alignmentAttribute(m_project.faqAlign));
        raw("\"><b>");
        fontOpen();
        textSpan();
        raw(heading);
        eol();
        writeListDiv();
    }

    void writeListDiv()
    {
        raw("<div align=\"");
        raw(alignmentAttribute(m_project.faqAlign));
        raw("\">\r\n");
    }

    // The numbered questions linking to their answers, items 13 to 17.
    void writeQuestionList()
    {
        writeListHeading(m_texts.questionsHeading);
        fontOpen();
        textSpan();
        raw("<OL TYPE=\"1\">\r\n");
        int i = 0;
        m_records([&](const FaqRecord &r) { writeQuestionEntry(++i, r); });
        raw("</div></ol>\r\n");
    }

    void writeQuestionEntry(int i, const FaqRecord &r)
    {
        raw("<LI><a name=\"frage");
        m_out.number(i);
        raw("\"></a>\r\n");
        text(r.question, m_recordForm);
        if (r.infoWithQuestion == 1)
            writeExtraLink(r);
        raw("<br><a href=\"#antwort");
        m_out.number(i);
        raw("\">");
        fontOpen();
        linkSpan();
        raw(m_texts.toAnswer);
        eol();
    }

    // The italic link to the asker's homepage, when the record has both.
    bool writeExtraLink(const FaqRecord &r)
    {
        if (r.extraInfo.isEmpty() || r.homepageLink.isEmpty())
            return false;
        raw("&nbsp;");
        fontOpen();
        linkSpan();
        raw("<i><a href=\"");
        if (!hasWebScheme(r.homepageLink))
            raw("http://");
        text(r.homepageLink, withEntities);
        raw("\" target=\"_blank\">");
        text(r.extraInfo, withEntities);
        raw("</a></i></span></font>");
        return true;
    }

    // The mailto link, items 18 and 19. The address keeps its character
    // references; only what would end the attribute becomes an entity.
    void writeContactBlock()
    {
        raw("<p align=\"center\"><Font face =\"");
        text(m_fonts);
        raw("\">");
        textSpan();
        eol();
        raw("<A HREF=\"mailto:");
        text(m_request.contactAddress, {Escapes::AttributeEnders});
        raw("?subject=Feedback ");
        text(trimBlanks(m_project.title), {Escapes::QuotesLeftOut});
        raw("\"");
        raw(m_texts.contactLink);
        eol();
    }

    // The numbered answers with their back links, items 20 to 26.
    void writeAnswerList()
    {
        raw("<hr>\r\n");
        writeListHeading(m_texts.answersHeading);
        fontOpen();
        textSpan();
        raw("<ol type=\"1\">\r\n");
        writeListDiv();
        int i = 0;
        m_records([&](const FaqRecord &r) { writeAnswerEntry(++i, r); });
        raw("</span></FONT></div></ol>\r\n");
    }

    void writeAnswerEntry(int i, const FaqRecord &r)
    {
        const bool withQuestion = m_request.options.answerLayout == AnswerLayout::WithQuestions;
        const bool pre = m_request.options.preformattedAnswers;
        raw("<LI><a name=\"antwort");
        m_out.number(i);
        raw("\"></a>\r\n");
        if (withQuestion) {
            raw("<i><b>F:&nbsp;");
            text(r.question, m_recordForm);
            raw("</i></b><br>\r\n");
        }
        fontOpen();
        textSpan();
        if (pre)
            raw("<pre>");
        if (withQuestion)
            raw("A:&nbsp;");
        text(r.answer, m_recordForm);
        if (pre)
            raw("</pre>");
        const bool extra = r.infoWithQuestion == 0 && writeExtraLink(r);
        if (withQuestion) {
            if (!pre)
                raw("<br>");
        } else {
            if (extra)
                raw("</li>\r\n");
            raw("<br>");
        }
        linkSpan();
        raw("&nbsp;&nbsp;&nbsp;<a href=\"#frage");
        m_out.number(i);
        raw("\"");
        raw(m_texts.back);
        raw("&nbsp;&nbsp;&nbsp;<a href=\"#_oben\"");
        if (withQuestion) {
            raw(m_texts.topLayout1);
        } else {
            raw(m_texts.topLayout2);
            raw("&nbsp;</span></font></li>");
        }
        eol();
    }

    // The generation date and the program's link, items 27 to 30.
    void writeFooter()
    {
        raw("<HR>\r\n<P align=\"center\"><B><span style=\"font-size:7pt;\">am ");
        text(m_today.toString(QLatin1String(m_texts.footerDateFormat)));
        raw(" \r\n");
        raw(m_texts.createdWith);
        text(homepageUrl);
        raw("\" target=\"_blank\"");
        raw(m_texts.footerEnd);
        raw("\r\n</body></html>\r\n");
    }

    HtmlWriter m_out;
    const VariantTexts &m_texts;
    const PageProject &m_project;
    const PagePlan &m_plan;
    const PageRequest &m_request;
    const RecordSource &m_records;
    const QDate m_today;
    const QString m_fonts;
    const TextForm m_recordForm;
};

} // namespace

void writeClassicPage(Language variant, const PagePlan &plan, const PageRequest &request,
                      const RecordSource &records, QDate today, const PieceWriter &write)
{
    ClassicPage(variant, plan, request, records, today, write).write();
}

} // namespace askbright
