#pragma once
// TDBEditGrid: an editable table over an updatable query (one with an update table and a
// key). Cells are typed in place; the changes of one row are kept as that row's pending
// change and written through the query (Edit or Insert, SetFieldValue, Post) when the
// user leaves the row, presses Enter in a cell, or the window calls Post(). An extra empty
// line at the end takes a new row: typing into it starts the row, leaving it inserts it.
// Typed values are checked against their column before they are taken; a refused value
// is named in an error box and never reaches the database.
#include <QAbstractTableModel>
#include <QMap>
#include <QPointer>
#include <QTableView>
#include <functional>

#include "platform/dataset.h"

namespace platform {

struct TEditColumn {
  enum class Kind { Integer, Decimal };
  QString field;
  QString title;
  int width = 80;
  Kind kind = Kind::Integer;
  // Places shown for a decimal: always minDecimals, at most maxDecimals ("#0.00#" is 2, 3).
  int minDecimals = 0;
  int maxDecimals = 4;
  // The error shown when a typed value does not fit the column.
  QString invalidText;
  // A new row is written only once this column has been given; else missingText is shown.
  bool requiredForNew = false;
  QString missingText;
};

// A number with at least minDecimals and at most maxDecimals places and a decimal comma.
QString FormatNumber(double value, int minDecimals, int maxDecimals);

// Reads a typed cell: an Integer is a whole number from 0 that fits a 32-bit integer; a
// Decimal is a number from 0 with a point or a comma. Blanks around it are ignored.
// Returns false for anything else, an empty text included.
bool ParseCellText(TEditColumn::Kind kind, const QString& text, QVariant* value);

class TDBEditGrid;

class TEditGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TEditGridModel(TDBEditGrid* grid);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Enter in a cell editor: the row's change is written.
  bool submit() override;

  void Reset();

 private:
  TDBEditGrid* grid_;
};

class TDBEditGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TDBEditGrid(QWidget* parent = nullptr);

  void SetDataSet(TADOQuery* dataset, const QString& keyField);
  TADOQuery* DataSet() const { return dataset_; }
  QString KeyField() const { return keyField_; }
  void SetColumns(const QVector<TEditColumn>& columns);
  const QVector<TEditColumn>& Columns() const { return columns_; }
  int ColumnOf(const QString& field) const;  // -1 when absent

  // The extra line for a new row (the row after the last record), and whether a row is it.
  int NewRow() const;
  bool IsNewRow(int row) const { return row >= 0 && row == NewRow(); }
  // The row of the current cell (0-based), -1 when none.
  int CurrentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
  // Puts the current cell on a row (the extra line included), keeping the column.
  void SetCurrentRow(int row);

  // What the user sees in a cell, and typing a text into it (checked, then kept as the
  // row's pending change; a pending change of another row is written first).
  QString CellText(int row, const QString& field) const;
  bool SetCellText(int row, const QString& field, const QString& text);

  bool HasPending() const { return pending_.active; }
  bool PendingIsNew() const { return pending_.active && pending_.isNew; }
  // Writes the pending change and re-reads the query; false (after the message) when a new
  // row misses a required value, which then stays pending.
  bool Post();
  // Drops the pending change.
  void CancelPending();

  // A row starts being changed: isNew for the extra line.
  std::function<void(bool isNew)> OnEditStart;
  // The row is in insert or edit state with the typed values set; add further fields here.
  std::function<void(bool isNew)> OnBeforePost;

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  friend class TEditGridModel;
  struct Pending {
    bool active = false;
    bool isNew = false;
    QVariant key;                    // of the record being changed
    QMap<QString, QVariant> values;  // field -> typed value
  };
  // The record key of a row, invalid for the extra line or a row out of range.
  QVariant KeyOfRow(int row) const;
  int RowOfKey(const QVariant& key) const;
  QVector<QVariant> Keys() const;  // of the records, in their order
  bool PendingBelongsTo(int row) const;
  // The value a cell shows: the pending value over the record's own.
  QVariant CellValue(int row, int column) const;
  QString Display(const QVariant& value, const TEditColumn& column) const;
  bool TypeInto(int row, int column, const QString& text);
  void FollowDataSet();
  // After a write: back onto the record with this key (the extra line when invalid).
  void Reposition(const QVariant& key, bool newLine, int column);

  TEditGridModel* model_;
  QPointer<TADOQuery> dataset_;
  QString keyField_;
  QVector<TEditColumn> columns_;
  Pending pending_;
  bool busy_ = false;  // writing or showing a refusal: re-entrant commits are ignored
  bool inCurrentChanged_ = false;  // the view is moving its current cell
  bool following_ = false;         // the current cell follows re-read rows; nothing is written
  bool quietReset_ = false;        // rows are being read again after a write
};

}  // namespace platform
