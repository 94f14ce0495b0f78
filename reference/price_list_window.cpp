#include "reference/price_list_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : TForm(parent) {
  XLS_Rep = new platform::TADOQuery(this);
  CreateLayout();
}

TForm4::~TForm4() {
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  DBGrid1 = new platform::TDBGrid(this);
  root->addWidget(DBGrid1, 1);
  auto* bar = new QHBoxLayout();
  Button1 = platform::AddButton(bar, this, QStringLiteral("Добавить"), &TForm4::Button1Click, true);
  Button2 = platform::AddButton(bar, this, QStringLiteral("Изменить"), &TForm4::Button2Click);
  Button3 = platform::AddButton(bar, this, QStringLiteral("Удалить"), &TForm4::Button3Click);
  Button5 = platform::AddButton(bar, this, QStringLiteral("Excel"), &TForm4::Button5Click);
  CheckBox1 = new QCheckBox(QStringLiteral("Цены"), this);
  bar->addWidget(CheckBox1);
  Edit1 = new QLineEdit(this);
  bar->addWidget(Edit1);
  Button4 = platform::AddButton(bar, this, QStringLiteral("Выход"), &TForm4::Button4Click);
  root->addLayout(bar);
}

void TForm4::FormActivate() {}
void TForm4::Edit1Change() {}
void TForm4::Button1Click() {}
void TForm4::Button2Click() {}
void TForm4::Button3Click() {}
void TForm4::Button4Click() { Close(platform::mrCancel); }
void TForm4::Button5Click() {}
void TForm4::DBGrid1DblClick() {}
