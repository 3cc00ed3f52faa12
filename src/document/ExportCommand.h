#pragma once

#include <QString>

class Editor;

// "Exporter en image…" and "Exporter en PDF…": the committed map as a PNG
// picture at the scale the user picks, or the printed page as a PDF
// document, written to a file the user picks in the desktop's save dialog.
class ExportCommand
{
public:
    static const QString ImageTitle;
    static const QString PdfTitle;
    static const QString PngSuffix;
    static const QString PdfSuffix;

    explicit ExportCommand(Editor &editor);

    // True when the file was written; false when the user cancelled or was
    // told why it could not be.
    bool exportImage();
    bool exportPdf();

    // Where the save dialog opens: the project's name with the suffix, in the
    // folder last exported into, else in the user's pictures folder.
    QString proposedPath(const QString &suffix) const;

private:
    // The file picked, with the suffix added when it lacks it; empty when
    // the user cancelled.
    QString pickFile(const QString &title, const QString &suffix, const QString &filter);
    bool done(bool written, const QString &path, const QString &reason, const QString &title);

    Editor &editor_;
};
