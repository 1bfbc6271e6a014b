#pragma once
// A windowless picture control, painted by its parent. The picture is drawn at its natural size
// from the control's top-left corner.

#include "Control.h"
#include "Picture.h"

class TImage : public TControl {
public:
  TImage(const TControlDescription& description, TWinControl* parent);

  TPicture& Picture() noexcept { return picture_; }
  // Set while the picture covers the whole control, so that the parent need not paint behind it.
  bool CoversControl() const noexcept { return covers_; }
  void PaintInto(HDC dc) override;

private:
  void WorkOutCovering();

  TPicture picture_;
  bool covers_ = false;
  bool drawn_ = false;
};
