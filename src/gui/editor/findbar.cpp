#include "editor/findbar.h"

#include "app/schemepainter.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
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

FindBar::FindBar(WindowContext &context, Records records, QWidget *parent)
    : QToolBar(parent), m_ctx(context), m_records(std::move(records))
{
    setObjectName(QStringLiteral("barsuchen"));
    setMovable(false);
    setFloatable(false);

    m_textField = new QLineEdit(this);
    m_textField->setObjectName(QStringLiteral("txtsuchen"));
    m_textField->setClearButtonEnabled(true);
    m_textField->setMinimumWidth(180);
    m_previousButton = new Button3D(QString(), this);
    m_previousButton->setObjectName(QStringLiteral("cmdsuchzurueck"));
    m_nextButton = new Button3D(QString(), this);
    m_nextButton->setObjectName(QStringLiteral("cmdsuchweiter"));
    m_hitCountLabel = new QLabel(this);
    m_hitCountLabel->setObjectName(QStringLiteral("lbltreffer"));
    m_hitCountLabel->setTextFormat(Qt::PlainText);
    m_hitCountLabel->setMinimumWidth(150);
    m_hitCountLabel->setContentsMargins(8, 0, 8, 0);
    auto *spacer = new QWidget(this);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_closeButton = new Button3D(QStringLiteral("X"), this);
    m_closeButton->setObjectName(QStringLiteral("cmdsuchende"));
    m_closeButton->setFixedWidth(28);
    for (QWidget *w : std::initializer_list<QWidget *>{m_textField, m_previousButton, m_nextButton,
                                                       m_hitCountLabel, spacer, m_closeButton})
        addWidget(w);

    auto *keys = new FindBarKeys(
        this, [this](bool forward) { forward ? onNextClicked() : onPreviousClicked(); },
        [this] { onCloseClicked(); });
    for (QWidget *w : std::initializer_list<QWidget *>{m_textField, m_previousButton, m_nextButton,
                                                       m_closeButton})
        w->installEventFilter(keys);
    connect(m_textField, &QLineEdit::textChanged, this, &FindBar::onTextChanged);
    connect(m_nextButton, &QPushButton::clicked, this, &FindBar::onNextClicked);
    connect(m_previousButton, &QPushButton::clicked, this, &FindBar::onPreviousClicked);
    connect(m_closeButton, &QPushButton::clicked, this, &FindBar::onCloseClicked);

    // F3 and Shift+F3 step from anywhere in the window while the bar is open.
    auto *next = new QAction(this);
    next->setShortcut(QKeySequence(Qt::Key_F3));
    auto *previous = new QAction(this);
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    parent->addActions({next, previous});
    connect(next, &QAction::triggered, this, [this] {
        if (isVisible())
            onNextClicked();
    });
    connect(previous, &QAction::triggered, this, [this] {
        if (isVisible())
            onPreviousClicked();
    });
    hide();
}

bool FindBar::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frm1", procedure, body);
}

void FindBar::open()
{
    show();
    if (m_hitsStale)
        recomputeHits();
    m_textField->setFocus();
    m_textField->selectAll();
}

void FindBar::recordsChanged()
{
    // Found again once the command that changed the records has shown the
    // record it leaves in the window.
    m_hitsStale = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            guard("recomputeHits", [this] {
                if (m_hitsStale && isVisible())
                    recomputeHits();
            });
        },
        Qt::QueuedConnection);
}

void FindBar::shownRecordEdited()
{
    guard("refreshShownHits", [this] {
        const int shown = m_records.shown();
        if (m_hitsStale || !isVisible() || m_textField->text().isEmpty() || shown < 1)
            return;
        QList<SearchHit> fresh =
            findAll({m_records.asShown().value(shown - 1)}, m_textField->text());
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
    });
}

