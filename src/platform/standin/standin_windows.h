// The headless stand-in for the Win32 calls the window code makes, with the
// same names, types and values as the real API, for the builds that have no
// windows.h. It builds the dialogs from the program's compiled resource
// script, as USER32 does; tests read what it saw through standin_inspect.h.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using CHAR = char;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;
using LPSTR = char*;
using LPCSTR = const char*;
using HANDLE = void*;
using HGDIOBJ = void*;

// Handles are opaque: the stand-in hands out encoded numbers, never addresses.
struct HWND__;
struct HINSTANCE__;
struct HBRUSH__;
struct HICON__;
struct HMENU__;
struct HBITMAP__;
struct HDC__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HBRUSH = HBRUSH__*;
using HICON = HICON__*;
using HMENU = HMENU__*;
using HBITMAP = HBITMAP__*;
using HDC = HDC__*;

struct RECT {
  LONG left, top, right, bottom;
};
using LPRECT = RECT*;
struct POINT {
  LONG x, y;
};
using LPPOINT = POINT*;
struct TPMPARAMS;
using LPTPMPARAMS = TPMPARAMS*;

// The shell's record in its full form; the first version ends after 64
// bytes of tip, which is all a caller passing that size may rely on.
struct NOTIFYICONDATAA {
  DWORD cbSize;
  HWND hWnd;
  UINT uID;
  UINT uFlags;
  UINT uCallbackMessage;
  HICON hIcon;
  CHAR szTip[128];
};
#define NOTIFYICONDATAA_V1_SIZE (offsetof(NOTIFYICONDATAA, szTip) + 64)

struct DEVMODEA {
  BYTE dmDeviceName[32];
  WORD dmSpecVersion, dmDriverVersion, dmSize, dmDriverExtra;
  DWORD dmFields, dmBitsPerPel, dmPelsWidth, dmPelsHeight;
};

struct OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize, dwMajorVersion, dwMinorVersion, dwBuildNumber, dwPlatformId;
  CHAR szCSDVersion[128];
};
using LPOSVERSIONINFOA = OSVERSIONINFOA*;

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

#define LOWORD(l) (static_cast<WORD>(static_cast<std::uintptr_t>(l) & 0xFFFF))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<WORD>(l)) | (static_cast<WPARAM>(static_cast<WORD>(h)) << 16))
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define RGB(r, g, b) (static_cast<COLORREF>((r) | ((g) << 8) | ((b) << 16)))

#define WM_DESTROY 0x0002
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_SHOWWINDOW 0x0018
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_CTLCOLORSTATIC 0x0138
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_USER 0x0400
#define WM_APP 0x8000
#define IDOK 1
#define IDCANCEL 2

#define EN_CHANGE 0x0300
#define CB_ADDSTRING 0x0143
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_RESETCONTENT 0x014B
#define CB_SETCURSEL 0x014E
#define CBN_SELCHANGE 1
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define BN_CLICKED 0

#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define DS_SETFONT 0x0040u
#define DS_SETFOREGROUND 0x0200u
#define SW_HIDE 0
#define SW_MINIMIZE 6
#define SW_RESTORE 9

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define LR_DEFAULTCOLOR 0x0000
#define MF_STRING 0x0000u
#define MF_BITMAP 0x0004u
#define MF_SEPARATOR 0x0800u
#define TPM_RIGHTBUTTON 0x0002u
#define TRANSPARENT 1
#define OPAQUE 2

#define NIM_ADD 0x00000000u
#define NIM_MODIFY 0x00000001u
#define NIM_DELETE 0x00000002u
#define NIF_MESSAGE 0x00000001u
#define NIF_ICON 0x00000002u
#define NIF_TIP 0x00000004u
#define ENUM_CURRENT_SETTINGS (static_cast<DWORD>(-1))
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

// USER32
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC proc, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount);
BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
HWND GetDlgItem(HWND dialog, int id);
HWND FindWindowA(LPCSTR className, LPCSTR windowName);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
BOOL DestroyIcon(HICON icon);
HMENU CreatePopupMenu();
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
BOOL DestroyMenu(HMENU menu);
BOOL GetCursorPos(LPPOINT point);
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber, DEVMODEA* devMode);

// GDI32
HBRUSH CreateSolidBrush(COLORREF color);
int SetBkMode(HDC dc, int mode);
BOOL DeleteObject(HGDIOBJ object);

// SHELL32
BOOL Shell_NotifyIconA(DWORD operation, NOTIFYICONDATAA* data);

// KERNEL32
BOOL GetVersionExA(LPOSVERSIONINFOA info);
LPSTR lstrcpynA(LPSTR target, LPCSTR source, int maxLength);
HMODULE GetModuleHandleA(LPCSTR moduleName);
