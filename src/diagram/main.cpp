// bubblix-diagram: draws the phase diagram of a binary parameter file into a PNG picture or an
// SVG drawing, without a display. bubblix-cli runs it for its `diagram` command, so that the
// other commands start without the Qt libraries.
//
//   bubblix-diagram --params FILE.dat --out FILE.png|FILE.svg [--kind txy|xy|pxy]
//                   [--t CELSIUS] [--lang en|ru] [--size WIDTHxHEIGHT]
//   bubblix-diagram --kind gamma --components I,J --out FILE.png|FILE.svg [--m 3]
//                   [--lang en|ru] [--size WIDTHxHEIGHT]
//   bubblix-diagram --kind residuals --params FILE.dat [--components I,J] --out FILE.png|FILE.svg
//                   [--lang en|ru] [--size WIDTHxHEIGHT]
//   each with [--library FILE.json] [--data FILE.csv]... (docs/components.md,
//   docs/data-sets.md): the database the diagram is drawn with.
//
// The kind gamma draws the activity coefficients of the pair's equilibrium data (its loaded
// sets, else its built-in data) with the consistency point test's series (no parameter file).
// The kind residuals draws the residuals of the set's bubble points against the pair's data
// (analysis/fit_residuals.h); --components (database numbers) chooses the pair of a set of
// more than two components.
//
// Exit status: 0 written; 1 the file could not be read, the set not drawn or the picture not
// written; 2 the command line is wrong. Messages go to standard error in the language asked.

#include <QGuiApplication>
#include <QString>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis/fit_residuals.h"
#include "core/base/errors.h"
#include "core/data/component_base.h"
#include "core/data/database.h"
#include "core/data/user_data.h"
#include "core/io/number_reading.h"
#include "core/io/run_files.h"
#include "core/io/temporary_files.h"
#include "core/models/equilibrium_point.h"
#include "core/models/parameter_file.h"
#include "core/session/parameter_file_dialogs.h"
#include "core/session/session_state.h"
#include "core/texts/gui_texts.h"
#include "core/texts/residual_texts.h"
#include "plot/diagram_data.h"
#include "plot/diagram_painter.h"
#include "plot/gamma_picture.h"
#include "plot/residual_picture.h"

namespace {

using bubblix::Language;
using bubblix::Real;
using bubblix::Text;
namespace texts = bubblix::texts;
namespace plot = bubblix::plot;

constexpr const char* kProgram = "bubblix-diagram";
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct Options {
  std::string params;
  std::string out;
  std::string kind = "txy";
  std::optional<Real> celsius;
  std::optional<std::array<int, 2>> pair;  // --components of the kind gamma
  std::optional<int> terms;                // --m
  std::string library;                     // --library
  std::vector<std::string> data;           // --data, in order
  Language lang = Language::English;
  int width = plot::kDefaultDiagramWidth;
  int height = plot::kDefaultDiagramHeight;
  bool help = false;
};

// A refused command line: the text and its arguments.
struct UsageError {
  const Text* text;
  std::vector<std::string> args;
};

// Qt's own notes (a missing runtime folder, font look-ups) are not the program's messages: only
// its critical and fatal ones reach standard error.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void printError(Language lang, const std::string& message) {
  const std::string line = bubblix::render(texts::kDiagramProgramError, lang, {kProgram, message});
  std::fprintf(stderr, "%s\n", line.c_str());
}

std::optional<int> parseSide(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  for (char c : text)
    if (c < '0' || c > '9') return std::nullopt;
  const int value = std::atoi(text.c_str());
  if (value < plot::kMinDiagramSide || value > plot::kMaxDiagramSide) return std::nullopt;
  return value;
}

// The language first, so that every other message is in it.
Language languageOf(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--lang" && std::string(argv[i + 1]) == "ru")
      return Language::Russian;
  }
  return Language::English;
}

