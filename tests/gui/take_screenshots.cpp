// bubblix_screenshots: pictures of the desktop program's windows for the documentation.
// Usage: bubblix_screenshots <folder> [en|ru]   (run under xvfb-run, see take_screenshots.sh)

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>

#include "core/session/dialogs.h"
#include "gui/about_box.h"
#include "gui/actions.h"
#include "gui/component_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/grid_dialog.h"
#include "gui/language_dialog.h"
#include "gui/main_window.h"
#include "gui/model_dialog.h"
#include "gui/printing.h"
#include "gui/report_memo.h"
#include "gui/variant_dialog.h"

using namespace bubblix;
using namespace bubblix::gui;

namespace {

QString folder;

void save(QWidget& widget, const QString& name) {
  widget.show();
  QApplication::processEvents();
  widget.repaint();
  QApplication::processEvents();
  const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
  if (!widget.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  widget.hide();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const Language lang =
      argc > 2 && QByteArray(argv[2]) == "ru" ? Language::Russian : Language::English;
  const bool en = lang == Language::English;

  {
    TForm0 form0;
    save(form0, QStringLiteral("language-dialog"));
  }

  TfmVLE window(lang);
  TfmSaveFile saveFile(&window);
  TfmPrint print;
  TfmFont font(&window);
  TfmAction action(&window, saveFile, &print, font);
  window.setActionForm(&action);
  window.show();
  window.FormActivate();
  window.frMainForm1->FrameEnter();
  save(window, QStringLiteral("main-window"));

  TfmAltern altern;
  VariantRequest variant;
  variant.FormCaption = en ? "Choice of variant" : "Выбор варианта";
  variant.Prompt =
      en ? "Wish to calculate a boiling temperature of a mix on\r\npreset pressure and "
           "composition of liquid or vapour phase?\r\nOr pressure on a preset boiling "
           "temperature and composition\r\nof liquid or vapour phase?"
         : "Желаете рассчитать температуру кипения смеси по\r\nзаданному давлению и "
           "составу жидкой или паровой фазы?\r\nИли давление по заданной температуре "
           "кипения и составу\r\nжидкой или паровой фазы?";
  variant.ItemCount = 2;
  variant.Items[1] = en ? "temperature of boiling on pressure" : "температуру кипения по давлению";
  variant.Items[2] = en ? "pressure on temperature of boiling" : "давление по температуре кипения";
  variant.CheckBoxes = AlternCheckBoxes{
      en ? "to set composition of liquid phase" : "задать состав жидкой фазы",
      en ? "to set composition of vapour phase" : "задать состав паровой фазы", true};
  altern.prepare(variant);
  save(altern, QStringLiteral("variant-dialog"));

  TfmCheckListBox checkList;
  ComponentRequest components;
  components.FormCaption =
      en ? "Choice of componental ratio of mixture" : "Выбор компонентного состава смеси";
  components.Prompt = en ? "Set quality ratio of mixture for which it is required to calculate "
                           "boiling point and composition of an equilibrium vapour phase"
                         : "Задайте качественный состав смеси, для которой требуется рассчитать "
                           "температуру кипения и состав равновесной паровой фазы";
  components.Lang = lang;
  components.ItemNames = en ? std::vector<std::string>{"Acetone", "Methanol", "Water", "Ethanol"}
                            : std::vector<std::string>{"Ацетон", "Метанол", "Вода", "Этанол"};
  checkList.prepare(components);
  save(checkList, QStringLiteral("component-dialog"));

  GridEntry grid(219, 0, 2);
  grid.Lang = lang;
  grid.FormCaption =
      en ? "Data entry for calculation of equilibrium" : "Ввод данных для расчета равновесия";
  grid.Prompt = en ? "Enter pressure (mm of a hg) and densities of\r\ncomponents in a fluid phase "
                     "(% of molar) for\r\ncalculation of mix boiling point and equilibrium\r\n"
                     "composition of a vapour phase"
                   : "Введите давление (мм.рт.ст.) и концентрации\r\nкомпонентов в жидкой фазе (% "
                     "мольн.) для рас-\r\nчета температуры кипения смеси и равновесного\r\nсостава "
                     "паровой фазы.";
  grid.Cols = 2;
  grid.Rows = 3;
  grid.CellText[0][0] = en ? "     Pabs " : "     Pабс ";
  grid.CellText[0][1] = en ? " mm of hg. " : " мм рт.ст. ";
  grid.CellText[1][0] = components.ItemNames[0];
  grid.CellText[1][1] = en ? "   % molar" : "   % мольн.";
  TfmStrGr gridDialog(grid, ".");
  gridDialog.sgInput->item(0, 0)->setText(QStringLiteral("760"));
  gridDialog.sgInput->item(0, 1)->setText(QStringLiteral("30"));
  save(gridDialog, QStringLiteral("grid-dialog"));

  ModelRequest model{
      en ? "Choose of phase equilibrium calculation method"
         : "Выбор метода расчета фазового равновесия",
      en ? "Choice of experimental data processing and\r\nphase equilibrium calculation method "
           "between\r\nvapour and liquid phases"
         : "Выберите метод обработки экспериментальных\r\nданных и расчета фазового равновесия "
           "между\r\nпаровой и жидкой фазами",
      en ? "Choose one of equilibrium calculation methods."
         : "Выберите один из методов расчета равновесия.",
      lang};
  TForm1 form1(model);
  save(form1, QStringLiteral("model-dialog"));

  TfmAbProgr about(lang);
  QTimer::singleShot(0, &about, [&about] {
    save(about, QStringLiteral("about-box"));
    about.accept();
  });
  about.exec();
  return 0;
}
