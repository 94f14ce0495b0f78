#include "timesheet/hours_grid.h"

#include <algorithm>
#include <map>
#include <vector>
#include <QStringList>

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

// A family of grid rows as a rebuild sees it: how the month is cleared, the hours of one
// day from the source (query parameter :data), the fields of those rows that make the
// key, and the grid columns they go into.
struct Family {
  QString clear;
  QString daySource;
  QStringList keyFields;
  QStringList gridColumns;
};

// The month is read day by day from the source (one query per day, as the progress bar
// shows it), and each row of the month is written once, with all its days, when the
// month has been read: a key gets its row on the first day it has hours, days without
// hours stay NULL. Rows go to the server a few hundred at a time.
void RebuildMonth(const Family& f, int month, int year, const Progress& progress) {
  const int days = QDate(year, month, 1).daysInMonth();
  platform::TTransaction unit;
  DataModule6->DelSmena->SetCommandText(f.clear.arg(month).arg(year));
  DataModule6->DelSmena->Execute();
  if (progress) progress(1, days);
  platform::TADOQuery dt(nullptr, f.daySource);
  // Key text -> hours of days 1..31 ("NULL" where none), in the order keys first appear.
  std::map<QString, int> index;
  std::vector<std::pair<QString, QStringList>> rows;
  for (int day = 1; day <= days; ++day) {
    dt.ParamByName(QStringLiteral("data"))->Value = QDate(year, month, day);
    dt.Open();
    for (dt.First(); !dt.Eof(); dt.Next()) {
      QStringList key;
      for (const QString& field : f.keyFields) key << N(dt.FieldByName(field).AsLargeInt());
      const QString k = key.join(QStringLiteral(", "));
      auto [it, isNew] = index.emplace(k, int(rows.size()));
      if (isNew) rows.emplace_back(k, QStringList(31, QStringLiteral("NULL")));
      rows[it->second].second[day - 1] = N(dt.FieldByName(QStringLiteral("tim")).AsLargeInt());
      if (progress) progress(day, days);
    }
    dt.Close();
  }
  QStringList dayColumns;
  for (int d = 1; d <= 31; ++d) dayColumns << QStringLiteral("d%1").arg(d);
  const QString insert = QStringLiteral("insert into accounts_dep.h_tabel(%1, month, year, %2) values ")
                             .arg(f.gridColumns.join(QStringLiteral(", ")), dayColumns.join(QStringLiteral(", ")));
  constexpr size_t kRowsPerStatement = 500;
  for (size_t from = 0; from < rows.size(); from += kRowsPerStatement) {
    QStringList values;
    for (size_t i = from; i < std::min(rows.size(), from + kRowsPerStatement); ++i)
      values << QStringLiteral("(%1, %2, %3, %4)")
                    .arg(rows[i].first, N(month), N(year), rows[i].second.join(QStringLiteral(", ")));
    DataModule6->H_Tabel_ins->SetCommandText(insert + values.join(QStringLiteral(", ")));
    DataModule6->H_Tabel_ins->Execute();
  }
  unit.Commit();
}

}  // namespace

void RebuildShiftRows(int month, int year, const Progress& progress) {
  RebuildMonth({QStringLiteral("delete from accounts_dep.h_tabel where smena>0 and month=%1 and year=%2"),
                QStringLiteral(" select smena, w_id, sum(time) as tim from accounts_dep.smena where data=:data "
                               "group by smena,w_id;"),
                {QStringLiteral("w_id"), QStringLiteral("smena")},
                {QStringLiteral("w_id"), QStringLiteral("smena")}},
               month, year, progress);
}

void RebuildTypeRows(int month, int year, const Progress& progress) {
  RebuildMonth({QStringLiteral("delete from accounts_dep.h_tabel where smena=0 and month=%1 and year=%2"),
                QStringLiteral(" select f.id_p, f.id_o, f.i_night, sum(f.cnt) as tim, f.id_nom from accounts_dep.fatigue f "
                               "where f.d_date =:data group by f.id_p, f.id_o, f.i_night, f.id_nom order by id_p;"),
                {QStringLiteral("id_p"), QStringLiteral("id_o"), QStringLiteral("i_night"), QStringLiteral("id_nom")},
                {QStringLiteral("w_id"), QStringLiteral("i_type"), QStringLiteral("i_night"), QStringLiteral("id_nom")}},
               month, year, progress);
}

QString YearsStatement() { return QStringLiteral("select distinct ht.year from accounts_dep.h_tabel ht order by year"); }

}  // namespace hoursgrid
