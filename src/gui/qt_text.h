#pragma once
// Conversions between the core's UTF-8 texts and Qt strings.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts/text.h"

namespace bubblix::gui {

inline QString toQString(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string toStdString(const QString& s) {
  return s.toUtf8().toStdString();
}

// A text as a widget shows it: every CR LF, LF CR or lone CR is one line break.
inline QString displayed(std::string_view s) {
  QString q = toQString(s);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return q;
}

inline QString displayed(const Text& text, Language lang,
                         const std::vector<std::string>& args = {}) {
  return displayed(render(text, lang, args));
}

}  // namespace bubblix::gui
