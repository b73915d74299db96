#pragma once

#include "app/clock.h"
#include "app/textcodec.h"
#include "app/windowcontext.h"
#include "controls/button3d.h"
#include "controls/traycontrol.h"
#include "database/faqfile.h"
#include "editor/mainwindow.h"
#include "editor/recordeditor.h"
#include "gui/recordingsoundplayer.h"
#include "gui/scripteddialogs.h"
#include "gui/scriptederrors.h"
#include "settings/settingsfile.h"
#include "state/appstate.h"
#include "testutil.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace testutil {

// A settings file: the defaults with change applied.
inline QByteArray settingsBytes(const std::function<void(askbright::AppSettings &)> &change)
{
    askbright::AppSettings settings;
    change(settings);
    return askbright::encodeCp1252(askbright::formatSettings(settings));
}

inline QStringList itemTexts(const QComboBox *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

// The shared state and the window kit of one program run: a temporary
// program folder, a fixed "today", scripted dialogs. Collaborators of the
// main window are tested on it without the window.
struct Kit {
    QTemporaryDir dir;
    askbright::FixedClock clock{QDate(2026, 12, 6)};
    askbright::AppState state{dir.path(), clock, QStringLiteral("askbright"),
                              dir.filePath(QStringLiteral("Dokumente"))};
    ScriptedDialogService dialogs;
    ScriptedErrorReporter errors;
    RecordingSoundPlayer sounds;
    askbright::WindowContext context{state, dialogs, errors, sounds};

    QString path(const QString &name) const { return dir.filePath(name); }

    // Records "Q1"/"A1" .. "Qn"/"An".
    static QList<askbright::FaqRecord> numberedRecords(int count)
    {
        QList<askbright::FaqRecord> records;
        for (int i = 1; i <= count; ++i) {
            askbright::FaqRecord r;
            r.question = QStringLiteral("Q%1").arg(i);
            r.answer = QStringLiteral("A%1").arg(i);
            r.createdDate = QStringLiteral("01.01.2020");
            records << r;
        }
        return records;
    }

    // A database file of records "Q1"/"A1" .. "Qn"/"An".
    QString writeDatabase(const QString &name, int count)
    {
        askbright::faq_speichern(path(name), numberedRecords(count));
        return path(name);
    }

    // The settings file as the next start reads it.
    askbright::AppSettings storedSettings() const
    {
        askbright::AppSettings read;
        askbright::readSettingsFile(state.settingsFilePath(), read);
        return read;
    }

    QStringList questions() const
    {
        QStringList list;
        for (const askbright::FaqRecord &r : state.database.records())
            list << r.question;
        return list;
    }
};

// One program run: the kit and the main window after its start-up.
struct Session : Kit {
    int programEnded = 0; // how often the program was ended at once
    int programQuit = 0;  // how often the event loop was left after the exit command
    // The messages of the start-up (the folder check); dialogs.messages
    // starts empty after it.
    QList<askbright::Message> startMessages;
    std::unique_ptr<askbright::MainWindow> window;

    explicit Session(const QByteArray &settingsFile = {})
        : Session([&settingsFile](Session &s) {
              if (!settingsFile.isEmpty())
                  writeBytes(s.state.settingsFilePath(), settingsFile);
          })
    {
    }
    // prepare runs before the main window loads: files in the program folder,
    // the settings file.
    explicit Session(const std::function<void(Session &)> &prepare)
    {
        context.endProgram = [this] { ++programEnded; };
        context.quit = [this] { ++programQuit; };
        prepare(*this);
        window = std::make_unique<askbright::MainWindow>(context);
        window->load();
        startMessages = dialogs.messages;
        dialogs.messages.clear();
    }

    askbright::MainWindow &w() { return *window; }
    // The title as the desktop shows it: "[*]" becomes the modified mark.
    QString title() const
    {
        QString t = window->windowTitle();
        return t.replace(QStringLiteral("[*]"),
                         window->isWindowModified() ? QStringLiteral("*") : QString());
    }
    template <typename T> T *get(const char *name) { return child<T>(*window, name); }
    askbright::Button3D *button(const char *name) { return get<askbright::Button3D>(name); }
    QAction *action(const char *name) { return get<QAction>(name); }
    QString position() { return get<QLabel>("lblxvony")->text(); }
    QString question() { return get<QPlainTextEdit>("txtfrage")->toPlainText(); }

    void type(const QString &question, const QString &answer)
    {
        get<QPlainTextEdit>("txtfrage")->setPlainText(question);
        get<QPlainTextEdit>("txtantwort")->setPlainText(answer);
    }

    void open(const QString &file)
    {
        dialogs.files << file;
        window->onOpenDatabaseTriggered();
    }
};

} // namespace testutil
