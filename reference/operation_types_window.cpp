#include "reference/operation_types_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : TForm(parent) {
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

TForm8::~TForm8() {
  if (Form8 == this) Form8 = nullptr;
}
