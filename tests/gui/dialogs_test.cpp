// The session dialogs as the user meets them: the grid, the component list, the variant and
// the model dialogs, shown for real on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "gui/component_dialog.h"
#include "gui/grid_dialog.h"
#include "gui/gui_test_support.h"
#include "gui/model_dialog.h"
#include "gui/variant_dialog.h"

namespace bubblix::gui {
namespace {

using test::ModalDriver;

// A grid as the equilibrium entry uses it: headings in rows 0 and 1, numbers in row 2.
GridEntry makeGrid(int cols, int rows) {
  GridEntry grid(219, 0, 2);
  grid.FormCaption = "Data entry";
  grid.Prompt = "Enter numbers";
  grid.Lang = Language::English;
  grid.Cols = cols;
  grid.Rows = rows;
  for (int c = 0; c < cols; ++c) {
    grid.CellText[c][0] = "col " + std::to_string(c);
    grid.CellText[c][1] = "unit";
  }
  return grid;
}

// Types the text into the open editor one key at a time, as a user does.
void typeKeys(QWidget* editor, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(editor, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(editor, &release);
    QCoreApplication::processEvents();
  }
}

QLineEdit* openEditor(TfmStrGr& dialog, int col, int tableRow) {
  dialog.sgInput->setCurrentCell(tableRow, col);
  dialog.sgInput->editItem(dialog.sgInput->item(tableRow, col));
  QCoreApplication::processEvents();
  return dialog.cellEditor();
}

class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = QLocale();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  }
  void TearDown() override { QLocale::setDefault(previous_); }
  // The separator the desktop passes to the grid: the locale's.
  std::string separator() const { return QLocale().decimalPoint().toStdString(); }

 private:
  QLocale previous_;
};

TEST_F(CommaLocale, GridRefusesAFullStopAtTheKeystrokeAndReadsTheComma) {
  ASSERT_EQ(separator(), ",");
  GridEntry grid = makeGrid(2, 3);
  TfmStrGr dialog(grid, separator());
  dialog.show();
  QLineEdit* editor = openEditor(dialog, 0, 0);
  ASSERT_NE(editor, nullptr);

  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  typeKeys(editor, QStringLiteral("1."));
  ASSERT_TRUE(driver.waitFinished()) << driver.failures.join('\n').toStdString();
  EXPECT_TRUE(driver.failures.isEmpty()) << driver.failures.join('\n').toStdString();
  // One message, at the full stop, with the text typed so far; the text stays in the cell.
  ASSERT_EQ(driver.messages.size(), 1);
  EXPECT_EQ(driver.messages[0], QStringLiteral("Wrong symbol at input of number 1."));
  EXPECT_EQ(driver.icons[0], QMessageBox::Critical);
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), QStringLiteral("1."));

  editor->setText(QString());
  typeKeys(editor, QStringLiteral("1,5"));
  QLineEdit* second = openEditor(dialog, 1, 0);
  ASSERT_NE(second, nullptr);
  // A number being typed is no error: the lone sign and the exponent without its digits
  // bring no box, so every key lands in the cell.
  {
    ModalDriver none(300);
    typeKeys(second, QStringLiteral("-2,5e+1"));
    QTest::qWait(100);
    EXPECT_TRUE(none.messages.isEmpty());
  }
  EXPECT_EQ(second->text(), QStringLiteral("-2,5e+1"));
  dialog.btbtnOk->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 1.5L);
  EXPECT_EQ(grid.Values[1][2], -25.0L);
}

