#include "gui/language_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/texts/gui_texts.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

TForm0::TForm0(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Form0"));
  // The dialog's own texts are the same in both languages: the language is not known yet.
  setWindowTitle(displayed(texts::kLanguageCaption, Language::English));

  auto* prompt = new QLabel(displayed(texts::kLanguagePrompt, Language::English), this);
  prompt->setObjectName(QStringLiteral("Label1"));
  prompt->setAlignment(Qt::AlignCenter);
  prompt->setWordWrap(true);

  Button1 = new QPushButton(displayed(texts::kLanguageEnglishButton, Language::English), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button2 = new QPushButton(displayed(texts::kLanguageRussianButton, Language::English), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button1->setDefault(true);

  auto* contacts = new QLabel(displayed(texts::kMakerContacts, Language::English), this);
  contacts->setObjectName(QStringLiteral("Label2"));
  contacts->setAlignment(Qt::AlignCenter);
  contacts->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addSpacing(24);
  buttons->addWidget(Button2);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addLayout(buttons);
  layout->addWidget(contacts);
  setFixedWidth(360);

  connect(Button1, &QPushButton::clicked, this, [this] { choose(Language::English); });
  connect(Button2, &QPushButton::clicked, this, [this] { choose(Language::Russian); });
}

void TForm0::choose(Language lang) {
  chosen_ = lang;
  accept();
}

}  // namespace bubblix::gui
