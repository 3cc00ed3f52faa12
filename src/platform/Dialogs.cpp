#include "Dialogs.h"

void Dialogs::warning(const QString &text, const QString &title)
{
    message({text, title, Buttons::Ok, Icon::Exclamation, Answer::Ok});
}

void Dialogs::error(const QString &text, const QString &title)
{
    message({text, title, Buttons::Ok, Icon::Critical, Answer::Ok});
}
