#include "Fonts.h"

#include <QStringList>

namespace Fonts {

QFont face(const char *family, double points, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont caption(const char *family, double points, bool bold)
{
    QFont font = face(family, points, bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

QFont standard() { return face(SansSerif, 8.25); }

void installSubstitutes()
{
    struct Substitute {
        const char *requested;
        QStringList lookAlikes;
    };
    // Comic Neue, Liberation Sans and Liberation Sans Narrow keep the widths
    // close enough that the captions fit their buttons as designed.
    const Substitute table[] = {
        {Comic, {QStringLiteral("Comic Neue"), QStringLiteral("Comic Sans")}},
        {SansSerif, {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}},
        {Narrow, {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial")}},
    };
    for (const Substitute &s : table) {
        const QString requested = QString::fromLatin1(s.requested);
        QFont::removeSubstitutions(requested);
        QFont::insertSubstitutions(requested, s.lookAlikes);
    }
}

} // namespace Fonts
