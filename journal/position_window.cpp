#include "journal/position_window.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : TForm(parent) {
  ins_smena = new platform::TADOQuery(this);
  SmenaIU = new platform::TADOCommand(this);
  person = new platform::TADOQuery(this);
  ins_person = new platform::TADOCommand(this);
  CreateLayout();
}

TForm11::~TForm11() {
  if (Form11 == this) Form11 = nullptr;
}

void TForm11::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  GroupBox1 = new QGroupBox(QStringLiteral("Закрыто мастером"), this);
  root->addWidget(GroupBox1);
  Edit1 = new QLineEdit(this);
  Edit2 = new QLineEdit(this);
  Edit3 = new QLineEdit(this);
  Edit4 = new QLineEdit(this);
  Edit5 = new QLineEdit(this);
  Edit6 = new QLineEdit(this);
  Edit7 = new QLineEdit(this);
  Edit8 = new QLineEdit(this);
  Edit9 = new QLineEdit(this);
  Label6 = new QLabel(QStringLiteral("Цвет"), this);
  DTimeP = new QDateEdit(this);
  CheckBox1 = new QCheckBox(QStringLiteral("Подсобные рабочие"), this);
  DBGrid1 = new platform::TDBGrid(this);
  auto* bar = new QHBoxLayout();
  Button3 = platform::AddButton(bar, this, QStringLiteral("..."), &TForm11::Button3Click);
  Button4 = platform::AddButton(bar, this, QStringLiteral("..."), &TForm11::Button4Click);
  Button1 = platform::AddButton(bar, this, QStringLiteral("Запись"), &TForm11::Button1Click, true);
  Button8 = platform::AddButton(bar, this, QStringLiteral("Новый"), &TForm11::Button8Click);
  Button2 = platform::AddButton(bar, this, QStringLiteral("Выход"), &TForm11::Button2Click);
  Button5 = new QPushButton(QStringLiteral("Добавить"), this);
  Button7 = new QPushButton(QStringLiteral("Удалить"), this);
  Button6 = new QPushButton(QStringLiteral("Сохранить"), this);
  root->addLayout(bar);
}

void TForm11::FormActivate() {}
void TForm11::Button1Click() {}
void TForm11::Button2Click() { Close(platform::mrCancel); }
void TForm11::Button3Click() {}
void TForm11::Button4Click() {}
void TForm11::Button8Click() {}
void TForm11::Edit3Exit() {}
void TForm11::Edit6Exit() {}
void TForm11::SetUpColour(const QString&) {}
bool TForm11::IsPainting(const QString& text) { return text.trimmed().toUpper().contains(QStringLiteral("КРАСКА")); }
void TForm11::PriceDisplays() {}
bool TForm11::CheckFields() { return false; }
void TForm11::Lock(bool) {}
void TForm11::PreparePanel() {}
