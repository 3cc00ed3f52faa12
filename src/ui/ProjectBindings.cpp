#include "ProjectBindings.h"

#include "BoardCanvas.h"
#include "Form1.h"
#include "Form_Fichier.h"
#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/OpenCommand.h"
#include "document/SaveCommand.h"
#include "project/ProjectBrowser.h"

#include <QPushButton>
#include <QWindow>

ProjectBindings::ProjectBindings(Form1 &form) : QObject(&form), form_(form)
{
    setObjectName(QStringLiteral("ProjectBindings"));
    connect(form_.BoutSAVE, &QPushButton::clicked, this, &ProjectBindings::save);
    connect(form_.BoutOpen, &QPushButton::clicked, this, &ProjectBindings::showOpenDialog);
}

ProjectBindings::~ProjectBindings() { delete dialog_; }

Form_Fichier *ProjectBindings::dialog() const { return dialog_; }

void ProjectBindings::save() { SaveCommand(form_.editor()).run(); }

void ProjectBindings::showOpenDialog()
{
    if (dialog_)
        return;
    // No parent: a disabled window disables its child windows too.
    dialog_ = new Form_Fichier(*listing_, form_.editor().platform().dialogs);
    connect(dialog_, &Form_Fichier::openPressed, this, &ProjectBindings::pressOpen);
    connect(dialog_, &Form_Fichier::cancelled, this, &ProjectBindings::cancel);

    form_.setEnabled(false);
    // Client area over client area, whatever frames the window manager adds.
    QRect client(QPoint(), dialog_->size());
    client.moveCenter(form_.geometry().center());
    dialog_->setGeometry(client);
    dialog_->winId();
    if (QWindow *window = dialog_->windowHandle())
        window->setTransientParent(form_.windowHandle());
    dialog_->show();
    dialog_->activateWindow();
    dialog_->Command1->setFocus();
}

void ProjectBindings::pressOpen()
{
    OpenCommand command(form_.editor());
    if (!command.confirm(dialog_->browser().nameText()))
        return;
    const QString folder = dialog_->browser().folder();
    const QString chosen = dialog_->browser().chosenFileName();
    giveBackMainWindow();
    command.open(folder, chosen);
    // The main window is active again: its preview replays over the board,
    // showing the opened map at once in placement mode.
    form_.controller().activate();
}

void ProjectBindings::cancel()
{
    giveBackMainWindow();
    form_.controller().activate();
}

void ProjectBindings::giveBackMainWindow()
{
    if (dialog_)
        dialog_->dismiss();
    form_.setEnabled(true);
    form_.activateWindow();
    form_.board()->setFocus();
}
