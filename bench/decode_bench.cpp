// Banner decoding benchmark: our decoder against libjpeg driven bare, the way `djpeg -dct float`
// and `djpeg -dct float -colors 236` drive it, for the two outputs; optionally djpeg.exe itself
// with those command lines as a cross-check; and the C heap the picture class still holds after
// its first drawing.
//
//   decode_bench.exe BANNER.jpg [DJPEG.exe [ROUNDS]]

#include "ChildProcess.h"
#include "LibjpegLoop.h"
#include "Timing.h"
#include "framework/Exception.h"
#include "framework/Handles.h"
#include "framework/JPEGImage.h"
#include "framework/JpegDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <exception>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

constexpr int kWarmUpRounds = 5;
constexpr int kDefaultRounds = 50;
constexpr int kProcessRounds = 25;
constexpr DWORD kProcessTimeoutMs = 60000;
constexpr double kGoalRatio = 1.25;
constexpr size_t kGoalHeldBytes = 64 * 1024;

std::vector<uint8_t> ReadFile(const wchar_t* path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  std::vector<uint8_t> bytes(file ? static_cast<size_t>(file.tellg()) : 0);
  file.seekg(0);
  if (bytes.empty() ||
      !file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    throw BenchFailure{std::wstring(L"cannot read ") + path};
  return bytes;
}

// --- Decoding time, in process -------------------------------------------------------------

struct Timings {
  std::vector<double> oursMs, referenceMs;
};

// What the program does at its first paint: decode straight into a new bitmap's pixels.
double TimeOurs(std::span<const uint8_t> stream, JpegOutput output, int& rows) {
  const Stopwatch clock;
  UniqueBitmap bitmap;
  DecodeJpegInto(stream, output, [&](const ImageLayout& layout) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = layout.width;
    info.bmiHeader.biHeight = -layout.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(layout.bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    rows = layout.height;
    return static_cast<uint8_t*>(bits);
  });
  return clock.ElapsedMs();
}

double TimeReference(std::span<const uint8_t> stream, JpegOutput output, int& rows) {
  const Stopwatch clock;
  rows = static_cast<int>(DecodeWithLibjpeg(stream, output));
  return clock.ElapsedMs();
}

// Alternating the two decoders, and which of them goes first, spreads any drift of the machine
// and any advantage of running second (caches warmed by the other) over both of them.
Timings TimeDecoders(std::span<const uint8_t> stream, JpegOutput output, int rounds) {
  Timings timings;
  for (int round = -kWarmUpRounds; round < rounds; ++round) {
    int oursRows = 0, referenceRows = 0;
    double oursMs = 0, referenceMs = 0;
    if (round % 2) {
      oursMs = TimeOurs(stream, output, oursRows);
      referenceMs = TimeReference(stream, output, referenceRows);
    } else {
      referenceMs = TimeReference(stream, output, referenceRows);
      oursMs = TimeOurs(stream, output, oursRows);
    }
    if (oursRows != referenceRows)
      throw BenchFailure{L"the two decoders read different numbers of rows"};
    if (round >= 0) {
      timings.oursMs.push_back(oursMs);
      timings.referenceMs.push_back(referenceMs);
    }
  }
  return timings;
}

struct OutputRun {
  const char* name;
  const char* djpegOptions;
  Timings timings;
};

void PrintDecoders(const OutputRun& run) {
  std::printf("  %-8s %-40s %10.3f %10.3f\n", run.name, "ours, into a new DIB section",
              Median(run.timings.oursMs), Min(run.timings.oursMs));
  const std::string reference = std::string("libjpeg as djpeg ") + run.djpegOptions;
  std::printf("  %-8s %-40s %10.3f %10.3f\n", run.name, reference.c_str(),
              Median(run.timings.referenceMs), Min(run.timings.referenceMs));
}

void PrintRatio(const OutputRun& run) {
  const double ratio = Median(run.timings.oursMs) / Median(run.timings.referenceMs);
  std::printf("  %-6s: ours / djpeg %s %.2fx, goal at most %.2fx: %s\n", run.name, run.djpegOptions,
              ratio, kGoalRatio, Verdict(ratio <= kGoalRatio));
  const std::string figure =
      std::string("Banner decode, ") + run.name + " / djpeg " + run.djpegOptions;
  char goal[32];
  std::snprintf(goal, sizeof goal, "at most %.2fx", kGoalRatio);
  PrintSummaryRow(figure.c_str(), goal, ratio <= kGoalRatio, "%.2fx", ratio);
}

// --- djpeg.exe as a cross-check --------------------------------------------------------------

// A file in the temporary folder for the length of a scope.
class TemporaryFile {
public:
  explicit TemporaryFile(std::span<const uint8_t> bytes) {
    wchar_t folder[MAX_PATH], name[MAX_PATH];
    if (!GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"ojb", 0, name))
      throw BenchFailure{L"cannot name a temporary file"};
    path_ = name;
    std::ofstream file(path_.c_str(), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
      throw BenchFailure{L"cannot write " + path_};
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { DeleteFileW(path_.c_str()); }
  const std::wstring& path() const { return path_; }

private:
  std::wstring path_;
};

double TimeProcess(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const Stopwatch clock;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started))
    throw BenchFailure{L"cannot start " + commandLine};
  const UniqueKernelHandle process(started.hProcess), thread(started.hThread);
  if (WaitForSingleObject(process.get(), kProcessTimeoutMs) != WAIT_OBJECT_0)
    throw BenchFailure{L"no end within the time: " + commandLine};
  const double elapsed = clock.ElapsedMs();
  DWORD code = 1;
  if (!GetExitCodeProcess(process.get(), &code) || code != 0)
    throw BenchFailure{L"failed: " + commandLine};
  return elapsed;
}

