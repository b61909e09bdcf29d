// The program's resources as windres compiled them from the resource script
// (embedded_resources.cpp links the file in), read as USER32 reads a
// module's: resource entries by type and number, dialog templates in their
// classic and extended forms. The stand-in knows no resource of its own.
#include <cctype>

#include "platform/standin/standin_model.h"

extern "C" const unsigned char tarivox_resources[];
extern "C" const unsigned char tarivox_resources_end[];

namespace standin::detail {
namespace {

// The little-endian fields of the file, read in order.
struct Reader {
  const unsigned char* At;

  unsigned Word() {
    const unsigned value = At[0] | static_cast<unsigned>(At[1]) << 8;
    At += 2;
    return value;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  // A name or an ordinal: 0xFFFF and a number (returned), or a NUL-ended
  // UTF-16 text (-1, the text into *text). The scripts' texts lie within
  // Latin-1, where UTF-16 and code page 1252 agree byte for byte.
  int NameOrOrdinal(std::string* text = nullptr) {
    unsigned unit = Word();
    if (unit == 0xFFFF) return static_cast<int>(Word());
    for (; unit != 0; unit = Word())
      if (text != nullptr) text->push_back(static_cast<char>(unit < 0x100 ? unit : '?'));
    return -1;
  }
  void AlignFrom(const unsigned char* start) {
    while ((At - start) % 4 != 0) ++At;
  }
};

// The data of a resource entry, or nullptr.
const unsigned char* FindResource(int type, int id) {
  Reader file{tarivox_resources};
  while (file.At < tarivox_resources_end) {
    const unsigned char* entry = file.At;
    const DWORD dataSize = file.Dword();
    const DWORD headerSize = file.Dword();
    const int entryType = file.NameOrOrdinal();
    const int entryId = file.NameOrOrdinal();
    if (entryType == type && entryId == id) return entry + headerSize;
    file.At = entry + headerSize + dataSize;
    file.AlignFrom(tarivox_resources);
  }
  return nullptr;
}

constexpr const char* PredefinedClasses[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};

ControlTemplate ReadControl(Reader& in, bool extended) {
  ControlTemplate control{};
  if (extended) in.At += 8;  // help id, extended style
  control.Style = in.Dword();
  if (!extended) in.At += 4;   // extended style
  in.At += 8;                  // position and size: only the dialog is placed
  control.Id = extended ? static_cast<int>(static_cast<std::int32_t>(in.Dword()))
                        : static_cast<int>(static_cast<std::int16_t>(in.Word()));
  const int atom = in.NameOrOrdinal(&control.ClassName);
  if (atom >= 0x80 && atom < 0x86) control.ClassName = PredefinedClasses[atom - 0x80];
  for (char& c : control.ClassName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  in.NameOrOrdinal(&control.Text);  // an icon's number leaves the text empty
  in.At += in.Word();               // creation data
  return control;
}

}  // namespace

bool HasResource(int type, int id) { return FindResource(type, id) != nullptr; }

bool ReadDialogTemplate(int id, DialogTemplate& dialog) {
  const unsigned char* start = FindResource(RT_DIALOG, id);
  if (start == nullptr) return false;
  Reader in{start};
  const bool extended = start[0] == 1 && start[1] == 0 && start[2] == 0xFF && start[3] == 0xFF;
  if (extended) in.At += 12;  // version, signature, help id, extended style
  dialog.Style = in.Dword();
  if (!extended) in.At += 4;  // extended style
  const unsigned count = in.Word();
  in.At += 4;  // x and y: the style places a dialog
  dialog.Width = static_cast<int>(in.Word());
  dialog.Height = static_cast<int>(in.Word());
  in.NameOrOrdinal();  // menu
  in.NameOrOrdinal();  // window class
  in.NameOrOrdinal(&dialog.Caption);
  if ((dialog.Style & DS_SETFONT) != 0) {
    in.At += extended ? 6 : 2;  // point size (weight, italic, character set)
    in.NameOrOrdinal();         // face
  }
  for (unsigned i = 0; i < count; ++i) {
    in.AlignFrom(start);
    dialog.Controls.push_back(ReadControl(in, extended));
  }
  return true;
}

}  // namespace standin::detail
