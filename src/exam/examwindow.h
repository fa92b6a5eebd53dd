// What the examination needs from the main window: its status text, the
// question and answer fields, the log pane, the command states, the two
// message boxes, the current options, the open file's name and the random
// source. The main window implements it with its controls; the tests with a
// fake that records what a user would see.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "randomsource.h"
#include "settings/options.h"

// What a screen reader is told beyond what the focused control says: the
// question as it is shown, the verdict on an answer, the results of a run.
enum TAnnouncement { anQuestion, anVerdict, anResults };

// The question and answer fields.
class TExamFields {
public:
  virtual ~TExamFields() = default;

  // The read-only question field.
  virtual void SetQuestionText(const std::string& text) = 0;
  // The answer field.
  virtual std::string GetAnswerText() const = 0;
  virtual void SetAnswerText(const std::string& text) = 0;
  virtual void FocusAnswer() = 0;
};

// The log pane, which tells the window of each change itself. Lines follow
// the rules of logpane (examlog.h); a block of them is appended as one
// change.
class TExamLogPane {
public:
  virtual ~TExamLogPane() = default;

  virtual void Replace(const std::string& text) = 0;
  virtual void Append(const std::vector<std::string>& lines) = 0;
  // True when the pane holds at least one line, which is exactly when its
  // text is not empty.
  virtual bool HoldsLine() const = 0;
  virtual void TakeFocus() = 0;
};

class TExamWindow {
public:
  virtual ~TExamWindow() = default;

  // The status bar's single text.
  virtual void SetStatus(const std::string& text) = 0;

  // The question and answer fields, and the log pane.
  virtual TExamFields& Fields() = 0;
  virtual TExamLogPane& Pane() = 0;

  // Tells a screen reader the text, in turn after what it was told before:
  // the focus stays in the answer field for the whole run, so the learner
  // hears the questions and verdicts only through this.
  virtual void Announce(TAnnouncement kind, const std::string& text) = 0;

  // Start, Review and List enabled from the item counts; the answer field read-only
  // when no run is active.
  virtual void UpdateCommands() = 0;

  // A modal box with OK and the stop icon.
  virtual void ShowError(const std::string& text) = 0;
  // A modal box with OK and Cancel and the warning icon; true for OK.
  virtual bool Confirm(const std::string& text) = 0;

  virtual TExamOptions GetExamOptions() const = 0;
  virtual std::string GetFileName() const = 0;
  virtual TRandomSource& GetRandomSource() = 0;
};
