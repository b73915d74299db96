#include "editor/reorderdialog.h"

#include "app/interfacetexts.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "resize/resizeengine.h"
#include "state/appstate.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>

namespace askbright {

namespace {

constexpr int upActive = 101, upInactive = 102, downActive = 103, downInactive = 104;

} // namespace

ReorderDialog::ReorderDialog(WindowContext &context, QWidget *parent)
    : QDialog(parent), m_ctx(context), m_state(context.state)
{
    setObjectName(QStringLiteral("frmsort"));
    buildControls();
    guard("Form_Load", [this] { load(); });
}

bool ReorderDialog::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frmsort", procedure, body);
}

QPixmap ReorderDialog::bitmap(int id)
{
    return QPixmap(QStringLiteral(":/bitmaps/%1.xpm").arg(id));
}

void ReorderDialog::buildControls()
{
    resize(616, 488);
    m_hintLabel = place(new QLabel(this), "Label1", 12, 10, 520, 40);
    m_questionList = place(new QListWidget(this), "list_sort", 12, 56, 520, 376);
    m_questionList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_upArrow = place(new QLabel(this), "img_oben", 548, 170, 52, 52);
    m_downArrow = place(new QLabel(this), "img_unten", 548, 266, 52, 52);
    for (QLabel *arrow : {m_upArrow, m_downArrow}) {
        arrow->setAlignment(Qt::AlignCenter);
        arrow->installEventFilter(this);
    }
    m_leaveButton = place(new Button3D(QString(), this), "cmdraus", 432, 444, 168, 30);

    // Arrow keys change the selection as a click does.
    connect(m_questionList, &QListWidget::itemSelectionChanged, this,
            &ReorderDialog::onListClicked);
    connect(m_leaveButton, &QPushButton::clicked, this, &ReorderDialog::onLeaveClicked);
}

void ReorderDialog::load()
{
    m_resize = ResizeEngine::install(this);
    retranslate(m_ctx.language());
    m_ctx.keepOnTop(this);

    const FaqDatabase &db = m_state.database;
    for (int i = 1; i <= db.recordCount(); ++i)
        m_questionList->addItem(db.record(i).question);
    m_questionList->clearSelection();

    showBitmap(m_upArrow, upInactive);
    showBitmap(m_downArrow, downInactive);

    // Before any scheme was loaded the window keeps its design colours.
    const ColorScheme &colors = m_state.currentColors;
    if (!colors.isUnset()) {
        paintWithScheme(this, SchemeRole::Window, colors);
        paintWithScheme(m_hintLabel, SchemeRole::Text, colors);
        paintWithScheme(m_leaveButton, SchemeRole::Button, colors);
    }
}

void ReorderDialog::retranslate(Language language)
{
    setWindowTitle(caption(4001, language));
    m_leaveButton->setCaption(language.pick(u"&zurück", u"go &back"));
    m_hintLabel->setText(language.pick(
        u"Hier sehen Sie lediglich die jeweiligen Fragen.\nMarkieren Sie eine Frage und "
        u"bewegen Sie diese mit den Pfeilbuttons",
        u"Here you can see only the questions.\nMark a question and move these with the "
        u"arrow buttons"));
}

void ReorderDialog::showBitmap(QLabel *arrow, int id)
{
    arrow->setPixmap(bitmap(id));
    // Only an arrow that shows its active picture takes clicks.
    arrow->setEnabled(id == upActive || id == downActive);
}

bool ReorderDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        onActivated();
    return QDialog::event(event);
}

void ReorderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    onActivated();
}

void ReorderDialog::onActivated()
{
    guard("Form_Activate", [this] {
        // Lies exactly over the main window: same outer position and size.
        const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
        if (!owner)
            return;
        resize(owner->size());
        move(owner->pos());
    });
}

int ReorderDialog::selectedLine() const
{
    const QList<QListWidgetItem *> selected = m_questionList->selectedItems();
    return selected.isEmpty() ? -1 : m_questionList->row(selected.first());
}

void ReorderDialog::showQuestion(int line)
{
    m_questionList->item(line)->setText(m_state.database.record(line + 1).question);
}

void ReorderDialog::onListClicked()
{
    guard("list_sort_Click", [this] {
        const int line = selectedLine();
        const int lines = m_questionList->count();
        showBitmap(m_upArrow, line >= 1 ? upActive : upInactive);
        showBitmap(m_downArrow, line >= 0 && line < lines - 1 ? downActive : downInactive);
    });
}

void ReorderDialog::onUpClicked()
{
    guard("img_oben_Click", [this] {
        const int line = selectedLine();
        if (line < 1)
            return;
        m_state.database.swapRecords(line, line + 1);
        showQuestion(line - 1);
        showQuestion(line);
        // Selecting the line above updates the arrows.
        m_questionList->setCurrentRow(line - 1);
    });
}

void ReorderDialog::onDownClicked()
{
    guard("img_unten_Click", [this] {
        const int line = selectedLine();
        if (line < 0 || line >= m_questionList->count() - 1)
            return;
        m_state.database.swapRecords(line + 1, line + 2);
        showQuestion(line + 1);
        showQuestion(line);
        m_questionList->setCurrentRow(line + 1);
    });
}

void ReorderDialog::setPressed(QLabel *arrow, bool pressed)
{
    arrow->setFrameStyle(pressed ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    arrow->setLineWidth(1);
}

void ReorderDialog::onUpPressed()
{
    guard("img_oben_MouseDown", [this] { setPressed(m_upArrow, true); });
}

void ReorderDialog::onUpReleased()
{
    guard("img_oben_MouseUp", [this] { setPressed(m_upArrow, false); });
}

void ReorderDialog::onDownPressed()
{
    guard("img_unten_MouseDown", [this] { setPressed(m_downArrow, true); });
}

void ReorderDialog::onDownReleased()
{
    guard("img_unten_MouseUp", [this] { setPressed(m_downArrow, false); });
}

bool ReorderDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *arrow = qobject_cast<QLabel *>(watched);
    if (arrow != m_upArrow && arrow != m_downArrow)
        return QDialog::eventFilter(watched, event);
    const bool up = arrow == m_upArrow;
    // A disabled arrow takes no presses; one disabled while held still gets its release.
    if (event->type() == QEvent::MouseButtonPress && arrow->isEnabled()) {
        m_pressed = arrow;
        up ? onUpPressed() : onDownPressed();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_pressed == arrow) {
        m_pressed = nullptr;
        up ? onUpReleased() : onDownReleased();
        // A click is a press and a release on the same arrow.
        if (arrow->isEnabled() &&
            arrow->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
            up ? onUpClicked() : onDownClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ReorderDialog::onLeaveClicked()
{
    guard("cmdraus_Click", [this] { accept(); });
}

} // namespace askbright
