#include <gtest/gtest.h>

#include "app/data_module.h"
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
