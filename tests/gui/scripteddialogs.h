#pragma once

#include "controls/dialogservice.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace testutil {

// A dialog service that records every dialog the window shows and answers
// from queues. An unscripted message gets its default button, as Enter would;
// an unscripted file, font or colour dialog is cancelled.
class ScriptedDialogService : public askbright::DialogService {
public:
    QList<askbright::Message> messages;
    QList<int> answers;
    QList<askbright::FileDialogRequest> fileRequests;
    QList<std::optional<QString>> files;
    QList<qint32> colorRequests; // the colour each colour dialog started from
    QList<std::optional<qint32>> colors;
    QStringList opened;
    QList<askbright::FontChoice> fontRequests;         // what each font dialog started from
    QList<std::optional<askbright::FontChoice>> fonts; // unscripted: cancelled
    // Called while each message is shown, to look at the windows behind it.
    std::function<void(const askbright::Message &)> onMessage;
    // Folder browser: the prompts asked, the folders chosen ("" cancels).
    QStringList folderPrompts;
    QStringList folders;
    // Input box: "prompt|title" asked, the entries typed ("" cancels).
    QStringList inputPrompts;
    QStringList inputs;

    int showMessage(const askbright::Message &message) override
    {
        messages << message;
        if (onMessage)
            onMessage(message);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return defaultAnswer(message);
    }
    std::optional<QString> showFileDialog(const askbright::FileDialogRequest &request) override
    {
        fileRequests << request;
        return files.isEmpty() ? std::nullopt : files.takeFirst();
    }
    std::optional<qint32> showColorDialog(qint32 initial) override
    {
        colorRequests << initial;
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }
    std::optional<askbright::FontChoice>
    showFontDialog(const askbright::FontChoice &initial) override
    {
        fontRequests << initial;
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }
    QString browseForFolder(QWidget *, const QString &prompt) override
    {
        folderPrompts << prompt;
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString inputBox(const QString &prompt, const QString &title, const QString &) override
    {
        inputPrompts << prompt + u'|' + title;
        return inputs.isEmpty() ? QString() : inputs.takeFirst();
    }
    bool openExternal(const QString &target) override
    {
        opened << target;
        return true;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const askbright::Message &m : messages)
            texts << m.text;
        return texts;
    }

private:
    static int defaultAnswer(const askbright::Message &message)
    {
        using namespace askbright;
        static const QList<int> ok{AnswerOk}, okCancel{AnswerOk, AnswerCancel},
            yesNoCancel{AnswerYes, AnswerNo, AnswerCancel}, yesNo{AnswerYes, AnswerNo};
        const QList<int> *codes = &ok;
        switch (message.buttons) {
        case MessageButtons::OkCancel:
            codes = &okCancel;
            break;
        case MessageButtons::YesNoCancel:
            codes = &yesNoCancel;
            break;
        case MessageButtons::YesNo:
            codes = &yesNo;
            break;
        case MessageButtons::Ok:
            break;
        }
        return codes->value(message.defaultButton - 1, codes->first());
    }
};

} // namespace testutil
