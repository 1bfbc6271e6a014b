#pragma once
// libjpeg driven directly, the way its own djpeg program drives it for -bmp output: the floor
// that the banner decoding benchmark compares our decoder against.

#include "framework/JpegDecoder.h"

#include <cstdint>
#include <span>
#include <vector>

// Decodes the stream as djpeg -bmp does, row by row into a whole-picture buffer, with djpeg's
// -dct float and, for Palette236, -colors 236 (two-pass quantising, Floyd-Steinberg dithering).
// Returns the number of rows read. On a damaged stream it prints libjpeg's message and ends the
// program.
unsigned DecodeWithLibjpeg(std::span<const uint8_t> stream, JpegOutput output);

// An 8×8 JPEG laid out like the banner (progressive, no subsampling).
std::vector<uint8_t> EncodeTinyJpeg();
