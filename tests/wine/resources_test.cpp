// The resources built into both executables, read from the files as data: the icons, the
// manifest and the version information.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// The layout of an icon group resource (RT_GROUP_ICON).
#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved, type, count;
};
struct IconGroupEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

class Executable : public testing::TestWithParam<const wchar_t*> {
protected:
  void SetUp() override {
    module_ = LoadLibraryExW(GetParam(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot open the executable, error " << GetLastError();
  }
  void TearDown() override {
    if (module_)
      FreeLibrary(module_);
  }

  std::string_view Resource(const wchar_t* name, const wchar_t* type) const {
    HRSRC found = FindResourceW(module_, name, type);
    if (!found)
      return {};
    return {static_cast<const char*>(LockResource(LoadResource(module_, found))),
            SizeofResource(module_, found)};
  }

  void ExpectOneIcon(const wchar_t* group, int size, int bitCount) const {
    const std::string_view data = Resource(group, RT_GROUP_ICON);
    ASSERT_GE(data.size(), sizeof(IconGroupHeader)) << "no icon group";
    const auto* header = reinterpret_cast<const IconGroupHeader*>(data.data());
    ASSERT_EQ(header->count, 1);
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(header + 1);
    EXPECT_EQ(entry->width, size);
    EXPECT_EQ(entry->height, size);
    EXPECT_EQ(entry->bitCount, bitCount);
  }

  HMODULE module_ = nullptr;
};

TEST_P(Executable, CarriesTheApplicationIconAndTheWindowIcon) {
  ExpectOneIcon(L"MAINICON", 32, 4); // 16 colours
  ExpectOneIcon(L"FORMICON", 16, 8); // 256 colours
}

TEST_P(Executable, DeclaresItselfDpiAwareAndTheSupportedWindowsVersions) {
  const std::string_view manifest = Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_FALSE(manifest.empty()) << "no manifest";
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string_view::npos);
  for (const char* windows : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a",  // 7
                              "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",  // 8
                              "1f676c76-80e1-4239-95bb-83d0f6d0da78",  // 8.1
                              "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) // 10 and 11
    EXPECT_NE(manifest.find(windows), std::string_view::npos) << windows;
}

TEST_P(Executable, HasVersionInformation) {
  wchar_t* product = nullptr;
  UINT length = 0;
  const std::string_view data = Resource(MAKEINTRESOURCEW(1), RT_VERSION);
  ASSERT_FALSE(data.empty()) << "no version information";
  std::string copy(data); // VerQueryValue wants a writable block
  ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\StringFileInfo\\080404B0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_STREQ(product, L"Ombrelo");
}

INSTANTIATE_TEST_SUITE_P(Builds, Executable, testing::Values(OMBRELO_EXE, OMBRELO_X86_EXE),
                         [](const auto& info) {
                           return std::string(info.index == 0 ? "x64" : "x86");
                         });

} // namespace
