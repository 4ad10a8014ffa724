#include "gui/about_box.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cerrno>

#include "core/base/errors.h"
#include "core/io/report_file.h"
#include "core/texts/gui_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

QString aboutFileName(Language lang) {
  return lang == Language::English ? QStringLiteral("ReadmeEn.txt")
                                   : QStringLiteral("ReadmeRu.txt");
}

QString aboutFilePath(const QString& fileName) {
  const QString inCurrent = QDir::current().filePath(fileName);
  if (QFileInfo::exists(inCurrent)) return inCurrent;
  const QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
  if (QFileInfo::exists(besideProgram)) return besideProgram;
  return inCurrent;
}

TfmAbProgr::TfmAbProgr(Language lang, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      lang_(lang) {
  setObjectName(QStringLiteral("fmAbProgr"));

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  RichEdit1 = new QTextEdit(panel);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(4, 4, 4, 4);
  panelLayout->addWidget(RichEdit1);

  OKButton = new QPushButton(displayed(texts::kAboutOk, lang_), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  OKButton->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKButton);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel, 1);
  layout->addLayout(buttons);
  setFixedSize(488, 310);

  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TfmAbProgr::load() {
  setWindowTitle(displayed(texts::kAboutCaption, lang_));
  RichEdit1->clear();
  const QString fileName = aboutFileName(lang_);
  std::vector<std::string> lines;
  try {
    lines = openReport(toStdString(aboutFilePath(fileName)));
  } catch (const Error& error) {
    // The message names the file and the reason; the box stays empty.
    showErrorBox(this, error.message(lang_), lang_);
    return;
  }
  QString text;
  for (const std::string& line : lines) {
    text += toQString(line);
    text += QLatin1Char('\n');
  }
  text.chop(1);
  RichEdit1->setPlainText(text);
  // Centred paragraphs.
  QTextCursor cursor(RichEdit1->document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  cursor.mergeBlockFormat(centred);
  RichEdit1->moveCursor(QTextCursor::Start);
}

int TfmAbProgr::exec() {
  load();
  return QDialog::exec();
}

void openHomePage(QWidget* parent, Language lang, const UrlOpener& opener) {
  const QUrl url(QString::fromLatin1(kHomePageUrl));
  errno = 0;
  const bool started = opener ? opener(url) : QDesktopServices::openUrl(url);
  if (started) return;
  // The opener leaves the reason of a failed start in errno; when it found no browser at all
  // it may leave none, and that is "no such file".
  const int code = errno != 0 ? errno : ENOENT;
  showErrorBox(parent, std::string(texts::kBrowserStartFailed.ru) + std::to_string(code), lang);
}

}  // namespace bubblix::gui
