// The resource scripts, read as text, against the layout table that the
// stand-in builds its dialogs from: the two must never drift apart.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/dialog_templates.h"
#include "resource.h"

namespace tarivox {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

const std::map<std::string, long> Symbols = {
    {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_ICON", SS_ICON},
    {"ES_CENTER", ES_CENTER}, {"ES_UPPERCASE", ES_UPPERCASE}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
    {"ES_MULTILINE", ES_MULTILINE}, {"ES_READONLY", ES_READONLY},
    {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
    {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON}, {"BS_CENTER", BS_CENTER}, {"BS_VCENTER", BS_VCENTER},
    {"CBS_DROPDOWNLIST", CBS_DROPDOWNLIST}, {"CBS_SORT", CBS_SORT},
    {"CBS_NOINTEGRALHEIGHT", CBS_NOINTEGRALHEIGHT}, {"CBS_UPPERCASE", CBS_UPPERCASE},
    {"WS_BORDER", WS_BORDER}, {"WS_VSCROLL", WS_VSCROLL}, {"WS_TABSTOP", WS_TABSTOP},
    {"WS_GROUP", WS_GROUP}, {"WS_DISABLED", WS_DISABLED}, {"WS_POPUP", WS_POPUP},
    {"WS_VISIBLE", WS_VISIBLE}, {"WS_CAPTION", WS_CAPTION}, {"WS_SYSMENU", WS_SYSMENU},
    {"WS_MINIMIZEBOX", WS_MINIMIZEBOX}, {"DS_SYSMODAL", DS_SYSMODAL}, {"DS_ABSALIGN", DS_ABSALIGN},
    {"DS_3DLOOK", DS_3DLOOK}, {"DS_SETFONT", DS_SETFONT}, {"DS_SETFOREGROUND", DS_SETFOREGROUND},
    {"DS_CENTERMOUSE", DS_CENTERMOUSE}, {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_CENTER", DS_CENTER},
    {"WS_EX_TRANSPARENT", WS_EX_TRANSPARENT}, {"WS_EX_STATICEDGE", WS_EX_STATICEDGE},
    {"WS_EX_TOOLWINDOW", WS_EX_TOOLWINDOW},
    {"IDC_AMOUNT_LABEL", IDC_AMOUNT_LABEL}, {"IDC_OFFICE_LABEL", IDC_OFFICE_LABEL}, {"IDC_AMOUNT", IDC_AMOUNT},
    {"IDC_OFFICE", IDC_OFFICE}, {"IDC_CALCULATE", IDC_CALCULATE}, {"IDC_SERVICE", IDC_SERVICE},
    {"IDC_TRANSACTION", IDC_TRANSACTION}, {"IDC_NORMAL_PROJECT", IDC_NORMAL_PROJECT},
    {"IDC_SOCIAL_INTEREST", IDC_SOCIAL_INTEREST}, {"IDC_FEE_LABEL", IDC_FEE_LABEL},
    {"IDC_DESCRIPTION", IDC_DESCRIPTION}, {"IDC_FEE", IDC_FEE}, {"IDC_TOGGLE_TEXT", IDC_TOGGLE_TEXT},
    {"IDC_TOGGLE_TEXT_LABEL", IDC_TOGGLE_TEXT_LABEL}, {"IDI_APP", IDI_APP}, {"IDOK", IDOK},
};

// Splits a statement's arguments at top-level commas, keeping quoted text.
std::vector<std::string> Arguments(const std::string& text) {
  std::vector<std::string> parts(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      parts.emplace_back();
      continue;
    }
    parts.back() += c;
  }
  for (std::string& part : parts) {
    const auto first = part.find_first_not_of(" \t");
    const auto last = part.find_last_not_of(" \t\r");
    part = first == std::string::npos ? "" : part.substr(first, last - first + 1);
  }
  return parts;
}

long Value(const std::string& expression) {
  long value = 0;
  std::stringstream terms(expression);
  std::string term;
  while (std::getline(terms, term, '|')) {
    term = Arguments(term)[0];
    if (term.empty()) continue;
    const auto symbol = Symbols.find(term);
    if (symbol != Symbols.end()) value |= symbol->second;
    else value |= std::stol(term, nullptr, 0);
  }
  return value;
}

std::string Unquote(const std::string& text) {
  return text.size() >= 2 && text.front() == '"' ? text.substr(1, text.size() - 2) : text;
}

// Statements of one dialog, with the default styles the resource compiler
// gives each kind.
std::vector<ControlTemplate> ParseControls(const std::string& script, const std::string& dialogName,
                                           std::vector<std::string>& texts) {
  std::vector<ControlTemplate> controls;
  const auto start = script.find(dialogName + " DIALOG");
  const auto begin = script.find("BEGIN", start);
  const auto end = script.find("\nEND", begin);
  std::stringstream lines(script.substr(begin + 5, end - begin - 5));
  std::string line;
  texts.clear();
  texts.reserve(32);
  while (std::getline(lines, line)) {
    std::stringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword.empty()) continue;
    std::string rest;
    std::getline(words, rest);
    const std::vector<std::string> a = Arguments(rest);
    ControlTemplate c{};
    if (keyword == "CONTROL") {
      texts.push_back(Unquote(a.at(0)));
      c = {static_cast<int>(Value(a.at(1))), nullptr, static_cast<DWORD>(Value(a.at(3))),
           a.size() > 8 ? static_cast<DWORD>(Value(a.at(8))) : 0u,
           static_cast<short>(Value(a.at(4))), static_cast<short>(Value(a.at(5))),
           static_cast<short>(Value(a.at(6))), static_cast<short>(Value(a.at(7))), nullptr};
      static std::deque<std::string> classNames;  // a deque: c_str() stays valid
      classNames.push_back(Unquote(a.at(2)));
      for (char& ch : classNames.back()) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      c.ClassName = classNames.back().c_str();
    } else {
      const std::map<std::string, std::pair<const char*, DWORD>> kinds = {
          {"LTEXT", {"STATIC", SS_LEFT | WS_GROUP}},
          {"ICON", {"STATIC", SS_ICON}},
          {"DEFPUSHBUTTON", {"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP}},
      };
      const auto kind = kinds.find(keyword);
      if (kind == kinds.end()) {
        ADD_FAILURE() << "unknown statement " << keyword;
        continue;
      }
      texts.push_back(keyword == "ICON" ? "" : Unquote(a.at(0)));
      c = {static_cast<int>(Value(a.at(1))), kind->second.first,
           kind->second.second | (a.size() > 6 ? static_cast<DWORD>(Value(a.at(6))) : 0u), 0u,
           static_cast<short>(Value(a.at(2))), static_cast<short>(Value(a.at(3))),
           static_cast<short>(Value(a.at(4))), static_cast<short>(Value(a.at(5))), nullptr};
    }
    controls.push_back(c);
  }
  return controls;
}

void ExpectSameControls(const std::string& script, const DialogTemplate& tmpl, const std::string& name) {
  std::vector<std::string> texts;
  const std::vector<ControlTemplate> parsed = ParseControls(script, name, texts);
  ASSERT_EQ(static_cast<int>(parsed.size()), tmpl.ControlCount) << name;
  for (int i = 0; i < tmpl.ControlCount; ++i) {
    const ControlTemplate& want = tmpl.Controls[i];
    const ControlTemplate& got = parsed[static_cast<std::size_t>(i)];
    const std::string where = name + " control " + std::to_string(i);
    EXPECT_EQ(got.Id, want.Id) << where;
    EXPECT_STREQ(got.ClassName, want.ClassName) << where;
    EXPECT_EQ(got.Style, want.Style) << where;
    EXPECT_EQ(got.ExStyle, want.ExStyle) << where;
    EXPECT_EQ(got.X, want.X) << where;
    EXPECT_EQ(got.Y, want.Y) << where;
    EXPECT_EQ(got.Width, want.Width) << where;
    EXPECT_EQ(got.Height, want.Height) << where;
    if (want.Id != IDI_APP) {
      EXPECT_EQ(texts[static_cast<std::size_t>(i)], want.Text) << where;
    }
  }
}

TEST(ResourceScript, CalculatorTemplateMatchesTheLayoutTable) {
  const std::string script = ReadFile(TARIVOX_RES_DIR "/tarivox.rc");
  ASSERT_FALSE(script.empty());
  EXPECT_NE(script.find("#pragma code_page(1252)"), std::string::npos);
  EXPECT_NE(script.find("IDD_CALCULATOR DIALOGEX 0, 0, 168, 135"), std::string::npos);
  EXPECT_NE(script.find("CAPTION \"Tarivox 2001 - v.1.0\""), std::string::npos);
  EXPECT_NE(script.find("FONT 12, \"Arial\""), std::string::npos);
  const auto styleAt = script.find("STYLE ", script.find("IDD_CALCULATOR DIALOGEX"));
  const std::string styleLine = script.substr(styleAt + 6, script.find('\n', styleAt) - styleAt - 6);
  EXPECT_EQ(static_cast<DWORD>(Value(styleLine)), CalculatorTemplate.Style);
  EXPECT_NE(script.find("EXSTYLE WS_EX_TOOLWINDOW"), std::string::npos);
  ExpectSameControls(script, CalculatorTemplate, "IDD_CALCULATOR");
}

TEST(ResourceScript, AboutTemplateMatchesTheLayoutTable) {
  const std::string script = ReadFile(TARIVOX_RES_DIR "/about_dialog.rc");
  ASSERT_FALSE(script.empty());
  EXPECT_NE(script.find("IDD_ABOUT DIALOG 0, 0, 123, 77"), std::string::npos);
  EXPECT_NE(script.find("FONT 8, \"Comic Sans MS\""), std::string::npos);
  ExpectSameControls(script, AboutTemplate, "IDD_ABOUT");
}

}  // namespace
}  // namespace tarivox
