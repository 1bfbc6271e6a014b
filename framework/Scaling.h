#pragma once
// Scaling a form's stored geometry to the screen it is built on. Window-free, so it is
// unit-tested natively.

#include "Geometry.h"

// value × numerator / denominator (denominator > 0), rounded to the nearest integer with halves
// away from zero.
int ScaleRounded(int value, int numerator, int denominator);

// A control's place and size scaled by measured / stored text height. Edges are scaled rather
// than sizes, so that controls that touched still touch: the new width is the scaled right edge
// less the scaled left edge, and likewise the height.
TRect ScaledBounds(TRect bounds, int measuredTextHeight, int storedTextHeight);
