#pragma once

// What assistive technology is told of the editor's own widgets, which Qt
// would report as mere frames: the board is a canvas, and each palette entry
// a radio button, checked while picked, that a screen reader can press.
namespace AccessibleWidgets {

// Installs the interfaces once for the application; later calls do nothing.
void install();

} // namespace AccessibleWidgets
