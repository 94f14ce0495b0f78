#pragma once
// TDBLookupComboBox: a drop-down over a query that shows one field (the list field)
// and is keyed by another (the key field). The chosen key may also be a key that is
// not in the list (a group no longer offered): the box then shows no text but keeps it.
#include <QComboBox>
#include <QPointer>
#include <QVariant>

#include "platform/dataset.h"

namespace platform {

class TDBLookupComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit TDBLookupComboBox(QWidget* parent = nullptr);

  // The rows offered are read from the query's visible rows whenever it is opened,
  // closed or filtered.
  void SetListSource(TADOQuery* query, const QString& keyField, const QString& listField);
  void SetDropDownCount(int rows) { setMaxVisibleItems(rows); }

  QVariant KeyValue() const { return key_; }
  void SetKeyValue(const QVariant& key);
  // The caption currently shown ("" when nothing is chosen or the key is not listed).
  QString Text() const { return currentIndex() >= 0 ? currentText() : QString(); }

  // Moves the selection one row down or up, as the arrow keys do.
  void SelectNext();
  void SelectPrior();

 private:
  void Reload();
  QPointer<TADOQuery> query_;
  QString keyField_;
  QString listField_;
  QVariant key_;
  bool loading_ = false;
};

}  // namespace platform
