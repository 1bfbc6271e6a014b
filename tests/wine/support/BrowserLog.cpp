#include "BrowserLog.h"

#include "Input.h"

#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

constexpr const wchar_t* kVariable = L"OMBRELO_BROWSER_LOG";
constexpr const wchar_t* kCheckAddress = L"http://log-check.ombrelo.example";
constexpr const char* kCheckLine = "http://log-check.ombrelo.example/";
// Beside the log, as tools/browser/xdg-open names them: the switch that makes it fail, and what it
// refused.
constexpr const wchar_t* kRefuseSuffix = L".refuse";
constexpr const wchar_t* kRefusedSuffix = L".refused";

std::vector<std::string> LinesOf(const std::wstring& path) {
  std::vector<std::string> lines;
  std::ifstream file{std::filesystem::path(path)};
  for (std::string line; std::getline(file, line);)
    lines.push_back(line);
  return lines;
}

} // namespace

BrowserLog::BrowserLog() {
  std::wstring inherited(MAX_PATH, L'\0');
  inherited.resize(GetEnvironmentVariableW(kVariable, inherited.data(), MAX_PATH));
  if (!inherited.empty() && inherited.size() < MAX_PATH) {
    // Wine shows the UNIX root as drive Z:.
    std::replace(inherited.begin(), inherited.end(), L'/', L'\\');
    windowsPath_ = L"Z:" + inherited;
  } else {
    static int made = 0;
    const std::wstring name = L"ombrelo-browser-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++made) + L".log";
    windowsPath_ = L"Z:\\tmp\\" + name;
    ownFile_ = true;
    DeleteFileW(windowsPath_.c_str());
    SetEnvironmentVariableW(kVariable, (L"/tmp/" + name).c_str());
  }
  // A test that was stopped half-way may have left the opener failing.
  RefuseLaunches(false);
  earlierLaunches_ = LinesOf(windowsPath_).size();
  earlierRefusals_ = LinesOf(windowsPath_ + kRefusedSuffix).size();
}

BrowserLog::~BrowserLog() {
  RefuseLaunches(false);
  if (!ownFile_)
    return;
  SetEnvironmentVariableW(kVariable, nullptr);
  DeleteFileW(windowsPath_.c_str());
  DeleteFileW((windowsPath_ + kRefusedSuffix).c_str());
}

std::vector<std::string> BrowserLog::LinesAdded(const std::wstring& path, size_t earlier) const {
  std::vector<std::string> lines = LinesOf(path);
  lines.erase(lines.begin(),
              lines.begin() + static_cast<ptrdiff_t>(std::min(earlier, lines.size())));
  return lines;
}

std::vector<std::string> BrowserLog::Launches() const {
  std::vector<std::string> lines = LinesAdded(windowsPath_, earlierLaunches_);
  std::erase(lines, kCheckLine);
  return lines;
}

std::vector<std::string> BrowserLog::Refusals() const {
  return LinesAdded(windowsPath_ + kRefusedSuffix, earlierRefusals_);
}

void BrowserLog::RefuseLaunches(bool refuse) const {
  const std::wstring flag = windowsPath_ + kRefuseSuffix;
  if (refuse)
    std::ofstream{std::filesystem::path(flag)};
  else
    DeleteFileW(flag.c_str());
}

testing::AssertionResult BrowserLog::Reachable() const {
  ShellExecuteW(nullptr, nullptr, kCheckAddress, nullptr, nullptr, SW_SHOWNORMAL);
  const auto seen = [&] {
    const std::vector<std::string> lines = LinesAdded(windowsPath_, earlierLaunches_);
    return std::count(lines.begin(), lines.end(), kCheckLine) > checks_;
  };
  if (!WaitUntil(seen, kLaunchPatienceMs))
    return testing::AssertionFailure()
           << "a launch from the test does not reach the browser log: under Wine the URL "
              "opener sees only the UNIX environment the tests were started with, so export "
              "OMBRELO_BROWSER_LOG=/path/of/a/file before running them";
  ++checks_;
  return testing::AssertionSuccess();
}
