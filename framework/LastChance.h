#pragma once
// The last-chance handler around the program's entry sequence: an error that escapes it is shown
// in an "Application Error" box and ends the process with exit code 1.

int RunWithLastChanceHandler(void (*entrySequence)());
