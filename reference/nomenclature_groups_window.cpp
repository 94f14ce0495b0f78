#include "reference/nomenclature_groups_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm26* Form26 = nullptr;

TForm26::TForm26(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button2 = new QPushButton(this);
  root->addWidget(Button2);
  Button3 = new QPushButton(this);
  root->addWidget(Button3);
  Button4 = new QPushButton(this);
  root->addWidget(Button4);
  item = new platform::TADOQuery(this);
}

TForm26::~TForm26() {
  if (Form26 == this) Form26 = nullptr;
}
