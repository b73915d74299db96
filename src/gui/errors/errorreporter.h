#pragma once

#include <QString>

namespace askbright {

class AppError;

// The answers of the error reporter: what the failed handler does next.
enum ContinueAction {
    RetryStatement = 0, // never offered
    NextStatement = 1,
    LeaveProcedure = 2,
    EndProgram = 3,
};

// Where every handler's failure goes: logged, shown, answered.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    // module: the window, module or class ("frm1"); procedure: the handler ("cmdvor_Click").
    virtual int OnError(const QString &module, const QString &procedure, const AppError &error) = 0;
};

} // namespace askbright
