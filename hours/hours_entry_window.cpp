#include "hours/hours_entry_window.h"

#include <QLineEdit>
#include <QVBoxLayout>

TForm24* Form24 = nullptr;

TForm24::TForm24(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Edit1 = new QLineEdit(this);
  Edit2 = new QLineEdit(this);
  root->addWidget(Edit1);
  root->addWidget(Edit2);
}

TForm24::~TForm24() {
  if (Form24 == this) Form24 = nullptr;
}
