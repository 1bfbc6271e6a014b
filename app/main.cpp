#include "framework/Application.h"
#include "framework/LastChance.h"
#include "notice/Unit1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return RunWithLastChanceHandler([] {
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->Run();
  });
}
