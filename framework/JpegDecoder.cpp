#include "JpegDecoder.h"

#include "JpegError.h"

#include <cstdio>
#include <jpeglib.h>
#include <new>
#include <utility>

namespace {

struct ErrorTrap {
  jpeg_error_mgr manager; // first member: libjpeg's err pointer is also a pointer to the trap
  void* jump[5];          // __builtin_setjmp's buffer
  int code;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  trap->code = info->err->msg_code;
  __builtin_longjmp(trap->jump, 1);
}

void DropWarning(j_common_ptr, int) {}
void DropMessage(j_common_ptr) {}

// Owns one decompress object, and all libjpeg calls go through Run. A C++ exception must never
// unwind through libjpeg's C frames (they have no unwind data for it), so error_exit jumps back
// with __builtin_longjmp, which does not unwind, and EJPEG is raised once we are back in Run. The
// work passed to Run must keep no objects with destructors alive across libjpeg calls.
class Decompressor {
public:
  Decompressor() {
    info_.err = jpeg_std_error(&trap_.manager);
    trap_.manager.error_exit = ErrorExit;
    trap_.manager.emit_message = DropWarning;
    trap_.manager.output_message = DropMessage;
  }
  // Safe before jpeg_create_decompress too: the object starts zeroed, with no memory manager.
  ~Decompressor() { jpeg_destroy_decompress(&info_); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  template <typename Work> void Run(Work work) {
    if (Failed(work))
      throw EJPEG(trap_.code);
  }

  const jpeg_decompress_struct& Info() const { return info_; }

private:
  // The jump skips the epilogues of libjpeg's frames, so the callee-saved registers come back
  // clobbered. A function holding the jump target that returns normally saves and restores all
  // of them; one that threw from there instead would hand the clobbered ones to the unwinder.
  template <typename Work> [[gnu::noinline]] bool Failed(Work& work) {
    if (__builtin_setjmp(trap_.jump))
      return true;
    work(&info_);
    return false;
  }

  ErrorTrap trap_{};
  jpeg_decompress_struct info_{};
};

void Open(j_decompress_ptr info, std::span<const uint8_t> stream) {
  jpeg_create_decompress(info);
  jpeg_mem_src(info, stream.data(), static_cast<unsigned long>(stream.size()));
  jpeg_read_header(info, TRUE);
}

void Configure(j_decompress_ptr info, JpegOutput output) {
  info->dct_method = JDCT_FLOAT;
  info->scale_num = info->scale_denom = 1;
  info->out_color_space = JCS_RGB;
  if (output == JpegOutput::Palette236) {
    info->quantize_colors = TRUE;
    info->desired_number_of_colors = 236;
    info->two_pass_quantize = TRUE;
    info->dither_mode = JDITHER_FS;
  }
}

// Called after jpeg_start_decompress, which has already chosen the colours of a quantised
// picture; they live in libjpeg's per-image memory, gone after jpeg_finish_decompress.
DecodedImage Layout(const jpeg_decompress_struct& info) {
  DecodedImage image;
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.bitsPerPixel = 8 * info.output_components;
  image.stride = (size_t{info.output_width} * info.output_components + 3) & ~size_t{3};
  // On a 32-bit build, stride * height can wrap around for a large enough header.
  if (image.stride > image.pixels.max_size() / info.output_height)
    throw std::bad_alloc();
  image.pixels.resize(image.stride * info.output_height);
  if (info.quantize_colors)
    for (int i = 0; i < info.actual_number_of_colors; ++i)
      image.palette.push_back({info.colormap[0][i], info.colormap[1][i], info.colormap[2][i]});
  return image;
}

void ReadRows(j_decompress_ptr info, DecodedImage& image) {
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = image.pixels.data() + info->output_scanline * image.stride;
    jpeg_read_scanlines(info, &row, 1);
  }
}

void RgbToBgr(DecodedImage& image) {
  for (size_t row = 0; row < image.pixels.size(); row += image.stride)
    for (int x = 0; x < image.width; ++x)
      std::swap(image.pixels[row + 3 * x], image.pixels[row + 3 * x + 2]);
}

} // namespace

JpegSize ReadJpegSize(std::span<const uint8_t> stream) {
  Decompressor jpeg;
  jpeg.Run([&](j_decompress_ptr info) { Open(info, stream); });
  return {static_cast<int>(jpeg.Info().image_width), static_cast<int>(jpeg.Info().image_height)};
}

DecodedImage DecodeJpeg(std::span<const uint8_t> stream, JpegOutput output) {
  Decompressor jpeg;
  jpeg.Run([&](j_decompress_ptr info) {
    Open(info, stream);
    Configure(info, output);
    jpeg_start_decompress(info);
  });
  DecodedImage image = Layout(jpeg.Info());
  jpeg.Run([&](j_decompress_ptr info) {
    ReadRows(info, image);
    jpeg_finish_decompress(info);
  });
  if (image.bitsPerPixel == 24)
    RgbToBgr(image);
  return image;
}
