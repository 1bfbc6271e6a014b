#pragma once
// A top-level form built from its window description and owned by the application's window.

#include "Handles.h"
#include "Window.h"

struct TFontDescription {
  const wchar_t* name;
  int height;
  BYTE charset;
};

enum class TPosition { poDesigned, poDesktopCenter };

struct TFormDescription {
  const wchar_t* className;
  int left, top, width, height;
  bool systemMenuOnly; // close box and system menu, no minimise or maximise box
  const wchar_t* caption;
  int color; // a system colour index (COLOR_…)
  TFontDescription font;
  const wchar_t* icon; // resource name of the title-bar icon
  TPosition position;
};

class TForm : public TWindow {
public:
  explicit TForm(const TFormDescription& description);
  ~TForm() override;

  // Shows the form for the first time: places it by its position rule, then shows it.
  void ShowFirst(int showCommand);
  void Close();
  HFONT Font() const noexcept { return font_.get(); }
  // Keyboard navigation that must be seen before the focused control gets the key.
  virtual bool PreTranslateKey(const MSG&) { return false; }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  const TFormDescription& description_;
  UniqueFont font_;
  UniqueIcon icon_;
  bool shown_ = false;
};
