#include <gtest/gtest.h>

#include "app/data_module.h"
#include "platform/db_error.h"
#include "tests/support/app_fixture.h"
#include "timesheet/hours_grid.h"

namespace {

class HoursGridTest : public testsupport::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    Sql("insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time, prize, ok)"
        " values ('2024-04-10', 4, 7, 7777, 7777, 1, 1, 0, 0, 5, 0, 'no'),"
        "        ('2024-04-10', 4, 7, 7777, 7777, 1, 1, 0, 0, 2, 0, 'no');"
        "insert into accounts_dep.fatigue(id_p, id_o, id_nom, d_date, i_mnth, i_year, i_smena, cnt, price,"
        " i_holiday, i_night) values (7, 7777, 55, '2024-04-10', 4, 2024, 1, 3, 150, 0, 1)");
  }
  qlonglong Cell(const QString& where, int day) {
    return Scalar(QStringLiteral("select coalesce(d%1, -1) from accounts_dep.h_tabel where %2").arg(day).arg(where));
  }
};

}  // namespace

TEST_F(HoursGridTest, ShiftRowInsertedThenUpdatedThenZeroedOnDelete) {
  const QDate day(2024, 4, 10);
  hoursgrid::ShiftCellSave(7, 4, day);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where w_id=7 and smena=4 and i_type=0"), 1);
  EXPECT_EQ(Cell("w_id=7 and smena=4", 10), 7);
  EXPECT_EQ(Cell("w_id=7 and smena=4", 11), -1);  // other days stay NULL

  hoursgrid::ShiftCellSave(7, 4, day.addDays(1));  // a day without positions
  EXPECT_EQ(Cell("w_id=7 and smena=4", 11), 0);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel"), 1);

  Sql("delete from accounts_dep.smena");
  hoursgrid::ShiftCellDelete(7, 4, day);
  EXPECT_EQ(Cell("w_id=7 and smena=4", 10), 0);
  hoursgrid::ShiftCellDelete(8, 4, day);  // no row for that worker: none appears
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel"), 1);
}

TEST_F(HoursGridTest, TypeRowKeyedByTypeNightAndGroup) {
  const QDate day(2024, 4, 10);
  hoursgrid::TypeCellSave({7, 7777, 1, 55}, day);
  hoursgrid::TypeCellSave({7, 7777, 0, 55}, day);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena=0"), 2);
  EXPECT_EQ(Cell("i_type=7777 and i_night=1 and id_nom=55", 10), 3);
  EXPECT_EQ(Cell("i_type=7777 and i_night=0 and id_nom=55", 10), 0);
  Sql("delete from accounts_dep.fatigue");
  hoursgrid::TypeCellDelete({7, 7777, 1, 55}, day);
  EXPECT_EQ(Cell("i_type=7777 and i_night=1 and id_nom=55", 10), 0);
}

namespace {

// April 2024 has 30 days. Worker 7 works shifts 1 and 4, worker 8 shift 1; worker 9 has
// a stale grid row and no positions. Hours: worker 7 maintenance by day and by night in
// group 55, and in group 56.
const char* kMonthFixture = R"sql(
delete from accounts_dep.smena; delete from accounts_dep.fatigue;
insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time, prize, ok) values
 ('2024-04-01', 1, 7, 7777, 7777, 1, 1, 0, 0, 3, 0, 'no'), ('2024-04-01', 1, 7, 7777, 7777, 1, 1, 0, 0, 4, 0, 'no'),
 ('2024-04-15', 1, 7, 7777, 7777, 1, 1, 0, 0, 8, 0, 'no'), ('2024-04-30', 4, 7, 7777, 7777, 1, 1, 0, 0, 2, 0, 'no'),
 ('2024-04-15', 1, 8, 7777, 7777, 1, 1, 0, 0, 6, 0, 'no'), ('2024-05-01', 1, 8, 7777, 7777, 1, 1, 0, 0, 5, 0, 'no');
insert into accounts_dep.fatigue(id_p, id_o, id_nom, d_date, i_mnth, i_year, i_smena, cnt, price, i_holiday, i_night)
values (7, 7777, 55, '2024-04-02', 4, 2024, 1, 3, 150, 0, 0), (7, 7777, 55, '2024-04-02', 4, 2024, 1, 2, 150, 0, 0),
       (7, 7777, 55, '2024-04-03', 4, 2024, 1, 5, 180, 0, 1), (7, 7778, 56, '2024-04-30', 4, 2024, 1, 1, 200, 0, 0);
