#include "Form1.h"

#include "BoardCanvas.h"
#include "OutputBindings.h"
#include "ProjectBindings.h"
#include "ToolBindings.h"
#include "app/Editor.h"
#include "board/BoardController.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

QFont faceOf(const char *family, double points, bool bold = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text, QRect rect)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
}

QWidget *makeHidden(QWidget *parent, const char *name, QSize size)
{
    auto *widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->resize(size);
    widget->hide();
    return widget;
}

} // namespace

Form1::Form1(Editor &editor, QWidget *parent)
    : QWidget(parent), editor_(editor), controller_(std::make_unique<BoardController>(editor))
{
    setObjectName(QStringLiteral("Form1"));
    resize(ClientWidth, ClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 255));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(faceOf("MS Sans Serif", 8.25));

    canvas_ = new BoardCanvas(editor_, *controller_, this);
    canvas_->move(200, 16);
    buildPanel();

    makeHidden(this, "PictureSave", QSize(89, 105));
    makeHidden(this, "PictureFond", QSize(793, 558));
    makeHidden(this, "Image2", QSize(136, 108));

    setWindowTitle(editor_.caption());
    connect(&editor_, &Editor::captionChanged, this, &QWidget::setWindowTitle);
    connect(&editor_, &Editor::toolsChanged, this, &Form1::showTools);
    showTools();
    new OutputBindings(*this);
    new ProjectBindings(*this);
    new ToolBindings(*this);
}

Form1::~Form1() = default;

void Form1::buildPanel()
{
    FramePrint = new QGroupBox(QStringLiteral("Printing"), this);
    FramePrint->setObjectName(QStringLiteral("FramePrint"));
    FramePrint->setGeometry(208, 600, 97, 89);
    Command1 = makeButton(FramePrint, "Command1", QStringLiteral("&Print"), {8, 16, 73, 41});
    Command1->setFont(faceOf("Comic Sans MS", 12));
    HScroll1 = new QScrollBar(Qt::Horizontal, FramePrint);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(8, 64, 73, 17);
    HScroll1->setRange(100, 544);
    HScroll1->setSingleStep(6);
    HScroll1->setPageStep(10);
    HScroll1->setValue(544);

    const QFont comic = faceOf("Comic Sans MS", 9.75, true);
    BoutOpen = makeButton(this, "BoutOpen", QStringLiteral("&OPEN"), {328, 600, 65, 33});
    BoutOpen->setFont(comic);
    BoutSAVE = makeButton(this, "BoutSAVE", QStringLiteral("&SAVE"), {328, 656, 65, 33});
    BoutSAVE->setFont(comic);
    BoutSelect = makeButton(this, "BoutSelect", QString(), {416, 600, 33, 33});
    BoutEfface = makeButton(this, "BoutEfface", QString(), {472, 600, 33, 33});
    BoutDeplace = makeButton(this, "BoutDeplace", QString(), {528, 600, 33, 33});
    Command4 = makeButton(this, "Command4", QStringLiteral("?"), {576, 600, 49, 33});
    Command4->setFont(faceOf("MS Sans Serif", 18));
    Command6 = makeButton(this, "Command6", QString(), {416, 656, 33, 33});
    Command3 = makeButton(this, "Command3", QStringLiteral("Text Editor"), {472, 656, 89, 33});
    Command3->setFont(comic);
    Command2 = makeButton(this, "Command2", QStringLiteral("&EXIT"), {576, 656, 49, 33});
    Command2->setFont(comic);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(640, 600, 315, 93);
    Image1->setScaledContents(true);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(647, 672, 193, 25);
}

void Form1::showTools()
{
    const Editor::ToolButtons tools = editor_.tools();
    BoutSelect->setEnabled(tools.select);
    BoutDeplace->setEnabled(tools.move);
    BoutEfface->setEnabled(tools.erase);
}

bool Form1::startUp()
{
    if (!editor_.startUp())
        return false;
    canvas_->move(200, 24);
    canvas_->setFocus();
    return true;
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first showing counts as an activation, even where the window
    // system reports none.
    if (!shownOnce_) {
        shownOnce_ = true;
        canvas_->setFocus();
        controller_->activate();
    }
}

void Form1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        controller_->activate();
}
