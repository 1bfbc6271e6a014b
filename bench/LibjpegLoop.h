#pragma once
// libjpeg driven directly, the way its own djpeg program drives it for `djpeg -dct float` and
// `djpeg -dct float -colors 236`: the floor that the banner decoding benchmark compares our
// decoder against.

#include "framework/JpegDecoder.h"

#include <cstdint>
#include <span>
#include <vector>

// Decodes the stream with djpeg's settings for `-dct float` (TrueColor) or `-dct float -colors
// 236` (Palette236), row by row into one row buffer as djpeg's default writer takes them; the
// writing itself is left out. Returns the number of rows read. On a damaged stream it prints
// libjpeg's message and ends the program.
unsigned DecodeWithLibjpeg(std::span<const uint8_t> stream, JpegOutput output);

// An 8×8 JPEG laid out like the banner (progressive, no subsampling).
std::vector<uint8_t> EncodeTinyJpeg();
