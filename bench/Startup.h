#pragma once

#include "Measure.h"

// Start-up to the first painted frame, measured on whole processes: from
// starting the program to its exit right after its first paint.
namespace Startup {

enum Probe { BareProbe, EditorProbe };

Measure::Summary measure(Probe probe, int count);

} // namespace Startup
