#include "reference/norms_window.h"

#include <QHBoxLayout>
#include <QTableView>
#include <QVBoxLayout>

TForm22* Form22 = nullptr;

TForm22::TForm22(QWidget* parent) : TForm(parent) {
  norm = new platform::TADOQuery(this);
  CreateLayout();
}

TForm22::~TForm22() {
  if (Form22 == this) Form22 = nullptr;
}

void TForm22::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  DBGrid1 = new QTableView(this);
  root->addWidget(DBGrid1, 1);
  auto* bar = new QHBoxLayout();
  Button1 = platform::AddButton(bar, this, QStringLiteral("Сохранить"), &TForm22::Button1Click, true);
  Button2 = platform::AddButton(bar, this, QStringLiteral("Удалить"), &TForm22::Button2Click);
  root->addLayout(bar);
}

void TForm22::Button1Click() { Close(platform::mrOk); }
void TForm22::Button2Click() {}
