#pragma once

#include "app/language.h"
#include "app/messages.h"
#include "app/qttranslation.h"

#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace askbright {

class AppError;
class AppState;
class DialogService;
class ErrorReporter;
class SoundPlayer;
struct FaqRecord;

// What every window is given and the only things it reaches for: the shared
// state, the dialogs, the error reporter and the sounds, with the few
// behaviours all windows share.
class WindowContext {
public:
    WindowContext(AppState &state, DialogService &dialogs, ErrorReporter &errors,
                  SoundPlayer &sounds);

    AppState &state;
    DialogService &dialogs;
    ErrorReporter &errors;
    SoundPlayer &sounds;

    Language language() const;
    // The wording of the interface language.
    QString pick(QStringView german, QStringView english) const;

    // A message box; returns the answer code (1 OK, 2 Cancel, 6 Yes, 7 No).
    int ask(const QString &text, const QString &title, MessageButtons buttons, MessageIcon icon,
            int defaultButton = 1);
    void inform(const QString &text, const QString &title = {},
                MessageIcon icon = MessageIcon::None);

    // Plays a clip when sounds are on; a clip that does not exist goes to the
    // error reporter.
    void play(const char *clip);

    // Runs an event handler. A failure goes to the error reporter under the
    // module and procedure names; continuing and leaving both end the handler,
    // ending the program saves unsaved records to a recovery file and ends.
    // Returns whether the body ran to its end.
    bool guarded(const char *module, const char *procedure, const std::function<void()> &body);
    // For the few procedures that answer their failures with a message of
    // their own instead of the error reporter.
    bool guarded(const std::function<void()> &body,
                 const std::function<void(const AppError &)> &ownHandling);

    // Shows a window modally over owner; with always-on-top on, the owner
    // leaves the topmost band meanwhile. Returns the dialog's result.
    int showModal(QWidget *owner, QDialog &dialog);
    // Makes a window topmost when the always-on-top option is on.
    void keepOnTop(QWidget *window);

    // The records as they would be saved now; the main window adds the record
    // it shows. Used when the program must end at once.
    std::function<QList<FaqRecord>()> unsavedRecords;
    // Ends the program at once; tests replace it.
    std::function<void()> endProgram;
    // Leaves the event loop when the program ends normally; tests replace it,
    // since a quit event loop cannot run again.
    std::function<void()> quit;

private:
    void endAfterError();

    QtTranslation m_qtTranslation;
};

} // namespace askbright
