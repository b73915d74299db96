// The main window's record editing: moving, adding, inserting, deleting.

#include "app/numbers.h"
#include "app/textcodec.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "editor/mainwindow.h"
#include "state/appstate.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace askbright {

namespace {

// " 7": the sign position and the digits, as the position text shows numbers.
QString positionNumber(int n)
{
    return printNumber(n).chopped(1);
}

} // namespace

FaqRecord MainWindow::fieldsRecord() const
{
    return felder_an_maskeds({textFromWindow(txtfrage->toPlainText()),
                              textFromWindow(txtantwort->toPlainText()), txtzusatz1->text(),
                              txtzusatz2->text(), chkfragez2->isChecked(), lbldatum0->text()});
}

void MainWindow::showRecord(const FaqRecord &record)
{
    const RecordFields fields = maskeds_an_felder(record);
    m_showingRecord = true;
    txtfrage->setText(textForWindow(fields.question));
    txtantwort->setText(textForWindow(fields.answer));
    txtzusatz1->setText(fields.extraInfo);
    txtzusatz2->setText(fields.homepageLink);
    chkfragez2->setChecked(fields.infoWithQuestion);
    lbldatum0->setText(fields.dateLabel);
    m_showingRecord = false;
}

void MainWindow::commit()
{
    m_state.database.commit(fieldsRecord());
}

QList<FaqRecord> MainWindow::recordsWithShown() const
{
    const FaqDatabase &db = m_state.database;
    QList<FaqRecord> records = db.records();
    const int shown = db.currentIndex();
    if (shown >= 1 && shown <= records.size() && !txtfrage->isReadOnly())
        records[shown - 1] = fieldsRecord();
    return records;
}

void MainWindow::showSlot(int index)
{
    m_state.database.show(index);
    showRecord(m_state.database.editBuffer());
}

bool MainWindow::moveTo(int index, bool answerNeeded)
{
    if (!questionFilled() || (answerNeeded && !answerFilled())) {
        unvollstaendig();
        return false;
    }
    commit();
    showSlot(index);
    return true;
}

bool MainWindow::questionFilled() const
{
    return !trimBlanks(txtfrage->toPlainText()).isEmpty();
}

bool MainWindow::answerFilled() const
{
    return !trimBlanks(txtantwort->toPlainText()).isEmpty();
}

void MainWindow::completeLink()
{
    txtzusatz2->setText(::askbright::completeLink(txtzusatz2->text()));
}

void MainWindow::markChanged()
{
    if (m_state.database.recordCount() >= 1)
        m_state.database.markChanged();
}

void MainWindow::refuseFullDatabase()
{
    m_ctx.inform(m_ctx.pick(u"Die Datenbank enthält bereits 2000 Datensätze;\rmehr sind nicht "
                            u"möglich.",
                            u"The database already holds 2000 records;\rno more can be added."),
                 m_ctx.pick(u"Höchstzahl erreicht", u"Limit reached"), MessageIcon::Exclamation);
}

void MainWindow::status_aktuell()
{
    const FaqDatabase &db = m_state.database;
    lblxvony->setText(positionNumber(db.currentIndex()) + m_ctx.pick(u" von ", u" of ") +
                      positionNumber(db.recordCount()));
    cmdinsert->setEnabled(db.canInsert());
}

void MainWindow::unvollstaendig()
{
    m_ctx.inform(m_ctx.pick(u"Nicht so faul sein ;-))\rMindestens Frage und Antwort eingeben !",
                            u"Please fill out the question AND the answer\ror press the DELETE- "
                            u"Button."),
                 m_ctx.pick(u"Unvollständige Eingabe", u"fill incompletely "),
                 MessageIcon::Information);
    txtfrage->setFocus();
}

void MainWindow::cmdanfang_Click()
{
    guard("cmdanfang_Click", [this] {
        m_ctx.play("anfang");
        if (moveTo(1, false))
            cmdvor->setCaption(QStringLiteral("&>"));
        status_aktuell();
    });
}

void MainWindow::cmdzurueck_Click()
{
    guard("cmdzurueck_Click", [this] {
        m_ctx.play("zurueck");
        completeLink();
        cmdvor->setCaption(QStringLiteral("&>"));
        if (m_state.database.currentIndex() < 2) {
            m_ctx.inform(m_ctx.pick(u"Dateianfang erreicht!", u"This is the first data base"),
                         m_ctx.pick(u"Rückwartsblättern", u"Browse back"),
                         MessageIcon::Information);
        } else {
            moveTo(m_state.database.currentIndex() - 1, true);
        }
        status_aktuell();
    });
}

void MainWindow::cmdvor_Click()
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
                unvollstaendig();
            } else if (db.isFull()) {
                refuseFullDatabase();
            } else {
                // The record being finished is dated today.
                lbldatum0->setText(trimTrailingBlanks(fitDate(m_state.today())));
                commit();
                db.addRecord();
                showRecord(db.editBuffer());
                mnudatspeiunter->setEnabled(true);
            }
        } else if (current < db.recordCount()) {
            moveTo(current + 1, false);
        }
        status_aktuell();
        txtfrage->setFocus();
    });
}

void MainWindow::cmdende_Click()
{
    guard("cmdende_Click", [this] {
        m_ctx.play("ende");
        if (moveTo(m_state.database.recordCount(), false))
            setNextCaptionNew();
        status_aktuell();
    });
}

void MainWindow::cmdinsert_Click()
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
        status_aktuell();
        txtfrage->setFocus();
    });
}

void MainWindow::cmdloeschen_Click()
{
    m_ctx.guarded(
        [this] {
            FaqDatabase &db = m_state.database;
            if (db.recordCount() == 0) {
                mnudatspeiunter->setEnabled(false);
                mnudatneu->setEnabled(true);
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
                    setWindowState(WindowState::EmptyDatabase);
            }
            txtfrage->setFocus();
            status_aktuell();
        },
        [this](const AppError &) {
            m_ctx.inform(QStringLiteral("Fehler im Modul LÖSCHEN- Error in Module DELETE"));
        });
}

void MainWindow::cmdaktuell_Click()
{
    guard("cmdaktuell_Click", [this] {
        FaqDatabase &db = m_state.database;
        if (db.recordCount() == 0)
            return;
        db.setCreatedDate(db.currentIndex(), m_state.today());
        lbldatum0->setText(trimTrailingBlanks(db.record(db.currentIndex()).createdDate));
    });
}

} // namespace askbright
