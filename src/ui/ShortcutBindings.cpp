#include "ShortcutBindings.h"

#include "Form1.h"

#include <QPushButton>
#include <QShortcut>

QList<ShortcutBindings::Binding> ShortcutBindings::bindings(const Form1 &form)
{
    return {
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
}

ShortcutBindings::ShortcutBindings(Form1 &form) : QObject(&form)
{
    for (const Binding &binding : bindings(form)) {
        auto *shortcut = new QShortcut(binding.keys, &form);
        shortcuts_.append(shortcut);
        shortcut->setContext(Qt::WindowShortcut);
        QPushButton *button = binding.button;
        connect(shortcut, &QShortcut::activated, this, [button] {
            if (button->isEnabled())
                button->click();
        });
    }
}

ShortcutBindings::~ShortcutBindings() { qDeleteAll(shortcuts_); }
