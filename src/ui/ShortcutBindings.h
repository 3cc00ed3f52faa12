#pragma once

#include <QList>
#include <QObject>

class Form1;
class QShortcut;

// The main window's keyboard shortcuts. Each one clicks its panel button,
// wherever the focus is in the window, so it runs the button's own command
// and does nothing while the button is disabled.
class ShortcutBindings : public QObject
{
    Q_OBJECT

public:
    explicit ShortcutBindings(Form1 &form);
    ~ShortcutBindings() override;

private:
    // Children of the window, which gives them their context, and gone with
    // this binder.
    QList<QShortcut *> shortcuts_;
};
