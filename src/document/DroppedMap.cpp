#include "DroppedMap.h"

#include "project/ProjectFiles.h"

#include <QMimeData>
#include <QUrl>

QString DroppedMap::bitmapOf(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QString path = urls.first().toLocalFile();
    return path.endsWith(ProjectFiles::BitmapSuffix, Qt::CaseInsensitive) ? path : QString();
}
