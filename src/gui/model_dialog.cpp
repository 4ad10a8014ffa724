#include "gui/model_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/session/dialog_rules.h"
#include "core/texts/dialog_texts.h"
#include "gui/message_box.h"
#include "gui/qt_text.h"

namespace bubblix::gui {

TForm1::TForm1(const ModelRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      request_(request) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(displayed(request.FormCaption));

  Label1 = new QLabel(displayed(request.Prompt), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setWordWrap(true);
  Label1->setMinimumWidth(340);

  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  auto* modelLayout = new QVBoxLayout(RadioGroup1);
  group_ = new QButtonGroup(this);
  group_->setExclusive(true);  // no model is chosen at first
  for (int i = 0; i < kModelCount; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(texts::kModelNames[i]), RadioGroup1);
    button->setObjectName(QString::fromLatin1(texts::kModelNames[i]));
    group_->addButton(button, i);
    modelLayout->addWidget(button);
    models[static_cast<size_t>(i)] = button;
  }

  Button1 = new QPushButton(displayed(texts::kModelOk, request.Lang), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(displayed(texts::kModelExit, request.Lang), this);
  Button2->setObjectName(QStringLiteral("Button2"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(group_, &QButtonGroup::idClicked, this, [this] { Button1->setFocus(); });
  connect(Button1, &QPushButton::clicked, this, &TForm1::okClicked);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<int> TForm1::chosen() const {
  const int id = group_->checkedId();
  if (id < 0) return std::nullopt;
  return id;
}

void TForm1::okClicked() {
  if (std::optional<std::string> warning = modelOkWarning(chosen(), request_)) {
    QApplication::beep();
    showWarningBox(this, *warning, request_.Lang);
    return;
  }
  Tag = *chosen();
  confirmed_ = true;
  accept();
}

ModelAnswer TForm1::ask() {
  exec();
  return {!confirmed_, Tag};
}

}  // namespace bubblix::gui
