#pragma once

#include "app/language.h"

#include <QObject>

class QComboBox;
class QLabel;
class QWidget;

namespace askbright {

class AppState;
class Button3D;
class PathLabel;
class WindowContext;
struct ColorScheme;

// The page part of the main window: the templates and output folders, the
// page list, and the buttons for the layout editor, deleting a page project
// and the export. It follows the shared page selection and writes back to it.
class PagePanel : public QObject {
    Q_OBJECT
public:
    // Places its controls on client at their design positions.
    PagePanel(WindowContext &context, QWidget *client);

    // Start-up: checks the output and templates folders, fills the page list.
    void checkFolders();
    // Reads the page list of the templates folder again.
    void rescanPages();
    // The folder browser: the chosen folder, or "" when cancelled.
    QString browseForFolder();
    void setListEnabled(bool enabled);
    // The export button, with the scheme's caption colour when enabled and
    // a grey one when not.
    void setExportAllowed(bool allowed);

    void retranslate(Language language);
    void paint(const ColorScheme &scheme);

    void onChooseTemplatesFolderTriggered();
    void onChooseOutputFolderTriggered();
    void onDeletePageClicked();
    void onLayoutEditorClicked();

signals:
    void layoutEditorRequested();
    void exportRequested();

private:
    bool guard(const char *procedure, const std::function<void()> &body);

    WindowContext &m_ctx;
    AppState &m_state;
    QLabel *m_templatesCaption, *m_outputCaption, *m_pageCaption, *m_pageHint;
    PathLabel *m_templatesFolderLabel;
    PathLabel *m_outputFolderLabel;
    QComboBox *m_pageList;
    Button3D *m_layoutEditorButton, *m_deletePageButton, *m_exportButton;
};

} // namespace askbright
