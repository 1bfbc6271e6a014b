#pragma once
// The notice window.

#include "framework/Form.h"

class TForm1 : public TForm {
public:
  TForm1();
};

extern TForm1* Form1;
