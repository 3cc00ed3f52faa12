#pragma once

#include <QString>

class Editor;

// The editor keeps every project and working file in its program folder, so
// it cannot work from a folder it may not write in: an install for all users
// under a system prefix, a read-only disk.
namespace ProgramFolderCheck {

// The title of the message that stops the editor, which names the cure.
inline const QString Title = QStringLiteral("Installation de Vantorel Editor");

// The install that puts the program folder where its user can write.
inline const QString PerUserInstall = QStringLiteral("cmake --install build --prefix ~/.local");

// True when files can be created in the program folder. Otherwise the user has
// been told why and how to install the editor for their own account, and the
// editor must not open.
bool writable(Editor &editor);

} // namespace ProgramFolderCheck
