#pragma once

#include <QString>

// Modal message boxes and the one-line text prompt. Commands talk to the user
// only through this interface, so tests can script the answers.
class Dialogs
{
public:
    // SaveDiscardCancel: the question before a map that is not saved is dropped.
    enum class Buttons { Ok, OkCancel, YesNo, SaveDiscardCancel };
    enum class Icon { None, Information, Exclamation, Critical };
    // Answer codes as the message box reports them.
    enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7, Save = 8, Discard = 9 };

    struct Message {
        QString text;
        QString title;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer defaultButton = Answer::Ok;
    };

    virtual ~Dialogs() = default;

    virtual Answer message(const Message &message) = 0;

    // The text typed, or an empty text when the user cancelled.
    virtual QString prompt(const QString &message, const QString &title, const QString &defaultText)
        = 0;

    // Shorthands for the boxes most commands show.
    void warning(const QString &text, const QString &title);
    void error(const QString &text, const QString &title);
};
