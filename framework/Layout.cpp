#include "Layout.h"

#include <algorithm>

namespace {

// The indices of the top-aligned items, in the order of their top edges.
std::vector<size_t> TopAlignedInStackOrder(std::span<const TLayoutItem> items) {
  std::vector<size_t> order;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].align == TAlign::alTop)
      order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return items[a].bounds.top < items[b].bounds.top; });
  return order;
}

} // namespace

std::vector<TRect> AlignControls(std::span<const TLayoutItem> items, TRect area) {
  std::vector<TRect> placed(items.size());
  int stackBottom = area.top;
  for (size_t i : TopAlignedInStackOrder(items)) {
    placed[i] = {area.left, stackBottom, area.width, items[i].bounds.height};
    stackBottom += items[i].bounds.height;
  }
  for (size_t i = 0; i < items.size(); ++i) {
    const TRect& b = items[i].bounds;
    switch (items[i].align) {
    case TAlign::alTop:
      break;
    case TAlign::alClient:
      placed[i] = {area.left, stackBottom, area.width, std::max(0, area.Bottom() - stackBottom)};
      break;
    case TAlign::alNone:
      placed[i] = {area.left + b.left, area.top + b.top, b.width, b.height};
      break;
    }
  }
  return placed;
}

TSize ContentExtent(std::span<const TLayoutItem> items) {
  const std::vector<TRect> placed = AlignControls(items, {});
  TSize extent;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].align == TAlign::alNone)
      extent.width = std::max(extent.width, placed[i].Right());
    if (items[i].align != TAlign::alClient)
      extent.height = std::max(extent.height, placed[i].Bottom());
  }
  return extent;
}

TScrollBars NeededScrollBars(TSize client, TSize extent, TSize bars) {
  TScrollBars needed;
  // Each bar shown can only make the other one needed, so two rounds settle it.
  for (int round = 0; round < 2; ++round) {
    const int width = client.width - (needed.vertical ? bars.width : 0);
    const int height = client.height - (needed.horizontal ? bars.height : 0);
    needed = {width < extent.width, height < extent.height};
  }
  return needed;
}

TRect ContentArea(TSize client, TSize extent, TPoint scroll) {
  return {-scroll.x, -scroll.y, std::max(client.width, extent.width),
          std::max(client.height, extent.height)};
}

int ClampScrollPosition(int position, int client, int extent) {
  return std::clamp(position, 0, std::max(0, extent - client));
}
