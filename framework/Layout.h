#pragma once
// Where a form's controls go when its client area changes, and when it needs scroll bars to show
// all of them. Window-free, so it is unit-tested natively.

#include "ControlDescription.h"
#include "Geometry.h"

#include <span>
#include <vector>

// A control as its parent lays it out: its alignment and its stored place and size (already
// scaled to the screen), relative to the top-left corner of the parent's unscrolled content.
struct TLayoutItem {
  TAlign align = TAlign::alNone;
  TRect bounds;
};

// Places controls in `area`: the top-aligned ones stacked from its top in the order of their top
// edges, each across the full width and keeping its height; a client-aligned one fills what is
// left; the others keep their size and their place relative to the area's top-left corner.
// The result is in the same order as `items`.
std::vector<TRect> AlignControls(std::span<const TLayoutItem> items, TRect area);

// The size the content needs: the right edges of the controls that are not aligned (an aligned
// one takes whatever width it is given), and the bottom edges of all of them once stacked.
TSize ContentExtent(std::span<const TLayoutItem> items);

struct TScrollBars {
  bool horizontal = false;
  bool vertical = false;
  friend bool operator==(const TScrollBars&, const TScrollBars&) = default;
};

// Which scroll bars a client area of `client` (measured without any scroll bar) needs for content
// of `extent`: a bar for each way the client area is smaller than the content. A bar shown takes
// its thickness (`bars`: the vertical bar's width, the horizontal bar's height) from the client
// area, which can make the other bar needed too.
TScrollBars NeededScrollBars(TSize client, TSize extent, TSize bars);

// The area the controls are laid out in: moved by the scroll positions, and as large as the
// client area or the content, whichever is larger each way.
TRect ContentArea(TSize client, TSize extent, TPoint scroll);

// A scroll position kept within what the content allows for a client area of `client`.
int ClampScrollPosition(int position, int client, int extent);
