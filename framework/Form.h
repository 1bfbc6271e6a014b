#pragma once
// A top-level form built from its window description and owned by the application's window. It
// owns its controls, moves the focus among them, and hands their notifications back to them. It
// scales the description to the screen once, while it is built, and scrolls its content when the
// client area is too small for it.

#include "Control.h"
#include "Handles.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

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
  int pixelsPerInch;   // the screen density the description was made at
  int textHeight;      // the height of "0" in the font at that density
  const wchar_t* icon; // resource name of the title-bar icon
  TPosition position;
  std::span<const TControlDescription> controls; // in creation order
};

class TForm : public TWinControl {
public:
  explicit TForm(const TFormDescription& description);
  ~TForm() override;

  // Shows the form for the first time: places it by its position rule, then shows it.
  void ShowFirst(int showCommand);
  void Close();
  HFONT Font() const noexcept { return font_.get(); }
  // Keyboard navigation, seen before the focused control gets the key: true if it was used.
  bool PreTranslateKey(const MSG& msg);
  void ControlFocused(TWinControl* control);

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  TForm* Form() override { return this; }
  TControl* FindComponent(std::wstring_view name) const;

private:
  void CreateControls(std::span<const TControlDescription> controls);
  std::unique_ptr<TControl> CreateControl(const TControlDescription& d);
  void ScaleControls();
  TSize ClientSizeWithoutScrollBars() const;
  // Shows the scroll bars the content needs and lays the content out in the scrolled area.
  void UpdateScrolling();
  int SetScrollBar(int bar, int client, int extent, int position);
  void Scroll(int bar, WORD request);
  std::vector<TWinControl*> ControlsInTabOrder() const;
  bool MoveFocus(bool forward, bool tabStopsOnly);
  void FocusOnActivation();

  const TFormDescription& description_;
  UniqueFont font_;
  int textHeight_; // measured in font_
  TPoint scroll_;
  bool updatingScrolling_ = false;
  UniqueIcon icon_;
  std::vector<std::unique_ptr<TControl>> components_;
  TWinControl* activeControl_ = nullptr;
  bool shown_ = false;
};
