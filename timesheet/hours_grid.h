#pragma once
// Upkeep of the monthly hours grid accounts_dep.h_tabel: after a journal position
// (shift rows) or an hours row (type rows) is saved or deleted, the one day cell it
// belongs to is recomputed from its source. Every writer of those rows calls here.
#include <QDate>
#include <functional>

namespace hoursgrid {

// Key of a type row: worker, operation type (7777 or 7778), night flag, nomenclature group.
struct TypeKey {
  qlonglong w_id = 0;
  int type = 0;
  int night = 0;
  qlonglong id_nom = 0;
};

// After a position was inserted or changed: the worker's hours of that shift and day
// into the day cell of his shift row, inserting the row when the month has none yet.
void ShiftCellSave(qlonglong w_id, int shift, const QDate& date);

// After a position was deleted: the hours that remain into the day cell (0 when none);
// a worker without a row for that shift and month is left without one.
void ShiftCellDelete(qlonglong w_id, int shift, const QDate& date);

// The same two for the type rows, summed over the hours rows of the whole key.
void TypeCellSave(const TypeKey& key, const QDate& date);
void TypeCellDelete(const TypeKey& key, const QDate& date);

// Progress of a month rebuild: the day being rebuilt and the number of days of the month;
// called once before the first day and once per source row.
using Progress = std::function<void(int day, int daysInMonth)>;

// Month rebuilds: throw away one family of rows of the month and derive it again day by
// day from its source (shift rows from the journal, type rows from the hours table).
// Each runs as one unit of work: a failure leaves the month exactly as it was.
// The other family's rows are left alone.
void RebuildShiftRows(int month, int year, const Progress& progress = {});
void RebuildTypeRows(int month, int year, const Progress& progress = {});

// Years that have grid rows, for the year lists of the timesheets.
QString YearsStatement();

}  // namespace hoursgrid
