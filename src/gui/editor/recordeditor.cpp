#include "editor/recordeditor.h"

#include "app/interfacetexts.h"
#include "app/numbers.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "app/textcodec.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/storedtext.h"
#include "state/appstate.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>

namespace askbright {

namespace {

// " 7": the sign position and the digits, as the position text shows numbers.
QString positionNumber(int n)
{
    return printNumber(n).chopped(1);
}

const QString stepCaption = QStringLiteral("&>");

} // namespace

RecordEditor::RecordEditor(WindowContext &context, QWidget *client)
    : QObject(client), m_ctx(context), m_state(context.state)
{
    auto label = [client](const char *name, int x, int y, int w, int h) {
        return place(new QLabel(client), name, x, y, w, h);
    };
    auto button = [client](const char *name, const QString &caption, int x, int y, int w, int h) {
        return place(new Button3D(caption, client), name, x, y, w, h);
    };
    const LanguageOf language = [this] { return m_ctx.language(); };

    m_questionLabel = label("Label1", 8, 10, 22, 18);
    m_questionField = place(new StoredTextEdit(language, client), "txtfrage", 30, 8, 578, 92);
    m_answerLabel = label("Label2", 8, 108, 22, 18);
    m_answerField = place(new StoredTextEdit(language, client), "txtantwort", 30, 106, 578, 152);
    for (QPlainTextEdit *field : {m_questionField, m_answerField})
        field->setTabChangesFocus(true);

    m_extraInfoLabel = label("Label3", 30, 264, 250, 16);
    m_extraInfoField = place(new QLineEdit(client), "txtzusatz1", 30, 280, 250, 24);
    m_infoWithQuestionBox = place(new QCheckBox(client), "chkfragez2", 290, 281, 140, 22);
    m_linkLabel = label("Label4", 30, 308, 130, 16);
    m_linkHintLabel = label("Label8", 160, 308, 120, 16);
    m_linkField = place(new QLineEdit(client), "txtzusatz2", 30, 324, 250, 24);
    m_dateCaption = label("lbl1", 290, 308, 62, 16);
    m_dateLabel = label("lbldatum0", 352, 308, 80, 16);
    m_dateTodayButton = button("cmdaktuell", {}, 290, 323, 140, 26);

    m_positionCaption = label("Label5", 440, 264, 168, 16);
    m_positionCaption->setAlignment(Qt::AlignCenter);
    m_positionLabel = label("lblxvony", 440, 280, 168, 18);
    m_positionLabel->setAlignment(Qt::AlignCenter);
    m_firstButton = button("cmdanfang", QStringLiteral("|<"), 440, 300, 40, 26);
    m_previousButton = button("cmdzurueck", QStringLiteral("<"), 482, 300, 40, 26);
    m_nextButton = button("cmdvor", stepCaption, 524, 300, 40, 26);
    m_lastButton = button("cmdende", QStringLiteral(">|"), 566, 300, 42, 26);
    m_insertButton = button("cmdinsert", {}, 440, 328, 83, 24);
    m_deleteButton = button("cmdloeschen", {}, 525, 328, 83, 24);

    guardStoredText(m_extraInfoField, language);
    guardStoredText(m_linkField, language);

    // Typing changes the record shown, and so the database.
    for (QPlainTextEdit *field : {m_questionField, m_answerField})
        connect(field, &QPlainTextEdit::textChanged, this, [this] {
            if (m_showingRecord)
                return;
            markChanged();
            emit searchableTextEdited();
        });
    connect(m_extraInfoField, &QLineEdit::textEdited, this, [this] {
        markChanged();
        emit searchableTextEdited();
    });
    connect(m_linkField, &QLineEdit::textEdited, this, [this] { markChanged(); });
    connect(m_infoWithQuestionBox, &QCheckBox::clicked, this, [this] { markChanged(); });

    const std::pair<Button3D *, void (RecordEditor::*)()> handlers[] = {
        {m_firstButton, &RecordEditor::onFirstClicked},
        {m_previousButton, &RecordEditor::onPreviousClicked},
        {m_nextButton, &RecordEditor::onNextClicked},
        {m_lastButton, &RecordEditor::onLastClicked},
        {m_insertButton, &RecordEditor::onInsertClicked},
        {m_deleteButton, &RecordEditor::onDeleteClicked},
        {m_dateTodayButton, &RecordEditor::onDateTodayClicked},
    };
    for (const auto &[b, handler] : handlers)
        connect(b, &QPushButton::clicked, this, handler);
}

bool RecordEditor::guard(const char *procedure, const std::function<void()> &body)
{
    return m_ctx.guarded("frm1", procedure, body);
}

FaqRecord RecordEditor::fieldsRecord() const
{
    return felder_an_maskeds({textFromWindow(m_questionField->toPlainText()),
                              textFromWindow(m_answerField->toPlainText()),
                              m_extraInfoField->text(), m_linkField->text(),
                              m_infoWithQuestionBox->isChecked(), m_dateLabel->text()});
}

void RecordEditor::showRecord(const FaqRecord &record)
{
    const RecordFields fields = maskeds_an_felder(record);
    m_showingRecord = true;
    m_questionField->setText(textForWindow(fields.question));
    m_answerField->setText(textForWindow(fields.answer));
    m_extraInfoField->setText(fields.extraInfo);
    m_linkField->setText(fields.homepageLink);
    m_infoWithQuestionBox->setChecked(fields.infoWithQuestion);
    m_dateLabel->setText(fields.dateLabel);
    m_showingRecord = false;
}

void RecordEditor::commit()
{
    m_state.database.commit(fieldsRecord());
}

QList<FaqRecord> RecordEditor::recordsWithShown() const
{
    const FaqDatabase &db = m_state.database;
    QList<FaqRecord> records = db.records();
    const int shown = db.currentIndex();
    if (shown >= 1 && shown <= records.size() && isEditable())
        records[shown - 1] = fieldsRecord();
    return records;
}

void RecordEditor::clearForNewDatabase()
{
    m_showingRecord = true;
    for (QPlainTextEdit *field : {m_questionField, m_answerField})
        field->clear();
    m_extraInfoField->clear();
    m_linkField->clear();
    m_showingRecord = false;
    m_dateLabel->setText(trimTrailingBlanks(m_state.database.record(1).createdDate));
    m_questionField->setFocus();
}

void RecordEditor::showSlot(int index)
{
    m_state.database.show(index);
    showRecord(m_state.database.editBuffer());
}

bool RecordEditor::moveTo(int index, bool answerNeeded)
{
    if (!questionFilled() || (answerNeeded && !answerFilled())) {
        tellIncomplete();
        return false;
    }
    commit();
    showSlot(index);
    return true;
}

bool RecordEditor::questionFilled() const
{
    return !trimBlanks(m_questionField->toPlainText()).isEmpty();
}

bool RecordEditor::answerFilled() const
{
    return !trimBlanks(m_answerField->toPlainText()).isEmpty();
}

void RecordEditor::completeLink()
{
    m_linkField->setText(::askbright::completeLink(m_linkField->text()));
}

void RecordEditor::markChanged()
{
    if (m_state.database.recordCount() >= 1)
        m_state.database.markChanged();
}

void RecordEditor::refuseFullDatabase()
{
    m_ctx.inform(m_ctx.pick(u"Die Datenbank enthält bereits 2000 Datensätze;\rmehr sind nicht "
                            u"möglich.",
                            u"The database already holds 2000 records;\rno more can be added."),
                 m_ctx.pick(u"Höchstzahl erreicht", u"Limit reached"), MessageIcon::Exclamation);
}

void RecordEditor::refreshPosition()
{
    const FaqDatabase &db = m_state.database;
    m_positionLabel->setText(positionNumber(db.currentIndex()) + m_ctx.pick(u" von ", u" of ") +
                             positionNumber(db.recordCount()));
    m_insertButton->setEnabled(db.canInsert());
}

void RecordEditor::tellIncomplete()
{
    m_ctx.inform(m_ctx.pick(u"Nicht so faul sein ;-))\rMindestens Frage und Antwort eingeben !",
                            u"Please fill out the question AND the answer\ror press the DELETE- "
                            u"Button."),
                 m_ctx.pick(u"Unvollständige Eingabe", u"fill incompletely "),
                 MessageIcon::Information);
    m_questionField->setFocus();
}

void RecordEditor::setNextCaptionNew()
{
    m_nextButton->setCaption(m_ctx.pick(u"&neu", u"&new"));
}

void RecordEditor::setNextCaptionStep()
{
    m_nextButton->setCaption(stepCaption);
}

void RecordEditor::setNextCaptionForPosition()
{
    const FaqDatabase &db = m_state.database;
    if (db.currentIndex() == db.recordCount())
        setNextCaptionNew();
    else
        setNextCaptionStep();
}

void RecordEditor::setEditing(bool editing)
{
    for (Button3D *b : {m_firstButton, m_previousButton, m_nextButton, m_lastButton, m_insertButton,
                        m_deleteButton})
        b->setVisible(editing);
    m_questionField->setReadOnly(!editing);
    m_answerField->setReadOnly(!editing);
    for (QWidget *field : std::initializer_list<QWidget *>{m_questionField, m_answerField,
                                                           m_extraInfoField, m_linkField}) {
        QPalette p = field->palette();
        p.setColor(QPalette::Base, editing ? QApplication::palette().color(QPalette::Base)
                                           : colorFromBgr(lightGrey));
        field->setPalette(p);
    }
    m_infoWithQuestionBox->setEnabled(editing);
}

bool RecordEditor::isEditable() const
{
    return !m_questionField->isReadOnly();
}

void RecordEditor::select(const SearchHit &hit)
{
    for (QPlainTextEdit *field : {m_questionField, m_answerField}) {
        const bool target = (field == m_questionField) == (hit.field == SearchHit::Question) &&
                            hit.field != SearchHit::ExtraInfo;
        QTextCursor cursor = field->textCursor();
        cursor.setPosition(int(target ? hit.position : 0));
        if (target)
            cursor.setPosition(int(hit.position + hit.length), QTextCursor::KeepAnchor);
        field->setTextCursor(cursor);
    }
    if (hit.field == SearchHit::ExtraInfo)
        m_extraInfoField->setSelection(int(hit.position), int(hit.length));
    else
        m_extraInfoField->deselect();
}

void RecordEditor::focusField(SearchHit::Field field)
{
    switch (field) {
    case SearchHit::Question:
        m_questionField->setFocus();
        break;
    case SearchHit::Answer:
        m_answerField->setFocus();
        break;
    case SearchHit::ExtraInfo:
        m_extraInfoField->setFocus();
        break;
    }
}

void RecordEditor::retranslate(Language lang)
{
    const std::pair<QLabel *, int> labels[] = {
        {m_questionLabel, 1210},   {m_answerLabel, 1220}, {m_extraInfoLabel, 1230},
        {m_positionCaption, 1240}, {m_linkLabel, 1250},   {m_linkHintLabel, 1255},
        {m_dateCaption, 1260},
    };
    for (const auto &[label, id] : labels)
        label->setText(caption(id, lang));
    m_infoWithQuestionBox->setText(caption(1700, lang));
    m_dateTodayButton->setCaption(caption(1270, lang));
    m_deleteButton->setCaption(caption(1290, lang));
    m_insertButton->setCaption(caption(4003, lang));

    m_insertButton->setToolTip(lang.pick(u"fügt einen Datensatz vor dem aktuellen ein",
                                         u"insert a database after the current database"));
    m_infoWithQuestionBox->setToolTip(lang.pick(u"Zusatz erscheint bei Frage, sonst bei Antwort",
                                                u"additionally info write with the question"));
    const QString linkTip = lang.pick(u"'http://' wird automatisch eingesetzt",
                                      u"'http://' can skip over, get operating by itself");
    m_linkLabel->setToolTip(linkTip);
    m_linkHintLabel->setToolTip(linkTip);

    // The next button's "new" caption follows the language.
    if (m_nextButton->caption() != stepCaption)
        m_nextButton->setCaption(lang.pick(u"&neu", u"&new"));
    refreshPosition();
}

void RecordEditor::paint(const ColorScheme &c)
{
    paintWithScheme(m_insertButton, SchemeRole::Button, c);
    paintWithScheme({m_dateTodayButton, m_firstButton, m_lastButton, m_deleteButton, m_nextButton,
                     m_previousButton},
                    SchemeRole::ButtonFace, c);
    paintWithScheme({m_dateTodayButton, m_firstButton, m_lastButton, m_deleteButton, m_nextButton,
                     m_previousButton},
                    SchemeRole::ButtonCaption, c);
    paintWithScheme(m_infoWithQuestionBox, SchemeRole::Box, c);
    paintWithScheme({m_questionLabel, m_answerLabel, m_extraInfoLabel, m_linkLabel,
                     m_positionCaption, m_linkHintLabel, m_dateCaption, m_dateLabel,
                     m_positionLabel},
                    SchemeRole::Text, c);
}

// ---------------------------------------------------------------- the record buttons

void RecordEditor::onFirstClicked()
{
    guard("cmdanfang_Click", [this] {
        m_ctx.play("anfang");
        if (moveTo(1, false))
            setNextCaptionStep();
        refreshPosition();
    });
}

void RecordEditor::onPreviousClicked()
{
    guard("cmdzurueck_Click", [this] {
        m_ctx.play("zurueck");
        completeLink();
        setNextCaptionStep();
        if (m_state.database.currentIndex() < 2) {
            m_ctx.inform(m_ctx.pick(u"Dateianfang erreicht!", u"This is the first data base"),
                         m_ctx.pick(u"Rückwartsblättern", u"Browse back"),
                         MessageIcon::Information);
        } else {
            moveTo(m_state.database.currentIndex() - 1, true);
        }
        refreshPosition();
    });
}

void RecordEditor::onNextClicked()
{
    guard("cmdvor_Click", [this] {
        FaqDatabase &db = m_state.database;
        m_ctx.play("vor");
        completeLink();
        const int current = db.currentIndex();
        if (current == db.recordCount() - 1)
            setNextCaptionNew();
        if (current == db.recordCount()) {
            if (!questionFilled() || !answerFilled()) {
                tellIncomplete();
            } else if (db.isFull()) {
                refuseFullDatabase();
            } else {
                // The record being finished is dated today.
                m_dateLabel->setText(trimTrailingBlanks(fitDate(m_state.today())));
                commit();
                db.addRecord();
                showRecord(db.editBuffer());
                emit recordAppended();
            }
        } else if (current < db.recordCount()) {
            moveTo(current + 1, false);
        }
        refreshPosition();
        m_questionField->setFocus();
    });
}

void RecordEditor::onLastClicked()
{
    guard("cmdende_Click", [this] {
        m_ctx.play("ende");
        if (moveTo(m_state.database.recordCount(), false))
            setNextCaptionNew();
        refreshPosition();
    });
}

void RecordEditor::onInsertClicked()
{
    guard("cmdinsert_Click", [this] {
        FaqDatabase &db = m_state.database;
        if (!db.canInsert()) {
            m_ctx.inform(m_ctx.pick(u"Datensatz mit dem Button 'neu' anlegen",
                                    u"Please use the button 'new'!"),
                         m_ctx.pick(u"Funktion steht nicht zur Verfügung", u"Function not avaible"),
                         MessageIcon::Information);
            return;
        }
        if (db.isFull()) {
            refuseFullDatabase();
            return;
        }
        commit();
        db.insertBeforeCurrent();
        showRecord(db.editBuffer());
        refreshPosition();
        m_questionField->setFocus();
    });
}

void RecordEditor::onDeleteClicked()
{
    m_ctx.guarded(
        [this] {
            FaqDatabase &db = m_state.database;
            if (db.recordCount() == 0) {
                emit deleteWithoutRecords();
                return;
            }
            const int answer = m_ctx.ask(m_ctx.pick(u"Diesen Datensatz wirklich löschen?",
                                                    u"Really delete this data record?"),
                                         m_ctx.pick(u"Datensatz löschen", u"Data record delete"),
                                         MessageButtons::OkCancel, MessageIcon::Critical, 2);
            if (answer == AnswerOk) {
                m_ctx.play("loeschen");
                db.removeCurrent();
                showRecord(db.editBuffer());
                if (db.recordCount() == 0)
                    emit allRecordsDeleted();
            }
            m_questionField->setFocus();
            refreshPosition();
        },
        [this](const AppError &) {
            m_ctx.inform(QStringLiteral("Fehler im Modul LÖSCHEN- Error in Module DELETE"));
        });
}

void RecordEditor::onDateTodayClicked()
{
    guard("cmdaktuell_Click", [this] {
        FaqDatabase &db = m_state.database;
        if (db.recordCount() == 0)
            return;
        db.setCreatedDate(db.currentIndex(), m_state.today());
        m_dateLabel->setText(trimTrailingBlanks(db.record(db.currentIndex()).createdDate));
    });
}

} // namespace askbright
