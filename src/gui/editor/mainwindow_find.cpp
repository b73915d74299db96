// The main window's find bar: every place a text stands in the questions,
// answers and additional infos, shown one after the other.

#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "editor/mainwindow.h"
#include "state/appstate.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <tuple>

namespace askbright {

namespace {

// Return, Shift+Return and Escape wherever the focus is inside the bar.
class FindBarKeys : public QObject {
public:
    FindBarKeys(QObject *parent, std::function<void(bool forward)> step,
                std::function<void()> close)
        : QObject(parent), m_step(std::move(step)), m_close(std::move(close))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            m_step(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        case Qt::Key_Escape:
            m_close();
            return true;
        default:
            return false;
        }
    }

private:
    std::function<void(bool)> m_step;
    std::function<void()> m_close;
};

bool byRecord(const SearchHit &a, const SearchHit &b)
{
    return a.record < b.record;
}

bool byPlace(const SearchHit &a, const SearchHit &b)
{
    return std::tuple(a.record, a.field, a.position) < std::tuple(b.record, b.field, b.position);
}

// Where hit stands in hits, -1 when it is not one of them.
qsizetype indexOfHit(const QList<SearchHit> &hits, const SearchHit &hit)
{
    const auto at = std::lower_bound(hits.cbegin(), hits.cend(), hit, byPlace);
    return at != hits.cend() && *at == hit ? at - hits.cbegin() : -1;
}

} // namespace

void MainWindow::buildFindBar()
{
    strichsuchen = mnudatei->insertSeparator(mnusort);
    strichsuchen->setObjectName(QStringLiteral("strichsuchen"));
    mnusuchen = new QAction(mnudatei);
    mnusuchen->setObjectName(QStringLiteral("mnusuchen"));
    mnusuchen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(mnusuchen, &QAction::triggered, this, &MainWindow::mnusuchen_Click);
    mnudatei->insertAction(mnusort, mnusuchen);

    barsuchen = new QToolBar(this);
    barsuchen->setObjectName(QStringLiteral("barsuchen"));
    barsuchen->setMovable(false);
    barsuchen->setFloatable(false);
    addToolBar(Qt::BottomToolBarArea, barsuchen);
    barsuchen->hide();
    // The bar comes and goes with its menu entry, not from a context menu.
    setContextMenuPolicy(Qt::NoContextMenu);

    txtsuchen = new QLineEdit(barsuchen);
    txtsuchen->setObjectName(QStringLiteral("txtsuchen"));
    txtsuchen->setClearButtonEnabled(true);
    txtsuchen->setMinimumWidth(180);
    cmdsuchzurueck = new Button3D(QString(), barsuchen);
    cmdsuchzurueck->setObjectName(QStringLiteral("cmdsuchzurueck"));
    cmdsuchweiter = new Button3D(QString(), barsuchen);
    cmdsuchweiter->setObjectName(QStringLiteral("cmdsuchweiter"));
    lbltreffer = new QLabel(barsuchen);
    lbltreffer->setObjectName(QStringLiteral("lbltreffer"));
    lbltreffer->setTextFormat(Qt::PlainText);
    lbltreffer->setMinimumWidth(150);
    lbltreffer->setContentsMargins(8, 0, 8, 0);
    auto *spacer = new QWidget(barsuchen);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    cmdsuchende = new Button3D(QStringLiteral("X"), barsuchen);
    cmdsuchende->setObjectName(QStringLiteral("cmdsuchende"));
    cmdsuchende->setFixedWidth(28);
    for (QWidget *w : std::initializer_list<QWidget *>{txtsuchen, cmdsuchzurueck, cmdsuchweiter,
                                                       lbltreffer, spacer, cmdsuchende})
        barsuchen->addWidget(w);

    auto *keys = new FindBarKeys(
        barsuchen,
        [this](bool forward) { forward ? cmdsuchweiter_Click() : cmdsuchzurueck_Click(); },
        [this] { cmdsuchende_Click(); });
    for (QWidget *w :
         std::initializer_list<QWidget *>{txtsuchen, cmdsuchzurueck, cmdsuchweiter, cmdsuchende})
        w->installEventFilter(keys);
    connect(txtsuchen, &QLineEdit::textChanged, this, &MainWindow::txtsuchen_Change);
    connect(cmdsuchweiter, &QPushButton::clicked, this, &MainWindow::cmdsuchweiter_Click);
    connect(cmdsuchzurueck, &QPushButton::clicked, this, &MainWindow::cmdsuchzurueck_Click);
    connect(cmdsuchende, &QPushButton::clicked, this, &MainWindow::cmdsuchende_Click);

    // F3 and Shift+F3 step from anywhere in the window while the bar is open.
    auto *next = new QAction(this);
    next->setShortcut(QKeySequence(Qt::Key_F3));
    auto *previous = new QAction(this);
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    addActions({next, previous});
    connect(next, &QAction::triggered, this, [this] {
        if (barsuchen->isVisible())
            cmdsuchweiter_Click();
    });
    connect(previous, &QAction::triggered, this, [this] {
        if (barsuchen->isVisible())
            cmdsuchzurueck_Click();
    });

    // The hits follow the records: the whole list when the database changes,
    // the shown record's part while its fields are typed in. The list is
    // made again once the command that changed the records has shown the
    // record it leaves in the window.
    connect(&m_state.database, &FaqDatabase::recordsChanged, this, [this] {
        m_hitsStale = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                guard("recomputeHits", [this] {
                    if (m_hitsStale && barsuchen->isVisible())
                        recomputeHits();
                });
            },
            Qt::QueuedConnection);
    });
    const auto typed = [this] {
        if (!m_showingRecord)
            guard("refreshShownHits", [this] { refreshShownHits(); });
    };
    for (QPlainTextEdit *field : {txtfrage, txtantwort})
        connect(field, &QPlainTextEdit::textChanged, this, typed);
    connect(txtzusatz1, &QLineEdit::textEdited, this, typed);

    connect(&m_state, &AppState::schemeApplied, this, [this] {
        guard("skin_aktuell", [this] {
            const ColorScheme &c = m_state.currentColors;
            paintWithScheme(barsuchen, SchemeRole::Window, c);
            paintWithScheme({cmdsuchzurueck, cmdsuchweiter, cmdsuchende}, SchemeRole::Button, c);
            paintWithScheme(lbltreffer, SchemeRole::Text, c);
        });
    });
}

