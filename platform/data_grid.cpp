#include "platform/data_grid.h"

#include "platform/number_text.h"

#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QHeaderView>

namespace platform {

QString DisplayText(const QVariant& v, int decimals) {
  if (v.isNull()) return {};
  switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    case QMetaType::Double: case QMetaType::Float: {
      return decimals >= 0 ? FixedText(v.toDouble(), decimals, decimals, QLatin1Char(','))
                           : FixedText(v.toDouble(), 0, 4, QLatin1Char(','));
    }
    default:
      return v.toString().trimmed();
  }
}

// ---- model ----

TDataSetModel::TDataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDataSetModel::SetDataSet(TADOQuery* dataset) {
  beginResetModel();
  disconnect(resetConn_);
  dataset_ = dataset;
  if (dataset_) resetConn_ = connect(dataset_, &TADOQuery::layoutReset, this, &TDataSetModel::Reset);
  endResetModel();
}

void TDataSetModel::SetColumns(const QVector<TColumn>& columns) {
  beginResetModel();
  columns_ = columns;
  endResetModel();
}

void TDataSetModel::Reset() {
  beginResetModel();
  endResetModel();
}

int TDataSetModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !dataset_ || !dataset_->Active()) return 0;
  return dataset_->RecordCount();
}

int TDataSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_.size(); }

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !dataset_ || index.column() >= columns_.size()) return {};
  const TColumn& col = columns_[index.column()];
  switch (role) {
    case Qt::DisplayRole:
      return DisplayText(dataset_->ValueAt(index.row(), dataset_->FieldIndex(col.field)), col.decimals);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(col.alignment);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::FontRole: {
      if (!OnDrawColumnCell) return {};
      TCellStyle style;
      OnDrawColumnCell(col.field, index.row() + 1, style);
      if (role == Qt::BackgroundRole) return style.background.isValid() ? QVariant(style.background) : QVariant();
      if (role == Qt::ForegroundRole) return style.foreground.isValid() ? QVariant(style.foreground) : QVariant();
      if (!style.bold) return {};
      QFont f;
      f.setBold(true);
      return f;
    }
    default:
      return {};
  }
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size()) return {};
  return HeaderCell(columns_[section].title, role);
}

QVariant HeaderCell(const QString& title, int role) {
  if (role == Qt::DisplayRole) return title;
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
  if (role == Qt::FontRole) {
    QFont f;
    f.setBold(true);
    return f;
  }
  return {};
}

// ---- view ----

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), model_(new TDataSetModel(this)) {
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAlternatingRowColors(true);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setFixedWidth(14);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  setWordWrap(false);
  connect(this, &QTableView::doubleClicked, this, [this] { emit DblClick(); });
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    ApplyColumnLayout();
    if (DataSet()) FollowDataSet(DataSet()->RecNo());
  });
}

void TDBGrid::SetDataSet(TADOQuery* dataset) {
  disconnect(recConn_);
  model_->SetDataSet(dataset);
  if (dataset) {
    recConn_ = connect(dataset, &TADOQuery::recNoChanged, this, &TDBGrid::FollowDataSet);
    FollowDataSet(dataset->RecNo());
  }
  // The view moves the query when the user picks another row.
  disconnect(layoutConn_);
  layoutConn_ = connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                        [this](const QModelIndex& current) {
                          if (DataSet() && current.isValid() && DataSet()->RecNo() != current.row() + 1)
                            DataSet()->SetRecNo(current.row() + 1);
                        });
}

void TDBGrid::FollowDataSet(int recNo) {
  if (recNo <= 0) {
    clearSelection();
    return;
  }
  const QModelIndex idx = model_->index(recNo - 1, qMax(0, currentIndex().column()));
  if (idx.isValid() && currentIndex().row() != idx.row()) {
    setCurrentIndex(idx);
    scrollTo(idx);
  } else if (idx.isValid() && !selectionModel()->isRowSelected(idx.row(), {})) {
    selectRow(idx.row());
  }
}

void TDBGrid::SetColumns(const QVector<TColumn>& columns) {
  model_->SetColumns(columns);
  ApplyColumnLayout();
}

void TDBGrid::ApplyColumnLayout() {
  const auto& cols = model_->Columns();
  for (int i = 0; i < cols.size(); ++i) {
    setColumnHidden(i, !cols[i].visible);
    setColumnWidth(i, cols[i].width);
  }
}

void TDBGrid::SetColumnVisible(const QString& field, bool visible) {
  QVector<TColumn> cols = model_->Columns();
  for (TColumn& c : cols)
    if (c.field.compare(field, Qt::CaseInsensitive) == 0) c.visible = visible;
  SetColumns(cols);
}

void TDBGrid::SetColumnWidth(const QString& field, int width) {
  QVector<TColumn> cols = model_->Columns();
  for (TColumn& c : cols)
    if (c.field.compare(field, Qt::CaseInsensitive) == 0) c.width = width;
  SetColumns(cols);
}

void TDBGrid::SetOnDrawColumnCell(std::function<void(const QString&, int, TCellStyle&)> hook) {
  model_->OnDrawColumnCell = std::move(hook);
}

QString TDBGrid::CellText(int row, const QString& field) const {
  const auto& cols = model_->Columns();
  for (int i = 0; i < cols.size(); ++i)
    if (cols[i].field.compare(field, Qt::CaseInsensitive) == 0)
      return model_->data(model_->index(row, i), Qt::DisplayRole).toString();
  return {};
}

TCellStyle TDBGrid::CellStyle(int row, const QString& field) const {
  TCellStyle style;
  if (model_->OnDrawColumnCell) model_->OnDrawColumnCell(field, row + 1, style);
  return style;
}

}  // namespace platform
