#include "reference/product_edit_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button2 = new QPushButton(this);
  root->addWidget(Button2);
}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}