void MainWindow::findCaptions(Language lang)
{
    mnusuchen->setText(lang.pick(u"Su&chen...", u"&Find..."));
    cmdsuchweiter->setCaption(lang.pick(u"Weiter", u"Next"));
    cmdsuchzurueck->setCaption(lang.pick(u"Zurück", u"Previous"));
    txtsuchen->setPlaceholderText(
        lang.pick(u"Suchen in Fragen und Antworten", u"Find in questions and answers"));
    cmdsuchweiter->setToolTip(
        lang.pick(u"Nächster Treffer (Eingabe, F3)", u"Next hit (Return, F3)"));
    cmdsuchzurueck->setToolTip(lang.pick(u"Voriger Treffer (Umschalt+Eingabe, Umschalt+F3)",
                                         u"Previous hit (Shift+Return, Shift+F3)"));
    cmdsuchende->setToolTip(lang.pick(u"Suchleiste schließen (Esc)", u"Close the find bar (Esc)"));
    showHitCount();
}

void MainWindow::mnusuchen_Click()
{
    guard("mnusuchen_Click", [this] {
        if (!barsuchen->isVisible()) {
            // The window grows by the bar, so the record's controls keep their size.
            const bool grow = !isMaximized() && !isFullScreen();
            barsuchen->show();
            m_findBarGrowth = grow ? barsuchen->sizeHint().height() : 0;
            if (grow)
                resize(width(), height() + m_findBarGrowth);
            if (m_hitsStale)
                recomputeHits();
        }
        txtsuchen->setFocus();
        txtsuchen->selectAll();
    });
}

void MainWindow::cmdsuchende_Click()
{
    guard("cmdsuchende_Click", [this] {
        if (!barsuchen->isVisible())
            return;
        barsuchen->hide();
        if (m_findBarGrowth > 0 && !isMaximized() && !isFullScreen())
            resize(width(), height() - m_findBarGrowth);
        m_findBarGrowth = 0;
        switch (m_lastHit.record == m_state.database.currentIndex() ? m_lastHit.field
                                                                    : SearchHit::Question) {
        case SearchHit::Question:
            txtfrage->setFocus();
            break;
        case SearchHit::Answer:
            txtantwort->setFocus();
            break;
        case SearchHit::ExtraInfo:
            txtzusatz1->setFocus();
            break;
        }
    });
}

void MainWindow::txtsuchen_Change()
{
    guard("txtsuchen_Change", [this] {
        recomputeHits();
        stepHit(true, true);
    });
}

void MainWindow::cmdsuchweiter_Click()
{
    guard("cmdsuchweiter_Click", [this] { stepHit(true, false); });
}

