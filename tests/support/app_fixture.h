#pragma once
// A fresh database and a fresh set of windows per test, with the message and modal
// seams replaced: messages are recorded and answered from a script, modal windows are
// handed to a callback that plays the user's part.
#include <gtest/gtest.h>

#include <QDialog>
#include <QStringList>
#include <ostream>
#include <deque>
#include <functional>
#include <vector>

#include "platform/app_seams.h"
#include "platform/dialogs.h"

// Failed comparisons show texts as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace testsupport {

class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  // Answers for the next boxes, in order; a box without a scripted answer gets mrOk
  // (or mrYes when it has no OK button).
  void Answer(int modalResult) { answers_.push_back(modalResult); }
  const std::vector<platform::MessageCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  std::vector<platform::MessageCall> calls_;
  std::deque<int> answers_;
  platform::MessageHandler previous_;
};

// Database-only tests: a fresh database and the data module connected to it.
class DbTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Runs SQL as the superuser on this test's database.
  void Sql(const QString& sql);
  // A single integer (or 0 when no row) from a query run through the application's connection.
  qlonglong Scalar(const QString& sql);
  QString database_;
  MessageRecorder messages_;
};

// Window tests: a fresh database and the whole set of windows bound to it (the login
// window is created but not shown; tests drive it).
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Sql(const QString& sql);
  qlonglong Scalar(const QString& sql);
  // The next modal window is handed to this callback; its return value is the modal result.
  void OnModal(std::function<int(QDialog*)> play) { modal_.push_back(std::move(play)); }
  int ModalCount() const { return modalCount_; }
  QString database_;
  MessageRecorder messages_;

 private:
  std::deque<std::function<int(QDialog*)>> modal_;
  int modalCount_ = 0;
  platform::ModalHandler previousModal_;
};

}  // namespace testsupport
