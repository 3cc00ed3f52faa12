#include "Form1.h"

#include "BoardCanvas.h"
#include "app/Editor.h"
#include "board/BoardController.h"

#include <QEvent>

Form1::Form1(Editor &editor, QWidget *parent)
    : QWidget(parent), editor_(editor), controller_(std::make_unique<BoardController>(editor))
{
    setObjectName(QStringLiteral("Form1"));
    resize(ClientWidth, ClientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 255));
    setPalette(pal);
    setAutoFillBackground(true);

    canvas_ = new BoardCanvas(editor_, *controller_, this);
    canvas_->move(200, 16);

    setWindowTitle(editor_.caption());
    connect(&editor_, &Editor::captionChanged, this, &QWidget::setWindowTitle);
}

Form1::~Form1() = default;

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
