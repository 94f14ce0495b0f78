#include "reference/operation_type_edit_window.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button2 = new QPushButton(this);
  root->addWidget(Button2);
}

TForm9::~TForm9() {
  if (Form9 == this) Form9 = nullptr;
}