std::wstring Quoted(const std::wstring& text) {
  return L"\"" + text + L"\"";
}

struct DjpegRun {
  const OutputRun& output;
  std::vector<double> bannerMs, tinyMs;
};

std::wstring Widened(const char* text) {
  return std::wstring(text, text + std::strlen(text));
}

void CrossCheckWithDjpeg(const std::wstring& djpeg, const wchar_t* banner,
                         const OutputRun (&outputs)[2]) {
  const TemporaryFile tiny(EncodeTinyJpeg());
  DjpegRun runs[] = {{outputs[0], {}, {}}, {outputs[1], {}, {}}};
  for (int round = -1; round < kProcessRounds; ++round)
    for (DjpegRun& run : runs) {
      const std::wstring command =
          Quoted(djpeg) + L" " + Widened(run.output.djpegOptions) + L" -outfile NUL ";
      const double bannerMs = TimeProcess(command + Quoted(banner));
      const double tinyMs = TimeProcess(command + Quoted(tiny.path()));
      if (round >= 0) {
        run.bannerMs.push_back(bannerMs);
        run.tinyMs.push_back(tinyMs);
      }
    }
  std::printf("\nCross-check with djpeg.exe processes (%d runs each, medians): per-decode cost = "
              "djpeg on the banner minus djpeg on an 8x8 JPEG of the same layout, same options\n",
              kProcessRounds);
  std::printf("  %-8s %12s %12s %14s %12s %11s\n", "output", "banner ms", "8x8 ms", "djpeg decode",
              "ours ms", "ours/djpeg");
  for (const DjpegRun& run : runs) {
    const double decode = Median(run.bannerMs) - Median(run.tinyMs);
    const double oursMs = Median(run.output.timings.oursMs);
    std::printf("  %-8s %12.2f %12.2f %14.2f %12.3f %10.2fx\n", run.output.name,
                Median(run.bannerMs), Median(run.tinyMs), decode, oursMs, oursMs / decode);
  }
  std::puts("  (djpeg also reads the file through stdio and writes a PPM; process start-up noise "
            "is of the order of the difference)");
}

// --- Memory held after the first drawing -----------------------------------------------------

struct HeapUse {
  long long bytes = 0, blocks = 0;
};

// malloc, operator new and libjpeg's memory manager all allocate from the CRT's heap, so the busy
// blocks of that heap are exactly what the C heap holds. msvcrt has no allocation hook, and the
// process's memory counters move in pages and include GDI's own bookkeeping.
HeapUse CrtHeapUse() {
  const auto heap = reinterpret_cast<HANDLE>(_get_heap_handle());
  HeapUse use;
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      use.bytes += static_cast<long long>(entry.cbData);
      ++use.blocks;
    }
  HeapUnlock(heap);
  return use;
}

HeapUse operator-(const HeapUse& after, const HeapUse& before) {
  return {after.bytes - before.bytes, after.blocks - before.blocks};
}

int DisplayBitsPerPixel() {
  const WindowDC screen(nullptr);
  return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}

size_t DibBytes(JpegSize size, int bitsPerPixel) {
  const size_t stride = (size_t(size.width) * bitsPerPixel / 8 + 3) & ~size_t{3};
  return stride * size_t(size.height);
}

struct MemoryFigures {
  int displayBits = 0;
  size_t bitmapBytes = 0;
  HeapUse afterDraw, whileHeld, afterRelease;
  size_t heldPixelBytes = 0, heldPaletteBytes = 0;
};

