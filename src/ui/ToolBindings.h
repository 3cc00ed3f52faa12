#pragma once

#include "document/EraseTool.h"
#include "document/MoveTool.h"
#include "document/SelectTool.h"
#include "document/UndoCommand.h"

#include <QObject>

class Form1;

// Connects the main window's select, erase, move and undo buttons to their
// commands. It lives as a child of the window.
class ToolBindings : public QObject
{
    Q_OBJECT

public:
    explicit ToolBindings(Form1 &form);

private:
    SelectTool select_;
    EraseTool erase_;
    MoveTool move_;
    UndoCommand undo_;
};
