#pragma once
// Printing of the report: PrintMemo draws the report's lines on a printer, and TfmPrint holds
// the printer and the print dialog for the whole run.

#include <QFont>
#include <QObject>
#include <QPrinter>
#include <memory>
#include <string>
#include <vector>

#include "core/texts/text.h"

class QPrintDialog;
class QWidget;

namespace bubblix::gui {

// Prints the lines in the font, one after another, in the printer's device units with
// integer arithmetic. h is the height of the text "1" in the font. The first line's top is at
// page width / 15; after every line (the last one included) a new page is started when less
// than 2 h remains below it; the new page gets the label "- n -" centred at the top (y = h),
// a rule from (x0, 3h/2) to (page width - x0, 9h/4), and its first line at y = 3h.
// The left margin x0 is page width / 15, the same distance as the top of the first page.
// An empty report prints nothing and starts no job. Shows the busy cursor while it works.
// Returns the number of pages printed; throws bubblix::Error when the printer refuses the job.
int PrintMemo(const std::vector<std::string>& lines, const QFont& font, QPrinter& printer);

// The left margin of the printout, in the printer's device units.
int printLeftMargin(int pageWidth);

// The holder of the printer and of PrintDialog1 (one copy, from page 1).
class TfmPrint : public QObject {
  Q_OBJECT

 public:
  explicit TfmPrint(QObject* parent = nullptr);
  ~TfmPrint() override;

  QPrinter& printer() { return printer_; }
  // Shows the print dialog modally over the parent; the result is not used.
  void showPrintDialog(QWidget* parent);

 private:
  QPrinter printer_;
};

}  // namespace bubblix::gui
