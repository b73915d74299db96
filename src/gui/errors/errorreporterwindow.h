#pragma once

#include "app/messages.h"
#include "errors/errorprotocol.h"
#include "errors/errorreporter.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace askbright {

class AppState;
class DialogService;
class SoundPlayer;

// The error reporter window: shows a failure, logs it, offers the protocol
// for printing, saving and mailing, and asks how the failed handler goes on.
// Created once and reused; all its texts are German in both languages. Only
// its continue buttons close it.
class ErrorReporterWindow : public QDialog, public ErrorReporter {
    Q_OBJECT
public:
    enum class PrintOutcome { Printed, Cancelled, Failed };
    // Prints the lines, one per printed line, and ends the print job.
    using PrintJob = std::function<PrintOutcome(QWidget *parent, const QStringList &lines)>;

    ErrorReporterWindow(AppState &state, DialogService &dialogs, SoundPlayer &sounds,
                        QWidget *parent = nullptr);

    // Shows the error modally and returns the continue button pressed
    // (NextStatement, LeaveProcedure or EndProgram).
    int OnError(const QString &module, const QString &procedure, const AppError &error) override;

    void onContinueClicked(int index);
    void onProtocolClicked(int index);
    void arrangeFrames();
    QString buildProtocol() const;

    int continueAction() const { return m_continueAction; }

    // The printing step of "&Drucken": a print dialog, then the default
    // printer. Tests replace it.
    PrintJob printJob;
    static PrintOutcome printOnPrinter(QWidget *parent, const QStringList &lines);

public slots:
    // Escape and the like do not close the window: only its buttons do.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void printProtocol(const QString &protocol);
    void saveProtocolFile(const QString &protocol);
    void mailProtocol(const QString &protocol);
    void showHomepage(const QString &protocol);
    void copyToClipboard(const QString &protocol);
    void openAddress(const QString &address);
    int message(const QString &text, MessageButtons buttons = MessageButtons::Ok,
                MessageIcon icon = MessageIcon::None);

    AppState &m_state;
    DialogService &m_dialogs;
    SoundPlayer &m_sounds;
    qint16 m_continueAction = 0;
    const SystemInfo m_system;

    QGroupBox *m_commentFrame;
    QGroupBox *m_errorFrame;
    QGroupBox *m_programInfoFrame;
    QGroupBox *m_protocolFrame;
    QGroupBox *m_callStackFrame;
    QGroupBox *m_continueFrame;
    QLabel *m_commentLabel;
    std::array<QLabel *, 4> m_errorTitles;
    std::array<QLabel *, 4> m_errorValues;
    QLabel *m_programInfoLabel;
    QListWidget *m_callStackList;
    std::array<QPushButton *, 4> m_protocolButtons;
    std::array<QPushButton *, 4> m_continueButtons;
};

} // namespace askbright
