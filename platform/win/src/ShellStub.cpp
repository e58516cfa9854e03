#include "win/Shell.h"
ShellLaunchHook SetShellLaunchHook(ShellLaunchHook) { return {}; }
HINSTANCE ShellExecute(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) { return nullptr; }
BOOL CreateProcess(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR, LPSTARTUPINFO, LPPROCESS_INFORMATION) { return FALSE; }
void GetStartupInfo(LPSTARTUPINFO) {}
UINT WinExec(LPCSTR, UINT) { return 0; }
