#include "reference/price_edit_window.h"

#include <QLineEdit>
#include <QVBoxLayout>

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Edit1 = new QLineEdit(this);
  Edit2 = new QLineEdit(this);
  root->addWidget(Edit1);
  root->addWidget(Edit2);
}

TForm10::~TForm10() {
  if (Form10 == this) Form10 = nullptr;
}
