#include "core/base/errors.h"

namespace bubblix {
namespace {

std::string renderError(const Text& text, Language lang, const std::vector<std::string>& args,
                        const std::vector<const Text*>& textArgs) {
  if (textArgs.empty()) return render(text, lang, args);
  std::vector<std::string> all = args;
  for (const Text* word : textArgs)
    all.emplace_back(word->in(lang));
  return render(text, lang, all);
}

}  // namespace

Error::Error(const Text& text, std::vector<std::string> args, std::vector<const Text*> textArgs)
    : std::runtime_error(renderError(text, Language::English, args, textArgs)),
      text_(&text),
      args_(std::move(args)),
      textArgs_(std::move(textArgs)) {}

std::string Error::message(Language lang) const {
  return renderError(*text_, lang, args_, textArgs_);
}

}  // namespace bubblix