// Measured before anything else runs, so that allocations made once, at the first decoding, are
// counted as held. Nothing may print between two measurements: stdout allocates its buffer then.
MemoryFigures MeasureMemory(std::span<const uint8_t> stream) {
  MemoryFigures figures;
  figures.displayBits = DisplayBitsPerPixel();
  const JpegSize size = ReadJpegSize(stream);
  figures.bitmapBytes = DibBytes(size, figures.displayBits <= 8 ? 8 : 24);

  BITMAPINFO canvasInfo{};
  canvasInfo.bmiHeader.biSize = sizeof canvasInfo.bmiHeader;
  canvasInfo.bmiHeader.biWidth = size.width;
  canvasInfo.bmiHeader.biHeight = size.height;
  canvasInfo.bmiHeader.biPlanes = 1;
  canvasInfo.bmiHeader.biBitCount = 24;
  canvasInfo.bmiHeader.biCompression = BI_RGB;
  void* canvasBits = nullptr;
  const UniqueMemoryDC target(CreateCompatibleDC(nullptr));
  const UniqueBitmap canvas(
      CreateDIBSection(nullptr, &canvasInfo, DIB_RGB_COLORS, &canvasBits, nullptr, 0));
  if (!target || !canvas)
    throw BenchFailure{L"cannot create the memory DC to draw into"};
  const SelectedObject selected(target.get(), canvas.get());
  {
    TJPEGImage picture(stream);
    const HeapUse before = CrtHeapUse();
    picture.Draw(target.get(), 0, 0);
    figures.afterDraw = CrtHeapUse() - before;
  }

  const HeapUse before = CrtHeapUse();
  {
    const DecodedImage image = DecodeJpeg(stream, JpegOutput::Palette236);
    figures.whileHeld = CrtHeapUse() - before;
    figures.heldPixelBytes = image.pixels.size();
    figures.heldPaletteBytes = image.palette.size() * sizeof image.palette[0];
  }
  figures.afterRelease = CrtHeapUse() - before;
  return figures;
}

void PrintMemory(const MemoryFigures& figures, size_t streamBytes) {
  const bool ownHeap = reinterpret_cast<HANDLE>(_get_heap_handle()) != GetProcessHeap();
  std::printf("\nMemory (C heap: busy blocks of the CRT's heap, %s, walked with HeapWalk)\n",
              ownHeap ? "a heap of its own" : "the process heap, shared with the system's DLLs");
  std::printf("  display %d bpp, so the picture is drawn from a %d-bit DIB section\n",
              figures.displayBits, figures.displayBits <= 8 ? 8 : 24);
  std::printf("  JPEG stream (resource data, held by the picture as a span): %zu bytes\n",
              streamBytes);
  std::printf("  bitmap pixels (DIB section, GDI memory, stride x height):    %zu bytes\n",
              figures.bitmapBytes);
  std::printf("  C heap held after the first drawing: %lld bytes in %lld blocks, goal at most "
              "%zu KiB: %s\n",
              figures.afterDraw.bytes, figures.afterDraw.blocks, kGoalHeldBytes / 1024,
              Verdict(figures.afterDraw.bytes <= static_cast<long long>(kGoalHeldBytes)));
  std::printf("  Palette236 with DecodeJpeg: %lld bytes held with the result (pixels %zu, palette "
              "%zu), %lld bytes in %lld blocks after it is released\n",
              figures.whileHeld.bytes, figures.heldPixelBytes, figures.heldPaletteBytes,
              figures.afterRelease.bytes, figures.afterRelease.blocks);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2 || argc > 4) {
    std::fputs("usage: decode_bench BANNER.jpg [DJPEG.exe [ROUNDS]]\n", stderr);
    return 2;
  }
  const int rounds = argc == 4 ? std::max(1, _wtoi(argv[3])) : kDefaultRounds;
  try {
    const std::vector<uint8_t> stream = ReadFile(argv[1]);
    const MemoryFigures memory = MeasureMemory(stream);

    const JpegSize size = ReadJpegSize(stream);
    const OutputRun outputs[] = {
        {"24-bit", "-dct float", TimeDecoders(stream, JpegOutput::TrueColor, rounds)},
        {"8-bit", "-dct float -colors 236", TimeDecoders(stream, JpegOutput::Palette236, rounds)}};
    std::printf("Banner decoding, %dx%d, %zu bytes: %d decodes each after %d warm-up, "
                "alternating; 8-bit = two-pass quantising to 236 colours with Floyd-Steinberg\n",
                size.width, size.height, stream.size(), rounds, kWarmUpRounds);
    std::printf("  %-8s %-40s %10s %10s\n", "output", "decoder", "median ms", "min ms");
    for (const OutputRun& output : outputs)
      PrintDecoders(output);
    for (const OutputRun& output : outputs)
      PrintRatio(output);

    if (argc >= 3)
      CrossCheckWithDjpeg(argv[2], argv[1], outputs);
    PrintMemory(memory, stream.size());
  } catch (const BenchFailure& failure) {
    std::fprintf(stderr, "decode_bench: %ls\n", failure.message.c_str());
    return 1;
  } catch (const Exception& error) {
    std::fprintf(stderr, "decode_bench: %ls: %ls\n", error.ClassName(), error.Message().c_str());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "decode_bench: %s\n", error.what());
    return 1;
  }
  return 0;
}
