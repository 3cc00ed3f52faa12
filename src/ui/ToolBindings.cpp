#include "ToolBindings.h"

#include "BoardCanvas.h"
#include "Form1.h"

#include <QPushButton>

ToolBindings::ToolBindings(Form1 &form)
    : QObject(&form), select_(form.editor()), erase_(form.editor()), move_(form.editor()),
      undo_(form.editor())
{
    // The select, erase and move buttons disable themselves and hand the work
    // to the board: the keyboard goes there too, so Escape cancels a selection
    // at once instead of reaching whichever button the focus fell to.
    BoardCanvas *board = form.board();
    connect(form.BoutSelect, &QPushButton::clicked, this, [this, board] {
        select_.press();
        board->setFocus();
    });
    connect(form.BoutEfface, &QPushButton::clicked, this, [this, board] {
        erase_.press();
        board->setFocus();
    });
    connect(form.BoutDeplace, &QPushButton::clicked, this, [this, board] {
        move_.press();
        board->setFocus();
    });
    connect(form.Command6, &QPushButton::clicked, this, [this] { undo_.press(); });
}
