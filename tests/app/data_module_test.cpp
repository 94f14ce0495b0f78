#include <gtest/gtest.h>

#include "app/data_module.h"
#include "app/forms.h"
#include "journal/journal_window.h"
#include "tests/support/app_fixture.h"

TEST(CommandLine, BothArgumentsOnlyWhenTheServerIsGiven) {
  struct Case {
    QStringList args;
    QString database, host;
  } cases[] = {
      {{}, "norda_erp", kDefaultServer},
      {{"plant"}, "norda_erp", kDefaultServer},
      {{"plant", ""}, "norda_erp", kDefaultServer},
      {{"plant", "db.local"}, "plant", "db.local"},
      {{" plant ", "/run/pg"}, " plant ", "/run/pg"},  // verbatim, no trimming
  };
  for (const Case& c : cases) {
    const auto s = ConnectionFromCommandLine(c.args);
    EXPECT_EQ(s.database, c.database) << c.args.join('|').toStdString();
    EXPECT_EQ(s.host, c.host) << c.args.join('|').toStdString();
    EXPECT_EQ(s.user, "sys");
    EXPECT_EQ(s.port, 5432);
  }
}

TEST(DecimalPoint, FirstSeparatorBecomesDelim) {
  TDataModule6 dm;
  dm.Delim = ".";
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"12,5", "12.5"}, {"0.70", "0.70"}, {"8", "8"}, {"3,25", "3.25"},
               {"1,234,5", "1.234,5"}, {"-0,7", "-0.7"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(dm.NormalizeDecimalPoint(c.in), c.out) << c.in;

  TDataModule6 fresh;  // Delim still empty: nothing changes it until a separator is met
  EXPECT_EQ(fresh.NormalizeDecimalPoint("8"), "8");
  EXPECT_TRUE(fresh.Delim.isEmpty());
  EXPECT_EQ(fresh.NormalizeDecimalPoint("2,5"), "2.5");
  EXPECT_EQ(fresh.Delim, ".");
}

class CheckExistsTest : public testsupport::DbTest {};

TEST_F(CheckExistsTest, ShowsTheMessageOnlyForAClash) {
  EXPECT_FALSE(DataModule6->CheckExists("select 0 as cnt", "Такая запись уже есть"));
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_TRUE(DataModule6->CheckExists("select count(*) as cnt from accounts_dep.vid_oper", "Такая запись уже есть"));
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Такая запись уже есть");
  EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
  EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
  EXPECT_FALSE(DataModule6->Control->Active());
}

TEST(StartUp, NoServerShowsTheMessageAndEnds) {
  testsupport::MessageRecorder messages;
  auto oldTerminate = platform::SetTerminateHandler([] {});
  EXPECT_FALSE(CreateForms({"norda_erp", "/nonexistent-socket-dir"}, false));
  ASSERT_EQ(messages.Calls().size(), 1u);
  EXPECT_EQ(messages.Calls()[0].text, "Подключение к БД отсутсвует!!!");
  EXPECT_EQ(messages.Calls()[0].caption, "Ошибка!");
  EXPECT_EQ(messages.Calls()[0].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(platform::TerminateRequested());
  DestroyForms();
  platform::SetTerminateHandler(oldTerminate);
}