TEST(GridDialog, OkStopsAtABadCellThenAtTheEmptiedCellAndCancelKeepsTheValues) {
  GridEntry grid = makeGrid(3, 3);
  TfmStrGr dialog(grid, ".");
  dialog.show();
  dialog.sgInput->item(0, 0)->setText(QStringLiteral(" 2.5 "));
  dialog.sgInput->item(0, 1)->setText(QStringLiteral("x7"));
  dialog.sgInput->item(0, 2)->setText(QStringLiteral("4"));

  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  dialog.btbtnOk->click();
  ASSERT_TRUE(driver.waitFinished());
  ASSERT_EQ(driver.messages, QStringList{QStringLiteral("Error of number entry x7")});
  // The bad cell is emptied and becomes the current one; the dialog stays open.
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.cellText(1, 2), QString());
  EXPECT_EQ(dialog.sgInput->currentColumn(), 1);
  EXPECT_EQ(grid.Values[0][2], 2.5L);
  EXPECT_EQ(grid.Values[2][2], 0.0L);

  // The next OK stops at the emptied cell without a message: the cells before it are read,
  // the cells after it are not.
  ModalDriver quiet(300);
  dialog.btbtnOk->click();
  QTest::qWait(400);
  EXPECT_TRUE(quiet.failures.isEmpty()) << quiet.failures.join('\n').toStdString();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 2.5L);
  EXPECT_EQ(grid.Values[2][2], 0.0L);

  // Shown again: the cells start from CellText; Cancel keeps the values read before.
  TfmStrGr again(grid, ".");
  again.show();
  EXPECT_EQ(again.cellText(0, 2), QString());
  again.sgInput->item(0, 0)->setText(QStringLiteral("8"));
  again.btbtnCancel->click();
  EXPECT_FALSE(again.isVisible());
  EXPECT_TRUE(grid.Cancelled);
  EXPECT_EQ(grid.Values[0][2], 2.5L);
}

TEST(GridDialog, TypingIntoTheGridStartsEditingAndChecksTheFirstKeyToo) {
  GridEntry grid = makeGrid(2, 3);
  TfmStrGr dialog(grid, ".");
  dialog.show();
  dialog.sgInput->setCurrentCell(0, 1);
  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  typeKeys(dialog.sgInput, QStringLiteral("e"));
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages, QStringList{QStringLiteral("Wrong symbol at input of number e")});
  ASSERT_NE(dialog.cellEditor(), nullptr);
  EXPECT_EQ(dialog.cellEditor()->text(), QStringLiteral("e"));
}

TEST(GridDialog, ANegativeNumberWithAnExponentIsTypedWithoutABox) {
  GridEntry grid = makeGrid(2, 3);
  TfmStrGr dialog(grid, ".");
  dialog.show();
  QLineEdit* editor = openEditor(dialog, 0, 0);
  ASSERT_NE(editor, nullptr);
  ModalDriver none(300);
  typeKeys(editor, QStringLiteral("-1e-5"));
  QTest::qWait(100);
  EXPECT_TRUE(none.messages.isEmpty());
  EXPECT_EQ(editor->text(), QStringLiteral("-1e-5"));
  dialog.btbtnOk->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(grid.Values[0][2], -1e-5L);
}

TEST(GridDialog, FirstEntryCellEmptyKeepsTheDialogOpen) {
  GridEntry grid = makeGrid(2, 3);
  grid.Cancelled = true;
  TfmStrGr dialog(grid, ".");
  dialog.show();
  dialog.sgInput->item(0, 1)->setText(QStringLiteral("5"));
  dialog.btbtnOk->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(grid.Cancelled);  // not reset by an OK that read nothing
  EXPECT_EQ(grid.Values[1][2], 0.0L);
}

