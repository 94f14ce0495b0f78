#include "platform/edit_grid.h"

#include "platform/data_grid.h"
#include "platform/number_text.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTimer>
#include <cmath>

#include "platform/app_seams.h"
#include "platform/dialogs.h"

namespace platform {

namespace {

const QString kErrorCaption = QStringLiteral("Ошибка");

// The cell editor: Enter commits the cell and stops there, so it does not also press the
// window's default button.
class CellEditor : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) event->accept();
  }
};

// Editors that take only what the column can hold while typing; the model checks the
// committed text again (a value can still be out of range or empty).
class EditGridDelegate : public QStyledItemDelegate {
 public:
  EditGridDelegate(TDBEditGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* editor = new CellEditor(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const bool decimal = index.column() < grid_->Columns().size() &&
                         grid_->Columns()[index.column()].kind == TEditColumn::Kind::Decimal;
    const QRegularExpression allowed(decimal ? QStringLiteral("\\s*\\d*[.,]?\\d*\\s*")
                                             : QStringLiteral("\\s*\\d{0,10}\\s*"));
    editor->setValidator(new QRegularExpressionValidator(allowed, editor));
    return editor;
  }
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
  }
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
  }

 private:
  TDBEditGrid* grid_;
};

// Sets a flag for the lifetime of a scope.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = old_; }

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

QString FormatNumber(double value, int minDecimals, int maxDecimals) {
  return FixedText(value, minDecimals, maxDecimals, QLatin1Char(','));
}

bool ParseCellText(TEditColumn::Kind kind, const QString& text, QVariant* value) {
  const QString t = text.trimmed();
  if (kind == TEditColumn::Kind::Integer) {
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    if (!digits.match(t).hasMatch()) return false;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (!ok) return false;
    *value = v;
    return true;
  }
  static const QRegularExpression number(QStringLiteral("^(\\d+([.,]\\d*)?|[.,]\\d+)$"));
  if (!number.match(t).hasMatch()) return false;
  bool ok = false;
  const double v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
  if (!ok || !std::isfinite(v)) return false;
  *value = v;
  return true;
}

// ---- model ----

TEditGridModel::TEditGridModel(TDBEditGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

void TEditGridModel::Reset() {
  if (grid_->quietReset_) return;
  beginResetModel();
  endResetModel();
}

int TEditGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !grid_->dataset_ || !grid_->dataset_->Active()) return 0;
  return grid_->dataset_->RecordCount() + 1;  // the records and the line for a new one
}

int TEditGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_->columns_.size();
}

QVariant TEditGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return grid_->Display(grid_->CellValue(index.row(), index.column()), grid_->columns_[index.column()]);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    default:
      return {};
  }
}

bool TEditGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
    return false;
  bool taken = false;
  RunGuarded([&] { taken = grid_->TypeInto(index.row(), index.column(), value.toString()); });
  return taken;
}

Qt::ItemFlags TEditGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= rowCount()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant TEditGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    // The line for a new row is marked with an asterisk.
    if (role == Qt::DisplayRole) return grid_->IsNewRow(section) ? QStringLiteral("*") : QString();
    return {};
  }
  if (section < 0 || section >= grid_->columns_.size()) return {};
  return HeaderCell(grid_->columns_[section].title, role);
}

bool TEditGridModel::submit() {
  // Enter in a cell writes a changed record at once; a new row waits until the user
  // leaves its line, so that it is not inserted half typed. A change of row is handled
  // by the grid itself.
  if (grid_->inCurrentChanged_ || !grid_->pending_.active || grid_->pending_.isNew) return true;
  bool posted = false;
  RunGuarded([&] { posted = grid_->Post(); });
  return posted;
}

// ---- view ----

