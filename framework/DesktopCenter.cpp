#include "DesktopCenter.h"

#include <algorithm>

TPoint DesktopCenter(TSize desktop, TSize window) {
  // Integer division truncates toward zero; a window larger than the desktop sticks to its
  // top-left corner rather than going off-screen.
  return {std::max(0, (desktop.width - window.width) / 2),
          std::max(0, (desktop.height - window.height) / 2)};
}
