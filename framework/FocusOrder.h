#pragma once
// Keyboard focus moves among a form's controls in tab order. Window-free, so it is unit-tested
// natively.

#include <cstddef>
#include <optional>
#include <span>

struct FocusCandidate {
  bool canFocus; // shown and enabled
  bool tabStop;
};

enum class FocusStep { Forward, Backward };

// The control that takes the focus after `current` (an index into `controls`, which are in tab
// order; none when no control has the focus), going round at the ends. Tab and Shift+Tab visit
// tab stops only; the arrow keys visit every control that can take the focus.
std::optional<size_t> NextFocus(std::span<const FocusCandidate> controls,
                                std::optional<size_t> current, FocusStep step, bool tabStopsOnly);