TDBEditGrid::TDBEditGrid(QWidget* parent) : QTableView(parent), model_(new TEditGridModel(this)) {
  setModel(model_);
  setItemDelegate(new EditGridDelegate(this));
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setAlternatingRowColors(true);
  setWordWrap(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumWidth(16);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(true);
  connect(model_, &QAbstractItemModel::modelReset, this, &TDBEditGrid::FollowDataSet);
}

void TDBEditGrid::SetDataSet(TADOQuery* dataset, const QString& keyField) {
  if (dataset_) disconnect(dataset_, nullptr, model_, nullptr);
  pending_ = {};
  dataset_ = dataset;
  keyField_ = keyField;
  if (dataset_) connect(dataset_, &TADOQuery::layoutReset, model_, &TEditGridModel::Reset);
  model_->Reset();
}

void TDBEditGrid::SetColumns(const QVector<TEditColumn>& columns) {
  columns_ = columns;
  model_->Reset();
  for (int i = 0; i < columns_.size(); ++i) setColumnWidth(i, columns_[i].width);
}

int TDBEditGrid::ColumnOf(const QString& field) const {
  for (int i = 0; i < columns_.size(); ++i)
    if (columns_[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

int TDBEditGrid::NewRow() const { return dataset_ && dataset_->Active() ? dataset_->RecordCount() : -1; }

void TDBEditGrid::SetCurrentRow(int row) {
  setCurrentIndex(model_->index(row, qMax(0, currentIndex().column())));
}

QVariant TDBEditGrid::KeyOfRow(int row) const {
  if (!dataset_ || !dataset_->Active() || row < 0 || row >= dataset_->RecordCount()) return {};
  return dataset_->ValueAt(row, dataset_->FieldIndex(keyField_));
}

QVector<QVariant> TDBEditGrid::Keys() const {
  QVector<QVariant> keys;
  if (!dataset_ || !dataset_->Active()) return keys;
  const int c = dataset_->FieldIndex(keyField_);
  for (int r = 0; r < dataset_->RecordCount(); ++r) keys << dataset_->ValueAt(r, c);
  return keys;
}

int TDBEditGrid::RowOfKey(const QVariant& key) const {
  if (!dataset_ || !dataset_->Active() || !key.isValid()) return -1;
  const int c = dataset_->FieldIndex(keyField_);
  for (int r = 0; r < dataset_->RecordCount(); ++r)
    if (dataset_->ValueAt(r, c) == key) return r;
  return -1;
}

bool TDBEditGrid::PendingBelongsTo(int row) const {
  if (!pending_.active) return false;
  if (pending_.isNew) return IsNewRow(row);
  return !IsNewRow(row) && KeyOfRow(row) == pending_.key;
}

QVariant TDBEditGrid::CellValue(int row, int column) const {
  const QString& field = columns_[column].field;
  if (PendingBelongsTo(row) && pending_.values.contains(field)) return pending_.values.value(field);
  if (!dataset_ || row < 0 || row >= dataset_->RecordCount()) return {};
  return dataset_->ValueAt(row, dataset_->FieldIndex(field));
}

QString TDBEditGrid::Display(const QVariant& value, const TEditColumn& column) const {
  if (!value.isValid() || value.isNull()) return {};
  if (column.kind == TEditColumn::Kind::Integer) return QString::number(value.toLongLong());
  return FormatNumber(value.toDouble(), column.minDecimals, column.maxDecimals);
}

QString TDBEditGrid::CellText(int row, const QString& field) const {
  const int c = ColumnOf(field);
  if (c < 0 || row < 0 || row >= model_->rowCount()) return {};
  return Display(CellValue(row, c), columns_[c]);
}

bool TDBEditGrid::SetCellText(int row, const QString& field, const QString& text) {
  const int c = ColumnOf(field);
  if (c < 0 || row < 0 || row >= model_->rowCount()) return false;
  return TypeInto(row, c, text);
}

bool TDBEditGrid::TypeInto(int row, int column, const QString& text) {
  // A commit that arrives while a row is being written, or while a refusal is on screen
  // (the editor losing its focus to the message box), is not a new edit.
  if (busy_ || !dataset_ || !dataset_->Active()) return false;
  const TEditColumn& col = columns_[column];
  if (text.trimmed() == Display(CellValue(row, column), col)) return true;  // nothing changed

  QVariant value;
  if (!ParseCellText(col.kind, text, &value)) {
    FlagGuard refusing(busy_);
    MessageDlg(col.invalidText, kErrorCaption, MsgIcon::Error, mbOK);
    return false;
  }
  const bool isNew = IsNewRow(row);
  const QVariant key = KeyOfRow(row);
  if (pending_.active && !PendingBelongsTo(row)) {
    // One row is changed at a time: the other row's change is written first.
    if (!Post()) return false;
    row = isNew ? NewRow() : RowOfKey(key);
    if (row < 0) return false;
  }
  if (!pending_.active) {
    pending_.active = true;
    pending_.isNew = isNew;
    pending_.key = key;
    pending_.values.clear();
    if (OnEditStart) OnEditStart(isNew);
  }
  pending_.values.insert(col.field, value);
  emit model_->dataChanged(model_->index(row, 0), model_->index(row, columns_.size() - 1));
  return true;
}

bool TDBEditGrid::Post() {
  if (!pending_.active || !dataset_ || !dataset_->Active()) {
    pending_ = {};
    return true;
  }
  FlagGuard writing(busy_);
  const Pending p = pending_;
  // Where the user is: found again by its key once the rows are read again.
  const int currentRow = CurrentRow();
  const bool currentNew = IsNewRow(currentRow);
  const QVariant currentKey = KeyOfRow(currentRow);
  const int currentColumn = qMax(0, currentIndex().column());
  if (p.isNew) {
    for (const TEditColumn& c : columns_) {
      if (c.requiredForNew && !p.values.contains(c.field)) {
        MessageDlg(c.missingText, kErrorCaption, MsgIcon::Error, mbOK);
        return false;
      }
    }
  }
  TADOQuery* ds = dataset_;
  if (p.isNew) {
    ds->Insert();
  } else {
    if (!ds->Locate(keyField_, p.key)) {  // the record is gone
      pending_ = {};
      return true;
    }
    ds->Edit();
  }
  try {
    for (auto it = p.values.cbegin(); it != p.values.cend(); ++it) ds->SetFieldValue(it.key(), it.value());
    if (OnBeforePost) OnBeforePost(p.isNew);
    ds->Post();
  } catch (...) {
    ds->Cancel();
    throw;
  }
  pending_ = {};
  // Read again. When the same records come back in the same order only their values are
  // renewed, so the view keeps its current cell and a click in progress is not lost.
  const QVector<QVariant> before = Keys();
  try {
    FlagGuard quiet(quietReset_);
    ds->Refresh(true);
  } catch (...) {
    model_->Reset();
    throw;
  }
  if (Keys() == before) {
    emit model_->dataChanged(model_->index(0, 0), model_->index(model_->rowCount() - 1, columns_.size() - 1));
  } else {
    model_->Reset();
    if (currentRow >= 0) Reposition(currentKey, currentNew, currentColumn);
  }
  // The query's current record is the one of the current cell again.
  if (CurrentRow() >= 0 && !IsNewRow(CurrentRow())) ds->SetRecNo(CurrentRow() + 1);
  return true;
}

void TDBEditGrid::CancelPending() {
  if (!pending_.active) return;
  pending_ = {};
  model_->Reset();
}

void TDBEditGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  const bool rowChanged = current.row() != previous.row();
  const bool targetNew = IsNewRow(current.row());
  {
    // The base class commits an open editor of the previous cell (which may become the
    // pending change) before the row's change is written below.
    FlagGuard inChange(inCurrentChanged_);
    QTableView::currentChanged(current, previous);
  }
  if (dataset_ && dataset_->Active() && current.isValid() && !targetNew) dataset_->SetRecNo(current.row() + 1);
  if (following_ || !rowChanged || !pending_.active || PendingBelongsTo(current.row())) return;

  bool posted = false;
  RunGuarded([&] { posted = Post(); });
  if (!posted && PendingIsNew()) {
    // A new row that misses a value keeps the user on its line.
    int missing = 0;
    for (int c = 0; c < columns_.size(); ++c)
      if (columns_[c].requiredForNew && !pending_.values.contains(columns_[c].field)) missing = c;
    QTimer::singleShot(0, this, [this, missing] {
      if (PendingIsNew()) setCurrentIndex(model_->index(NewRow(), missing));
    });
  }
}

void TDBEditGrid::Reposition(const QVariant& key, bool newLine, int column) {
  int row = newLine ? NewRow() : RowOfKey(key);
  if (row < 0) row = dataset_ && dataset_->RecNo() > 0 ? dataset_->RecNo() - 1 : NewRow();
  if (row >= 0) setCurrentIndex(model_->index(row, column));
}

void TDBEditGrid::FollowDataSet() {
  // After the rows are read again the current cell is on the query's current record (or
  // on the line for a new row when there is none).
  if (!dataset_ || !dataset_->Active()) return;
  const int row = dataset_->RecNo() > 0 ? dataset_->RecNo() - 1 : NewRow();
  const int column = qMax(0, currentIndex().column());
  FlagGuard following(following_);
  selectionModel()->setCurrentIndex(model_->index(row, column), QItemSelectionModel::ClearAndSelect);
}

}  // namespace platform
