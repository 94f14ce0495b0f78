#include "reference/price_edit_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TForm10* Form10 = nullptr;

TForm10::TForm10(QWidget* parent) : TForm(parent) { CreateLayout(); }

TForm10::~TForm10() {
  if (Form10 == this) Form10 = nullptr;
}

void TForm10::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  Edit1 = new QLineEdit(this);
  Edit2 = new QLineEdit(this);
  ComboBox1 = new QComboBox(this);
  Label3 = new QLabel(QStringLiteral("min Цена"), this);
  Edit3 = new QLineEdit(this);
  for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2), static_cast<QWidget*>(ComboBox1),
                     static_cast<QWidget*>(Label3), static_cast<QWidget*>(Edit3)})
    root->addWidget(w);
  auto* bar = new QHBoxLayout();
  Button3 = platform::AddButton(bar, this, QStringLiteral("..."), &TForm10::Button3Click);
  Button4 = platform::AddButton(bar, this, QStringLiteral("..."), &TForm10::Button4Click);
  Button1 = platform::AddButton(bar, this, QStringLiteral("Записать"), &TForm10::Button1Click, true);
  Button2 = platform::AddButton(bar, this, QStringLiteral("Отмена"), &TForm10::Button2Click);
  root->addLayout(bar);
}

void TForm10::FormActivate() {}
void TForm10::Button1Click() {}
void TForm10::Button2Click() { Close(platform::mrCancel); }
void TForm10::Button3Click() {}
void TForm10::Button4Click() {}
