#pragma once

#include <QString>

// What the user picks to export the map: the scale of a picture and the file
// to write. Tests put scripted answers in its place.
class ExportDialogs
{
public:
    virtual ~ExportDialogs() = default;

    // Image pixels per board pixel, from 1 to maximum, or 0 when the user
    // cancelled.
    virtual int chooseScale(int proposed, int maximum) = 0;

    // The file picked in the desktop's save dialog, which opens on the
    // proposed path; an empty text when the user cancelled.
    virtual QString saveFileName(const QString &title, const QString &proposedPath,
                                 const QString &filter)
        = 0;
};