void MainWindow::cmdsuchzurueck_Click()
{
    guard("cmdsuchzurueck_Click", [this] { stepHit(false, false); });
}

void MainWindow::recomputeHits()
{
    m_hits = findAll(recordsWithShown(), txtsuchen->text());
    m_hitsStale = false;
    m_hitIndex = indexOfHit(m_hits, m_lastHit);
    showHitCount();
}

void MainWindow::refreshShownHits()
{
    const int shown = m_state.database.currentIndex();
    if (m_hitsStale || !barsuchen->isVisible() || txtsuchen->text().isEmpty() || shown < 1 ||
        txtfrage->isReadOnly())
        return;
    QList<SearchHit> fresh = findAll({fieldsRecord()}, txtsuchen->text());
    for (SearchHit &hit : fresh)
        hit.record = shown;
    const SearchHit key{shown, SearchHit::Question, 0, 0};
    const qsizetype from =
        std::lower_bound(m_hits.cbegin(), m_hits.cend(), key, byRecord) - m_hits.cbegin();
    const qsizetype to =
        std::upper_bound(m_hits.cbegin(), m_hits.cend(), key, byRecord) - m_hits.cbegin();
    m_hits = m_hits.first(from) + fresh + m_hits.sliced(to);
    // The hit shown counts while the typing left it where it was.
    if (m_hitIndex >= to)
        m_hitIndex += fresh.size() - (to - from);
    else if (m_hitIndex >= from)
        m_hitIndex = indexOfHit(m_hits, m_lastHit);
    showHitCount();
}

void MainWindow::stepHit(bool forward, bool typing)
{
    const FaqDatabase &db = m_state.database;
    if (m_hitsStale)
        recomputeHits();
    // From the hit last shown while its record is still shown, else from the
    // start of the shown record. A longer text typed may still stand where
    // the shorter one was found.
    SearchHit from{db.currentIndex(), SearchHit::Question, -1, 0};
    if (m_lastHit.record == db.currentIndex())
        from = {m_lastHit.record, m_lastHit.field, m_lastHit.position - (typing ? 1 : 0), 0};
    const qsizetype index = nextHit(m_hits, from, forward);
    if (index < 0) {
        m_hitIndex = -1;
        showHitCount();
        return;
    }
    const SearchHit hit = m_hits.at(index);
    // While typing, a record the user has left incomplete is not left;
    // stepping on asks to complete it, as the record buttons do.
    if (hit.record != db.currentIndex() && !(typing && !questionFilled()) &&
        moveTo(hit.record, false)) {
        setNextCaptionForPosition();
        status_aktuell();
    }
    if (hit.record == db.currentIndex()) {
        m_lastHit = hit;
        selectHit(hit);
    }
    // The record left behind was stored, and the hits with it.
    m_hitIndex = indexOfHit(m_hits, m_lastHit);
    showHitCount();
}

void MainWindow::selectHit(const SearchHit &hit)
{
    for (QPlainTextEdit *field : {txtfrage, txtantwort}) {
        const bool target = (field == txtfrage) == (hit.field == SearchHit::Question) &&
                            hit.field != SearchHit::ExtraInfo;
        QTextCursor cursor = field->textCursor();
        cursor.setPosition(int(target ? hit.position : 0));
        if (target)
            cursor.setPosition(int(hit.position + hit.length), QTextCursor::KeepAnchor);
        field->setTextCursor(cursor);
    }
    if (hit.field == SearchHit::ExtraInfo)
        txtzusatz1->setSelection(int(hit.position), int(hit.length));
    else
        txtzusatz1->deselect();
}

void MainWindow::showHitCount()
{
    if (txtsuchen->text().isEmpty())
        lbltreffer->clear();
    else if (m_hits.isEmpty())
        lbltreffer->setText(m_ctx.pick(u"Kein Treffer", u"No match"));
    else if (m_hitIndex < 0)
        lbltreffer->setText(m_hits.size() == 1
                                ? m_ctx.pick(u"1 Treffer", u"1 hit")
                                : m_ctx.pick(u"%1 Treffer", u"%1 hits").arg(m_hits.size()));
    else if (m_hits.size() == 1)
        lbltreffer->setText(m_ctx.pick(u"1 von 1 Treffer", u"1 of 1 hit"));
    else
        lbltreffer->setText(m_ctx.pick(u"%1 von %2 Treffern", u"%1 of %2 hits")
                                .arg(m_hitIndex + 1)
                                .arg(m_hits.size()));
}

} // namespace askbright
