#include "QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

Dialogs::Answer QtDialogs::message(const Message &message)
{
    QMessageBox box(parent_);
    box.setWindowModality(Qt::ApplicationModal);
    box.setText(message.text);
    box.setWindowTitle(message.title.isEmpty() ? QApplication::applicationName() : message.title);
    switch (message.icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }

    struct Choice {
        QMessageBox::StandardButton button;
        const char *text;
        Answer answer;
    };
    QList<Choice> choices;
    switch (message.buttons) {
    case Buttons::Ok:
        choices = {{QMessageBox::Ok, "OK", Answer::Ok}};
        break;
    case Buttons::OkCancel:
        choices = {{QMessageBox::Ok, "OK", Answer::Ok},
                   {QMessageBox::Cancel, "Annuler", Answer::Cancel}};
        break;
    case Buttons::YesNo:
        choices = {{QMessageBox::Yes, "&Oui", Answer::Yes}, {QMessageBox::No, "&Non", Answer::No}};
        break;
    case Buttons::SaveDiscardCancel:
        choices = {{QMessageBox::Save, "&Enregistrer", Answer::Save},
                   {QMessageBox::Discard, "&Ne pas enregistrer", Answer::Discard},
                   {QMessageBox::Cancel, "Annuler", Answer::Cancel}};
        break;
    }
    for (const Choice &choice : choices) {
        QPushButton *button = box.addButton(choice.button);
        button->setText(QString::fromUtf8(choice.text));
        if (choice.answer == message.defaultButton)
            box.setDefaultButton(button);
    }
    const int clicked = box.exec();
    for (const Choice &choice : choices)
        if (clicked == choice.button)
            return choice.answer;
    // Closed by the window manager or Escape: the negative answer of the set.
    return choices.size() > 1 ? choices.last().answer : choices.first().answer;
}

QString QtDialogs::prompt(const QString &message, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(parent_);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(message);
    dialog.setWindowTitle(title);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.textValue();
}
