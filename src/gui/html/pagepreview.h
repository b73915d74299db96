#pragma once

#include <QWidget>

class QTextBrowser;

namespace askbright {

class WindowContext;
struct PageRequest;

// A window beside the export dialog that shows the page a generation would
// write now: the very bytes the generator composes, rendered by the rich-text
// engine. Nothing is written; a page that cannot be composed shows why.
class PagePreview : public QWidget {
    Q_OBJECT
public:
    explicit PagePreview(WindowContext &ctx, QWidget *parent = nullptr);

    // Composes the page for request and shows it in place of the last one.
    void showPage(const PageRequest &request);

private:
    class Browser;

    void showProblem(const QString &reason);

    WindowContext &m_ctx;
    Browser *m_browser;
};

} // namespace askbright
