#include "ShortcutBindings.h"

#include "Form1.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

ShortcutBindings::ShortcutBindings(Form1 &form) : QObject(&form)
{
    const QList<std::pair<QKeySequence, QPushButton *>> bindings = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), form.Command6},
        {QKeySequence(Qt::Key_Delete), form.BoutEfface},
        {QKeySequence(Qt::Key_Backspace), form.BoutEfface},
        {QKeySequence(Qt::CTRL | Qt::Key_S), form.BoutSAVE},
        {QKeySequence(Qt::CTRL | Qt::Key_O), form.BoutOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_P), form.Command1},
        {QKeySequence(Qt::Key_F1), form.Command4},
        {QKeySequence(Qt::CTRL | Qt::Key_E), form.Command3},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), form.Command2},
    };
    for (const auto &[keys, button] : bindings) {
        auto *shortcut = new QShortcut(keys, &form);
        shortcuts_.append(shortcut);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [button = button] {
            if (button->isEnabled())
                button->click();
        });
    }
}

ShortcutBindings::~ShortcutBindings() { qDeleteAll(shortcuts_); }
