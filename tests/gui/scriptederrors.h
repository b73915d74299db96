#pragma once

#include "app/apperror.h"
#include "errors/errorreporter.h"

#include <QList>
#include <QStringList>

namespace testutil {

// An error reporter that records each report ("frm1/cmdvor_Click/13") and
// answers from a queue; unscripted reports leave the procedure.
class ScriptedErrorReporter : public askbright::ErrorReporter {
public:
    QStringList reports;
    QList<int> answers;

    int OnError(const QString &module, const QString &procedure,
                const askbright::AppError &error) override
    {
        reports << QStringLiteral("%1/%2/%3").arg(module, procedure).arg(error.number());
        return answers.isEmpty() ? askbright::LeaveProcedure : answers.takeFirst();
    }
};

} // namespace testutil
