#pragma once

#include "app/language.h"
#include "database/faqsearch.h"

#include <QToolBar>
#include <functional>

class QLabel;
class QLineEdit;

namespace askbright {

class Button3D;
class WindowContext;
struct ColorScheme;

// The find bar at the bottom of the main window: every place a text stands in
// the questions, answers and additional infos, shown one after the other.
// Return, Shift+Return, F3 and Shift+F3 step, Escape closes.
class FindBar : public QToolBar {
    Q_OBJECT
public:
    // What the bar needs of the window that shows the records.
    struct Records {
        // The records as the window shows them, the edited one included.
        std::function<QList<FaqRecord>()> asShown;
        // The number of the record shown, 0 none.
        std::function<int()> shown;
        // Shows another record for a hit; false when the window stays where
        // it is. typing: the search text changed, it did not step.
        std::function<bool(int record, bool typing)> show;
        // Selects a hit in the record shown.
        std::function<void(const SearchHit &hit)> select;
    };

    // parent: the window in which F3 and Shift+F3 step while the bar is open.
    FindBar(WindowContext &context, Records records, QWidget *parent);

    // Shows the bar with the search text selected for typing.
    void open();
    // The records changed: the hits are found again once the bar shows.
    void recordsChanged();
    // The record shown was typed in: its hits are found again.
    void shownRecordEdited();

    void retranslate(Language language);
    void paint(const ColorScheme &scheme);

    void onTextChanged();
    void onNextClicked();
    void onPreviousClicked();
    void onCloseClicked();

signals:
    // The bar was closed; field is where the user goes on typing.
    void closed(SearchHit::Field field);

private:
    bool guard(const char *procedure, const std::function<void()> &body);
    // All hits again, from the records as the window shows them.
    void recomputeHits();
    // Shows the hit after (or before) the current place; typing: the search
    // text changed, so a hit at the current place itself counts.
    void stepHit(bool forward, bool typing);
    void showHitCount();

    WindowContext &m_ctx;
    Records m_records;
    QLineEdit *m_textField;
    Button3D *m_previousButton, *m_nextButton, *m_closeButton;
    QLabel *m_hitCountLabel;
    QList<SearchHit> m_hits;   // in record order
    bool m_hitsStale = true;   // the records changed while the bar was closed
    qsizetype m_hitIndex = -1; // the hit shown, -1 none
    SearchHit m_lastHit;       // where the last hit shown stands; record 0: none
};

} // namespace askbright
