#include "LibjpegLoop.h"

#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>

unsigned DecodeWithLibjpeg(std::span<const uint8_t> stream, JpegOutput output) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, stream.data(), static_cast<unsigned long>(stream.size()));
  jpeg_read_header(&info, TRUE);
  info.dct_method = JDCT_FLOAT; // -dct float
  if (output == JpegOutput::Palette236) {
    // -colors 236; the rest is the library's default: two passes, Floyd-Steinberg dithering.
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = 236;
  }
  // djpeg's default writer (PPM) sizes its one row buffer before the decompression starts, and
  // takes the rows one at a time.
  jpeg_calc_output_dimensions(&info);
  JSAMPARRAY row = info.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                          info.output_width * info.output_components, 1);
  jpeg_start_decompress(&info);
  unsigned rows = 0;
  while (info.output_scanline < info.output_height)
    rows += jpeg_read_scanlines(&info, row, 1);
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
