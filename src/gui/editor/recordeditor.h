#pragma once

#include "app/language.h"
#include "database/faqsearch.h"

#include <QList>
#include <QObject>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace askbright {

class AppState;
class Button3D;
class StoredTextEdit;
class WindowContext;
struct ColorScheme;

// The record shown in the main window: its fields, the position text and the
// record buttons (first, previous, next or new, last, insert, delete, today's
// date). It moves between the database's records, storing the fields first.
class RecordEditor : public QObject {
    Q_OBJECT
public:
    // Places its controls on client at their design positions.
    RecordEditor(WindowContext &context, QWidget *client);

    FaqRecord fieldsRecord() const;
    void showRecord(const FaqRecord &record);
    // Stores the fields in the record shown.
    void commit();
    void showSlot(int index);
    // Commits and shows slot index, unless the fields are incomplete for the
    // move; then tells the user and stays.
    bool moveTo(int index, bool answerNeeded);
    bool questionFilled() const;
    bool answerFilled() const;
    // The records as a save now would write them, the shown one included.
    QList<FaqRecord> recordsWithShown() const;
    // Empties the texts for a new database; the check box keeps its state.
    void clearForNewDatabase();

    // " 3 von  7" and whether inserting is possible here.
    void refreshPosition();
    void tellIncomplete();
    // "neu" where the next step adds a record; ">" elsewhere.
    void setNextCaptionNew();
    void setNextCaptionStep();
    void setNextCaptionForPosition();

    // Buttons shown, fields editable, check box enabled: a database to edit.
    void setEditing(bool editing);
    bool isEditable() const;

    // Shows a find hit selected in its field, the other fields unselected.
    void select(const SearchHit &hit);
    void focusField(SearchHit::Field field);

    void retranslate(Language language);
    void paint(const ColorScheme &scheme);

    StoredTextEdit *questionField() const { return m_questionField; }
    StoredTextEdit *answerField() const { return m_answerField; }

    void onFirstClicked();
    void onPreviousClicked();
    void onNextClicked();
    void onLastClicked();
    void onInsertClicked();
    void onDeleteClicked();
    void onDateTodayClicked();

signals:
    // The next button added a record to the database.
    void recordAppended();
    // The last record was deleted.
    void allRecordsDeleted();
    // Delete was asked for with no record there.
    void deleteWithoutRecords();
    // The user typed in a field the find bar searches.
    void searchableTextEdited();

private:
    bool guard(const char *procedure, const std::function<void()> &body);
    void markChanged();
    void completeLink();
    void refuseFullDatabase();

    WindowContext &m_ctx;
    AppState &m_state;
    bool m_showingRecord = false;

    QLabel *m_questionLabel, *m_answerLabel, *m_extraInfoLabel, *m_linkLabel, *m_linkHintLabel;
    QLabel *m_positionCaption, *m_dateCaption;
    StoredTextEdit *m_questionField;
    StoredTextEdit *m_answerField;
    QLineEdit *m_extraInfoField;
    QLineEdit *m_linkField;
    QCheckBox *m_infoWithQuestionBox;
    QLabel *m_dateLabel;
    QLabel *m_positionLabel;
    Button3D *m_firstButton, *m_previousButton, *m_nextButton, *m_lastButton;
    Button3D *m_insertButton, *m_deleteButton, *m_dateTodayButton;
};

} // namespace askbright
