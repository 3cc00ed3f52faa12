#pragma once

#include "document/ExitCommand.h"
#include "document/HelpCommand.h"
#include "document/PrintCommand.h"
#include "document/PrintZone.h"
#include "document/TextEditorCommand.h"

#include <QObject>

class Form1;
class QWidget;

// Connects the main window's print frame and its text editor, help and exit
// buttons to their commands, and asks the exit question when the window
// manager closes the window. Owned by the window.
class OutputBindings : public QObject
{
    Q_OBJECT

public:
    explicit OutputBindings(Form1 &form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The print frame, kept apart from the window: the filter still sees the
    // frame's events while the window is being destroyed, when it is no
    // longer a Form1.
    QWidget *frame_;
    QWidget *window_;
    PrintZone zone_;
    PrintCommand print_;
    TextEditorCommand textEditor_;
    HelpCommand help_;
    ExitCommand exit_;
};
