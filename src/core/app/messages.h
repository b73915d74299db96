#pragma once

#include <QString>

namespace askbright {

// A message box as the core describes it; the windows show it through their
// dialog service, the command-line tool prints it.
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNoCancel, YesNo };

// Answer codes of message boxes.
enum MessageAnswer { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

struct Message {
    QString text;  // lines joined by a single CR
    QString title; // empty: the application title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 1; // 1-based position of the default button
    QString details = {};  // a long list, shown on request below the text

    bool operator==(const Message &) const = default;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows the message and returns the answer code.
    virtual int showMessage(const Message &message) = 0;
};

} // namespace askbright
