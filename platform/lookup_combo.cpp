#include "platform/lookup_combo.h"

namespace platform {

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent) : QComboBox(parent) {
  setMaxVisibleItems(10);
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!loading_ && index >= 0) key_ = itemData(index);
  });
}

void TDBLookupComboBox::SetListSource(TADOQuery* query, const QString& keyField, const QString& listField) {
  if (query_) disconnect(query_, nullptr, this, nullptr);
  query_ = query;
  keyField_ = keyField;
  listField_ = listField;
  if (query_) connect(query_, &TADOQuery::layoutReset, this, &TDBLookupComboBox::Reload);
  Reload();
}

void TDBLookupComboBox::Reload() {
  loading_ = true;
  clear();
  if (query_ && query_->Active()) {
    const int k = query_->FieldIndex(keyField_);
    const int l = query_->FieldIndex(listField_);
    for (int r = 0; r < query_->RecordCount(); ++r)
      addItem(query_->ValueAt(r, l).toString().trimmed(), query_->ValueAt(r, k));
  }
  SetKeyValue(key_);
  loading_ = false;
}

void TDBLookupComboBox::SetKeyValue(const QVariant& key) {
  const bool wasLoading = loading_;
  loading_ = true;
  key_ = key;
  int found = -1;
  if (!key.isNull())
    for (int i = 0; i < count(); ++i)
      if (itemData(i).toLongLong() == key.toLongLong()) found = i;
  setCurrentIndex(found);
  loading_ = wasLoading;
}

void TDBLookupComboBox::SelectNext() {
  if (currentIndex() + 1 < count()) setCurrentIndex(currentIndex() + 1);
}

void TDBLookupComboBox::SelectPrior() {
  if (currentIndex() > 0) setCurrentIndex(currentIndex() - 1);
}

}  // namespace platform
