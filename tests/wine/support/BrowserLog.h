#pragma once
// Where the program's requests to open a web address end up: the stand-in URL opener
// (tools/browser/xdg-open) appends each address to the file named by OMBRELO_BROWSER_LOG. Under
// Wine the opener sees the UNIX environment the test run started with, not variables set here:
// when the run names a log, the test reads what is added to it from now on; otherwise it names a
// log of its own, for systems that hand the Windows environment down to the opener.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// Wine hands a bare host to the URL opener with a slash added.
inline constexpr char kWebsite[] = "http://www.ombrelo.example/";
// How long a launch may take to reach the opener, and how long to wait for one that should not.
inline constexpr DWORD kLaunchPatienceMs = 5000;
inline constexpr DWORD kNoLaunchWaitMs = 1000;

class BrowserLog {
public:
  BrowserLog();
  BrowserLog(const BrowserLog&) = delete;
  BrowserLog& operator=(const BrowserLog&) = delete;
  ~BrowserLog();

  // The addresses launched since this object was made, but for the log checks'.
  std::vector<std::string> Launches() const;
  // The addresses the opener refused since this object was made.
  std::vector<std::string> Refusals() const;
  // Makes the opener fail for every address, as on a system whose browser cannot be started, or
  // work again. The opener records what it refuses apart from what it opens.
  void RefuseLaunches(bool refuse) const;
  // Whether a launch from here reaches the log: without that, an empty log shows nothing.
  testing::AssertionResult Reachable() const;

private:
  std::vector<std::string> LinesAdded(const std::wstring& path, size_t earlier) const;

  std::wstring windowsPath_;
  bool ownFile_ = false;
  size_t earlierLaunches_ = 0;
  size_t earlierRefusals_ = 0;
  mutable std::ptrdiff_t checks_ = 0;
};
