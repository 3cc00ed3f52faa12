#include "SelectTool.h"

#include "Editor.h"

SelectTool::SelectTool(Editor &editor) : editor_(editor) {}

void SelectTool::press()
{
    editor_.state().Mode = EditMode::SelectionArmed;
    Editor::ToolButtons tools = editor_.tools();
    tools.select = false;
    editor_.setTools(tools);
}
