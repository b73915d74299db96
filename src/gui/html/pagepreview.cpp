#include "html/pagepreview.h"

#include "app/apperror.h"
#include "app/paths.h"
#include "app/textcodec.h"
#include "app/windowcontext.h"
#include "controls/dialogservice.h"
#include "html/pagegenerator.h"
#include "state/appstate.h"

#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace askbright {

// Nothing of the page is copied for the preview, so the background picture
// is taken from where the project names it: the page refers to it by its
// lower-case file name, which a case-sensitive file system would not find.
class PagePreview::Browser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    void setPicture(const QString &path)
    {
        m_picturePath = path;
        const QString folder = path.isEmpty() ? QString() : QFileInfo(localPath(path)).path();
        setSearchPaths(folder.isEmpty() ? QStringList() : QStringList{folder});
    }

    // The rich-text engine ignores the body's text and link colours; a
    // default style sheet gives them, and the page's own style sheet, where
    // it has one, still decides.
    void setPageColors(const PageProject &project)
    {
        QString sheet;
        for (const auto &[selector, value] :
             {std::pair{"body", &project.textColor}, std::pair{"a", &project.linkColor}}) {
            const QColor color = QColor::fromString(*value);
            if (color.isValid())
                sheet += QStringLiteral("%1 { color: %2; }\n")
                             .arg(QLatin1String(selector), color.name());
        }
        document()->setDefaultStyleSheet(sheet);
    }

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::ImageResource && !m_picturePath.isEmpty() &&
            name.fileName().compare(fileNameOf(m_picturePath), Qt::CaseInsensitive) == 0)
            return QImage(localPath(m_picturePath));
        return QTextBrowser::loadResource(type, name);
    }

private:
    QString m_picturePath;
};

QString previewHtml(const QByteArray &page, bool modern)
{
    // The modern page declares UTF-8, the classic one the code page.
    if (modern)
        return QString::fromUtf8(page);
    QString html = decodeCp1252(page);
    // "<a><font><span>(zur Antwort)</a></span></font>": the link closes
    // first, and the engine then closes the font around the whole list.
    html.replace(QLatin1String("</a></span></font>"), QLatin1String("</span></font></a>"));
    return html;
}

PagePreview::PagePreview(WindowContext &ctx, QWidget *parent)
    : QWidget(parent, Qt::Window), m_ctx(ctx), m_browser(new Browser(this)),
      m_openInBrowserButton(new QPushButton(this))
{
    setObjectName(QStringLiteral("PagePreview"));
    m_browser->setObjectName(QStringLiteral("pageView"));
    // Links within the page jump to their answers; links out of it stay
    // where they are, since this is not a browser.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        m_ctx.guarded("PagePreview", "onAnchorClicked", [&] {
            if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
                m_browser->scrollToAnchor(url.fragment());
        });
    });
    m_openInBrowserButton->setObjectName(QStringLiteral("openInBrowser"));
    m_openInBrowserButton->setText(m_ctx.pick(u"Im Browser öffnen", u"Open in browser"));
    m_openInBrowserButton->setEnabled(false);
    connect(m_openInBrowserButton, &QPushButton::clicked, this,
            &PagePreview::onOpenInBrowserClicked);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_browser);
    layout->addWidget(m_openInBrowserButton, 0, Qt::AlignRight);
    resize(720, 560);
    setWindowTitle(m_ctx.pick(u"Vorschau", u"Preview"));
}

void PagePreview::showPage(const PageRequest &request)
{
    const Language variant = m_ctx.language();
    // Composing runs while options are being changed: a failure is shown
    // here instead of in a message box.
    m_ctx.guarded(
        [&] {
            const PagePlan plan = preparePage(variant, request);
            if (plan.status != PageStatus::Ok) {
                showProblem(plan.message ? plan.message->text : QString());
                return;
            }
            m_request = request;
            m_openInBrowserButton->setEnabled(true);
            const AppState &state = m_ctx.state;
            const QByteArray page = composePage(variant, plan, request, recordsOf(state.database),
                                                state.clock().today());
            const QString html = previewHtml(page, request.options.modernPage);
            const int scrolled = m_browser->verticalScrollBar()->value();
            m_browser->setPicture(plan.withBackground ? plan.project.picturePath : QString());
            m_browser->setPageColors(plan.project);
            m_browser->setHtml(html);
            // A changed option keeps the reader where he was.
            m_browser->verticalScrollBar()->setValue(scrolled);
            setWindowTitle(m_ctx.pick(u"Vorschau: ", u"Preview: ") + plan.pageFileName);
        },
        [&](const AppError &error) { showProblem(error.numberAndDescription()); });
}

// The page with its picture in a folder of the preview's own, handed to
// the browser; the output folder stays as it is.
void PagePreview::onOpenInBrowserClicked()
{
    m_ctx.guarded("PagePreview", "openInBrowser_Click", [this] {
        if (!m_request || !m_livePageFolder.isValid())
            return;
        PageRequest request = *m_request;
        request.outputFolder = m_livePageFolder.path() + u'/';
        const AppState &state = m_ctx.state;
        const PageResult result =
            generatePage(m_ctx.language(), request, state.database, state.clock(), m_ctx.dialogs);
        if (result.status == PageStatus::Ok)
            m_ctx.dialogs.openExternal(localPath(result.pagePath));
    });
}

void PagePreview::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void PagePreview::showProblem(const QString &reason)
{
    m_request.reset();
    m_openInBrowserButton->setEnabled(false);
    m_browser->setPicture(QString());
    m_browser->document()->setDefaultStyleSheet(QString());
    QString text = m_ctx.pick(u"Die Seite kann so nicht erzeugt werden.",
                              u"The page cannot be created like this.");
    if (!reason.isEmpty())
        text += QStringLiteral("\n\n") + QString(reason).replace(u'\r', u'\n');
    m_browser->setPlainText(text);
    setWindowTitle(m_ctx.pick(u"Vorschau", u"Preview"));
}

} // namespace askbright
