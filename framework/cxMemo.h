#pragma once
// The multi-line text box, on the system's EDIT control (so that screen readers see an editable
// text): word wrap, Enter for a new line, Tab left to focus navigation, no scroll bars, a 2-pixel
// frame in the window-frame colour. Ctrl+A selects all; Escape puts back the text the box had when
// it last received the focus.

#include "Control.h"

#include <span>
#include <string>

class TcxMemo : public TWinControl {
public:
  TcxMemo(const TControlDescription& description, TWinControl* parent);

  bool WantsArrows() const noexcept override { return true; }
  LRESULT Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool HandleKey(WPARAM key);
  void PaintFrame();

  std::wstring textOnFocus_;
};
