#include "app/windowcontext.h"

#include "app/apperror.h"
#include "controls/dialogservice.h"
#include "controls/formontop.h"
#include "controls/soundplayer.h"
#include "database/recovery.h"
#include "errors/errorreporter.h"
#include "state/appstate.h"

#include <QCoreApplication>
#include <QDialog>
#include <new>

namespace askbright {

WindowContext::WindowContext(AppState &state, DialogService &dialogs, ErrorReporter &errors,
                             SoundPlayer &sounds)
    : state(state), dialogs(dialogs), errors(errors), sounds(sounds),
      unsavedRecords([&state] { return state.database.records(); }),
      endProgram([] { QCoreApplication::exit(1); }), quit([] { QCoreApplication::exit(0); }),
      m_qtTranslation(state)
{
}

Language WindowContext::language() const
{
    return state.language();
}

QString WindowContext::pick(QStringView german, QStringView english) const
{
    return language().pick(german, english);
}

int WindowContext::ask(const QString &text, const QString &title, MessageButtons buttons,
                       MessageIcon icon, int defaultButton)
{
    return dialogs.showMessage({text, title, buttons, icon, defaultButton});
}

void WindowContext::inform(const QString &text, const QString &title, MessageIcon icon)
{
    dialogs.showMessage({text, title, MessageButtons::Ok, icon, 1});
}

void WindowContext::play(const char *clip)
{
    if (!state.settings.soundsOn)
        return;
    guarded("Module1", "PlayWaveRes", [&] { sounds.PlayWaveRes(QLatin1String(clip)); });
}

namespace {

// The one place where handler failures are caught; anything that is not an
// AppError is described as one.
bool runCatching(const std::function<void()> &body,
                 const std::function<void(const AppError &)> &onError)
{
    try {
        body();
        return true;
    } catch (const AppError &e) {
        onError(e);
    } catch (const std::bad_alloc &) {
        onError(AppError(AppError::OutOfMemory));
    } catch (const std::exception &e) {
        onError(AppError(AppError::InvalidCall, QString::fromLocal8Bit(e.what())));
    }
    return false;
}

} // namespace

bool WindowContext::guarded(const char *module, const char *procedure,
                            const std::function<void()> &body)
{
    int action = NextStatement;
    const bool completed = runCatching(body, [&](const AppError &e) {
        action = errors.OnError(QLatin1String(module), QLatin1String(procedure), e);
    });
    // C++ cannot resume after the failed statement: continuing and leaving
    // both end the handler here.
    if (action == EndProgram)
        endAfterError();
    return completed;
}

bool WindowContext::guarded(const std::function<void()> &body,
                            const std::function<void(const AppError &)> &ownHandling)
{
    return runCatching(body, ownHandling);
}

void WindowContext::endAfterError()
{
    if (state.database.hasUnsavedChanges()) {
        try {
            const QString path =
                writeRecoveryFile(state.database.filePath(), state.dataFolder(), unsavedRecords());
            inform(pick(u"Die ungespeicherten Änderungen wurden in dieser Datei gesichert:\r\"",
                        u"The unsaved changes were kept in this file:\r\"") +
                       path + u'"',
                   pick(u"Programm wird beendet", u"Program ends"), MessageIcon::Information);
        } catch (const AppError &e) {
            // Ending now would lose the records: the user decides.
            const int answer = ask(
                pick(u"Die ungespeicherten Änderungen konnten nicht gesichert werden:\r",
                     u"The unsaved changes could not be kept:\r") +
                    e.numberAndDescription() + pick(u"\rTrotzdem beenden?", u"\rEnd all the same?"),
                pick(u"Datenverlust droht!", u"Loss of data!"), MessageButtons::YesNo,
                MessageIcon::Critical, 2);
            if (answer != AnswerYes)
                return;
        }
    }
    state.exitConfirmed = 1;
    endProgram();
}

int WindowContext::showModal(QWidget *owner, QDialog &dialog)
{
    const bool onTop = state.settings.alwaysOnTop;
    if (onTop && owner)
        FormOnTop(owner, false);
    FocusReturn focusBack(owner);
    const int result = dialog.exec();
    if (onTop && owner)
        FormOnTop(owner, true);
    return result;
}

void WindowContext::keepOnTop(QWidget *window)
{
    if (state.settings.alwaysOnTop)
        FormOnTop(window, true);
}

} // namespace askbright