Options parse(int argc, char** argv, Language lang) {
  Options o;
  o.lang = lang;
  std::vector<std::string> seen;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--help" || option == "-h") {
      o.help = true;
      return o;
    }
    static const char* const known[] = {"--params",  "--out",  "--kind",       "--t",
                                        "--lang",    "--size", "--components", "--m",
                                        "--library", "--data"};
    bool isKnown = false;
    for (const char* k : known)
      isKnown = isKnown || option == k;
    if (!isKnown) throw UsageError{&texts::kDiagramOptionUnknown, {option}};
    // --data may be given several times.
    for (const std::string& s : seen)
      if (s == option && option != "--data")
        throw UsageError{&texts::kDiagramOptionTwice, {option}};
    seen.push_back(option);
    if (i + 1 >= argc) throw UsageError{&texts::kDiagramOptionValueMissing, {option}};
    const std::string value = argv[++i];
    if (option == "--params") {
      o.params = value;
    } else if (option == "--library") {
      o.library = value;
    } else if (option == "--data") {
      o.data.push_back(value);
    } else if (option == "--out") {
      o.out = value;
    } else if (option == "--kind") {
      if (value != "txy" && value != "xy" && value != "pxy" && value != "gamma" &&
          value != "residuals")
        throw UsageError{&texts::kDiagramOptionValue,
                         {option, value, "txy, xy, pxy, gamma, residuals"}};
      o.kind = value;
    } else if (option == "--t") {
      // Read as bubblix-cli reads its numbers: with a full stop whatever the language, and no
      // hexadecimal form, "inf" or "nan".
      o.celsius = bubblix::parseGridNumber(value, ".");
      if (!o.celsius || bubblix::checkTemperature(*o.celsius)) {
        throw UsageError{&texts::kDiagramOptionValue,
                         {option, value, std::string(texts::kDiagramTemperatureValues.in(lang))}};
      }
    } else if (option == "--components") {
      const std::size_t comma = value.find(',');
      // 1 to 16 here; whether the database holds the number is checked with the data loaded.
      const auto number = [](const std::string& t) -> int {
        if (t.empty() || t.size() > 2) return 0;
        for (char c : t)
          if (c < '0' || c > '9') return 0;
        const int n = std::atoi(t.c_str());
        return n >= 1 && n <= bubblix::kMaxComponents ? n : 0;
      };
      const int a = comma == std::string::npos ? 0 : number(value.substr(0, comma));
      const int b = comma == std::string::npos ? 0 : number(value.substr(comma + 1));
      if (a == 0 || b == 0 || a == b) {
        throw UsageError{&texts::kDiagramOptionValue,
                         {option, value, std::string(texts::kDiagramPairValues.in(lang))}};
      }
      o.pair = std::array<int, 2>{a, b};
    } else if (option == "--m") {
      if (value.size() != 1 || value[0] < '1' || value[0] > '5') {
        throw UsageError{&texts::kDiagramOptionValue,
                         {option, value, std::string(texts::kDiagramTermValues.in(lang))}};
      }
      o.terms = value[0] - '0';
    } else if (option == "--lang") {
      if (value != "en" && value != "ru")
        throw UsageError{&texts::kDiagramOptionValue, {option, value, "en, ru"}};
    } else {  // --size
      const std::size_t x = value.find_first_of("xX");
      const std::optional<int> w =
          x == std::string::npos ? std::nullopt : parseSide(value.substr(0, x));
      const std::optional<int> h =
          x == std::string::npos ? std::nullopt : parseSide(value.substr(x + 1));
      if (!w || !h) {
        throw UsageError{&texts::kDiagramOptionValue,
                         {option, value, std::string(texts::kDiagramSizeValues.in(lang))}};
      }
      o.width = *w;
      o.height = *h;
    }
  }
  if (o.kind == "gamma") {
    if (!o.pair) throw UsageError{&texts::kDiagramOptionRequired, {"--components"}};
    if (!o.params.empty() || o.celsius) throw UsageError{&texts::kDiagramGammaOptions, {}};
    if (o.out.empty()) throw UsageError{&texts::kDiagramOptionRequired, {"--out"}};
    return o;
  }
  if (o.params.empty()) throw UsageError{&texts::kDiagramOptionRequired, {"--params"}};
  if (o.out.empty()) throw UsageError{&texts::kDiagramOptionRequired, {"--out"}};
  if (o.kind == "residuals") {
    if (o.celsius || o.terms) throw UsageError{&texts::kDiagramResidualOptions, {}};
    return o;
  }
  if (o.pair || o.terms) throw UsageError{&texts::kDiagramPairOnlyForGamma, {}};
  if (o.kind == "pxy" && !o.celsius) throw UsageError{&texts::kDiagramKindNeedsTemperature, {}};
  if (o.kind == "txy" && o.celsius) throw UsageError{&texts::kDiagramTemperatureNotForTxy, {}};
  return o;
}

