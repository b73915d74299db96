#pragma once

#include "app/messages.h"

#include <QList>

// Remembers every message instead of showing it; answers OK.
class RecordingSink : public askbright::MessageSink {
public:
    int showMessage(const askbright::Message &message) override
    {
        messages << message;
        return askbright::AnswerOk;
    }
    QList<askbright::Message> messages;
};
