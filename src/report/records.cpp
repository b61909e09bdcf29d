#include "report/records.h"

#include "report/in_words.h"
#include "report/units.h"
#include "report/writers.h"

namespace tarivox::report {
namespace {

using Kind = FieldValue::Kind;

FieldValue ValueOf(Kind type, bool present) {
  FieldValue value;
  value.Type = type;
  value.Present = present;
  return value;
}
FieldValue TextOf(std::string text, bool present = true) {
  FieldValue value = ValueOf(Kind::Text, present);
  value.Text = std::move(text);
  return value;
}
// Null in JSON, an empty cell in CSV, when there is nothing to say.
FieldValue TextOrNull(std::string text) {
  const bool present = !text.empty();
  return TextOf(std::move(text), present);
}
FieldValue CodeOf(std::string code, std::string words, bool present = true) {
  FieldValue value = ValueOf(Kind::Code, present);
  value.Text = std::move(code);
  value.Words = std::move(words);
  return value;
}
FieldValue FlagOf(bool on, bool present = true) {
  FieldValue value = ValueOf(Kind::Flag, present);
  value.On = on;
  return value;
}
FieldValue NumberOf(Kind type, long long number, bool present) {
  FieldValue value = ValueOf(type, present);
  value.Number = number;
  return value;
}
FieldValue MoneyOf(long long cents, bool present = true) { return NumberOf(Kind::Money, cents, present); }
FieldValue IntegerOf(long long value, bool present = true) { return NumberOf(Kind::Integer, value, present); }

bool ByEngine(const Act& act) { return act.PricedBy == Pricing::Engine; }
bool Counted(const Act& act) { return !ByEngine(act) && act.Stated->Unit != UNIT_NONE; }

// The edition an act is priced under: its name, and the day it took
// effect (none for the built-in edition, in force since always).
FieldValue TariffName(const Edition& edition) { return TextOf(edition.Name); }
FieldValue TariffFrom(const Edition& edition) {
  return TextOf(edition.InForceFrom.IsSet() ? IsoDate(edition.InForceFrom) : "", edition.InForceFrom.IsSet());
}

FieldValue ProjectOf(Language language, const Selection& what) {
  return CodeOf(what.SocialInterest ? "social" : "normal", ProjectName(language, what.SocialInterest));
}

// The figures every priced act has, shared by a quote's acts and a
// comparison's columns; offered is false for a column whose act does not
// exist there, whose figures are all absent.
FieldValue Computed(const Act& act, bool offered) { return FlagOf(ByEngine(act), offered); }
FieldValue AmountTyped(const Act& act, bool offered) { return TextOf(act.Typed, offered && ByEngine(act)); }
FieldValue Amount(const Act& act, bool offered) { return MoneyOf(act.AmountCents, offered && ByEngine(act)); }
FieldValue AmountCents(const Act& act, bool offered) { return IntegerOf(act.AmountCents, offered && ByEngine(act)); }
FieldValue Fee(const Act& act, bool offered) { return MoneyOf(act.FeeCents, offered); }
FieldValue FeeCents(const Act& act, bool offered) { return IntegerOf(act.FeeCents, offered); }
FieldValue Shown(const Act& act, bool offered) { return offered ? TextOrNull(ShownFee(act)) : TextOf("", false); }
FieldValue PricedBy(Language language, const Act& act, bool offered) {
  return ByEngine(act) ? CodeOf("engine", Text(language, MSG_CSV_BY_ENGINE), offered)
                       : CodeOf("tariff_text", Text(language, MSG_CSV_BY_TEXT), offered);
}
FieldValue Quantity(const Act& act, bool offered) { return IntegerOf(act.Quantity, offered && Counted(act)); }
FieldValue Unit(Language language, const Act& act, bool offered) {
  const bool counted = offered && Counted(act);
  return counted ? CodeOf(UnitKey(act.Stated->Unit), UnitsName(language, act.Stated->Unit)) : CodeOf("", "", false);
}
FieldValue ProjectValue(const Act& act, bool offered) {
  return MoneyOf(act.ProjectValueCents, offered && act.Shared);
}

using C = const RecordContext&;

constexpr Field<Act> kActFields[] = {
    {"record", MSG_CSV_RECORD, TO_CSV, [](C c, const Act&) { return CodeOf("act", Text(c.Lang, MSG_CSV_ACT)); }},
    {"act", MSG_COLUMN_NUMBER, TO_BOTH | TO_SHEET, [](C c, const Act&) { return IntegerOf(c.Position); }},
    {"source", NO_HEADING, TO_JSON, [](C c, const Act& a) { return TextOf(SourceText(c.Lang, a)); }},
    {"label", MSG_COLUMN_LABEL, TO_BOTH | TO_SHEET, [](C, const Act& a) { return TextOrNull(a.Label); }},
    {"office", MSG_COLUMN_OFFICE, TO_BOTH | TO_SHEET,
     [](C, const Act& a) { return TextOf(OfficeName(*a.Tariff, a.What.OfficeIndex)); }},
    {"office_position", NO_HEADING, TO_JSON, [](C, const Act& a) { return IntegerOf(a.What.OfficeIndex); }},
    {"service", MSG_COLUMN_SERVICE, TO_BOTH | TO_SHEET,
     [](C, const Act& a) { return TextOf(ServiceName(*a.Tariff, a.What.ServiceIndex)); }},
    {"service_position", NO_HEADING, TO_JSON, [](C, const Act& a) { return IntegerOf(a.What.ServiceIndex); }},
    {"transaction", MSG_COLUMN_TRANSACTION, TO_BOTH | TO_SHEET,
     [](C, const Act& a) { return TextOf(TransactionName(*a.Tariff, a.What)); }},
    {"transaction_position", NO_HEADING, TO_JSON, [](C, const Act& a) { return IntegerOf(a.What.TransactionIndex); }},
    {"project", MSG_COLUMN_PROJECT, TO_CSV | TO_SHEET, [](C c, const Act& a) { return ProjectOf(c.Lang, a.What); }},
    {"social_interest", NO_HEADING, TO_JSON, [](C, const Act& a) { return FlagOf(a.What.SocialInterest); }},
    {"computed", MSG_CSV_COMPUTED, TO_BOTH, [](C, const Act& a) { return Computed(a, true); }},
    {"amount_typed", NO_HEADING, TO_JSON, [](C, const Act& a) { return AmountTyped(a, true); }},
    {"amount", MSG_COLUMN_AMOUNT, TO_BOTH | TO_SHEET, [](C, const Act& a) { return Amount(a, true); }},
    {"amount_cents", MSG_CSV_AMOUNT_CENTS, TO_BOTH, [](C, const Act& a) { return AmountCents(a, true); }},
    {"fee", MSG_COLUMN_FEE, TO_BOTH | TO_SHEET, [](C, const Act& a) { return Fee(a, true); }},
    {"fee_cents", MSG_CSV_FEE_CENTS, TO_BOTH, [](C, const Act& a) { return FeeCents(a, true); }},
    {"shown_fee", NO_HEADING, TO_JSON, [](C, const Act& a) { return Shown(a, true); }},
    {"rule", MSG_COLUMN_RULE, TO_BOTH | TO_SHEET, [](C c, const Act& a) { return TextOf(RuleText(c.Lang, a)); }},
    {"note", MSG_COLUMN_NOTE, TO_BOTH, [](C, const Act& a) { return IntegerOf(a.Note); }},
    {"tariff_text", MSG_COLUMN_TARIFF_TEXT, TO_CSV | TO_SHEET,
     [](C, const Act& a) { return TextOf(TariffText(*a.Tariff, a.What)); }},
    {"priced_by", MSG_CSV_PRICED_BY, TO_BOTH | TO_SHEET, [](C c, const Act& a) { return PricedBy(c.Lang, a, true); }},
    {"quantity", MSG_CSV_QUANTITY, TO_BOTH | TO_SHEET, [](C, const Act& a) { return Quantity(a, true); }},
    {"unit", MSG_CSV_UNIT, TO_BOTH | TO_SHEET, [](C c, const Act& a) { return Unit(c.Lang, a, true); }},
    {"project_value", MSG_CSV_PROJECT_VALUE, TO_BOTH | TO_SHEET, [](C, const Act& a) { return ProjectValue(a, true); }},
    // What the page shows of an act besides the members above.
    {"name", NO_HEADING, TO_PAGE, [](C c, const Act& a) { return TextOf(ActName(c.Lang, *a.Tariff, a.What)); }},
    {"value_text", NO_HEADING, TO_PAGE, [](C c, const Act& a) { return TextOf(ValueText(c.Lang, a)); }},
};

using V = const Variant&;

constexpr Field<Variant> kVariantFields[] = {
    {"variant", MSG_CSV_VARIANT, TO_BOTH | TO_SHEET,
     [](C c, V v) { return CodeOf(VariantCode(v), VariantName(c.Lang, v)); }},
    {"office", MSG_COLUMN_OFFICE, TO_BOTH | TO_SHEET,
     [](C, V v) { return TextOf(OfficeName(*v.Figures.Tariff, v.Figures.What.OfficeIndex)); }},
    {"office_position", NO_HEADING, TO_JSON, [](C, V v) { return IntegerOf(v.Figures.What.OfficeIndex); }},
    {"project", MSG_COLUMN_PROJECT, TO_CSV | TO_SHEET, [](C c, V v) { return ProjectOf(c.Lang, v.Figures.What); }},
    {"social_interest", NO_HEADING, TO_JSON, [](C, V v) { return FlagOf(v.Figures.What.SocialInterest); }},
    {"offered", NO_HEADING, TO_JSON, [](C, V v) { return FlagOf(v.Offered); }},
    {"transaction_position", NO_HEADING, TO_JSON,
     [](C, V v) { return IntegerOf(v.Figures.What.TransactionIndex, v.Offered); }},
    {"computed", MSG_CSV_COMPUTED, TO_BOTH, [](C, V v) { return Computed(v.Figures, v.Offered); }},
    {"amount_typed", NO_HEADING, TO_JSON, [](C, V v) { return AmountTyped(v.Figures, v.Offered); }},
    {"amount", MSG_COLUMN_AMOUNT, TO_BOTH | TO_SHEET, [](C, V v) { return Amount(v.Figures, v.Offered); }},
    {"amount_cents", MSG_CSV_AMOUNT_CENTS, TO_BOTH, [](C, V v) { return AmountCents(v.Figures, v.Offered); }},
    {"fee", MSG_COLUMN_FEE, TO_BOTH | TO_SHEET, [](C, V v) { return Fee(v.Figures, v.Offered); }},
    {"fee_cents", MSG_CSV_FEE_CENTS, TO_BOTH, [](C, V v) { return FeeCents(v.Figures, v.Offered); }},
    {"shown_fee", NO_HEADING, TO_JSON, [](C, V v) { return Shown(v.Figures, v.Offered); }},
    {"difference", MSG_COLUMN_DIFFERENCE, TO_BOTH | TO_SHEET,
     [](C, V v) { return NumberOf(Kind::Signed, v.DifferenceCents, v.HasDifference); }},
    {"difference_cents", MSG_CSV_DIFFERENCE_CENTS, TO_BOTH,
     [](C, V v) { return IntegerOf(v.DifferenceCents, v.HasDifference); }},
    {"rule", MSG_COLUMN_RULE, TO_BOTH | TO_SHEET, [](C c, V v) { return TextOf(VariantRule(c.Lang, v)); }},
    {"note", NO_HEADING, TO_JSON, [](C, V v) { return IntegerOf(v.Figures.Note, v.Offered); }},
    {"tariff_text", MSG_COLUMN_TARIFF_TEXT, TO_CSV | TO_SHEET,
     [](C, V v) { return TextOf(v.Offered ? TariffText(*v.Figures.Tariff, v.Figures.What) : ""); }},
    {"priced_by", MSG_CSV_PRICED_BY, TO_BOTH | TO_SHEET, [](C c, V v) { return PricedBy(c.Lang, v.Figures, v.Offered); }},
    {"quantity", MSG_CSV_QUANTITY, TO_BOTH | TO_SHEET, [](C, V v) { return Quantity(v.Figures, v.Offered); }},
    {"unit", MSG_CSV_UNIT, TO_BOTH | TO_SHEET, [](C c, V v) { return Unit(c.Lang, v.Figures, v.Offered); }},
    {"project_value", MSG_CSV_PROJECT_VALUE, TO_BOTH | TO_SHEET,
     [](C, V v) { return ProjectValue(v.Figures, v.Offered); }},
    {"tariff", MSG_CSV_TARIFF, TO_CSV, [](C, V v) { return TariffName(*v.Figures.Tariff); }},
    {"tariff_in_force_from", MSG_CSV_TARIFF_FROM, TO_CSV, [](C, V v) { return TariffFrom(*v.Figures.Tariff); }},
};

using Q = const Quote&;

long long ActCount(Q quote) { return static_cast<long long>(quote.Acts.size()); }

constexpr Field<Quote> kTotalFields[] = {
    {"record", MSG_CSV_RECORD, TO_CSV, [](C c, Q) { return CodeOf("total", Text(c.Lang, MSG_CSV_TOTAL)); }},
    // The workbook's total row says what it is in the label column.
    {"label", NO_HEADING, TO_SHEET, [](C c, Q) { return TextOf(Text(c.Lang, MSG_SHEET_TOTAL)); }},
    {"fee", MSG_COLUMN_FEE, TO_BOTH | TO_SHEET, [](C, Q q) { return MoneyOf(q.TotalCents); }},
    {"fee_cents", MSG_CSV_FEE_CENTS, TO_BOTH, [](C, Q q) { return IntegerOf(q.TotalCents); }},
    {"rule", MSG_COLUMN_RULE, TO_CSV | TO_SHEET,
     [](C c, Q q) {
       const std::string acts = CountText(c.Lang, ActCount(q), MSG_ACTS_ONE, MSG_ACTS_MANY);
       return TextOf(Text(c.Lang, MSG_TOTAL_RULE, acts, AmountInWords(c.Lang, q.TotalCents)));
     }},
    {"in_words", NO_HEADING, TO_JSON, [](C c, Q q) { return TextOf(AmountInWords(c.Lang, q.TotalCents)); }},
    {"computed_acts", NO_HEADING, TO_JSON, [](C, Q q) { return IntegerOf(q.EngineCount); }},
    {"not_computed_acts", NO_HEADING, TO_JSON, [](C, Q q) { return IntegerOf(ActCount(q) - q.EngineCount); }},
    {"unreadable_acts", NO_HEADING, TO_JSON, [](C, Q q) { return IntegerOf(q.Unreadable); }},
    {"complete", NO_HEADING, TO_JSON, [](C, Q q) { return FlagOf(IsComplete(q)); }},
    // What the page shows after the last act.
    {"count_text", NO_HEADING, TO_PAGE, [](C c, Q q) { return TextOf(ActCountText(c.Lang, ActCount(q), q.EngineCount)); }},
    {"total_text", NO_HEADING, TO_PAGE, [](C c, Q q) { return TextOf(Text(c.Lang, MSG_TOTAL, Cents{q.TotalCents})); }},
    {"words_text", NO_HEADING, TO_PAGE,
     [](C c, Q q) { return TextOf(Text(c.Lang, MSG_TOTAL_IN_WORDS, AmountInWords(c.Lang, q.TotalCents))); }},
};

FieldValue DateOf(const CalendarDate& date) { return TextOf(date.IsSet() ? IsoDate(date) : "", date.IsSet()); }

// What heads a quote as a document: JSON members before its acts, columns
// after every CSV row's own.
constexpr Field<Quote> kHeadingFields[] = {
    {"title", NO_HEADING, TO_JSON, [](C c, Q) { return TextOf(Text(c.Lang, MSG_QUOTE_HEADING)); }},
    {"language", NO_HEADING, TO_JSON, [](C c, Q) { return TextOf(std::string(LanguageName(c.Lang))); }},
    {"number", MSG_CSV_NUMBER, TO_BOTH | TO_SHEET, [](C, Q q) { return TextOrNull(q.Number); }},
    {"client", MSG_CSV_CLIENT, TO_BOTH | TO_SHEET, [](C, Q q) { return TextOrNull(q.Client); }},
    {"date", MSG_CSV_DATE, TO_BOTH | TO_SHEET, [](C, Q q) { return TextOrNull(q.Date); }},
    {"valid_until", MSG_CSV_VALID_UNTIL, TO_BOTH | TO_SHEET, [](C, Q q) { return DateOf(q.ValidUntil); }},
    {"figures_change_from", MSG_CSV_FIGURES_CHANGE_FROM, TO_BOTH | TO_SHEET,
     [](C, Q q) { return q.LaterTariff != nullptr ? DateOf(q.LaterTariff->InForceFrom) : TextOf("", false); }},
    {"figures_change_tariff", MSG_CSV_FIGURES_CHANGE_TARIFF, TO_BOTH | TO_SHEET,
     [](C, Q q) { return q.LaterTariff != nullptr ? TariffName(*q.LaterTariff) : TextOf("", false); }},
    {"preparer", MSG_CSV_PREPARER, TO_BOTH | TO_SHEET, [](C, Q q) { return TextOrNull(q.Preparer); }},
    {"firm", MSG_CSV_FIRM, TO_BOTH | TO_SHEET, [](C, Q q) { return TextOrNull(q.Firm); }},
    {"tariff", MSG_CSV_TARIFF, TO_CSV | TO_SHEET, [](C, Q q) { return TariffName(*q.Tariff); }},
    {"tariff_in_force_from", MSG_CSV_TARIFF_FROM, TO_CSV | TO_SHEET, [](C, Q q) { return TariffFrom(*q.Tariff); }},
    {"verification_code", MSG_CSV_VERIFICATION, TO_CSV | TO_SHEET, [](C, Q q) { return TextOrNull(q.Sealed.Code); }},
};

constexpr Field<Selection> kNoteFields[] = {
    {"note", NO_HEADING, TO_JSON, [](C c, const Selection&) { return IntegerOf(c.Position); }},
    {"heading", NO_HEADING, TO_JSON, [](C c, const Selection& s) { return TextOf(NoteHeading(*c.Tariff, s)); }},
    {"text", NO_HEADING, TO_JSON, [](C c, const Selection& s) { return TextOf(TariffText(*c.Tariff, s)); }},
};

constexpr Field<Edition> kTariffFields[] = {
    {"name", NO_HEADING, TO_JSON, [](C, const Edition& e) { return TariffName(e); }},
    {"in_force_from", NO_HEADING, TO_JSON, [](C, const Edition& e) { return TariffFrom(e); }},
};

// A heading fact is a label and a value, one row each above the table.
using K = const Comparison&;

constexpr Field<Comparison> kComparisonHeadingFields[] = {
    {"service", MSG_COLUMN_SERVICE, TO_SHEET,
     [](C, K k) { return TextOf(ServiceName(*k.Tariff, k.Reference.ServiceIndex)); }},
    {"transaction", MSG_COLUMN_TRANSACTION, TO_SHEET,
     [](C, K k) { return TextOf(TransactionName(*k.Tariff, k.Reference)); }},
    {"amount_typed", MSG_SHEET_TYPED, TO_SHEET, [](C, K k) { return TextOf(k.Typed, k.HasTyped); }},
    {"project_value_typed", MSG_SHEET_PROJECT_VALUE_TYPED, TO_SHEET,
     [](C, K k) { return TextOf(k.ProjectValueTyped, k.HasProjectValue); }},
    {"tariff", MSG_CSV_TARIFF, TO_SHEET, [](C, K k) { return TariffName(*k.Tariff); }},
    {"tariff_in_force_from", MSG_CSV_TARIFF_FROM, TO_SHEET, [](C, K k) { return TariffFrom(*k.Tariff); }},
};

}  // namespace

std::span<const Field<Act>> ActFields() { return kActFields; }
std::span<const Field<Variant>> VariantFields() { return kVariantFields; }
std::span<const Field<Quote>> TotalFields() { return kTotalFields; }
std::span<const Field<Selection>> NoteFields() { return kNoteFields; }
std::span<const Field<Quote>> HeadingFields() { return kHeadingFields; }
std::span<const Field<Edition>> TariffFields() { return kTariffFields; }
std::span<const Field<Comparison>> ComparisonHeadingFields() { return kComparisonHeadingFields; }

bool IsComplete(const Quote& quote) { return quote.Unreadable == 0; }

}  // namespace tarivox::report
