#pragma once

#include <QProxyStyle>

// The desktop's style, but for the chevron of the menu bar's overflow
// button, which is drawn here: the style would read it from a picture file,
// and finding that file's format loads every image plugin, a good part of
// the start-up's time.
class EditorStyle : public QProxyStyle
{
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
