#pragma once
// TDBGrid: a read-only table view over a query. Columns are given by field with a
// title, width, alignment and visibility; a drawing hook colours single cells; the
// current row follows the query's record number and moves it when the user clicks.
#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QTableView>
#include <functional>

#include "platform/dataset.h"

namespace platform {

struct TColumn {
  QString field;
  QString title;
  int width = 80;
  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
  bool visible = true;
  int decimals = -1;  // fixed places for numbers; -1 shows up to 4, without trailing zeros
};

struct TCellStyle {
  QColor background;
  QColor foreground;
  bool bold = false;
};

// A column title cell of the grids: the title centred in bold.
QVariant HeaderCell(const QString& title, int role);

// Text of a value as the grids show it: dates DD.MM.YYYY, numbers with a decimal comma.
QString DisplayText(const QVariant& value, int decimals = -1);

class TDataSetModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TDataSetModel(QObject* parent = nullptr);
  void SetDataSet(TADOQuery* dataset);
  TADOQuery* DataSet() const { return dataset_; }
  void SetColumns(const QVector<TColumn>& columns);
  const QVector<TColumn>& Columns() const { return columns_; }
  std::function<void(const QString& field, int recNo, TCellStyle& style)> OnDrawColumnCell;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void Reset();
  QPointer<TADOQuery> dataset_;
  QVector<TColumn> columns_;
  QMetaObject::Connection resetConn_;
};

class TDBGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TDBGrid(QWidget* parent = nullptr);

  void SetDataSet(TADOQuery* dataset);
  TADOQuery* DataSet() const { return model_->DataSet(); }
  void SetColumns(const QVector<TColumn>& columns);
  const QVector<TColumn>& Columns() const { return model_->Columns(); }
  // Hides or shows the column of a field.
  void SetColumnVisible(const QString& field, bool visible);
  void SetColumnWidth(const QString& field, int width);
  void SetOnDrawColumnCell(std::function<void(const QString&, int, TCellStyle&)> hook);

  // Text shown in a cell (0-based visible row), for tests and exports.
  QString CellText(int row, const QString& field) const;
  TCellStyle CellStyle(int row, const QString& field) const;

 signals:
  void DblClick();

 private:
  void ApplyColumnLayout();
  void FollowDataSet(int recNo);
  TDataSetModel* model_;
  QMetaObject::Connection recConn_;
  QMetaObject::Connection layoutConn_;
};

}  // namespace platform
