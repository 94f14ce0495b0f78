#pragma once
// SQL texts shared by several windows: the statements of the data module's queries
// and commands. Kept here once so every window runs the same text.
#include <QString>

namespace sqltext {

// Journal of one shift of one date (parameters :data, :ok); shift 1..4.
QString JournalQuery(int shift);

QString Workers();
QString Izdel();
QString Vid_oper();
// The price list: one row per priced operation with its number of norms and lowest norm price.
QString Oper();

// Month grid of one shift (1..3) with totals; parameters :mnth, :yea, :date1, :date2.
QString H_Tabel(int shift);
// "coalesce(d1,0)+...+coalesce(d31,0)"
QString DaysSum();

QString w_Report();
QString i_Report();

QString Oper_ins();
QString Oper_ed();
QString Oper_del();

// Acceptance mark of one position (parameters :ok, :id).
QString updtOK();

}  // namespace sqltext
