#pragma once
// Where a window of a given outer size first appears when it is centred on the desktop.
// Window-free, so it is unit-tested natively.

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// `desktop` is the size of the virtual screen (all monitors). The result is in screen coordinates
// with its origin at the primary monitor's top-left corner; the virtual screen's own origin is
// deliberately not added, so that the window keeps the place it has always had on such desktops.
TPoint DesktopCenter(TSize desktop, TSize window);
