#include "ToolBindings.h"

#include "Form1.h"

#include <QPushButton>

ToolBindings::ToolBindings(Form1 &form)
    : QObject(&form), select_(form.editor()), erase_(form.editor()), move_(form.editor()),
      undo_(form.editor())
{
    connect(form.BoutSelect, &QPushButton::clicked, this, [this] { select_.press(); });
    connect(form.BoutEfface, &QPushButton::clicked, this, [this] { erase_.press(); });
    connect(form.BoutDeplace, &QPushButton::clicked, this, [this] { move_.press(); });
    connect(form.Command6, &QPushButton::clicked, this, [this] { undo_.press(); });
}
