// One act of a quote: what was asked for, and the figures the window gives
// for it.
#pragma once

#include <string>
#include <string_view>

namespace tarivox::cli {

// The fee display's text for "Presentación", which the window shows without
// computing anything.
inline constexpr char PRESENTATION_SHOWN_FEE[] = "8.86";

struct ActRequest {
  std::string Source;  // where it came from, for messages: "line 5", "--act 2"
  long long Order = 0;  // position among the quote's inputs, for ordering messages
  std::string Label;   // free text (UTF-8), may be empty
  int Office = 0;
  int Service = 0;
  int Transaction = 0;  // position in the list as loaded for Service at Office
  bool Social = false;
  bool HasAmount = false;
  std::string TypedAmount;  // as typed into the amount field
};

struct ActFigures {
  bool Computed = false;
  // The window's own texts after "Calcular pago"; empty when not computed.
  std::string AmountText;
  std::string FeeText;
  long long AmountCents = 0;
  long long FeeCents = 0;
  // For a transaction that is not computed: the fee display's fixed text
  // ("8.86" for "Presentación"), otherwise empty.
  std::string ShownFee;
  std::string Rule;  // how the fee came about, in words (UTF-8)
};

// Refuses amounts a quote must not guess at: empty, negative, longer than the
// field, not wholly a number, or with commas that are not thousands
// separators ("1.234,56" would silently read as 1.23). Commas between groups
// of three digits are accepted, as the window removes them.
bool CheckTypedAmount(std::string_view typed, std::string* reason);

// Computes the act exactly as the window would (selection and typed amount
// through the core's window-free computation) and describes the rule. A
// transaction that the window does not compute gets Computed = false and
// its shown fee, if any. False, with the reason, for an amount that is
// refused or beyond what the calculator handles.
bool ComputeAct(const ActRequest& act, ActFigures* figures, std::string* reason);

// Catalogue names in UTF-8; the transaction by its position as loaded.
std::string OfficeNameUtf8(int office);
std::string ServiceNameUtf8(int service);
std::string TransactionNameUtf8(int service, int transaction, int office);

// "normal" or "social interest", as the quote prints the project kind.
const char* ProjectName(bool social);

}  // namespace tarivox::cli
