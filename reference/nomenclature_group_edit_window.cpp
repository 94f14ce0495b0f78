#include "reference/nomenclature_group_edit_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm29* Form29 = nullptr;

TForm29::TForm29(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button6 = new QPushButton(this);
  root->addWidget(Button6);
}

TForm29::~TForm29() {
  if (Form29 == this) Form29 = nullptr;
}
