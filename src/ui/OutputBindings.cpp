#include "OutputBindings.h"

#include "Form1.h"

#include <QEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

OutputBindings::OutputBindings(Form1 &form)
    : QObject(&form), frame_(form.FramePrint), window_(&form), zone_(form.editor()),
      print_(form.editor()), textEditor_(form.editor()), help_(form.editor()), exit_(form.editor())
{
    // Every value, from an arrow, the track or the end of a drag, and every
    // thumb position on the way redraw the zone.
    connect(form.HScroll1, &QScrollBar::valueChanged, this, [this](int v) { zone_.setValue(v); });
    connect(form.HScroll1, &QScrollBar::sliderMoved, this, [this](int v) { zone_.setValue(v); });
    connect(form.Command1, &QPushButton::clicked, this, [this] { print_.run(); });
    connect(form.Command3, &QPushButton::clicked, this, [this] { textEditor_.run(); });
    connect(form.Command4, &QPushButton::clicked, this, [this] { help_.run(); });
    connect(form.Command2, &QPushButton::clicked, this, [this] { exit_.run(); });

    form.FramePrint->setMouseTracking(true);
    form.FramePrint->installEventFilter(this);
    // The title-bar button, Alt+F4 and the desktop's close at logout.
    form.installEventFilter(this);
}

bool OutputBindings::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window_ && event->type() == QEvent::Close) {
        // On No the window stays, and nothing else sees the close.
        if (exit_.run())
            return false;
        event->ignore();
        return true;
    }
    // Moves over the frame's button or scroll bar reach the frame too; only
    // those over the frame itself show the zone.
    if (watched == frame_ && event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (!frame_->childAt(at))
            zone_.showFrame();
    }
    return QObject::eventFilter(watched, event);
}
