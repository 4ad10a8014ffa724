#include "core/session/answer_script.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/texts/dialog_texts.h"

namespace bubblix {
namespace {

// The error a script raises, or a failure when it parses.
AnswerScriptError parseError(std::string_view text) {
  try {
    AnswerScript::parse(text);
  } catch (const AnswerScriptError& error) {
    return error;
  }
  ADD_FAILURE() << "no error for: " << text;
  return AnswerScriptError(texts::kScriptUnreadable, {"-", "?"});
}

TEST(AnswerScriptParse, EveryKindOfAnswerWithCommentsBlankLinesAndLineEnds) {
  const AnswerScript script = AnswerScript::parse(
      "\xEF\xBB\xBF# a session that fits NRTL\r\n"
      "variant 1          # compute the parameters\r\n"
      "\r\n"
      "   components 1,2\n"
      "MODEL nrtl\n"
      "Yes\n"
      "no\n"
      "retry\rabort\n"
      "file /tmp/my data.dat   # the blank belongs to the path\n"
      "variant 2 Vapour\n"
      "grid 760 30.5 1e-3\n"
      "cancel\n"
      "close\n"
      "grid\n"
      "model\n"
      "model exit\n"
      "components\n"
      "components all\n"
      "components 1, 3 ,4 2\n"
      "variant 1 liquid\n"
      "file \"/tmp/report #1.txt\"\n"
      "file /tmp/a#b.dat\n");
  const std::vector<ScriptAnswer>& a = script.answers();
  ASSERT_EQ(a.size(), 21u);
  EXPECT_EQ(script.lineCount(), 23);

  EXPECT_EQ(a[0].Kind, AnswerKind::Variant);
  EXPECT_EQ(a[0].Line, 2);
  EXPECT_EQ(a[0].Variant, 1);
  EXPECT_EQ(a[0].Phase, 0);
  EXPECT_EQ(a[0].Text, "variant 1");
  EXPECT_EQ(a[1].Kind, AnswerKind::Components);
  EXPECT_EQ(a[1].Line, 4);
  EXPECT_EQ(a[1].Components, (std::vector<int>{1, 2}));
  EXPECT_EQ(a[2].Kind, AnswerKind::Model);
  EXPECT_EQ(a[2].Model, 1);
  EXPECT_EQ(a[3].Kind, AnswerKind::Yes);
  EXPECT_EQ(a[4].Kind, AnswerKind::No);
  EXPECT_EQ(a[5].Kind, AnswerKind::Retry);
  EXPECT_EQ(a[6].Kind, AnswerKind::Abort);  // a lone CR ends a line too
  EXPECT_EQ(a[6].Line, 9);
  EXPECT_EQ(a[7].Kind, AnswerKind::File);
  EXPECT_EQ(a[7].Path, "/tmp/my data.dat");
  EXPECT_EQ(a[8].Variant, 2);
  EXPECT_EQ(a[8].Phase, 'x');
  EXPECT_EQ(a[9].Kind, AnswerKind::Grid);
  EXPECT_EQ(a[9].Cells, (std::vector<std::string>{"760", "30.5", "1e-3"}));
  EXPECT_EQ(a[10].Kind, AnswerKind::Cancel);
  EXPECT_EQ(a[11].Kind, AnswerKind::Close);
  EXPECT_EQ(a[12].Kind, AnswerKind::Grid);
  EXPECT_TRUE(a[12].Cells.empty());
  EXPECT_FALSE(a[13].Model.has_value());
  EXPECT_FALSE(a[13].ModelExit);
  EXPECT_TRUE(a[14].ModelExit);
  EXPECT_TRUE(a[15].Components.empty());
  EXPECT_FALSE(a[15].AllComponents);
  EXPECT_TRUE(a[16].AllComponents);
  EXPECT_EQ(a[17].Components, (std::vector<int>{1, 3, 4, 2}));
  EXPECT_EQ(a[18].Phase, 'y');
  EXPECT_EQ(a[19].Path, "/tmp/report #1.txt");
  EXPECT_EQ(a[20].Path, "/tmp/a#b.dat");
}

TEST(AnswerScriptParse, ModelNamesInAnyCase) {
  const AnswerScript script =
      AnswerScript::parse("model wilson\nmodel NRTL\nmodel Uniquac\nmodel unifac\n");
  for (int tag = 0; tag < 4; ++tag)
    EXPECT_EQ(script.answers()[tag].Model, tag);
}

TEST(AnswerScriptParse, AnEmptyOrCommentOnlyScriptHoldsNoAnswers) {
  EXPECT_TRUE(AnswerScript::parse("").atEnd());
  const AnswerScript script = AnswerScript::parse("# nothing\n\n   # still nothing\n");
  EXPECT_TRUE(script.atEnd());
  EXPECT_EQ(script.lineCount(), 3);
}

TEST(AnswerScriptParse, UnknownAnswerNamesItsLineInBothLanguages) {
  const AnswerScriptError error = parseError("variant 1\n\n  ok  # pressed OK\n");
  EXPECT_STREQ(error.what(),
               "Answer script line 3: unknown answer \"ok\"; an answer starts with variant, "
               "model, components, grid, file, yes, no, abort, retry, cancel or close");
  EXPECT_EQ(error.message(Language::Russian),
            "Файл ответов, строка 3: неизвестный ответ \"ok\"; ответ начинается со слова "
            "variant, model, components, grid, file, yes, no, abort, retry, cancel или close");
}

TEST(AnswerScriptParse, MalformedAnswersNameTheirLineAndTheirForm) {
  EXPECT_STREQ(parseError("yes\nvariant 0\n").what(),
               "Answer script line 2: \"variant 0\" is not written as variant N [liquid|vapour]");
  EXPECT_STREQ(parseError("model Margules").what(),
               "Answer script line 1: \"model Margules\" is not written as "
               "model Wilson|NRTL|UNIQUAC|UNIFAC|exit");
  const char* bad[] = {"variant",
                       "variant 11",
                       "variant x",
                       "variant 1 gas",
                       "variant 1 liquid x",
                       "variant -1",
                       "variant 99999999999",
                       "model nrtl wilson",
                       "components 1,,2",
                       "components 1,",
                       "components ,1",
                       "components 0",
                       "components 17",
                       "components 1,1",
                       "components x,x",
                       "components all 1",
                       "yes please",
                       "retry 2",
                       "close now",
                       "file",
                       "file \"unclosed",
                       "file \"\"",
                       "file \"a\"b\""};
  for (const char* line : bad) {
    const AnswerScriptError error = parseError(std::string("# first\n") + line + "\n");
    ASSERT_EQ(error.args().size(), 3u) << line;
    EXPECT_EQ(error.args()[0], "2") << line;
    EXPECT_EQ(error.args()[1], line);
  }
}

TEST(AnswerScriptParse, LongLinesAreCutInMessagesAtACharacterBoundary) {
  std::string line = "z";
  for (int k = 0; k < 60; ++k)
    line += "щ";  // two bytes each: byte 80 is inside a letter
  const AnswerScriptError error = parseError(line);
  const std::string& quoted = error.args()[1];
  EXPECT_EQ(quoted, line.substr(0, 79) + "...");  // 1 + 39 * 2 bytes
  EXPECT_EQ(scriptLineForMessage("short"), "short");
}

TEST(AnswerScriptParse, RandomBytesParseOrGiveAnAnswerScriptError) {
  // Random input of every kind, from a fixed seed: keywords mixed with arbitrary bytes.
  std::mt19937 random(20261208u);
  const std::string pieces[] = {"variant ", "grid ", "components ", "model ", "file ", "\"",
                                "#",        "\n",    "\r",          ",",      " ",     "1",
                                "all",      "exit",  "vapour",      "\xD0",   "\xFF",  "yes"};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int k = 0; k < length; ++k) {
      if (random() % 2) {
        text += pieces[random() % std::size(pieces)];
      } else {
        text += static_cast<char>(random() % 256);
      }
    }
    try {
      const AnswerScript script = AnswerScript::parse(text);
      for (const ScriptAnswer& answer : script.answers()) {
        EXPECT_GE(answer.Line, 1);
        EXPECT_LE(answer.Line, script.lineCount());
        EXPECT_FALSE(answer.Text.empty());
      }
    } catch (const AnswerScriptError&) {
    }
  }
}

