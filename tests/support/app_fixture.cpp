#include "tests/support/app_fixture.h"

#include "app/data_module.h"
#include "app/forms.h"
#include "platform/form.h"
#include "tests/support/pg_harness.h"

namespace testsupport {

MessageRecorder::MessageRecorder() {
  previous_ = platform::SetMessageHandler([this](const platform::MessageCall& m) {
    calls_.push_back(m);
    if (!answers_.empty()) {
      const int a = answers_.front();
      answers_.pop_front();
      return a;
    }
    return (m.buttons & platform::mbOK) ? int(platform::mrOk) : int(platform::mrYes);
  });
}

MessageRecorder::~MessageRecorder() { platform::SetMessageHandler(previous_); }

namespace {

qlonglong ScalarThroughApp(const QString& sql) {
  platform::TADOQuery q(nullptr, sql);
  q.Open();
  return q.IsEmpty() ? 0 : q.FieldByName(q.FieldNames().value(0)).AsLargeInt();
}

}  // namespace

void DbTest::SetUp() {
  database_ = testdb::freshDatabase();
  DataModule6 = new TDataModule6();
  DataModule6->ADO_DB.SetSettings(ConnectionFromCommandLine({database_, testdb::socketDir()}));
  DataModule6->ADO_DB.Open();
}

void DbTest::TearDown() {
  delete DataModule6;
  DataModule6 = nullptr;
  testdb::dropDatabase(database_);
}

void DbTest::Sql(const QString& sql) { testdb::runSql(database_, sql); }
qlonglong DbTest::Scalar(const QString& sql) { return ScalarThroughApp(sql); }

void AppTest::SetUp() {
  database_ = testdb::freshDatabase();
  previousModal_ = platform::SetModalHandler([this](QDialog* w) {
    ++modalCount_;
    if (auto* f = qobject_cast<platform::TForm*>(w)) f->FormActivate();
    if (modal_.empty()) return int(platform::mrCancel);
    auto play = std::move(modal_.front());
    modal_.pop_front();
    return play(w);
  });
  platform::SetTerminateHandler([] {});
  ASSERT_TRUE(CreateForms({database_, testdb::socketDir()}, false));
}

void AppTest::TearDown() {
  DestroyForms();
  platform::SetModalHandler(previousModal_);
  testdb::dropDatabase(database_);
}

void AppTest::Sql(const QString& sql) { testdb::runSql(database_, sql); }
qlonglong AppTest::Scalar(const QString& sql) { return ScalarThroughApp(sql); }

}  // namespace testsupport
