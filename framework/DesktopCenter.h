#pragma once
// Where a window of a given outer size first appears when it is centred on the desktop.
// Window-free, so it is unit-tested natively.

#include "Geometry.h"

// `desktop` is the size of the virtual screen (all monitors). The result is in screen coordinates
// with its origin at the primary monitor's top-left corner; the virtual screen's own origin is
// deliberately not added, so that the window keeps the place it has always had on such desktops.
TPoint DesktopCenter(TSize desktop, TSize window);
