#pragma once
// The application object: owns the taskbar button (through its own, never-seen window), the
// program's forms and the message loop, and reports the errors raised while messages are handled.

#include "Window.h"

#include <memory>
#include <string>
#include <vector>

class TForm;

class TApplication : public TWindow {
public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  // Builds a form from its window description; the first one becomes the main form.
  template <typename TFormClass> void CreateForm(TFormClass*& reference);
  // Shows the main form and runs the message loop until the application is asked to end.
  void Run();
  // Asks the message loop to end after the messages already waiting.
  void Terminate();

  const std::wstring& Title() const noexcept { return title_; }
  TForm* MainForm() const noexcept { return mainForm_; }
  // Tells the user about an error raised while a message was handled.
  void ShowException(const std::exception_ptr& error);

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void AddForm(std::unique_ptr<TForm> form);
  void ShowMainForm();
  void RestoreFromTaskbar();
  bool PreTranslate(const MSG& msg);

  std::wstring title_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
};

extern TApplication* const Application;

template <typename TFormClass> void TApplication::CreateForm(TFormClass*& reference) {
  reference = nullptr;
  auto form = std::make_unique<TFormClass>();
  TFormClass* created = form.get();
  AddForm(std::move(form));
  reference = created;
}
