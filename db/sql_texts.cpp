#include "db/sql_texts.h"

#include <QStringList>

namespace sqltext {

namespace {

const char* kKindText = "(SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' ELSE 'Заготовки' END)) as nmn";

}  // namespace

QString JournalQuery(int shift) {
  if (shift != 2 && shift != 3 && shift != 4) {
    return QStringLiteral(
               "select smena.id, smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id, smena.cena,"
               "person.s_caption fio, izdel.marka, vid_oper.vid, %1, oper.naimen,  smena.brak, "
               "smena.kol_vo::numeric, round((kol_vo-brak)*smena.cena::numeric, 2) as summa, smena.prize, "
               "color,time, smena.ok, vvod, smena.id_doc, smena.id_doc_item, smena.f_gds_qty_use, "
               "smena.id_gds_use, smena.id_cons_use from cmn_contractor.person person, accounts_dep.izdel,"
               "accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper where smena.i_id=izdel.id and "
               "smena.o_id=oper.id and (w_id=person.id or s_code::t_id=w_id) and oper.vid=vid_oper.id and "
               "smena.smena=1 and smena.data=:data and ok!=:ok order by fio, izdel.marka, vid_oper.vid, "
               "oper.naimen, color")
        .arg(QString::fromUtf8(kKindText));
  }
  return QStringLiteral(
             "select smena.data, smena.smena, smena.i_id, smena.o_id, smena.w_id, smena.cena, s_caption fio, "
             "izdel.marka, vid_oper.vid, %1, oper.naimen, smena.kol_vo::numeric, smena.brak, "
             "round((kol_vo-brak)*smena.cena::numeric, 2) as summa, smena.prize, smena.id, color,time,"
             "smena.ok,vvod, smena.id_doc, smena.id_doc_item, smena.f_gds_qty_use, smena.id_gds_use, "
             "smena.id_cons_use from cmn_contractor.person person,accounts_dep.izdel,accounts_dep.oper,"
             "accounts_dep.smena,accounts_dep.vid_oper where smena.i_id=izdel.id and smena.o_id=oper.id and "
             "(w_id=person.id or s_code::t_id=w_id) and oper.vid=vid_oper.id and smena.smena=%2 and "
             "smena.data=:data and ok<>:ok order by fio")
      .arg(QString::fromUtf8(kKindText))
      .arg(shift);
}

QString Workers() { return QStringLiteral("select * from accounts_dep.person order by fio"); }

QString Izdel() { return QStringLiteral("select *  from accounts_dep.IZDEL order by marka"); }

QString Vid_oper() { return QStringLiteral("select * from accounts_dep.VID_OPER order by vid"); }

QString Oper() {
  return QStringLiteral(
             "select izdel.MARKA, vid_oper.VID, oper.NAIMEN, i.s_caption  , %1, count(o_id) norma, "
             "min(price)::numeric cena, oper.id, oper.i_id, oper.VID as oper_vid from accounts_dep.norm,"
             "accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER, cmn_classifier.item i where "
             "OPER.i_id=IZDEL.id and norm.o_id=oper.id and oper.vid=vid_oper.id and i.id =izdel.id_class_item "
             "group by izdel.MARKA, vid_oper.VID, oper.NAIMEN, oper.id, oper.i_id, oper.VID, i.s_caption   "
             "order by izdel.marka, vid_oper.vid, oper.naimen")
      .arg(QString::fromUtf8(kKindText));
}

QString DaysSum() {
  QStringList terms;
  for (int d = 1; d <= 31; ++d) terms << QStringLiteral("coalesce(d%1,0)").arg(d);
  return terms.join(QLatin1Char('+'));
}

QString H_Tabel(int shift) {
  const QString days = DaysSum();
  return QStringLiteral(
             "select person.s_caption fio, (%1) as summ, case when (%1)=0 then 0 else "
             "(sum(s.cena*(kol_vo-brak))/(%1)) end ::numeric(10,2) as average_price, "
             "sum(s.cena*(kol_vo-brak))::numeric(10,2) as cena_all, h_tabel.* from accounts_dep.h_tabel, "
             "cmn_contractor.person, accounts_dep.smena s where h_tabel.w_id=person.s_code::integer and "
             "h_tabel.smena=%2 and month=:mnth and s.w_id = h_tabel.w_id and h_tabel.year=:yea and "
             "s.data >=:date1 and s.data <:date2 group by person.s_caption,h_tabel.w_id,h_tabel.month,"
             "h_tabel.year,h_tabel.smena,h_tabel.id order by fio")
      .arg(days)
      .arg(shift);
}

QString w_Report() {
  return QStringLiteral(
      "select workers.fio, izdel.marka, vid_oper.vid, oper.naimen, sum(smena.kol_vo) as kolvo, "
      "sum(smena.brak) as brk, sum((kol_vo-brak)*smena.cena) as summa from accounts_dep.workers,"
      "accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,accounts_dep.vid_oper where "
      "smena.o_id=oper.id and smena.w_id=workers.id and smena.i_id=izdel.id and smena.o_id=oper.id and "
      "w_id=workers.id and oper.vid=vid_oper.id and smena.data<:data2 and smena.data>=:data1 group by fio, "
      "marka, vid_oper.vid, oper.naimen order by fio");
}

QString i_Report() {
  return QStringLiteral(
      "select izdel.marka, vid_oper.vid, oper.naimen, sum(smena.kol_vo) as kolvo, sum(smena.brak) as brk, "
      "sum((kol_vo-brak)*smena.cena) as summa from accounts_dep.izdel,accounts_dep.oper,accounts_dep.smena,"
      "accounts_dep.vid_oper where smena.o_id=oper.id and smena.i_id=izdel.id and smena.o_id=oper.id and "
      "oper.vid=vid_oper.id and smena.data<:data2 and smena.data>=:data1 group by marka, vid_oper.vid, "
      "oper.naimen, brak order by marka");
}

QString Oper_ins() {
  return QStringLiteral(
      "insert into accounts_dep.oper(vid, naimen, i_id, cena_new) values (:oper_vid, :naimen, :i_id, :cena_new)");
}

QString Oper_ed() {
  return QStringLiteral(
      "update accounts_dep.oper set vid=:oper_vid, naimen=:naimen,  i_id=:i_id where id=:id");
}

QString Oper_del() { return QStringLiteral("delete from accounts_dep.oper where id=:id"); }

QString updtOK() { return QStringLiteral("update accounts_dep.smena set ok=:ok where id=:id"); }

}  // namespace sqltext