void FindBar::retranslate(Language lang)
{
    m_nextButton->setCaption(lang.pick(u"Weiter", u"Next"));
    m_previousButton->setCaption(lang.pick(u"Zurück", u"Previous"));
    m_textField->setPlaceholderText(
        lang.pick(u"Suchen in Fragen und Antworten", u"Find in questions and answers"));
    m_nextButton->setToolTip(
        lang.pick(u"Nächster Treffer (Eingabe, F3)", u"Next hit (Return, F3)"));
    m_previousButton->setToolTip(lang.pick(u"Voriger Treffer (Umschalt+Eingabe, Umschalt+F3)",
                                           u"Previous hit (Shift+Return, Shift+F3)"));
    m_closeButton->setToolTip(
        lang.pick(u"Suchleiste schließen (Esc)", u"Close the find bar (Esc)"));
    showHitCount();
}

void FindBar::paint(const ColorScheme &c)
{
    paintWithScheme(this, SchemeRole::Window, c);
    paintWithScheme({m_previousButton, m_nextButton, m_closeButton}, SchemeRole::Button, c);
    paintWithScheme(m_hitCountLabel, SchemeRole::Text, c);
}

void FindBar::onCloseClicked()
{
    guard("cmdsuchende_Click", [this] {
        if (!isVisible())
            return;
        hide();
        emit closed(m_lastHit.record == m_records.shown() ? m_lastHit.field : SearchHit::Question);
    });
}

void FindBar::onTextChanged()
{
    guard("txtsuchen_Change", [this] {
        recomputeHits();
        stepHit(true, true);
    });
}

void FindBar::onNextClicked()
{
    guard("cmdsuchweiter_Click", [this] { stepHit(true, false); });
}

void FindBar::onPreviousClicked()
{
    guard("cmdsuchzurueck_Click", [this] { stepHit(false, false); });
}

void FindBar::recomputeHits()
{
    m_hits = findAll(m_records.asShown(), m_textField->text());
    m_hitsStale = false;
    m_hitIndex = indexOfHit(m_hits, m_lastHit);
    showHitCount();
}

void FindBar::stepHit(bool forward, bool typing)
{
    if (m_hitsStale)
        recomputeHits();
    // From the hit last shown while its record is still shown, else from the
    // start of the shown record. A longer text typed may still stand where
    // the shorter one was found.
    const int shown = m_records.shown();
    SearchHit from{shown, SearchHit::Question, -1, 0};
    if (m_lastHit.record == shown)
        from = {m_lastHit.record, m_lastHit.field, m_lastHit.position - (typing ? 1 : 0), 0};
    const qsizetype index = nextHit(m_hits, from, forward);
    if (index < 0) {
        m_hitIndex = -1;
        showHitCount();
        return;
    }
    const SearchHit hit = m_hits.at(index);
    if (hit.record != shown)
        m_records.show(hit.record, typing);
    if (hit.record == m_records.shown()) {
        m_lastHit = hit;
        m_records.select(hit);
    }
    // The record left behind was stored, and the hits with it.
    m_hitIndex = indexOfHit(m_hits, m_lastHit);
    showHitCount();
}

void FindBar::showHitCount()
{
    if (m_textField->text().isEmpty())
        m_hitCountLabel->clear();
    else if (m_hits.isEmpty())
        m_hitCountLabel->setText(m_ctx.pick(u"Kein Treffer", u"No match"));
    else if (m_hitIndex < 0)
        m_hitCountLabel->setText(m_hits.size() == 1
                                     ? m_ctx.pick(u"1 Treffer", u"1 hit")
                                     : m_ctx.pick(u"%1 Treffer", u"%1 hits").arg(m_hits.size()));
    else if (m_hits.size() == 1)
        m_hitCountLabel->setText(m_ctx.pick(u"1 von 1 Treffer", u"1 of 1 hit"));
    else
        m_hitCountLabel->setText(m_ctx.pick(u"%1 von %2 Treffern", u"%1 of %2 hits")
                                     .arg(m_hitIndex + 1)
                                     .arg(m_hits.size()));
}

} // namespace askbright
