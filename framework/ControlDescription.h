#pragma once
// One line of a form's window description: a control and its stored settings.

#include <span>

class TForm;
class TObject;
// A method of the form, bound by the description to a control's event.
using TFormEvent = void (TForm::*)(TObject* sender);

enum class TControlClass { TPanel, TImage, TcxMemo, TcxButton };
enum class TAlign { alNone, alTop, alClient };
enum class TCursor { crDefault, crHandPoint };

// A picture stored in the description: the name of its graphic class and its data, which the
// program carries as a resource.
struct TStoredPicture {
  const wchar_t* graphicClass;
  const wchar_t* resource;
};

struct TControlDescription {
  const wchar_t* name;
  TControlClass controlClass;
  const wchar_t* parent; // null for the form itself
  int left, top, width, height;
  TAlign align = TAlign::alNone;
  int tabOrder = -1; // windowless controls have none
  const wchar_t* caption = L"";
  TCursor cursor = TCursor::crDefault;
  TStoredPicture picture{};
  std::span<const wchar_t* const> lines{};
  TFormEvent onClick = nullptr;
};
