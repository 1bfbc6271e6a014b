#pragma once
// Where an error caught at a callback boundary goes. While the message loop runs, it is shown to
// the user and the loop goes on; before that, while windows are being built, it is kept and raised
// again once the Win32 call that ran the callback has returned.

#include <exception>

void ReportCallbackError(std::exception_ptr error);
void RethrowCallbackError();
