#pragma once
// Errors of the core. Each carries the identifier of its bilingual text and the text's
// arguments (which file, which pair, which point, which value), so that the caller shows it
// in the interface language. what() gives the English rendering.
//
// Arguments that are words in their own right (the system's reason for a failed file
// operation, the kind of a file) are texts too, so that they follow the language: they fill
// the placeholders after the plain arguments ({2} after two plain ones).

#include <stdexcept>
#include <string>
#include <vector>

#include "core/texts/text.h"

namespace bubblix {

class Error : public std::runtime_error {
 public:
  Error(const Text& text, std::vector<std::string> args = {},
        std::vector<const Text*> textArgs = {});

  const Text& text() const { return *text_; }
  const std::vector<std::string>& args() const { return args_; }
  const std::vector<const Text*>& textArgs() const { return textArgs_; }
  std::string message(Language lang) const;

 private:
  const Text* text_;
  std::vector<std::string> args_;
  std::vector<const Text*> textArgs_;
};

// A parameter file or report file that cannot be opened, read or written, or whose content
// makes no sense.
class FileError : public Error {
 public:
  using Error::Error;
};

// Built-in data asked for something they do not hold (an unknown property key or component
// name, an incomplete experimental set, too many groups). A programming error in practice.
class DataError : public Error {
 public:
  using Error::Error;
};

// Input without physical sense (P <= 0, T <= 0 K, non-finite numbers, compositions out of
// range), refused before any calculation.
class InputError : public Error {
 public:
  using Error::Error;
};

// An iteration that reached its limit without meeting its tolerance.
class NoConvergenceError : public Error {
 public:
  using Error::Error;
};

// A floating-point fault detected in a named step (a singular matrix, a negative value under
// a root, a zero slope, a non-finite residual).
class ArithmeticError : public Error {
 public:
  using Error::Error;
};

// The user chose to stop a running calculation (Abort on the slow-convergence question).
class CancelledError : public Error {
 public:
  using Error::Error;
};

}  // namespace bubblix
