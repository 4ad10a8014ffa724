#pragma once
// Batch mode: equilibrium points read from CSV, solved one by one with SolveEquilibrium, one
// CSV row written per point - the equilibrium dialogue for a spreadsheet of points.
//
// Input (UTF-8 or ASCII text; a byte-order mark, CR LF line ends and blanks around fields are
// accepted; a field may be written in double quotes):
//   task,phase,value,c1,...,c(n-1)          header; names in any case
//   T,liquid,760,30                         one point per line
//   task   T: the temperature is unknown, `value` is the pressure in mm Hg;
//          P: the pressure is unknown, `value` is the temperature in degC (either case);
//   phase  liquid: the liquid composition is given (bubble point);
//          vapour (or vapor): the vapour composition is given (dew point); any case;
//   c1..c(n-1)  mole percents of components 1..n-1 of the given phase; the last component
//          is the rest to 100.
// Numbers: an optional sign, digits with at most one full stop, an optional exponent (1e5,
// 2.5E-3); nothing else (no "nan", "inf", hexadecimal or thousands separators).
// n is the parameter set's component count (1..4); the mixture holds its components.
//
// Each point is checked and solved as the equilibrium dialogue solves it, by the rules of
// equilibrium_point.h: its entry checks, the composition from the percents and the dialogue's
// start values.
//
// Output, the header and one row per point:
//   t_c,p_mmhg,x1,...,xn,y1,...,yn,gamma1,...,gamman,error,warning
// t_c in degC, p_mmhg in mm Hg, x (liquid) and y (vapour) as mole fractions, the activity
// coefficients; numbers with a full stop and 17 significant digits (the C format %.17Lg,
// correctly rounded: formatSeventeenDigits). `error` is empty for a solved point. A point that
// cannot be solved - a line with the wrong number of fields, an unknown task or phase, a field that
// is not a number, a value without physical sense, a percent outside 0..100 or percents adding up
// to more than 100, a solver that fails - gets a row with empty numbers and its message (in the
// given language, starting with its line number) in the error column, in double quotes when it
// holds a comma, a quote or a line break; the batch goes on with the next line. An empty line
// inside the input is such a point too (so rows and data lines stay one to one); empty lines at the
// end are not.
//
// `warning` is empty unless a solved point lies outside the property data of a component
// (point_warnings.h): then it holds the note of each such component, in the given language,
// separated by "; " (quoted as `error` is). A failed point has no warning.
//
// Only a header that is missing or not the one expected for n stops the batch before any
// output: InputError naming the expected header. A failed read or write throws FileError.
//
// The input is read line by line into a fixed buffer and the rows are built in one reused
// string, so a point costs no allocation unless its row carries a message. A line longer than
// kBatchMaxLineLength characters is a bad point (the rest of it is skipped).

#include <cstddef>
#include <iosfwd>
#include <string>

#include "core/base/real.h"
#include "core/data/properties.h"
#include "core/models/parameter_set.h"
#include "core/texts/text.h"

namespace bubblix {

inline constexpr std::size_t kBatchMaxLineLength = 4095;

struct BatchSummary {
  std::size_t Points = 0;  // rows written: data lines, empty lines between them included
  std::size_t Solved = 0;  // rows with results
  std::size_t Failed = 0;  // rows with a message
};

BatchSummary solveBatch(std::istream& in, std::ostream& out, const TParameterSet& set,
                        const Mixture& mixture, Language lang);

// "task,phase,value,c1,...,c(n-1)" and "t_c,p_mmhg,x1,...,gamman,error,warning" for n
// components.
std::string batchInputHeader(int n);
std::string batchOutputHeader(int n);

}  // namespace bubblix
