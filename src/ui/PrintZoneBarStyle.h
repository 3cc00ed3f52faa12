#pragma once

#include <QProxyStyle>

// The look of the print-zone scroll bar. The bar is short and its range
// long: with the usual minimum the thumb fills half the groove, and the groove
// is barely darker than the thumb, so which end it stands at is hard to tell.
// A square thumb as high as the bar, over a plainly darker groove, shows it
// at a glance. A click on the groove steps the zone by a page on every
// desktop, even where the desktop's style jumps the thumb to the click.
class PrintZoneBarStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override;
};
