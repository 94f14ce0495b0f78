#include "reference/products_list_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button2 = new QPushButton(this);
  root->addWidget(Button2);
  Button3 = new QPushButton(this);
  root->addWidget(Button3);
  Button4 = new QPushButton(this);
  root->addWidget(Button4);
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}
