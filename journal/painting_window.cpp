#include "journal/painting_window.h"

#include <QLineEdit>
#include <QVBoxLayout>

TForm33* Form33 = nullptr;

TForm33::TForm33(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Edit1 = new QLineEdit(this);
  root->addWidget(Edit1);
}

TForm33::~TForm33() {
  if (Form33 == this) Form33 = nullptr;
}
