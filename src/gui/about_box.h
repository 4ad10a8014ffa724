#pragma once
// TfmAbProgr, the about box, and the home page link.

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "core/texts/text.h"

class QPushButton;
class QTextEdit;

namespace bubblix::gui {

// The address of the project's downloads page, opened by the home-page action.
inline constexpr char kHomePageUrl[] = "https://bubblix.example.org/downloads.html";

// The description file of the about box in the language: "ReadmeEn.txt" for English,
// "ReadmeRu.txt" otherwise.
QString aboutFileName(Language lang);

// Where the description file is read: the current directory first, then the folder of the
// executable. The path in the current directory when the file is in neither.
QString aboutFilePath(const QString& fileName);

class TfmAbProgr : public QDialog {
  Q_OBJECT

 public:
  // Client area 488 x 310 pixels, fixed.
  TfmAbProgr(Language lang, QWidget* parent = nullptr);

  // Sets the caption and loads the description; a file that cannot be read is reported in an
  // error box naming it, and the box stays empty. exec() does this before it shows the box.
  void load();
  int exec() override;

  QTextEdit* RichEdit1 = nullptr;
  QPushButton* OKButton = nullptr;

 private:
  Language lang_;
};

// Opens the address in the desktop's default browser. `opener` starts the browser and
// reports whether it started (QDesktopServices::openUrl by default); a failure shows
// "Ошибка " followed by the error code of the failed start.
using UrlOpener = std::function<bool(const QUrl&)>;
void openHomePage(QWidget* parent, Language lang, const UrlOpener& opener = {});

}  // namespace bubblix::gui
