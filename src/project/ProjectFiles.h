#pragma once

#include <QString>

// The files of the program folder. A project is name.bmp, its map, and
// name.doc, its scenario; beside the projects the folder holds the editor's
// own files, named here.
namespace ProjectFiles {

inline const QString BitmapSuffix = QStringLiteral(".bmp");
inline const QString DocumentSuffix = QStringLiteral(".doc");

// The project every start begins with; its scenario is StartDocument.
inline const QString StartProject = QStringLiteral("New");
// The scenario template, delivered with the editor.
inline const QString Template = QStringLiteral("vantorel.vtr");
// The start-up project's scenario, copied from the template at every start.
inline const QString StartDocument = QStringLiteral("new.doc");
// The help document, delivered with the editor.
inline const QString Help = QStringLiteral("readme.doc");
// The board as last changed, rewritten at every stamp, move, erase and undo.
inline const QString CommittedBoard = QStringLiteral("demo.bmp");
// The block the move tool cut last.
inline const QString MovedBlock = QStringLiteral("tiledeplace.bmp");
// What an editor that ends without its orderly exit leaves to bring back: the
// project whose map the committed board holds, and whether it was saved.
inline const QString Recovery = QStringLiteral(".vantorel.recovery");
// Held while an editor works in the folder, so that a second one keeps off.
inline const QString Lock = QStringLiteral(".vantorel.lock");

} // namespace ProjectFiles
