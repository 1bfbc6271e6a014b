#pragma once
// A plain panel: no bevel, no border, face in the button-face colour, caption centred. It paints
// its windowless children (a picture) and passes their clicks and pointer shapes on.

#include "Control.h"

class TPanel : public TWinControl {
public:
  TPanel(const TControlDescription& description, TWinControl* parent);

  bool TabStop() const noexcept override { return false; }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);
  bool FaceCovered() const;
  void MouseDown(POINT at);
  void MouseUp(POINT at);
  bool SetPointer(LPARAM hitTest);

  std::wstring caption_;
  TControl* pressed_ = nullptr;
};
