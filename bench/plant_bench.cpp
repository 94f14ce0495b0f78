// The plant benchmark: runs what the windows run on a plant-sized database and, beside
// it, the shortest SQL that gives the same result, and prints the medians and ratios.
// Usage: plant_bench <database> <server> [runs]   (a database made from bench/plant.sql)
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/data_module.h"
#include "platform/dataset.h"
#include "platform/db_error.h"
#include "platform/filter.h"
#include "platform/sql_quote.h"
#include "timesheet/hours_grid.h"

namespace {

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer t;
    t.start();
    work();
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

void Run(const QString& sql) { platform::RunStatement(sql, true); }

QString DayColumns() {
  QStringList c;
  for (int d = 1; d <= 31; ++d) c << QStringLiteral("d%1").arg(d);
  return c.join(QStringLiteral(", "));
}

QString DaySums(const QString& value, const QString& dateColumn) {
  QStringList c;
  for (int d = 1; d <= 31; ++d)
    c << QStringLiteral("sum(%1) filter (where extract(day from %2) = %3)").arg(value, dateColumn).arg(d);
  return c.join(QStringLiteral(", "));
}

// The journal of one date (all shifts, or those the condition keeps) in the fewest joins.
QString ShortestJournal(const QDate& day, const QString& condition) {
  return QStringLiteral(
             "select s.*, p.s_caption fio, g.s_caption marka, v.vid, o.naimen from accounts_dep.smena s "
             "join cmn_contractor.person p on p.id = s.w_id join cmn_gds_and_srv.gds_and_srv g on g.id = s.i_id "
             "join accounts_dep.oper o on o.id = s.o_id join accounts_dep.vid_oper v on v.id = o.vid "
             "where s.data = %1%2 order by s.smena, fio")
      .arg(platform::SqlDate(day), condition);
}

// One month of one family of grid rows, derived in one statement.
void SetBasedShiftRebuild(const QDate& first) {
  platform::TTransaction unit;
  Run(QStringLiteral("delete from accounts_dep.h_tabel where smena>0 and month=%1 and year=%2")
          .arg(first.month())
          .arg(first.year()));
  Run(QStringLiteral("insert into accounts_dep.h_tabel(w_id, smena, month, year, %1) select w_id, smena, %2, %3, %4 "
                     "from accounts_dep.smena where data >= %5 and data < %6 group by w_id, smena")
          .arg(DayColumns())
          .arg(first.month())
          .arg(first.year())
          .arg(DaySums(QStringLiteral("time"), QStringLiteral("data")), platform::SqlDate(first),
               platform::SqlDate(first.addMonths(1))));
  unit.Commit();
}

void SetBasedTypeRebuild(const QDate& first) {
  platform::TTransaction unit;
  Run(QStringLiteral("delete from accounts_dep.h_tabel where smena=0 and month=%1 and year=%2")
          .arg(first.month())
          .arg(first.year()));
  Run(QStringLiteral("insert into accounts_dep.h_tabel(w_id, i_type, i_night, id_nom, month, year, %1) "
                     "select id_p, id_o, i_night, id_nom, %2, %3, %4 from accounts_dep.fatigue "
                     "where d_date >= %5 and d_date < %6 group by id_p, id_o, i_night, id_nom")
          .arg(DayColumns())
          .arg(first.month())
          .arg(first.year())
          .arg(DaySums(QStringLiteral("cnt"), QStringLiteral("d_date")), platform::SqlDate(first),
               platform::SqlDate(first.addMonths(1))));
  unit.Commit();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: plant_bench <database> <server> [runs]\n");
    return 2;
  }
  const int runs = args.size() > 3 ? qMax(1, args[3].toInt()) : 5;
  try {
    DataModule6 = new TDataModule6();
    DataModule6->ADO_DB.SetSettings(ConnectionFromCommandLine({args[1], args[2]}));
    DataModule6->ADO_DB.Open();

    platform::TADOQuery size(nullptr,
                             "select (select count(*) from accounts_dep.person) workers, "
                             "(select count(*) from accounts_dep.smena) positions, "
                             "(select count(*) from accounts_dep.fatigue) hours, (select max(data) from accounts_dep.smena) last");
    size.Open();
    // A weekday a week ago, and the previous month: both fully in the journal.
    QDate day = size.FieldByName("last").AsDate().addDays(-7);
    while (day.dayOfWeek() > 5) day = day.addDays(-1);
    const QDate month = QDate(day.year(), day.month(), 1).addMonths(-1);
    std::printf("plant: %d workers, %lld journal positions, %lld hours rows; journal date %s, month %02d.%d; "
                "median of %d runs\n\n",
                size.FieldByName("workers").AsInteger(), size.FieldByName("positions").AsLargeInt(),
                size.FieldByName("hours").AsLargeInt(), qPrintable(platform::DateText(day)), month.month(),
                month.year(), runs);

    struct Row {
      const char* what;
      double app, bound;
    };
    std::vector<Row> rows;

    for (int s = 1; s <= 4; ++s) {
      DataModule6->JournalQuery(s)->ParamByName("ok")->Value = QStringLiteral("ta");
      DataModule6->JournalQuery(s)->ParamByName("data")->Value = day;
    }
    rows.push_back({"journal: the four shift queries of one date",
                    MedianMs(runs,
                             [] {
                               for (int s = 1; s <= 4; ++s) DataModule6->JournalQuery(s)->Requery();
                             }),
                    MedianMs(runs, [&] {
                      Run(ShortestJournal(day, QString()));
                    })});

    rows.push_back({"month rebuild of shift rows",
                    MedianMs(runs, [&] { hoursgrid::RebuildShiftRows(month.month(), month.year()); }),
                    MedianMs(runs, [&] { SetBasedShiftRebuild(month); })});
    rows.push_back({"month rebuild of type rows",
                    MedianMs(runs, [&] { hoursgrid::RebuildTypeRows(month.month(), month.year()); }),
                    MedianMs(runs, [&] { SetBasedTypeRebuild(month); })});

    const QString prefix = QStringLiteral("Рабочий 01");
    rows.push_back({"workers list opened and filtered by a prefix",
                    MedianMs(runs,
                             [&] {
                               DataModule6->Workers->Close();
                               DataModule6->Workers->SetFiltered(false);
                               DataModule6->Workers->Open();
                               DataModule6->Workers->SetFilter(platform::StartsWithFilter("fio", prefix));
                               DataModule6->Workers->SetFiltered(true);
                             }),
                    MedianMs(runs, [&] {
                      Run(QStringLiteral("select * from accounts_dep.person where fio like %1 order by fio")
                              .arg(platform::QuotedStr(prefix + QLatin1Char('%'))));
                    })});

    const QString mark = QStringLiteral("12");
    rows.push_back({"price list opened and searched inside the mark",
                    MedianMs(runs,
                             [&] {
                               DataModule6->Oper->Close();
                               DataModule6->Oper->SetFiltered(false);
                               DataModule6->Oper->Open();
                               DataModule6->Oper->SetFilter(platform::ContainsFilter("marka", mark));
                               DataModule6->Oper->SetFiltered(true);
                             }),
                    MedianMs(runs, [&] {
                      Run(QStringLiteral("select izdel.marka, vid_oper.vid, oper.naimen, count(*) norma, min(price) "
                                         "cena, oper.id from accounts_dep.norm join accounts_dep.oper on "
                                         "norm.o_id=oper.id join accounts_dep.izdel on oper.i_id=izdel.id join "
                                         "accounts_dep.vid_oper on oper.vid=vid_oper.id where izdel.marka like %1 "
                                         "group by izdel.marka, vid_oper.vid, oper.naimen, oper.id")
                              .arg(platform::QuotedStr(QLatin1Char('%') + mark + QLatin1Char('%'))));
                    })});

    // A position saved by the position window: the duplicate count, the insert, the
    // journal of the shift re-read and the worker's day cell; rolled back each time.
    platform::TADOQuery sample(nullptr, QStringLiteral("select w_id, i_id, o_id from accounts_dep.smena where "
                                                       "data=%1 and smena=1 limit 1")
                                            .arg(platform::SqlDate(day)));
    sample.Open();
    const QString w = sample.FieldByName("w_id").AsString(), i = sample.FieldByName("i_id").AsString(),
                  o = sample.FieldByName("o_id").AsString();
    const QString values = QStringLiteral("%1, %2, %3, 0.95, 10, 0, %4, 1, 77, 2").arg(w, i, o, platform::SqlDate(day));
    rows.push_back({"position saved with its day in the hours grid",
                    MedianMs(runs,
                             [&] {
                               platform::TTransaction unit;
                               DataModule6->CheckExists(
                                   QStringLiteral("select count(id) as cnt from accounts_dep.SMENA where w_id=%1 and "
                                                  "o_id=%2 and i_id=%3 and data=%4 and smena=1 and color=77")
                                       .arg(w, o, i, platform::SqlDate(day)));
                               Run(QStringLiteral("insert into accounts_dep.smena(w_id, i_id, o_id, cena, kol_vo, "
                                                  "brak, data, smena, color, time) values(%1) returning id as cur_id")
                                       .arg(values));
                               DataModule6->Smena1->Refresh();
                               hoursgrid::ShiftCellSave(w.toLongLong(), 1, day);
                             }),
                    MedianMs(runs, [&] {
                      platform::TTransaction unit;
                      Run(QStringLiteral("insert into accounts_dep.smena(w_id, i_id, o_id, cena, kol_vo, brak, data, "
                                         "smena, color, time) values(%1) returning id")
                              .arg(values));
                      Run(QStringLiteral("update accounts_dep.h_tabel set d%1=d%1+2 where w_id=%2 and smena=1 and "
                                         "month=%3 and year=%4")
                              .arg(day.day())
                              .arg(w)
                              .arg(day.month())
                              .arg(day.year()));
                      Run(ShortestJournal(day, QStringLiteral(" and s.smena = 1")));
                    })});

    std::printf("%-48s %12s %14s %8s\n", "what", "program, ms", "lower bound, ms", "ratio");
    for (const Row& r : rows)
      std::printf("%-48s %12.1f %14.1f %8.1f\n", r.what, r.app, r.bound, r.bound > 0 ? r.app / r.bound : 0.0);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", qPrintable(platform::ExceptionText(e)));
    return 1;
  }
  delete DataModule6;
  return 0;
}
