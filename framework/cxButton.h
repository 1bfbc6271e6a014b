#pragma once
// The push button, on the system's BUTTON control (so that screen readers see a push button with
// its caption), drawn by us in a flat look. A click, Space (on release) or Enter (on press, with no
// Shift, Ctrl or Alt) raises OnClick; a double click counts as two clicks. Neither the default nor
// the cancel button.

#include "Control.h"

class TcxButton : public TWinControl {
public:
  TcxButton(const TControlDescription& description, TWinControl* parent);

  LRESULT Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Draw(const DRAWITEMSTRUCT& item);
};
