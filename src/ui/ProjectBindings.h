#pragma once

#include "platform/QtFolderListing.h"

#include <QObject>
#include <QPointer>

class Form1;
class Form_Fichier;

// Connects the main window's "&SAVE" and "&OPEN" to the project commands and
// runs the open dialog's life: the main window is disabled while the dialog
// exists and given back, active and with its board preview replayed, when
// the dialog closes by either button or by the window manager.
class ProjectBindings : public QObject
{
    Q_OBJECT

public:
    explicit ProjectBindings(Form1 &form);
    ~ProjectBindings() override;

    // Where the dialog browses; the system's folders unless a test says.
    void setFolderListing(FolderListing *listing) { listing_ = listing ? listing : &folders_; }

    Form_Fichier *dialog() const;

    void save();
    void showOpenDialog();

private:
    void pressOpen();
    void cancel();
    void giveBackMainWindow();

    Form1 &form_;
    QtFolderListing folders_;
    FolderListing *listing_ = &folders_;
    QPointer<Form_Fichier> dialog_;
};
