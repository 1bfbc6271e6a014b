#pragma once
// Controls placed on a form. TControl is any control, windowless ones included (they are painted
// by their parent); TWinControl is a control with a window of its own, which can take the focus.

#include "ControlDescription.h"
#include "Layout.h"
#include "Object.h"
#include "Window.h"

#include <string>
#include <vector>

class TForm;
class TWinControl;

class TControl : public TObject {
public:
  TControl(const TControlDescription& description, TWinControl* parent);
  ~TControl() override;

  const std::wstring& Name() const noexcept { return name_; }
  TWinControl* Parent() const noexcept { return parent_; }
  // In the parent's client coordinates.
  const RECT& BoundsRect() const noexcept { return bounds_; }
  // The alignment and the stored place and size, by which the parent lays the control out.
  TLayoutItem LayoutItem() const noexcept { return {align_, stored_}; }
  void SetBounds(const TRect& bounds);
  // Scales the stored place and size by numerator / denominator, and moves the control there.
  void ScaleBy(int numerator, int denominator);
  HCURSOR Cursor() const noexcept;
  void Click();

  // Windowless controls paint themselves into their parent's device context.
  virtual void PaintInto(HDC) {}

  TNotifyEvent OnClick;

protected:
  // Puts the control where its bounds now say; `previous` is where it was.
  virtual void BoundsChanged(const RECT& previous);

private:
  std::wstring name_;
  TWinControl* parent_;
  TRect stored_;
  RECT bounds_;
  TAlign align_;
  TCursor cursor_;
};

class TWinControl : public TControl, public TWindow {
public:
  TWinControl(const TControlDescription& description, TWinControl* parent);

  int TabOrder() const noexcept { return tabOrder_; }
  virtual bool TabStop() const noexcept { return true; }
  // Whether the arrow keys belong to the control rather than moving the focus.
  virtual bool WantsArrows() const noexcept { return false; }
  // A message the control sent its parent (WM_COMMAND, WM_DRAWITEM…), handed back to it.
  virtual LRESULT Notification(UINT message, WPARAM wParam, LPARAM lParam);

  // The windowless child under a point in client coordinates, if any.
  TControl* WindowlessChildAt(POINT point) const;

protected:
  WindowParams ChildParams(DWORD style, DWORD exStyle = 0) const;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void BoundsChanged(const RECT& previous) override;
  const std::vector<TControl*>& Children() const noexcept { return children_; }
  std::vector<TLayoutItem> ChildLayoutItems() const;
  // Places the children in `area` (client coordinates) by their alignment.
  void AlignChildren(TRect area);
  void PaintWindowlessChildren(HDC dc);
  virtual TForm* Form();

private:
  friend class TControl; // children add and remove themselves
  int tabOrder_;
  std::vector<TControl*> children_; // in creation order
};

// The framework's object for one of its windows, or null.
TWinControl* ControlFromHandle(HWND window);
