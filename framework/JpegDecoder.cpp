#include "JpegDecoder.h"

#include "JpegError.h"

#include <cstdint>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

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

// libjpeg calls this before it takes in each row of a scan, so a scan beyond the limit is refused
// before its data is read. It leaves, like every libjpeg error, through error_exit's jump.
void LimitScans(j_common_ptr common) noexcept {
  if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxJpegScans)
    ERREXIT(common, JERR_BAD_PROGRESSION);
}

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
    progress_.progress_monitor = LimitScans;
  }
  // Safe before jpeg_create_decompress too: the object starts zeroed, with no memory manager.
  ~Decompressor() { jpeg_destroy_decompress(&info_); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  template <typename Work> void Run(Work work) {
    if (Failed(work))
      throw EJPEG(trap_.code);
  }

  // Reads the stream's header and refuses a picture larger than kMaxJpegPixels. The bound also
  // bounds the memory libjpeg takes for the picture (at most three colour components reach RGB
  // output, each kept whole as 2 bytes a pixel for a progressive stream: 96 MiB at the bound), so
  // no max_memory_to_use is set; and it keeps stride × height far from a 32-bit size_t's limit.
  void Open(std::span<const uint8_t> stream) {
    Run([&](j_decompress_ptr info) {
      jpeg_create_decompress(info);
      info->progress = &progress_; // after the create call, which clears the whole object
      jpeg_mem_src(info, stream.data(), static_cast<unsigned long>(stream.size()));
      jpeg_read_header(info, TRUE);
      if (int64_t{info->image_width} * info->image_height > kMaxJpegPixels)
        ERREXIT(info, JERR_IMAGE_TOO_BIG);
    });
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
  jpeg_progress_mgr progress_{};
  jpeg_decompress_struct info_{};
};

void Configure(j_decompress_ptr info, JpegOutput output) {
  info->dct_method = JDCT_FLOAT;
  info->scale_num = info->scale_denom = 1;
  // Windows bitmaps keep blue first; the quantiser's colour map stays in red, green, blue.
  info->out_color_space = output == JpegOutput::TrueColor ? JCS_EXT_BGR : JCS_RGB;
  if (output == JpegOutput::Palette236) {
    info->quantize_colors = TRUE;
    info->desired_number_of_colors = 236;
    info->two_pass_quantize = TRUE;
    info->dither_mode = JDITHER_FS;
  }
}

// Called after jpeg_start_decompress, which has already chosen the colours of a quantised
// picture; they live in libjpeg's per-image memory, gone after jpeg_finish_decompress.
ImageLayout Layout(const jpeg_decompress_struct& info) {
  ImageLayout layout;
  layout.width = static_cast<int>(info.output_width);
  layout.height = static_cast<int>(info.output_height);
  layout.bitsPerPixel = 8 * info.output_components;
  layout.stride = (size_t{info.output_width} * info.output_components + 3) & ~size_t{3};
  if (info.quantize_colors)
    for (int i = 0; i < info.actual_number_of_colors; ++i)
      layout.palette.push_back({info.colormap[0][i], info.colormap[1][i], info.colormap[2][i]});
  return layout;
}

void ReadRows(j_decompress_ptr info, uint8_t* pixels, size_t stride) {
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = pixels + info->output_scanline * stride;
    jpeg_read_scanlines(info, &row, 1);
  }
}

} // namespace

JpegSize ReadJpegSize(std::span<const uint8_t> stream) {
  Decompressor jpeg;
  jpeg.Open(stream);
  return {static_cast<int>(jpeg.Info().image_width), static_cast<int>(jpeg.Info().image_height)};
}

void DecodeJpegInto(std::span<const uint8_t> stream, JpegOutput output,
                    const PixelStorage& storage) {
  Decompressor jpeg;
  jpeg.Open(stream);
  jpeg.Run([&](j_decompress_ptr info) {
    Configure(info, output);
    jpeg_start_decompress(info);
  });
  const ImageLayout layout = Layout(jpeg.Info());
  uint8_t* const pixels = storage(layout);
  jpeg.Run([&](j_decompress_ptr info) {
    ReadRows(info, pixels, layout.stride);
    jpeg_finish_decompress(info);
  });
}

DecodedImage DecodeJpeg(std::span<const uint8_t> stream, JpegOutput output) {
  DecodedImage image;
  DecodeJpegInto(stream, output, [&](const ImageLayout& layout) {
    static_cast<ImageLayout&>(image) = layout;
    image.pixels.resize(layout.stride * layout.height);
    return image.pixels.data();
  });
  return image;
}
