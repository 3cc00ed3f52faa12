#pragma once

#include <QString>

class Editor;

// The question before a map that is not saved is dropped (by opening
// another, by ending the editor): save it first, drop it, or stay.
namespace UnsavedMapGuard {

QString question(const Editor &editor);

// True when the map may go: it is saved, the user saved it now, or chose to
// drop it. False when the user stayed or the save did not happen; nothing
// has changed then but what the save wrote.
bool mayDropMap(Editor &editor);

} // namespace UnsavedMapGuard
