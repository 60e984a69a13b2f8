// Opening a web page or mail address through the shell.
#pragma once

// ShellExecuteA "open" with no owner, parameters or directory; failures are ignored.
void ShellOpen(const char* target);
