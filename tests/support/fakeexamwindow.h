// A stand-in for the main window that the examination drives: it keeps what
// a user would see (status text, fields, log, command states, focus, message
// boxes) and answers the confirmation as a test tells it to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exam/exam.h"
#include "exam/examlog.h"
#include "exam/examrun.h"
#include "exam/examwindow.h"

// Gives the values it was handed, in order, and then starts over.
class TFixedRandom final : public TRandomSource {
public:
  std::vector<std::int32_t> Values{0};
  int Draws = 0;
  std::int32_t Next() override {
    if (Values.empty()) return 0;
    const std::int32_t value = Values[static_cast<size_t>(Draws) % Values.size()];
    ++Draws;
    return value;
  }
};

enum TFakeFocus { ffNone, ffAnswer, ffLog };

class TFakeExamWindow final : public TExamWindow, public TExamFields, public TExamLogPane {
public:
  explicit TFakeExamWindow(const TExam& exam) : Exam(exam) {}

  // What the window shows.
  std::string Status;
  std::vector<std::string> StatusHistory;
  std::string QuestionField, AnswerField;
  bool AnswerReadOnly = true;
  TLogText Log;
  TFakeFocus Focus = ffNone;
  bool StartEnabled = false, ReviewEnabled = false, ListEnabled = false;
  bool SaveLogEnabled = false;
  int LogChanges = 0;
  std::vector<std::string> Errors;
  std::vector<std::string> Confirmations;
  // What a screen reader was told, in order.
  std::vector<std::pair<TAnnouncement, std::string>> Announcements;
  // The answer the next confirmations get.
  bool ConfirmAnswer = true;

  // What the window holds for the examination.
  TExamOptions Options;
  std::string FileName;
  TFixedRandom Random;

  // The log's lines, without the empty one after the last line break.
  std::vector<std::string> LogLines() const;
  // The user types into the answer field, which takes nothing while read-only.
  void Type(std::string_view text) {
    if (!AnswerReadOnly) AnswerField = text;
  }

  void SetStatus(const std::string& text) override;
  TExamFields& Fields() override { return *this; }
  TExamLogPane& Pane() override { return *this; }
  void SetQuestionText(const std::string& text) override { QuestionField = text; }
  std::string GetAnswerText() const override { return AnswerField; }
  void SetAnswerText(const std::string& text) override { AnswerField = text; }
  void FocusAnswer() override { Focus = ffAnswer; }
  void Replace(const std::string& text) override;
  void Append(const std::vector<std::string>& lines) override;
  bool HoldsLine() const override { return !Log.Text().empty(); }
  void TakeFocus() override { Focus = ffLog; }
  void Announce(TAnnouncement kind, const std::string& text) override {
    Announcements.emplace_back(kind, text);
  }
  void UpdateCommands() override;
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  bool Confirm(const std::string& text) override;
  TExamOptions GetExamOptions() const override { return Options; }
  std::string GetFileName() const override { return FileName; }
  TRandomSource& GetRandomSource() override { return Random; }

private:
  // The pane's own notice after each change.
  void LogChanged();

  const TExam& Exam;
};

// The examination wired to a fake window the way the main window wires it.
struct TFakeExamSetup {
  TExam Exam;
  TFakeExamWindow Window{Exam};
  TExamRun Run{Exam, Window};

  // Adds an item to the open file's set.
  void AddItem(std::string_view question, std::initializer_list<std::string_view> answers);
  // Enter in the answer field; the key as the handler left it.
  TKeyCode PressEnter();
  // Types an answer and presses Enter.
  void Answer(std::string_view text) {
    Window.Type(text);
    PressEnter();
  }
};