insert into accounts_dep.h_tabel(w_id, smena, month, year, d1) values (9, 1, 4, 2024, 5), (7, 1, 5, 2024, 1);
insert into accounts_dep.h_tabel(w_id, i_type, i_night, id_nom, month, year, d9) values (9, 7777, 0, 55, 4, 2024, 4);
)sql";

}  // namespace

TEST_F(HoursGridTest, ShiftRebuildDerivesTheMonthAndLeavesTypeRowsAlone) {
  Sql(kMonthFixture);
  std::vector<std::pair<int, int>> progress;
  hoursgrid::RebuildShiftRows(4, 2024, [&](int day, int days) { progress.push_back({day, days}); });

  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena>0 and month=4"), 3);
  EXPECT_EQ(Cell("w_id=7 and smena=1 and month=4", 1), 7);
  EXPECT_EQ(Cell("w_id=7 and smena=1 and month=4", 15), 8);
  EXPECT_EQ(Cell("w_id=7 and smena=1 and month=4", 2), -1);  // a day without hours stays NULL
  EXPECT_EQ(Cell("w_id=7 and smena=4 and month=4", 30), 2);
  EXPECT_EQ(Cell("w_id=8 and smena=1 and month=4", 15), 6);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where d31 is not null"), 0);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where w_id=9 and smena>0"), 0);  // stale row gone
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena=0 and w_id=9"), 1);  // type row kept
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where month=5"), 1);              // other month kept
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), std::make_pair(1, 30));
  EXPECT_EQ(progress.back(), std::make_pair(30, 30));
  EXPECT_EQ(progress.size(), 1u + 4u);  // once at the start, once per source row (day 1, 15 twice, 30)
}

TEST_F(HoursGridTest, TypeRebuildKeysByNightAndGroupAndLeavesShiftRowsAlone) {
  Sql(kMonthFixture);
  hoursgrid::RebuildTypeRows(4, 2024);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena=0 and month=4"), 3);
  EXPECT_EQ(Cell("smena=0 and i_type=7777 and i_night=0 and id_nom=55", 2), 5);
  EXPECT_EQ(Cell("smena=0 and i_type=7777 and i_night=1 and id_nom=55", 3), 5);
  EXPECT_EQ(Cell("smena=0 and i_type=7778 and i_night=0 and id_nom=56", 30), 1);
  EXPECT_EQ(Cell("smena=0 and i_type=7777 and i_night=0 and id_nom=55", 3), -1);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena>0 and w_id=9"), 1);
}

TEST_F(HoursGridTest, FebruaryLengthFollowsTheLeapYear) {
  for (auto [year, days] : {std::pair{2024, 29}, std::pair{2023, 28}, std::pair{2100, 28}}) {
    Sql(QStringLiteral("insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, "
                       "time, prize, ok) values ('%1-02-%2', 2, 7, 7777, 7777, 1, 1, 0, 0, 9, 0, 'no')")
            .arg(year)
            .arg(days));
    int last = 0;
    hoursgrid::RebuildShiftRows(2, year, [&](int day, int max) {
      last = day;
      EXPECT_EQ(max, days);
    });
    EXPECT_EQ(last, days);
    EXPECT_EQ(Cell(QStringLiteral("smena=2 and year=%1").arg(year), days), 9) << year;
  }
}

TEST_F(HoursGridTest, RebuildThatFailsHalfWayLeavesTheMonthAsItWas) {
  Sql(kMonthFixture);
  // Hours above 7 on the 15th cannot be stored: the rebuild fails on that day.
  Sql("alter table accounts_dep.h_tabel add constraint no_long_15th check (d15 is null or d15 <= 7)");
  EXPECT_THROW(hoursgrid::RebuildShiftRows(4, 2024), platform::EDatabaseError);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena>0 and month=4"), 1);
  EXPECT_EQ(Cell("w_id=9 and smena=1 and month=4", 1), 5);
  // The connection is usable afterwards and a good rebuild goes through.
  Sql("alter table accounts_dep.h_tabel drop constraint no_long_15th");
  hoursgrid::RebuildShiftRows(4, 2024);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where smena>0 and month=4"), 3);
}
