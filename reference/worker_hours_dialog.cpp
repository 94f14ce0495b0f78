#include "reference/worker_hours_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

TForm132* Form132 = nullptr;

TForm132::TForm132(QWidget* parent) : TForm(parent) {
  auto* root = new QVBoxLayout(this);
  Button1 = new QPushButton(this);
  root->addWidget(Button1);
  Button2 = new QPushButton(this);
  root->addWidget(Button2);
}

TForm132::~TForm132() {
  if (Form132 == this) Form132 = nullptr;
}
