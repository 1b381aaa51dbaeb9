// Reading the challenge data pages field by field.
#include "challenge/dati_sfida.h"

#include <array>
#include <limits>
#include <vector>

#include "play/text_utils.h"

namespace sudoku {
namespace {

// A field of DatiSfida: a text or an integer member; a chat field is read in UTF-8.
struct Field {
  std::string_view id;
  std::string DatiSfida::*text = nullptr;
  std::int32_t DatiSfida::*number = nullptr;
  bool utf8 = false;
};

constexpr Field Text(std::string_view id, std::string DatiSfida::*member) {
  return {id, member, nullptr};
}
constexpr Field Chat(std::string_view id, std::string DatiSfida::*member) {
  return {id, member, nullptr, true};
}
constexpr Field Number(std::string_view id, std::int32_t DatiSfida::*member) {
  return {id, nullptr, member};
}

const std::vector<Field>& SectionFields(std::string_view section) {
  using D = DatiSfida;
  static const std::vector<Field> kSfida = {Text("schemasfida", &D::schemasfida)};
  static const std::vector<Field> kComuni = {Text("miaSuSfida", &D::miaSuSfida),
                                             Text("nickname", &D::nickname),
                                             Number("UteSuConnessi", &D::UteSuConnessi),
                                             Number("nAttesa", &D::nAttesa),
                                             Number("nCorso", &D::nCorso),
                                             Text("schemasfida", &D::schemasfida),
                                             Text("sfidante", &D::sfidante),
                                             Text("sfidato", &D::sfidato),
                                             Text("statosfida", &D::statosfida),
                                             Number("nMaxSuSfide", &D::nMaxSuSfide)};
  static const std::vector<Field> kInCorso = {Text("miaSuSfida", &D::miaSuSfida),
                                              Text("nickname", &D::nickname),
                                              Text("schemasfida", &D::schemasfida),
                                              Text("sfidante", &D::sfidante),
                                              Text("sfidato", &D::sfidato),
                                              Text("soluzione", &D::soluzione),
                                              Text("giornoiniziosfida", &D::giornoiniziosfida),
                                              Text("ultimamossa", &D::ultimamossa),
                                              Text("mossaprecedente", &D::mossaprecedente),
                                              Text("elementotrovatoda", &D::elementotrovatoda),
                                              Text("orafinesfida", &D::orafinesfida),
                                              Text("orainiziosfida", &D::orainiziosfida),
                                              Text("puntisfidanteok", &D::puntisfidanteok),
                                              Text("puntisfidanteko", &D::puntisfidanteko),
                                              Text("puntisfidatook", &D::puntisfidatook),
                                              Text("puntisfidatoko", &D::puntisfidatoko),
                                              Text("bRisolto", &D::bRisolto),
                                              Chat("msgxsfidato", &D::msgxsfidato),
                                              Chat("msgxsfidante", &D::msgxsfidante)};
  static const std::vector<Field> kNone;
  if (section == "sfida") return kSfida;
  if (section == "comuni") return kComuni;
  if (section == "asusfideincorso") return kInCorso;
  return kNone;
}

std::int32_t ToInt32(const std::string& value) {
  const std::optional<std::int64_t> number = ParseInteger(value);
  if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
      *number > std::numeric_limits<std::int32_t>::max()) {
    throw BrowserError("'" + value + "' is not a valid integer value");
  }
  return static_cast<std::int32_t>(*number);
}

}  // namespace

void ReadChallengePage(BrowserPane& pane, std::string_view section, DatiSfida& dati) {
  static const DatiSfida kDefaults;
  for (const Field& field : SectionFields(section)) {
    const std::string id(field.id);
    const std::optional<std::string> value =
        field.utf8 ? FindElementByIdUtf8(pane, id) : FindElementById(pane, id);
    if (field.text != nullptr) {
      dati.*field.text = value ? *value : kDefaults.*field.text;
    } else {
      dati.*field.number = value ? ToInt32(*value) : kDefaults.*field.number;
    }
  }
}

std::string CacheDefeatingNumber(Random& random) {
  const std::int64_t large = random.Next(0, 999'999);
  const std::int64_t small = random.Next(0, 999);
  return std::to_string(large * small / 1000);
}

}  // namespace sudoku
