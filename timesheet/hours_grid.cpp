#include "timesheet/hours_grid.h"

#include <set>
#include <QStringList>
#include <tuple>

#include "app/data_module.h"
#include "platform/sql_quote.h"

namespace hoursgrid {

namespace {

QString N(qlonglong v) { return QString::number(v); }

QString ShiftWhere(qlonglong w_id, int shift, const QDate& date) {
  return QStringLiteral(" where w_id=%1 and smena=%2 and month=%3 and year=%4")
      .arg(N(w_id), N(shift), N(date.month()), N(date.year()));
}

int ShiftDaySum(qlonglong w_id, int shift, const QDate& date) {
  return DataModule6->LookupInteger(
      QStringLiteral("select sum(time) as tim from accounts_dep.smena where w_id=%1 and smena=%2 and "
                     "data=to_date('%3', 'DD.MM.YYYY') group by w_id, smena, data")
          .arg(N(w_id), N(shift), platform::DateText(date)),
      QStringLiteral("tim"));
}

void ShiftUpdate(qlonglong w_id, int shift, const QDate& date, int hours) {
  DataModule6->H_Tabel_ins->SetCommandText(QStringLiteral("update accounts_dep.h_tabel set d%1=%2")
                                               .arg(N(date.day()), N(hours)) +
                                           ShiftWhere(w_id, shift, date));
  DataModule6->H_Tabel_ins->Execute();
}

QString TypeWhere(const TypeKey& k, const QDate& date) {
  return QStringLiteral(" where w_id=%1 and i_type=%2 and month=%3 and year=%4 and i_night=%5 and id_nom=%6")
      .arg(N(k.w_id), N(k.type), N(date.month()), N(date.year()), N(k.night), N(k.id_nom));
}

int TypeDaySum(const TypeKey& k, const QDate& date) {
  return DataModule6->LookupInteger(
      QStringLiteral("select sum(f.cnt) as tim from accounts_dep.fatigue f where f.id_p =%1  and f.id_o=%2 and "
                     "i_night=%3 and id_nom=%4 and f.d_date =to_date('%5', 'DD.MM.YYYY') group by f.id_p, f.d_date")
          .arg(N(k.w_id), N(k.type), N(k.night), N(k.id_nom), platform::DateText(date)),
      QStringLiteral("tim"));
}

void TypeUpdate(const TypeKey& k, const QDate& date, int hours) {
  DataModule6->H_Tabel_ins->SetCommandText(QStringLiteral("update accounts_dep.h_tabel set d%1=%2")
                                               .arg(N(date.day()), N(hours)) +
                                           TypeWhere(k, date));
  DataModule6->H_Tabel_ins->Execute();
}

}  // namespace

void ShiftCellSave(qlonglong w_id, int shift, const QDate& date) {
  const int cnt = DataModule6->LookupInteger(
      QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel") + ShiftWhere(w_id, shift, date),
      QStringLiteral("cnt"));
  const int hours = ShiftDaySum(w_id, shift, date);
  if (cnt != 0) {
    ShiftUpdate(w_id, shift, date, hours);
    return;
  }
  DataModule6->H_Tabel_ins->SetCommandText(
      QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d%1) values(%2, %3, %4, %5, %6)")
          .arg(N(date.day()), N(shift), N(w_id), N(date.month()), N(date.year()), N(hours)));
  DataModule6->H_Tabel_ins->Execute();
}

void ShiftCellDelete(qlonglong w_id, int shift, const QDate& date) {
  ShiftUpdate(w_id, shift, date, ShiftDaySum(w_id, shift, date));
}

void TypeCellSave(const TypeKey& key, const QDate& date) {
  const int cnt = DataModule6->LookupInteger(
      QStringLiteral("select count(w_id) as cnt from accounts_dep.h_tabel") + TypeWhere(key, date),
      QStringLiteral("cnt"));
  const int hours = TypeDaySum(key, date);
  if (cnt != 0) {
    TypeUpdate(key, date, hours);
    return;
  }
  DataModule6->H_Tabel_ins->SetCommandText(
      QStringLiteral("insert into accounts_dep.h_tabel(i_type, w_id, month, year, d%1, i_night, id_nom) "
                     "values(%2, %3, %4, %5, %6, %7, %8)")
          .arg(N(date.day()), N(key.type), N(key.w_id), N(date.month()), N(date.year()), N(hours), N(key.night),
               N(key.id_nom)));
  DataModule6->H_Tabel_ins->Execute();
}

void TypeCellDelete(const TypeKey& key, const QDate& date) { TypeUpdate(key, date, TypeDaySum(key, date)); }

