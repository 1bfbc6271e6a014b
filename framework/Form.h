#pragma once
// A top-level form built from its window description and owned by the application's window. It
// owns its controls, moves the focus among them, and hands their notifications back to them.

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
  std::vector<TWinControl*> ControlsInTabOrder() const;
  bool MoveFocus(bool forward, bool tabStopsOnly);
  void FocusOnActivation();

  const TFormDescription& description_;
  UniqueFont font_;
  UniqueIcon icon_;
  std::vector<std::unique_ptr<TControl>> components_;
  TWinControl* activeControl_ = nullptr;
  bool shown_ = false;
};
