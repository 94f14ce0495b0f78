#include "journal/position_window.h"

#include <QLineEdit>
#include <QVBoxLayout>

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Edit1 = new QLineEdit(this);
  root->addWidget(Edit1);
}

TForm11::~TForm11() {
  if (Form11 == this) Form11 = nullptr;
}
