#pragma once

#include <QWidget>

#include <memory>

class Dialogs;
class FolderListing;
class ProjectBrowser;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The open-project dialog: drive list, directory list, bitmap list, name box
// and the two buttons, over the browser that holds what they show. A plain
// window rather than a QDialog: Escape closes nothing and Enter presses only
// the button that has the focus.
class Form_Fichier : public QWidget
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 435;
    static constexpr int ClientHeight = 209;

    // Shows the start folder first.
    Form_Fichier(FolderListing &listing, Dialogs &dialogs, const QString &startFolder,
                 QWidget *parent = nullptr);
    ~Form_Fichier() override;

    ProjectBrowser &browser() { return *browser_; }

    // Closes and destroys the window; no cancel is reported.
    void dismiss();

    QPushButton *Command1 = nullptr; // "&Annuler"
    QLineEdit *Text1 = nullptr;
    QPushButton *bout_open = nullptr;
    QComboBox *Drive1 = nullptr;
    QTreeWidget *Dir1 = nullptr;
    QListWidget *File1 = nullptr;

signals:
    void openPressed();
    // "&Annuler", or the window closed by the window manager.
    void cancelled();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void showBrowser();
    // The list's highlight on the entry the name box names, or on none.
    void showFileSelection();
    void openFolderItem(QTreeWidgetItem *item);

    std::unique_ptr<ProjectBrowser> browser_;
    bool dismissed_ = false;
};
