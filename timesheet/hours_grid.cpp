#include "timesheet/hours_grid.h"

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

}  // namespace hoursgrid
