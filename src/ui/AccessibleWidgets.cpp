#include "AccessibleWidgets.h"

#include "BoardCanvas.h"
#include "PaletteEntry.h"

#include <QAccessibleWidget>

namespace {

class PaletteEntryInterface : public QAccessibleWidget
{
public:
    explicit PaletteEntryInterface(PaletteEntry *entry)
        : QAccessibleWidget(entry, QAccessible::RadioButton)
    {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = entry()->isPicked();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            entry()->press();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PaletteEntry *entry() const { return static_cast<PaletteEntry *>(widget()); }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (className == QLatin1String(PaletteEntry::staticMetaObject.className()))
        return new PaletteEntryInterface(static_cast<PaletteEntry *>(object));
    if (className == QLatin1String(BoardCanvas::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Canvas);
    return nullptr;
}

} // namespace

namespace AccessibleWidgets {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(interfaceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace AccessibleWidgets
