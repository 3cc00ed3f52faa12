#include "EditorStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

QIcon EditorStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                const QWidget *widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    QPixmap chevron(16, 16);
    chevron.fill(Qt::transparent);
    QPainter painter(&chevron);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const double x : {4.0, 9.0}) {
        const QPointF arrow[] = {{x, 4.0}, {x + 3.0, 8.0}, {x, 12.0}};
        painter.drawPolyline(arrow, 3);
    }
    painter.end();
    if (icon == SP_ToolBarVerticalExtensionButton)
        chevron = chevron.transformed(QTransform().rotate(90));
    return QIcon(chevron);
}

void EditorStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(option->palette.window().color().darker(140));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->restore();
}
