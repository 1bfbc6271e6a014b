#include "FocusOrder.h"

std::optional<size_t> NextFocus(std::span<const FocusCandidate> controls,
                                std::optional<size_t> current, FocusStep step, bool tabStopsOnly) {
  const size_t count = controls.size();
  if (count == 0)
    return std::nullopt;
  // With no current control, going forward starts at the first and backward at the last.
  size_t index = current ? *current : (step == FocusStep::Forward ? count - 1 : 0);
  for (size_t visited = 0; visited < count; ++visited) {
    index = step == FocusStep::Forward ? (index + 1) % count : (index + count - 1) % count;
    const FocusCandidate& candidate = controls[index];
    if (candidate.canFocus && (candidate.tabStop || !tabStopsOnly))
      return index;
  }
  return std::nullopt;
}
