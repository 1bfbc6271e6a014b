#include "LibjpegLoop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

unsigned DecodeWithLibjpeg(std::span<const uint8_t> stream, JpegOutput output) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, stream.data(), static_cast<unsigned long>(stream.size()));
  jpeg_read_header(&info, TRUE);
  info.dct_method = JDCT_FLOAT;
  if (output == JpegOutput::Palette236) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = 236;
    // Already the library's defaults, which djpeg keeps unless told -onepass or -dither.
    info.two_pass_quantize = TRUE;
    info.dither_mode = JDITHER_FS;
  }
  // djpeg's BMP writer sizes its row buffer before the decompression starts, and keeps the whole
  // picture (a BMP is written bottom-up, so only once every row is in), each row copied in with
  // its colours turned to blue, green, red and padded to four bytes.
  jpeg_calc_output_dimensions(&info);
  const size_t rowBytes = size_t{info.output_width} * info.output_components;
  JSAMPARRAY row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                          static_cast<JDIMENSION>(rowBytes), 1);
  const size_t stride = (rowBytes + 3) & ~size_t{3};
  std::vector<uint8_t> picture(stride * info.output_height);
  jpeg_start_decompress(&info);
  unsigned rows = 0;
  while (info.output_scanline < info.output_height) {
    uint8_t* out = picture.data() + stride * (info.output_height - 1 - info.output_scanline);
    rows += jpeg_read_scanlines(&info, row, 1);
    if (info.output_components == 3) {
      for (size_t x = 0; x < rowBytes; x += 3) {
        out[x] = row[0][x + 2];
        out[x + 1] = row[0][x + 1];
        out[x + 2] = row[0][x];
      }
    } else {
      std::copy_n(row[0], rowBytes, out);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return rows;
}

std::vector<uint8_t> EncodeTinyJpeg() {
  constexpr int kSide = 8;
  uint8_t pixels[kSide * kSide * 3];
  for (int i = 0; i < kSide * kSide; ++i) {
    pixels[3 * i] = static_cast<uint8_t>(32 * (i % kSide));
    pixels[3 * i + 1] = static_cast<uint8_t>(32 * (i / kSide));
    pixels[3 * i + 2] = static_cast<uint8_t>(255 - 4 * i);
  }
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = info.image_height = kSide;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  for (int i = 0; i < info.num_components; ++i)
    info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
  jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  for (int y = 0; y < kSide; ++y) {
    JSAMPROW row = pixels + y * kSide * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}