TEST(AnswerScriptLoad, ReadsAFileAndRefusesMissingFilesAndFolders) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("bubblix-script-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "answers.txt";
  std::ofstream(file) << "variant 1\ncomponents 1,2\n";
  EXPECT_EQ(AnswerScript::load(file.string()).answers().size(), 2u);

  try {
    AnswerScript::load((dir / "missing.txt").string());
    ADD_FAILURE() << "a missing file was read";
  } catch (const AnswerScriptError& error) {
    EXPECT_EQ(error.message(Language::English), "Answer script " + (dir / "missing.txt").string() +
                                                    " cannot be read: no such file or folder");
    EXPECT_EQ(error.message(Language::Russian),
              "Файл ответов " + (dir / "missing.txt").string() +
                  " не удаётся прочитать: нет такого файла или папки");
  }
  EXPECT_THROW(AnswerScript::load(dir.string()), AnswerScriptError);
  // A file name with a NUL byte would name another file: the script is refused at its line.
  std::ofstream(file) << "variant 2\nfile \"Wil" << '\0' << "son.dat\"\n";
  try {
    AnswerScript::load(file.string());
    ADD_FAILURE() << "a NUL byte in a file name was taken";
  } catch (const AnswerScriptError& error) {
    EXPECT_EQ(error.message(Language::English),
              "Answer script line 2: the file name \"Wil\\0son.dat\" holds a NUL byte, which no "
              "file name can hold");
  }
  std::ofstream(file) << "variant 1\nvariant one\n";
  EXPECT_THROW(AnswerScript::load(file.string()), AnswerScriptError);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace bubblix
