// tarivox-cli tariff: the editions of the tariff this tool knows, an
// edition written out, an edition file checked or installed for the user.
#include "cli/commands.h"
#include "cli/files.h"
#include "report/explain.h"
#include "report/text.h"

namespace tarivox::cli {
namespace {

int List(const report::TariffBook& book, const Streams& io) {
  for (const report::KnownEdition& known : book.Editions()) {
    const std::string from = known.Tariff->InForceFrom.IsSet() ? IsoDate(known.Tariff->InForceFrom)
                                                               : report::Text(io.Lang, report::MSG_TARIFF_ALWAYS);
    const std::string source = known.Source.empty() ? report::Text(io.Lang, report::MSG_TARIFF_BUILT_IN)
                                                    : report::Echo(known.Source);
    Write(io.Out, report::Text(io.Lang, report::MSG_TARIFF_ITEM, known.Tariff->Name, from, source) + "\n");
  }
  return EXIT_OK;
}

// The edition's document as it was read: the built-in one when no name is
// given.
int Export(const report::TariffBook& book, const Arguments& arguments, const Streams& io) {
  const report::KnownEdition* known = &book.Editions().front();
  if (arguments.Operands.size() > 1) {
    known = book.Named(report::AsUtf8(arguments.Operands[1]));
    if (known == nullptr) return UsageError(io, report::Text(io.Lang, report::MSG_TARIFF_NO_SUCH, arguments.Operands[1]));
  }
  Write(io.Out, known->Json);
  return EXIT_OK;
}

// The file as an edition: whole, or refused with every reason.
int Check(const std::string& path, const Streams& io, report::TariffBook* book, bool quiet) {
  std::string bytes;
  int error = 0;
  if (!ReadSmallFile(path, std::size_t{1} << 20, &bytes, &error)) {
    Say(io, Failure(io.Lang, report::Echo(path), error));
    return EXIT_IO;
  }
  std::vector<std::string> reasons;
  if (book->Add(io.Lang, bytes, path, &reasons)) {
    if (!quiet) Write(io.Out, report::Text(io.Lang, report::MSG_TARIFF_GOOD, report::Echo(path)) + "\n");
    return EXIT_OK;
  }
  Say(io, report::Text(io.Lang, report::MSG_CLI_TARIFF_REFUSED, report::Echo(path)));
  for (const std::string& reason : reasons) Say(io, "  " + reason);
  return EXIT_REFUSED;
}

// Into the user's folder, under the day it takes effect, so that no two
// installed editions can take effect the same day.
int Install(const std::string& path, const Streams& io, report::TariffBook* book) {
  if (int status = Check(path, io, book, true); status != EXIT_OK) return status;
  const report::KnownEdition& added = *book->Named(book->Editions().back().Tariff->Name);
  const std::string folder = InstalledTariffFolder();
  if (!added.Tariff->InForceFrom.IsSet() || folder.empty()) {
    Say(io, report::Text(io.Lang, added.Tariff->InForceFrom.IsSet() ? report::MSG_TARIFF_NO_FOLDER
                                                                     : report::MSG_TARIFF_NO_DATE));
    return EXIT_REFUSED;
  }
  const std::string target = JoinPath(folder, IsoDate(added.Tariff->InForceFrom) + ".json");
  int error = 0;
  if (!MakeFolders(folder, &error) || !WriteNewFile(target, added.Json, &error)) {
    Say(io, Failure(io.Lang, report::Echo(target), error));
    return EXIT_IO;
  }
  Write(io.Out, report::Text(io.Lang, report::MSG_TARIFF_INSTALLED, added.Tariff->Name, report::Echo(target)) + "\n");
  return EXIT_OK;
}

}  // namespace

int RunTariff(const Arguments& arguments, const Streams& io) {
  const std::string_view action = arguments.HasOperand ? arguments.Operand : "";
  const bool takesFile = action == "check" || action == "install";
  if ((action != "list" && action != "export" && !takesFile) ||
      (takesFile != (arguments.Operands.size() == 2)) || (action == "list" && arguments.Operands.size() > 1)) {
    return UsageError(io, report::Text(io.Lang, report::MSG_TARIFF_USAGE));
  }
  report::TariffBook book;
  if (int status = LoadTariffs(arguments, io, &book); status != EXIT_OK) return status;
  if (action == "list") return List(book, io);
  if (action == "export") return Export(book, arguments, io);
  const std::string path(arguments.Operands[1]);
  return action == "check" ? Check(path, io, &book, false) : Install(path, io, &book);
}

}  // namespace tarivox::cli