// The residual picture of the set's pair: the one --components names (database numbers, in
// either order), or the only pair of a binary set.
plot::ResidualPicture residualPicture(const bubblix::Database& db,
                                      const bubblix::TParameterSet& set,
                                      const std::optional<std::array<int, 2>>& pair, Language lang,
                                      const std::string& separator) {
  const int n = set.ComponentCount;
  if (!pair && n != 2) {
    throw bubblix::InputError(texts::kDiagramResidualPairNeeded, {std::to_string(n)});
  }
  std::array<int, 2> positions{0, 1};
  if (pair) {
    const auto position = [&](int number) {
      for (int k = 0; k < n && k < 4; ++k)
        if (set.Components[static_cast<std::size_t>(k)] == number) return k;
      throw bubblix::InputError(bubblix::kResidualPairNotInSet,
                                {std::to_string((*pair)[0]), std::to_string((*pair)[1])});
    };
    positions = {position((*pair)[0]), position((*pair)[1])};
    if (positions[0] > positions[1]) std::swap(positions[0], positions[1]);
  }
  return plot::residualPictureOf(bubblix::pairResiduals(db, set, positions[0], positions[1], lang),
                                 set.ModelCode, lang, separator);
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit, SIGINT or SIGTERM never leave a half-written picture or a temporary file.
  bubblix::installFileSignalHandlers();
  const Language lang = languageOf(argc, argv);
  Options options;
  try {
    options = parse(argc, argv, lang);
  } catch (const UsageError& e) {
    printError(lang, bubblix::render(*e.text, lang, e.args));
    std::fprintf(stderr, "%s\n", bubblix::render(texts::kDiagramUsage, lang, {kProgram}).c_str());
    return kUsage;
  }
  if (options.help) {
    std::printf("%s\n", bubblix::render(texts::kDiagramUsage, lang, {kProgram}).c_str());
    return 0;
  }

  // Drawing needs no display: Qt's offscreen platform unless the caller chose one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(qtMessages);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);

  try {
    const bubblix::Database db = bubblix::loadUserData(options.library, options.data);
    if (options.pair) {
      for (const int number : *options.pair) {
        if (number > static_cast<int>(db.ComponentBase.size())) {
          printError(lang, bubblix::render(texts::kDiagramOptionValue, lang,
                                           {"--components", std::to_string(number),
                                            std::string(texts::kDiagramPairValues.in(lang))}));
          return kUsage;
        }
      }
    }
    const std::string separator = lang == Language::English ? "." : ",";
    if (options.kind == "gamma") {
      const plot::GammaPicture picture = plot::computeGammaPicture(
          db, (*options.pair)[0], (*options.pair)[1],
          options.terms.value_or(bubblix::kDefaultLegendreTerms), lang, separator);
      plot::saveGammaPicture(picture, QString::fromLocal8Bit(options.out.c_str()),
                             QSize(options.width, options.height));
      return 0;
    }
    bubblix::TParameterSet set;
    if (options.library.empty()) {
      set = bubblix::readParameterFile(std::filesystem::path(options.params)).set;
    } else {
      // Read as a session loads it: the names of the file's library components are checked
      // against the library given.
      bubblix::SessionState state;
      state.InterfaceLanguage = lang;
      bubblix::loadParameterFile(options.params, state, db);
      set = state.ParameterSet;
    }
    // The picture must not replace the parameter file, through a link or by its back-up name.
    bubblix::RunFiles files;
    files.noteRead(options.params, bubblix::FileRole::ParameterFile);

    if (options.kind == "residuals") {
      plot::saveResidualPicture(residualPicture(db, set, options.pair, lang, separator),
                                QString::fromLocal8Bit(options.out.c_str()),
                                QSize(options.width, options.height), &files);
      return 0;
    }
    const plot::DiagramData data = plot::computeDiagram(db, set, options.celsius, lang, separator);
    const plot::DiagramView view =
        options.kind == "xy" ? plot::DiagramView::Xy : plot::DiagramView::Main;
    plot::saveDiagram(data, view, QString::fromLocal8Bit(options.out.c_str()),
                      QSize(options.width, options.height), &files);
  } catch (const bubblix::Error& e) {
    printError(lang, e.message(lang));
    return kFailed;
  } catch (const std::exception& e) {
    printError(lang, e.what());
    return kFailed;
  }
  return 0;
}