TEST(GridDialog, ThreeRowsWithTwoHeadingRowsGiveAWindowOfTheBaseHeight) {
  GridEntry grid = makeGrid(2, 3);
  TfmStrGr dialog(grid, ".");
  dialog.show();
  EXPECT_EQ(dialog.height(), 219);
  EXPECT_EQ(dialog.sgInput->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(dialog.sgInput->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  // The headings show both heading rows of each column.
  EXPECT_EQ(dialog.sgInput->horizontalHeaderItem(1)->text(), QStringLiteral("col 1\nunit"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Data entry"));
}

TEST(GridDialog, SixRowsBringTheVerticalBarAndFiveColumnsTheHorizontalOne) {
  struct Case {
    int cols, rows;
    bool horizontal, vertical;
  };
  for (const Case& c : {Case{4, 5, false, false}, Case{4, 6, false, true}, Case{5, 3, true, false},
                        Case{5, 6, true, true}}) {
    SCOPED_TRACE(testing::Message() << c.cols << " columns, " << c.rows << " rows");
    GridEntry grid = makeGrid(c.cols, c.rows);
    TfmStrGr dialog(grid, ".");
    dialog.show();
    QCoreApplication::processEvents();
    QTableWidget* table = dialog.sgInput;
    EXPECT_EQ(table->horizontalScrollBar()->isVisible(), c.horizontal);
    EXPECT_EQ(table->verticalScrollBar()->isVisible(), c.vertical);
    // At most four columns are in view: the fourth wholly, the fifth not at all.
    const int viewWidth = table->viewport()->width();
    EXPECT_LE(table->columnViewportPosition(std::min(c.cols, 4) - 1) + table->columnWidth(0),
              viewWidth);
    if (c.cols > 4) {
      EXPECT_GE(table->columnViewportPosition(4), viewWidth);
    }
    // At most five rows (the two heading rows included) are in view.
    const int visibleEntryRows = table->viewport()->height() / table->rowHeight(0);
    EXPECT_EQ(visibleEntryRows, std::min(c.rows, 5) - 2);
  }
}

TEST(ComponentDialog, OkWithNothingTickedWarnsAndSelectAllTicksEverything) {
  TfmCheckListBox dialog;
  ComponentRequest request;
  request.FormCaption = "Components";
  request.Prompt = "Tick the components";
  request.Lang = Language::English;
  request.ItemNames = {"Benzene", "Toluene", "Water", "Ethanol"};
  dialog.prepare(request);
  dialog.show();
  EXPECT_EQ(dialog.BitBtSelAll->text(), QStringLiteral("Select All"));
  EXPECT_EQ(dialog.ChLiBoxVLE->count(), 4);

  ModalDriver driver;
  driver.answer(QMessageBox::Ok);
  dialog.BBtChLiBox->click();
  ASSERT_TRUE(driver.waitFinished());
  EXPECT_EQ(driver.messages, QStringList{QStringLiteral("Choose even one component of a mix")});
  EXPECT_EQ(driver.icons[0], QMessageBox::Warning);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.ticks(), (ComponentTicks{false, false, false, false}));

  dialog.BitBtSelAll->click();
  EXPECT_EQ(dialog.ticks(), (ComponentTicks{true, true, true, true}));
  EXPECT_EQ(dialog.focusWidget(), dialog.BBtChLiBox);
  dialog.BBtChLiBox->click();
  EXPECT_FALSE(dialog.isVisible());

  // The next opening starts unticked again, in Russian when asked so.
  request.Lang = Language::Russian;
  dialog.prepare(request);
  EXPECT_EQ(dialog.ticks(), (ComponentTicks{false, false, false, false}));
  EXPECT_EQ(dialog.BitBtSelAll->text(), QStringLiteral("Выбрать все"));
}

TEST(ComponentDialog, ItemsFillTwoColumns) {
  TfmCheckListBox dialog;
  ComponentRequest request;
  request.ItemNames = {"A", "B", "C", "D"};
  dialog.prepare(request);
  dialog.show();
  QCoreApplication::processEvents();
  const QRect first = dialog.ChLiBoxVLE->visualItemRect(dialog.ChLiBoxVLE->item(0));
  const QRect second = dialog.ChLiBoxVLE->visualItemRect(dialog.ChLiBoxVLE->item(1));
  const QRect third = dialog.ChLiBoxVLE->visualItemRect(dialog.ChLiBoxVLE->item(2));
  EXPECT_EQ(first.left(), second.left());
  EXPECT_GT(third.left(), first.left());
  EXPECT_EQ(third.top(), first.top());
}

VariantRequest twoVariants(std::optional<AlternCheckBoxes> boxes = std::nullopt) {
  VariantRequest request;
  request.FormCaption = "Choice of variant";
  request.Prompt = "Which one?";
  request.ItemCount = 2;
  request.Items[1] = " variant 1";
  request.Items[2] = " variant 2";
  request.CheckBoxes = std::move(boxes);
  return request;
}

TEST(VariantDialog, OpensOnTheFirstVariantAndTheCloseBoxKeepsTheTag) {
  TfmAltern dialog;
  ModalDriver driver;
  driver.on<TfmAltern>([](TfmAltern* d) { d->BitBtn1->click(); })
      .on<TfmAltern>([](TfmAltern* d) {
        d->variants[1]->click();
        d->BitBtn1->click();
      })
      .on<TfmAltern>([](TfmAltern* d) {
        EXPECT_TRUE(d->variants[0]->isChecked());  // every opening starts on the first
        d->variants[0]->click();
        d->close();
      });
  EXPECT_EQ(dialog.ask(twoVariants()).Tag, 0);
  EXPECT_EQ(dialog.ask(twoVariants()).Tag, 1);
  EXPECT_EQ(dialog.ask(twoVariants()).Tag, 1);
  EXPECT_TRUE(driver.finished());
  EXPECT_TRUE(driver.failures.isEmpty()) << driver.failures.join('\n').toStdString();
}

TEST(VariantDialog, CheckBoxesSwapTheirTicksAndStayShownForLaterQuestions) {
  TfmAltern dialog;
  dialog.prepare(twoVariants(AlternCheckBoxes{"liquid", "vapour", true}));
  dialog.show();
  EXPECT_TRUE(dialog.chbAltern1->isVisible());
  EXPECT_TRUE(dialog.chbAltern1->isChecked());
  EXPECT_FALSE(dialog.chbAltern2->isChecked());
  EXPECT_EQ(dialog.BoxAnswer(), 'y');

  dialog.chbAltern1->click();  // untick the ticked box
  EXPECT_FALSE(dialog.chbAltern1->isChecked());
  EXPECT_TRUE(dialog.chbAltern2->isChecked());
  EXPECT_EQ(dialog.BoxAnswer(), 'x');
  EXPECT_EQ(dialog.focusWidget(), dialog.BitBtn1);

  dialog.chbAltern1->click();  // tick the first again
  EXPECT_TRUE(dialog.chbAltern1->isChecked());
  EXPECT_FALSE(dialog.chbAltern2->isChecked());
  EXPECT_EQ(dialog.BoxAnswer(), 'y');

  dialog.chbAltern2->click();
  EXPECT_EQ(dialog.BoxAnswer(), 'x');
  dialog.hide();

  // A later question without check-box settings keeps them shown, ticks the first again.
  dialog.prepare(twoVariants());
  dialog.show();
  EXPECT_TRUE(dialog.chbAltern2->isVisible());
  EXPECT_EQ(dialog.chbAltern1->text(), QStringLiteral("liquid"));
  EXPECT_EQ(dialog.BoxAnswer(), 'y');
  EXPECT_EQ(dialog.RadioGroup1->height(), 2 * 32);
}

ModelRequest modelRequest(Language lang) {
  return {"Choose of phase equilibrium calculation method", "Choice of method",
          "Choose one of equilibrium calculation methods.", lang};
}

TEST(ModelDialog, RefusesOkWithNoModelThenAnswersTheChosenOne) {
  TForm1 form(modelRequest(Language::English));
  EXPECT_EQ(form.Button2->text(), QStringLiteral("Exit"));
  ModalDriver driver;
  driver.on<TForm1>([](TForm1* f) { f->Button1->click(); })
      .answer(QMessageBox::Ok)
      .on<TForm1>([](TForm1* f) {
        EXPECT_TRUE(f->isVisible());
        f->models[1]->click();
        EXPECT_EQ(f->focusWidget(), f->Button1);
        f->Button1->click();
      });
  const ModelAnswer answer = form.ask();
  EXPECT_TRUE(driver.failures.isEmpty()) << driver.failures.join('\n').toStdString();
  EXPECT_EQ(driver.messages,
            QStringList{QStringLiteral("Choose one of equilibrium calculation methods.")});
  EXPECT_FALSE(answer.Exit);
  EXPECT_EQ(answer.Tag, 1);
}

TEST(ModelDialog, ExitLeavesWithoutAModelInRussianToo) {
  TForm1 form(modelRequest(Language::Russian));
  EXPECT_EQ(form.Button2->text(), QStringLiteral("Выход"));
  for (QRadioButton* model : form.models)
    EXPECT_FALSE(model->isChecked());
  ModalDriver driver;
  driver.on<TForm1>([](TForm1* f) { f->Button2->click(); });
  const ModelAnswer answer = form.ask();
  EXPECT_TRUE(answer.Exit);
  EXPECT_EQ(answer.Tag, 0);
}

}  // namespace
}  // namespace bubblix::gui
