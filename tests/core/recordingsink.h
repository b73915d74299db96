#pragma once

#include "app/messages.h"

#include <QList>

// Remembers every message instead of showing it; answers OK.
struct RecordingSink : askbright::MessageSink {
    int showMessage(const askbright::Message &message) override
    {
        messages << message;
        return askbright::AnswerOk;
    }
    QList<askbright::Message> messages;
};
