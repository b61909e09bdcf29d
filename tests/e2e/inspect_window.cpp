// Reads another program's window from outside, for the end-to-end tests:
// finds a top-level window by its caption and prints what its controls
// show. Texts are read with the wide messages, which cross process
// boundaries intact, and printed as UTF-8.
//
//   <caption> may also be class:NAME.
//
//   inspect_window <caption> wait <seconds>     exit 0 once the window exists
//   inspect_window <caption> text <control id>  the control's text
//   inspect_window <caption> rect [control id]  left top right bottom, screen pixels
//   inspect_window <caption> visible            1 or 0
//   inspect_window <caption> move <x> <y>       moves the window, prints its rect
//   inspect_window <caption> gone <seconds>     exit 0 once the window is gone
//   inspect_window - class-text <class>         text of a shown window of that class
//   inspect_window - hold                       keeps a hidden window until killed
//                                               (Wine's desktop then stays up
//                                               between short-lived test programs)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(size - 1));
  return out;
}

std::wstring Wide(const char* text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
  out.resize(static_cast<std::size_t>(size > 0 ? size - 1 : 0));
  return out;
}

// "class:NAME" finds a window of that class; anything else is a caption.
HWND FindByCaption(const char* target) {
  const std::string text = target;
  if (text.rfind("class:", 0) == 0) return FindWindowW(Wide(text.substr(6).c_str()).c_str(), nullptr);
  return FindWindowW(nullptr, Wide(target).c_str());
}

int PrintRect(HWND window) {
  RECT rect{};
  if (window == nullptr || !GetWindowRect(window, &rect)) return 1;
  std::printf("%ld %ld %ld %ld\n", static_cast<long>(rect.left), static_cast<long>(rect.top),
              static_cast<long>(rect.right), static_cast<long>(rect.bottom));
  return 0;
}

int PrintText(HWND control) {
  if (control == nullptr) return 1;
  wchar_t text[2048] = {};
  SendMessageW(control, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
  std::printf("%s\n", Utf8(text).c_str());
  return 0;
}

// Polls for the window to appear (wanted) or disappear.
int WaitFor(const char* caption, bool wanted, const char* seconds) {
  const int tenths = std::atoi(seconds) * 10;
  for (int i = 0; i <= tenths; ++i) {
    if ((FindByCaption(caption) != nullptr) == wanted) return 0;
    Sleep(100);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: inspect_window <caption> wait|gone|text|rect|visible [argument]\n", stderr);
    return 2;
  }
  const std::string command = argv[2];
  if (command == "hold") {
    CreateWindowExW(0, L"STATIC", L"tarivox-hold", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
  }
  if (command == "wait" && argc > 3) return WaitFor(argv[1], true, argv[3]);
  if (command == "gone" && argc > 3) return WaitFor(argv[1], false, argv[3]);
  if (command == "class-text" && argc > 3) {
    const std::wstring className = Wide(argv[3]);
    for (HWND found = FindWindowExW(nullptr, nullptr, className.c_str(), nullptr); found != nullptr;
         found = FindWindowExW(nullptr, found, className.c_str(), nullptr)) {
      if (IsWindowVisible(found)) return PrintText(found);
    }
    return 1;
  }
  HWND window = FindByCaption(argv[1]);
  if (window == nullptr) {
    std::fprintf(stderr, "no window \"%s\"\n", argv[1]);
    return 1;
  }
  if (command == "text" && argc > 3) return PrintText(GetDlgItem(window, std::atoi(argv[3])));
  if (command == "rect") return PrintRect(argc > 3 ? GetDlgItem(window, std::atoi(argv[3])) : window);
  if (command == "move" && argc > 4) {
    SetWindowPos(window, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return PrintRect(window);
  }
  if (command == "visible") {
    std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    return 0;
  }
  std::fputs("unknown command\n", stderr);
  return 2;
}
