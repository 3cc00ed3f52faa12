#pragma once

#include "Measure.h"

// Start-up to the first painted frame, measured on whole processes: from
// starting the program to its exit right after its first paint.
namespace Startup {

struct Result {
    Measure::Summary bare; // a bare Qt window
    Measure::Summary editor; // the editor's own start-up
};

// Starts the bare window and the editor in turn, count times each.
Result measure(int count);

} // namespace Startup
