#include "Form_Fichier.h"

#include "project/ProjectBrowser.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>

namespace {

QFont sansSerif(double points, bool bold = false)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

template<typename W>
W *place(W *widget, const char *name, QRect rect, double points, bool bold = false)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rect);
    widget->setFont(sansSerif(points, bold));
    return widget;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text, QRect rect,
                    double points, bool bold = false)
{
    auto *b = place(new QPushButton(text, parent), name, rect, points, bold);
    // Outside a QDialog no button is a default one; auto-default makes Enter
    // press the button that has the focus, and that one only.
    b->setAutoDefault(true);
    return b;
}

constexpr int RowRole = Qt::UserRole;

} // namespace

Form_Fichier::Form_Fichier(FolderListing &listing, Dialogs &dialogs, const QString &startFolder,
                           QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      browser_(std::make_unique<ProjectBrowser>(listing, dialogs))
{
    setObjectName(QStringLiteral("Form_Fichier"));
    setWindowTitle(QStringLiteral("Chargement d'un projet"));
    setFixedSize(ClientWidth, ClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 255));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(sansSerif(8.25));
    build();
    browser_->start(startFolder);
    showBrowser();
    Command1->setFocus();
}

Form_Fichier::~Form_Fichier()
{
    // The lists may signal while Qt takes them down; the browser goes first.
    for (QObject *child : children())
        child->disconnect(this);
}

void Form_Fichier::build()
{
    Command1 = button(this, "Command1", QStringLiteral("&Annuler"), {345, 106, 76, 23}, 8.25);
    Text1 = place(new QLineEdit(this), "Text1", {187, 41, 127, 24}, 9.75);
    bout_open = button(this, "bout_open", QStringLiteral("&Ouvrir"), {343, 42, 76, 52}, 9.75, true);
    Drive1 = place(new QComboBox(this), "Drive1", {19, 40, 157, 21}, 8.25);
    Dir1 = place(new QTreeWidget(this), "Dir1", {16, 82, 163, 92}, 8.25);
    Dir1->setHeaderHidden(true);
    Dir1->setRootIsDecorated(false);
    Dir1->setItemsExpandable(false);
    Dir1->setIndentation(8);
    // Every row is shown and none folds: no branch marks.
    Dir1->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    Dir1->installEventFilter(this);
    File1 = place(new QListWidget(this), "File1", {187, 82, 126, 102}, 9.75);
    File1->installEventFilter(this);
    Text1->setAccessibleName(QStringLiteral("Nom du fichier"));
    // On Linux a drop-down list is named by its current entry; the
    // description says what it chooses.
    Drive1->setAccessibleName(QStringLiteral("Lecteur"));
    Drive1->setAccessibleDescription(QStringLiteral("Lecteur"));
    Dir1->setAccessibleName(QStringLiteral("Dossiers"));
    File1->setAccessibleName(QStringLiteral("Plans du dossier"));

    setTabOrder(Command1, Text1);
    setTabOrder(Text1, bout_open);
    setTabOrder(bout_open, Drive1);
    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);

    connect(Command1, &QPushButton::clicked, this, &Form_Fichier::cancelled);
    connect(bout_open, &QPushButton::clicked, this, &Form_Fichier::openPressed);
    connect(Drive1, &QComboBox::activated, this, [this](int index) {
        browser_->chooseDrive(index);
        showBrowser();
    });
    connect(Dir1, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { openFolderItem(item); });
    // A double-click on a file opens it, as "&Ouvrir" does.
    connect(File1, &QListWidget::itemDoubleClicked, this, &Form_Fichier::openPressed);
    connect(File1, &QListWidget::currentRowChanged, this, [this](int row) {
        browser_->selectFile(row);
        Text1->setText(browser_->nameText());
    });
    connect(Text1, &QLineEdit::textEdited, this, [this](const QString &text) {
        browser_->editName(text);
        showFileSelection();
    });
}

void Form_Fichier::openFolderItem(QTreeWidgetItem *item)
{
    if (!item)
        return;
    browser_->openFolderRow(item->data(0, RowRole).toInt());
    showBrowser();
}

bool Form_Fichier::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the directory list opens the highlighted folder, and in the
    // file list the highlighted file, as a double-click does.
    if ((watched == Dir1 || watched == File1) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == Dir1)
                openFolderItem(Dir1->currentItem());
            else
                emit openPressed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form_Fichier::showBrowser()
{
    const ProjectBrowser &b = *browser_;
    {
        const QSignalBlocker blocker(Drive1);
        if (Drive1->count() != b.drives().size()) {
            Drive1->clear();
            for (const QString &root : b.drives())
                Drive1->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root);
        }
        Drive1->setCurrentIndex(b.driveIndex());
    }
    {
        const QSignalBlocker blocker(Dir1);
        Dir1->clear();
        const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
        const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
        QTreeWidgetItem *parent = nullptr;
        QTreeWidgetItem *current = nullptr;
        const QList<ProjectBrowser::FolderRow> &rows = b.folderRows();
        for (int i = 0; i < rows.size(); ++i) {
            const bool ancestor = i <= b.currentFolderRow();
            auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Dir1);
            item->setText(0, rows.at(i).name);
            item->setIcon(0, ancestor ? open : closed);
            item->setData(0, RowRole, i);
            if (ancestor)
                parent = item;
            if (i == b.currentFolderRow())
                current = item;
        }
        Dir1->expandAll();
        Dir1->setCurrentItem(current);
    }
    {
        const QSignalBlocker blocker(File1);
        File1->clear();
        File1->addItems(b.files());
    }
    showFileSelection();
    Text1->setText(b.nameText());
}

void Form_Fichier::showFileSelection()
{
    const QSignalBlocker blocker(File1);
    File1->setCurrentRow(browser_->fileIndex());
    if (browser_->fileIndex() < 0)
        File1->clearSelection();
}

void Form_Fichier::dismiss()
{
    dismissed_ = true;
    hide();
    deleteLater();
}

void Form_Fichier::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!dismissed_)
        emit cancelled();
}
