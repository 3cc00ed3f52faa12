#include "PrintZoneBarStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <QWidget>

int PrintZoneBarStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                   const QWidget *widget) const
{
    if (metric == PM_ScrollBarSliderMin && widget)
        return widget->height();
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int PrintZoneBarStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                 QStyleHintReturn *returnData) const
{
    if (hint == SH_ScrollBar_LeftClickAbsolutePosition)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void PrintZoneBarStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex *option, QPainter *painter,
                                           const QWidget *widget) const
{
    const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->fillRect(subControlRect(control, bar, SC_ScrollBarGroove, widget),
                      QColor(176, 176, 176));
    QStyleOptionSlider rest = *bar;
    rest.subControls &= ~(SC_ScrollBarGroove | SC_ScrollBarAddPage | SC_ScrollBarSubPage);
    QProxyStyle::drawComplexControl(control, &rest, painter, widget);
}
