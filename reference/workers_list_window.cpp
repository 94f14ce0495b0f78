#include "reference/workers_list_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : TForm(parent) {
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

TForm5::~TForm5() {
  if (Form5 == this) Form5 = nullptr;
}
