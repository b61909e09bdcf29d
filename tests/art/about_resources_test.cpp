// The compiled resources of the About box and the artwork: the About
// template control by control as the program needs it, the icon group with
// its two 32 x 32 images and the 16-colour menu picture.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "artwork.h"
#include "res_reader.h"

namespace {

constexpr unsigned RT_BITMAP = 2;
constexpr unsigned RT_ICON = 3;
constexpr unsigned RT_DIALOG = 5;
constexpr unsigned RT_GROUP_ICON = 14;
constexpr unsigned IDI_APP = 102;
constexpr unsigned IDD_ABOUT = 125;
constexpr unsigned IDB_MENU_LOGO = 135;

constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_GROUP = 0x00020000;
constexpr std::uint32_t WS_TABSTOP = 0x00010000;
constexpr std::uint32_t DS_SETFONT = 0x40;
constexpr std::uint32_t DS_MODALFRAME = 0x80;
constexpr std::uint32_t DS_CENTER = 0x800;
constexpr std::uint32_t SS_LEFT = 0x0;
constexpr std::uint32_t SS_ICON = 0x3;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
constexpr unsigned BUTTON_CLASS = 0x80;
constexpr unsigned STATIC_CLASS = 0x82;

// A control's class is stored as the system's number or, from a CONTROL
// statement, by its name; the dialog manager accepts either.
bool IsClass(const art_test::NameOrOrdinal& windowClass, unsigned ordinal) {
  if (windowClass.isOrdinal) return windowClass.ordinal == ordinal;
  std::string name;
  for (const char character : windowClass.text) {
    name += static_cast<char>(character >= 'A' && character <= 'Z' ? character + 32 : character);
  }
  return (ordinal == BUTTON_CLASS && name == "button") || (ordinal == STATIC_CLASS && name == "static");
}

const std::vector<art_test::ResourceEntry>& Resources() {
  static const std::vector<art_test::ResourceEntry> entries =
      art_test::ReadResourceFile(artgen::ReadFileBytes(TARIVOX_TEST_RES));
  return entries;
}

TEST(AboutTemplate, IsAClassicCaptionlessCentredBox) {
  const auto found = art_test::FindResource(Resources(), RT_DIALOG, IDD_ABOUT);
  ASSERT_TRUE(found.has_value()) << "no dialog template " << IDD_ABOUT;
  const art_test::DialogTemplate dialog = art_test::ReadDialogTemplate(found->data);
  EXPECT_EQ(dialog.style, WS_POPUP | DS_MODALFRAME | DS_CENTER | DS_SETFONT)
      << std::hex << "style " << dialog.style;
  EXPECT_EQ(dialog.extendedStyle, 0u);
  EXPECT_EQ(dialog.cx, 123);
  EXPECT_EQ(dialog.cy, 77);
  EXPECT_FALSE(dialog.menu.isOrdinal);
  EXPECT_EQ(dialog.menu.text, "");
  EXPECT_EQ(dialog.windowClass.text, "");
  EXPECT_EQ(dialog.title, "");
  EXPECT_EQ(dialog.pointSize, 8u);
  EXPECT_EQ(dialog.typeface, "Comic Sans MS");
}

TEST(AboutTemplate, HasTheSixControlsInTemplateOrder) {
  const auto found = art_test::FindResource(Resources(), RT_DIALOG, IDD_ABOUT);
  ASSERT_TRUE(found.has_value());
  const art_test::DialogTemplate dialog = art_test::ReadDialogTemplate(found->data);
  constexpr std::uint32_t CHILD = WS_CHILD | WS_VISIBLE;
  const struct {
    std::uint32_t style;
    unsigned windowClass;
    int id;
    int x, y, cx, cy;
    const char* text;  // nullptr: a neutral line of our choosing
    unsigned textOrdinal;
  } expected[] = {
      {CHILD | SS_LEFT | WS_GROUP, STATIC_CLASS, -1, 6, 34, 67, 11, "Tarivox - 2001", 0},
      {CHILD | SS_LEFT | WS_GROUP, STATIC_CLASS, -1, 6, 45, 71, 11, nullptr, 0},
      {CHILD | SS_ICON, STATIC_CLASS, 102, 93, 17, 20, 20, nullptr, IDI_APP},
      {CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP, BUTTON_CLASS, 1, 41, 60, 38, 12, "OK", 0},
      {CHILD | SS_LEFT | WS_GROUP, STATIC_CLASS, -1, 6, 6, 80, 10, "Acerca de Tarivox", 0},
      {CHILD | SS_LEFT | WS_GROUP, STATIC_CLASS, -1, 6, 16, 71, 11, nullptr, 0},
  };
  ASSERT_EQ(dialog.items.size(), std::size(expected));
  for (std::size_t index = 0; index < std::size(expected); ++index) {
    SCOPED_TRACE("control " + std::to_string(index + 1));
    const art_test::DialogItem& item = dialog.items[index];
    EXPECT_EQ(item.style, expected[index].style) << std::hex << "style " << item.style;
    EXPECT_EQ(item.extendedStyle, 0u);
    EXPECT_TRUE(IsClass(item.windowClass, expected[index].windowClass))
        << "class " << item.windowClass.ordinal << " '" << item.windowClass.text << "'";
    EXPECT_EQ(item.id, expected[index].id);
    EXPECT_EQ(item.x, expected[index].x);
    EXPECT_EQ(item.y, expected[index].y);
    EXPECT_EQ(item.cx, expected[index].cx);
    EXPECT_EQ(item.cy, expected[index].cy);
    if (expected[index].textOrdinal != 0) {
      EXPECT_TRUE(item.text.isOrdinal) << "the icon control names its icon by number";
      EXPECT_EQ(item.text.ordinal, expected[index].textOrdinal);
    } else if (expected[index].text != nullptr) {
      EXPECT_EQ(item.text.text, expected[index].text);
    } else {
      EXPECT_FALSE(item.text.text.empty()) << "the department and maker lines carry a text";
    }
  }
}

TEST(CompiledArtwork, IconGroupHoldsTwo32x32ImagesOf4And8Bits) {
  const auto group = art_test::FindResource(Resources(), RT_GROUP_ICON, IDI_APP);
  ASSERT_TRUE(group.has_value()) << "no icon group " << IDI_APP;
  const art_test::Bytes& data = group->data;
  EXPECT_EQ(art_test::ReadU16(data, 2), 1u) << "an icon group, not a cursor group";
  ASSERT_EQ(art_test::ReadU16(data, 4), 2u) << "images in the group";
  std::multiset<unsigned> depths;
  for (std::size_t index = 0; index < 2; ++index) {
    const std::size_t at = 6 + 14 * index;
    SCOPED_TRACE("group entry " + std::to_string(index));
    ASSERT_LT(at + 14, data.size() + 1);
    EXPECT_EQ(data[at], 32u);
    EXPECT_EQ(data[at + 1], 32u);
    const unsigned depth = art_test::ReadU16(data, at + 6);
    depths.insert(depth);
    const auto image = art_test::FindResource(Resources(), RT_ICON, art_test::ReadU16(data, at + 12));
    ASSERT_TRUE(image.has_value()) << "the group names a missing image";
    EXPECT_EQ(art_test::ReadI32(image->data, 4), 32);
    EXPECT_EQ(art_test::ReadI32(image->data, 8), 64);
    EXPECT_EQ(art_test::ReadU16(image->data, 14), depth);
  }
  EXPECT_EQ(depths, (std::multiset<unsigned>{4, 8}));
}

TEST(CompiledArtwork, MenuPictureIs136x32With4Bits) {
  const auto bitmap = art_test::FindResource(Resources(), RT_BITMAP, IDB_MENU_LOGO);
  ASSERT_TRUE(bitmap.has_value()) << "no bitmap " << IDB_MENU_LOGO;
  EXPECT_EQ(art_test::ReadU32(bitmap->data, 0), 40u);
  EXPECT_EQ(art_test::ReadI32(bitmap->data, 4), 136);
  EXPECT_EQ(art_test::ReadI32(bitmap->data, 8), 32);
  EXPECT_EQ(art_test::ReadU16(bitmap->data, 14), 4u);
  EXPECT_EQ(art_test::ReadU32(bitmap->data, 16), 0u) << "BI_RGB";
}

}  // namespace
