#include <gtest/gtest.h>

#include <QDate>

#include "app/data_module.h"
#include "platform/dataset.h"
#include "platform/db_error.h"
#include "platform/sql_quote.h"
#include "tests/support/app_fixture.h"

using platform::TADOQuery;

TEST(SqlText, ParameterNamesSkipCastsQuotesAndComments) {
  EXPECT_EQ(platform::ParameterNames(
                "select s_code::integer, ':no' as \"a:b\" from t -- :c\n where d=:data and ok!=:ok and e=:DATA"),
            (QStringList{"data", "ok"}));
  EXPECT_EQ(platform::ParameterNames("select $$ :x $$, $q$:y$q$ where a=:a /* :z */"), QStringList{"a"});
}

TEST(SqlText, ValuesBecomeLiterals) {
  platform::TParameters p;
  p.Sync("select :t, :d, :i, :f, :n");
  p.ParamByName("t")->Value = QStringLiteral("O'Brien \\ '; drop table x; --");
  p.ParamByName("d")->Value = QDate(2024, 3, 9);
  p.ParamByName("i")->Value = 42;
  p.ParamByName("f")->Value = 2.5;
  EXPECT_EQ(platform::BindParameters("select :t, :d, :i, :f, :n", p),
            "select 'O''Brien \\ ''; drop table x; --', DATE '2024-03-09', 42, 2.5, NULL");
  EXPECT_THROW(p.ParamByName("missing"), std::out_of_range);
  EXPECT_EQ(platform::SqlDate(QDate(2024, 3, 9)), "to_date('09.03.2024', 'DD.MM.YYYY')");
}

class DatasetTest : public testsupport::DbTest {};

TEST_F(DatasetTest, StaticCursorRecordNumbersFilterAndLocate) {
  TADOQuery q(nullptr,
              "select * from (values (1, 'Иванов'), (2, 'иволгин'), (3, 'Петров')) v(id, fio) "
              "where id <= :top order by id");
  q.ParamByName("top")->Value = 3;
  q.Open();
  ASSERT_EQ(q.RecordCount(), 3);
  EXPECT_EQ(q.RecNo(), 1);
  q.Next();
  q.Next();
  EXPECT_FALSE(q.Eof());
  q.Next();
  EXPECT_TRUE(q.Eof());
  EXPECT_EQ(q.FieldByName("FIO").AsString(), "Петров");
  EXPECT_TRUE(q.SetRecNo(2));
  EXPECT_FALSE(q.SetRecNo(4));
  EXPECT_EQ(q.RecNo(), 2);

  q.SetFilter("fio like 'ив%'");
  q.SetFiltered(true);
  EXPECT_EQ(q.RecordCount(), 2);
  q.SetFiltered(false);
  EXPECT_EQ(q.RecordCount(), 3);

  EXPECT_TRUE(q.Locate("fio", "петров"));
  EXPECT_EQ(q.FieldByName("id").AsInteger(), 3);
  EXPECT_TRUE(q.Locate("fio", "Ив", true, true));
  EXPECT_EQ(q.RecNo(), 1);
  EXPECT_FALSE(q.Locate("fio", "Сидоров"));
  EXPECT_THROW(q.FieldByName("nope"), std::out_of_range);
}

TEST_F(DatasetTest, HostileTextIsStoredVerbatimAndErrorsCarryTheServerMessage) {
  const QString name = QStringLiteral("Д'Артаньян \\n '; drop table accounts_dep.smena; --");
  platform::TADOCommand ins(nullptr, "insert into accounts_dep.person(fio, s_staffpos_hl) values (:fio, 'цех')");
  ins.ParamByName("fio")->Value = name;
  EXPECT_EQ(ins.Execute(), 1);
  DataModule6->SQL_exec->SetCommandText("insert into accounts_dep.person(fio) values (" +
                                        platform::QuotedStr(name + "2") + ")");
  DataModule6->SQL_exec->Execute();
  TADOQuery q(nullptr, "select fio from accounts_dep.person where fio like :p order by fio");
  q.ParamByName("p")->Value = QStringLiteral("Д'Арт%");
  q.Open();
  ASSERT_EQ(q.RecordCount(), 2);
  EXPECT_EQ(q.FieldByName("fio").AsString(), name);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena"), 0);  // the table is still there

  TADOQuery bad(nullptr, "select no_such_column from accounts_dep.person");
  try {
    bad.Open();
    FAIL() << "no error";
  } catch (const platform::EDatabaseError& e) {
    EXPECT_TRUE(e.Message().startsWith("column \"no_such_column\" does not exist")) << e.Message().toStdString();
    EXPECT_EQ(e.SqlState(), "42703");
  }
  EXPECT_FALSE(bad.Active());
}

TEST_F(DatasetTest, TransactionRollsBackUnlessCommitted) {
  {
    platform::TTransaction t;
    DataModule6->SQL_exec->SetCommandText("insert into accounts_dep.person(fio) values ('A')");
    DataModule6->SQL_exec->Execute();
  }
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.person where fio='A'"), 0);
  {
    platform::TTransaction t;
    DataModule6->SQL_exec->Execute();
    t.Commit();
  }
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.person where fio='A'"), 1);
}
