#include "reference/worker_edit_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button2 = new QPushButton(this);
  root->addWidget(Button2);
}

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}
