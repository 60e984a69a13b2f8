// The application: one modal main window, then the exit page.
#pragma once
#include "../platform/WinApp.h"

class CSwitchApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    const AppCommandEntry* GetCommandMap(size_t* count) const override;
};
