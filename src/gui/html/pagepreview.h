#pragma once

#include "html/pagegenerator.h"

#include <QTemporaryDir>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace askbright {

class WindowContext;

// Page bytes as the preview's rich-text engine takes them: decoded as the
// page declares, and with the classic page's back links closed the way
// browsers repair them (the engine does not, and ends the numbered list of
// questions after the first).
QString previewHtml(const QByteArray &page, bool modern);

// A window beside the export dialog that shows the page a generation would
// write now: the very bytes the generator composes, rendered by the rich-text
// engine as a browser without script shows them. Nothing of the output
// folder is written; a page that cannot be composed shows why. For the live
// page (with its script) the same page opens in the browser from a folder
// of its own. Escape closes the window.
class PagePreview : public QWidget {
    Q_OBJECT
public:
    explicit PagePreview(WindowContext &ctx, QWidget *parent = nullptr);

    // Composes the page for request and shows it in place of the last one.
    void showPage(const PageRequest &request);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    class Browser;

    void showProblem(const QString &reason);
    void onOpenInBrowserClicked();

    WindowContext &m_ctx;
    Browser *m_browser;
    QPushButton *m_openInBrowserButton;
    std::optional<PageRequest> m_request; // of the page shown
    QTemporaryDir m_livePageFolder;
};

} // namespace askbright
