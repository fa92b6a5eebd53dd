#include "fakeexamwindow.h"

#include "exam/commandstates.h"

std::vector<std::string> TFakeExamWindow::LogLines() const {
  std::vector<std::string> lines;
  const std::string_view text = Log.Text();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(logpane::kLineBreak, start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + logpane::kLineBreak.size();
  }
  return lines;
}

void TFakeExamWindow::SetStatus(const std::string& text) {
  Status = text;
  StatusHistory.push_back(text);
}

void TFakeExamWindow::Replace(const std::string& text) {
  Log.Replace(text);
  LogChanged();
}

void TFakeExamWindow::Append(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Log.AppendLine(line);
  LogChanged();
}

void TFakeExamWindow::LogChanged() {
  ++LogChanges;
  SaveLogEnabled = HoldsLine(); // Save Log: while the log holds a line
}

void TFakeExamWindow::UpdateCommands() {
  const TCommandStates states = ExamCommandStates(Exam);
  StartEnabled = states.Start;
  ReviewEnabled = states.Review;
  ListEnabled = states.List;
  AnswerReadOnly = states.AnswerReadOnly;
}

bool TFakeExamWindow::Confirm(const std::string& text) {
  Confirmations.push_back(text);
  return ConfirmAnswer;
}

void TFakeExamSetup::AddItem(std::string_view question,
                             std::initializer_list<std::string_view> answers) {
  TExamItem& item = Exam.AllItems.Add();
  item.Question = question;
  for (std::string_view answer : answers) item.AddAnswer(answer);
}

TKeyCode TFakeExamSetup::PressEnter() {
  TKeyCode key = kKeyEnter;
  Run.AnswerKeyDown(key);
  return key;
}
