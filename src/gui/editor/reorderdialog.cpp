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
    guard("Form_Load", [this] { Form_Load(); });
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
    Label1 = place(new QLabel(this), "Label1", 12, 10, 520, 40);
    list_sort = place(new QListWidget(this), "list_sort", 12, 56, 520, 376);
    list_sort->setSelectionMode(QAbstractItemView::SingleSelection);
    img_oben = place(new QLabel(this), "img_oben", 548, 170, 52, 52);
    img_unten = place(new QLabel(this), "img_unten", 548, 266, 52, 52);
    for (QLabel *arrow : {img_oben, img_unten}) {
        arrow->setAlignment(Qt::AlignCenter);
        arrow->installEventFilter(this);
    }
    cmdraus = place(new Button3D(QString(), this), "cmdraus", 432, 444, 168, 30);

    // Arrow keys change the selection as a click does.
    connect(list_sort, &QListWidget::itemSelectionChanged, this, &ReorderDialog::list_sort_Click);
    connect(cmdraus, &QPushButton::clicked, this, &ReorderDialog::cmdraus_Click);
}

void ReorderDialog::Form_Load()
{
    m_resize = ResizeEngine::install(this);
    sprache_frmsort();
    m_ctx.keepOnTop(this);

    const FaqDatabase &db = m_state.database;
    for (int i = 1; i <= db.recordCount(); ++i)
        list_sort->addItem(db.record(i).question);
    list_sort->clearSelection();

    showBitmap(img_oben, upInactive);
    showBitmap(img_unten, downInactive);
    Label1->setText(m_ctx.pick(u"Hier sehen Sie lediglich die jeweiligen Fragen.\nMarkieren Sie "
                               u"eine Frage und bewegen Sie diese mit den Pfeilbuttons",
                               u"Here you can see only the questions.\nMark a question and move "
                               u"these with the arrow buttons"));

    // Before any scheme was loaded the window keeps its design colours.
    const ColorScheme &colors = m_state.currentColors;
    if (!colors.isUnset()) {
        paintWithScheme(this, SchemeRole::Window, colors);
        paintWithScheme(Label1, SchemeRole::Text, colors);
        paintWithScheme(cmdraus, SchemeRole::Button, colors);
    }
}

void ReorderDialog::sprache_frmsort()
{
    setWindowTitle(caption(4001, m_ctx.language()));
    cmdraus->setCaption(m_ctx.pick(u"&zurück", u"go &back"));
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
        Form_Activate();
    return QDialog::event(event);
}

void ReorderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void ReorderDialog::Form_Activate()
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
    const QList<QListWidgetItem *> selected = list_sort->selectedItems();
    return selected.isEmpty() ? -1 : list_sort->row(selected.first());
}

void ReorderDialog::showQuestion(int line)
{
    list_sort->item(line)->setText(m_state.database.record(line + 1).question);
}

void ReorderDialog::list_sort_Click()
{
    guard("list_sort_Click", [this] {
        const int line = selectedLine();
        const int lines = list_sort->count();
        showBitmap(img_oben, line >= 1 ? upActive : upInactive);
        showBitmap(img_unten, line >= 0 && line < lines - 1 ? downActive : downInactive);
    });
}

void ReorderDialog::img_oben_Click()
{
    guard("img_oben_Click", [this] {
        const int line = selectedLine();
        if (line < 1)
            return;
        m_state.database.swapRecords(line, line + 1);
        showQuestion(line - 1);
        showQuestion(line);
        // Selecting the line above updates the arrows.
        list_sort->setCurrentRow(line - 1);
    });
}

void ReorderDialog::img_unten_Click()
{
    guard("img_unten_Click", [this] {
        const int line = selectedLine();
        if (line < 0 || line >= list_sort->count() - 1)
            return;
        m_state.database.swapRecords(line + 1, line + 2);
        showQuestion(line + 1);
        showQuestion(line);
        list_sort->setCurrentRow(line + 1);
    });
}

void ReorderDialog::setPressed(QLabel *arrow, bool pressed)
{
    arrow->setFrameStyle(pressed ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    arrow->setLineWidth(1);
}

void ReorderDialog::img_oben_MouseDown()
{
    guard("img_oben_MouseDown", [this] { setPressed(img_oben, true); });
}

void ReorderDialog::img_oben_MouseUp()
{
    guard("img_oben_MouseUp", [this] { setPressed(img_oben, false); });
}

void ReorderDialog::img_unten_MouseDown()
{
    guard("img_unten_MouseDown", [this] { setPressed(img_unten, true); });
}

void ReorderDialog::img_unten_MouseUp()
{
    guard("img_unten_MouseUp", [this] { setPressed(img_unten, false); });
}

bool ReorderDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *arrow = qobject_cast<QLabel *>(watched);
    if (arrow != img_oben && arrow != img_unten)
        return QDialog::eventFilter(watched, event);
    const bool up = arrow == img_oben;
    // A disabled arrow takes no presses; one disabled while held still gets its release.
    if (event->type() == QEvent::MouseButtonPress && arrow->isEnabled()) {
        m_pressed = arrow;
        up ? img_oben_MouseDown() : img_unten_MouseDown();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_pressed == arrow) {
        m_pressed = nullptr;
        up ? img_oben_MouseUp() : img_unten_MouseUp();
        // A click is a press and a release on the same arrow.
        if (arrow->isEnabled() &&
            arrow->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
            up ? img_oben_Click() : img_unten_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ReorderDialog::cmdraus_Click()
{
    guard("cmdraus_Click", [this] { accept(); });
}

} // namespace askbright
