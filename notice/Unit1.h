#pragma once
// The notice window: a banner picture, the notice text and a button to the maker's website.

#include "framework/Form.h"

class TPanel;
class TImage;
class TcxMemo;
class TcxButton;

class TForm1 : public TForm {
public:
  TForm1();

  TPanel* Panel1;
  TImage* Image1;
  TcxMemo* cxMemo1;
  TcxButton* cxButton1;
  void cxButton1Click(TObject* Sender);
};

extern TForm1* Form1;