namespace {

// One day of a rebuild: the statements of the day's rows travel to the server together.
// A key met for the first time in the month gets its row inserted; later days update
// it. The month was cleared at the start, so the keys inserted so far are exactly the
// rows the month has, and no count has to be asked.
template <typename Key, typename RowStatements>
void RebuildMonth(int month, int year, const QString& clear, const QString& daySource, const Progress& progress,
                  RowStatements rowStatements) {
  const int days = QDate(year, month, 1).daysInMonth();
  platform::TTransaction unit;
  DataModule6->DelSmena->SetCommandText(clear.arg(month).arg(year));
  DataModule6->DelSmena->Execute();
  if (progress) progress(1, days);
  platform::TADOQuery dt(nullptr, daySource);
  std::set<Key> inserted;
  for (int day = 1; day <= days; ++day) {
    dt.ParamByName(QStringLiteral("data"))->Value = QDate(year, month, day);
    dt.Open();
    QStringList batch;
    for (dt.First(); !dt.Eof(); dt.Next()) {
      batch << rowStatements(dt, day, inserted);
      if (progress) progress(day, days);
    }
    dt.Close();
    if (!batch.isEmpty()) {
      DataModule6->H_Tabel_ins->SetCommandText(batch.join(QStringLiteral(";\n")));
      DataModule6->H_Tabel_ins->Execute();
    }
  }
  unit.Commit();
}

}  // namespace

void RebuildShiftRows(int month, int year, const Progress& progress) {
  using Key = std::tuple<qlonglong, int>;
  RebuildMonth<Key>(
      month, year, QStringLiteral("delete from accounts_dep.h_tabel where smena>0 and month=%1 and year=%2"),
      QStringLiteral(" select smena, w_id, sum(time) as tim from accounts_dep.smena where data=:data group by smena,w_id;"),
      progress, [month, year](platform::TADOQuery& dt, int day, std::set<Key>& inserted) {
        const qlonglong w_id = dt.FieldByName(QStringLiteral("w_id")).AsLargeInt();
        const int shift = dt.FieldByName(QStringLiteral("smena")).AsInteger();
        const qlonglong hours = dt.FieldByName(QStringLiteral("tim")).AsLargeInt();
        const Key key{w_id, shift};
        if (inserted.count(key))
          return QStringLiteral("update accounts_dep.h_tabel set d%1='%2' where w_id=%3 and smena=%4 and month=%5 and year=%6")
              .arg(N(day), N(hours), N(w_id), N(shift), N(month), N(year));
        inserted.insert(key);
        return QStringLiteral("insert into accounts_dep.h_tabel(smena, w_id, month, year, d%1) values(%2, %3, %4, %5, %6)")
            .arg(N(day), N(shift), N(w_id), N(month), N(year), N(hours));
      });
}

void RebuildTypeRows(int month, int year, const Progress& progress) {
  using Key = std::tuple<qlonglong, qlonglong, int, qlonglong>;
  RebuildMonth<Key>(
      month, year, QStringLiteral("delete from accounts_dep.h_tabel where smena=0 and month=%1 and year=%2"),
      QStringLiteral(" select f.id_p, f.id_o, f.i_night, sum(f.cnt) as tim, f.id_nom from accounts_dep.fatigue f "
                     "where f.d_date =:data group by f.id_p, f.id_o, f.i_night, f.id_nom order by id_p;"),
      progress, [month, year](platform::TADOQuery& dt, int day, std::set<Key>& inserted) {
        const qlonglong w_id = dt.FieldByName(QStringLiteral("id_p")).AsLargeInt();
        const qlonglong type = dt.FieldByName(QStringLiteral("id_o")).AsLargeInt();
        const int night = dt.FieldByName(QStringLiteral("i_night")).AsInteger();
        const qlonglong id_nom = dt.FieldByName(QStringLiteral("id_nom")).AsLargeInt();
        const qlonglong hours = dt.FieldByName(QStringLiteral("tim")).AsLargeInt();
        const Key key{w_id, type, night, id_nom};
        if (inserted.count(key))
          return QStringLiteral("update accounts_dep.h_tabel set d%1=%2 where w_id=%3 and i_type=%4 and i_night=%5 and "
                                "month=%6 and year=%7 and id_nom=%8")
              .arg(N(day), N(hours), N(w_id), N(type), N(night), N(month), N(year), N(id_nom));
        inserted.insert(key);
        return QStringLiteral("insert into accounts_dep.h_tabel(i_type, w_id, i_night, month, year, d%1, id_nom) "
                              "values(%2, %3, %4, %5, %6, %7,%8)")
            .arg(N(day), N(type), N(w_id), N(night), N(month), N(year), N(hours), N(id_nom));
      });
}

QString YearsStatement() { return QStringLiteral("select distinct ht.year from accounts_dep.h_tabel ht order by year"); }

}  // namespace hoursgrid
