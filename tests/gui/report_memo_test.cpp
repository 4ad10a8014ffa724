// The report memo as a list of lines: what the sessions append, what the user types.

#include <gtest/gtest.h>

#include <QTest>
#include <stdexcept>

#include "gui/report_memo.h"

namespace bubblix::gui {
namespace {

using Lines = std::vector<std::string>;

TEST(ReportMemo, AppendInsertAndDeleteWorkOnLines) {
  ReportMemo memo;
  EXPECT_EQ(memo.lineCount(), 0);
  memo.append("Heading\r\nt boil");
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "t boil"}));
  memo.append("row\r\n");  // a trailing CR LF leaves an empty line
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "t boil", "row", ""}));
  memo.insertLine(1, "progress");
  memo.deleteLine(3);
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "progress", "t boil", ""}));
  memo.deleteLine(3);
  memo.deleteLine(0);
  EXPECT_EQ(memo.lines(), (Lines{"progress", "t boil"}));
  EXPECT_EQ(memo.line(1), "t boil");
  EXPECT_EQ(memo.toPlainText(), QStringLiteral("progress\nt boil\n"));
  EXPECT_THROW(memo.line(2), std::out_of_range);
  EXPECT_THROW(memo.insertLine(3, "x"), std::out_of_range);
  EXPECT_THROW(memo.deleteLine(-1), std::out_of_range);
}

TEST(ReportMemo, ALastLineTypedWithoutLineBreakCountsAndResultsGoBelowIt) {
  ReportMemo memo;
  memo.setPlainText(QStringLiteral("kept\ntyped by hand"));
  EXPECT_EQ(memo.lines(), (Lines{"kept", "typed by hand"}));
  memo.append("Расчет");
  EXPECT_EQ(memo.lines(), (Lines{"kept", "typed by hand", "Расчет"}));
  memo.setPlainText(QStringLiteral("only"));
  memo.deleteLine(0);
  EXPECT_EQ(memo.lineCount(), 0);
  memo.setPlainText(QStringLiteral("a\nlast"));
  memo.deleteLine(1);
  EXPECT_EQ(memo.lines(), Lines{"a"});
}

TEST(ReportMemo, ALineBreakInsideALineDoesNotShiftLaterIndices) {
  ReportMemo memo;
  memo.setLines({"one", "two\nthree"});
  EXPECT_EQ(memo.lineCount(), 2);
  memo.insertLine(2, "x\ry");
  EXPECT_EQ(memo.lineCount(), 3);
  EXPECT_EQ(memo.line(2), "x y");
}

TEST(ReportMemo, DefaultFontIsFixedPitchWithCyrillic) {
  const QFont font = ReportMemo::defaultFont();
  const QFontInfo info(font);
  EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
  const QFontMetrics metrics(font);
  EXPECT_TRUE(metrics.inFont(QChar(0x0416)));  // Ж
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("ЖЖЖЖ")),
            metrics.horizontalAdvance(QStringLiteral("iiii")));
}

TEST(ReportMemo, UndoTakesBackTheUsersTypingButNeverTheProgramsLines) {
  ReportMemo memo;
  memo.show();
  memo.setFocus();
  memo.append("Heading");
  memo.append("row 1");
  EXPECT_FALSE(memo.document()->isUndoAvailable());
  // The fit's progress line is rewritten in place; that is no edit of the user's either.
  memo.insertLine(1, "progress");
  memo.deleteLine(2);
  EXPECT_FALSE(memo.document()->isUndoAvailable());

  QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(&memo, "note");
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "progress", "note"}));
  QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "progress"}));
  // Nothing more to take back: the program's lines stay.
  QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "progress"}));

  // Select all and a keystroke replace the report; Ctrl+Z brings it back whole.
  QTest::keyClick(&memo, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&memo, Qt::Key_X);
  EXPECT_EQ(memo.lines(), Lines{"x"});
  QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo.lines(), (Lines{"Heading", "progress"}));

  // Results written after the user's typing go below it and are not undone with it.
  QTest::keyClicks(&memo, "typed");
  memo.append("row 2");
  QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(memo.line(memo.lineCount() - 1), "row 2");
}

TEST(ReportMemo, EveryChangeIsUnsavedUntilMarkedSaved) {
  ReportMemo memo;
  EXPECT_FALSE(memo.hasUnsavedChanges());
  memo.append("result");
  EXPECT_TRUE(memo.hasUnsavedChanges());
  memo.markSaved();
  EXPECT_FALSE(memo.hasUnsavedChanges());
  memo.insertLine(0, "progress");
  EXPECT_TRUE(memo.hasUnsavedChanges());
  memo.markSaved();
  memo.show();
  memo.setFocus();
  QTest::keyClicks(&memo, "a");
  EXPECT_TRUE(memo.hasUnsavedChanges());
  // An empty report has nothing to lose.
  memo.setLines({});
  EXPECT_FALSE(memo.hasUnsavedChanges());
}

}  // namespace
}  // namespace bubblix::gui
