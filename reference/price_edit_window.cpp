#include "reference/price_edit_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "reference/operation_types_window.h"
#include "reference/products_list_window.h"

TForm10* Form10 = nullptr;

namespace {

const QString kDuplicate = QStringLiteral("Операция с такими параметрами уже заведена!");

void ShowError(const QString& text) {
  platform::MessageDlg(text, QStringLiteral("Ошибка"), platform::MsgIcon::Error, platform::mbOK);
}

// Opens a reference list as a picker over its query; the list writes the pick into this
// window. Afterwards the list is a plain list again and its query is closed.
void Pick(platform::TForm* list, QPushButton* chooseButton, QPushButton* addButton, QPushButton* deleteButton,
          QLineEdit* search, platform::TADOQuery* query) {
  query->Open();
  platform::ShowAsPicker(list, chooseButton, {addButton, deleteButton}, search);
  chooseButton->setDefault(false);
  search->setVisible(false);
  query->Close();
}

}  // namespace

TForm10::TForm10(QWidget* parent) : TForm(parent) { CreateLayout(); }

TForm10::~TForm10() {
  if (Form10 == this) Form10 = nullptr;
}

void TForm10::CreateLayout() {
  auto* root = new QVBoxLayout(this);

  GroupBox1 = new QGroupBox(QStringLiteral("Цена операции"), this);
  auto* fields = new QGridLayout(GroupBox1);
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setReadOnly(true);
  Edit1->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  Button3 = new QPushButton(QStringLiteral("..."), GroupBox1);
  Edit2 = new QLineEdit(GroupBox1);
  Edit2->setReadOnly(true);
  Edit2->setFocusPolicy(Qt::ClickFocus);
  Button4 = new QPushButton(QStringLiteral("..."), GroupBox1);
  for (QPushButton* b : {Button3, Button4}) {
    b->setAutoDefault(false);
    b->setFixedWidth(32);
  }
  connect(Button3, &QPushButton::clicked, this, platform::Guarded(this, &TForm10::Button3Click));
  connect(Button4, &QPushButton::clicked, this, platform::Guarded(this, &TForm10::Button4Click));
  ComboBox1 = new QComboBox(GroupBox1);
  ComboBox1->addItems({QStringLiteral("Готовая продукция"), QStringLiteral("Заготовки")});
  Label3 = new QLabel(QStringLiteral("min Цена"), GroupBox1);
  Edit3 = new QLineEdit(GroupBox1);
  platform::DecimalPointOnly(Edit3);
  Label3->setBuddy(Edit3);

  fields->addWidget(new QLabel(QStringLiteral("Марка изделия"), GroupBox1), 0, 0);
  fields->addWidget(Edit1, 0, 1);
  fields->addWidget(Button3, 0, 2);
  fields->addWidget(new QLabel(QStringLiteral("Операция"), GroupBox1), 1, 0);
  fields->addWidget(Edit2, 1, 1);
  fields->addWidget(Button4, 1, 2);
  fields->addWidget(new QLabel(QStringLiteral("Вид"), GroupBox1), 2, 0);
  fields->addWidget(ComboBox1, 2, 1);
  fields->addWidget(Label3, 3, 0);
  fields->addWidget(Edit3, 3, 1);
  fields->setColumnStretch(1, 1);
  root->addWidget(GroupBox1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = platform::AddButton(buttons, this, QStringLiteral("Записать"), &TForm10::Button1Click, true);
  Button2 = platform::AddButton(buttons, this, QStringLiteral("Отмена"), &TForm10::Button2Click);
  root->addLayout(buttons);

  // The window takes the height of the fields it shows: the price row is there for a new
  // row only.
  root->setSizeConstraint(QLayout::SetFixedSize);
  Edit1->setMinimumWidth(300);

  setTabOrder(Button3, Button4);
  setTabOrder(Button4, ComboBox1);
  setTabOrder(ComboBox1, Edit3);
  setTabOrder(Edit3, Button1);
  setTabOrder(Button1, Button2);
}

void TForm10::ShowPriceField() {
  const bool newRow = Tag == kNew;
  Label3->setVisible(newRow);
  Edit3->setVisible(newRow);
  layout()->activate();
}

void TForm10::showEvent(QShowEvent* event) {
  ShowPriceField();
  // Centred on the main window.
  if (Form1 && Form1->isVisible()) move(Form1->frameGeometry().center() - rect().center());
  TForm::showEvent(event);
}

void TForm10::reject() {
  platform::RunGuarded([this] { Button2Click(); });
}

void TForm10::FormActivate() {
  ShowPriceField();
  Button3->setFocus();
}

void TForm10::Button3Click() {
  Pick(Form3, Form3->Button2, Form3->Button1, Form3->Button3, Form3->Edit1, DataModule6->Izdel);
}

void TForm10::Button4Click() {
  Pick(Form8, Form8->Button2, Form8->Button1, Form8->Button3, Form8->Edit1, DataModule6->Vid_oper);
}

bool TForm10::PriceForSql(QString* sqlNumber) {
  // Digits with at most one point or comma: the text is then a plain number literal.
  static const QRegularExpression number(QStringLiteral("^(\\d+([.,]\\d*)?|[.,]\\d+)$"));
  const QString text = Edit3->text().trimmed();
  if (!number.match(text).hasMatch()) {
    ShowError(QStringLiteral("Цена должна быть неотрицательным числом!"));
    return false;
  }
  *sqlNumber = DataModule6->NormalizeDecimalPoint(text);
  return true;
}

void TForm10::Button1Click() {
  const bool newRow = Tag == kNew;
  if (Edit1->text().trimmed().isEmpty() || Edit2->text().trimmed().isEmpty() ||
      (newRow && Edit3->text().trimmed().isEmpty())) {
    ShowError(QStringLiteral("Все поля должны быть заполнены!"));
    return;
  }
  const QString vid = QString::number(sel_oper_vid);
  const QString naimen = QString::number(qMax(0, ComboBox1->currentIndex()));
  const QString i_id = QString::number(sel_i_id);
  const QString key = QStringLiteral("vid=%1 and naimen=%2 and i_id=%3").arg(vid, naimen, i_id);

  if (newRow) {
    QString price;
    if (!PriceForSql(&price)) return;
    if (DataModule6->CheckExists(QStringLiteral("select count(ID) as cnt from accounts_dep.OPER where ") + key,
                                 kDuplicate))
      return;
    // The row and its first norm go together: a row without a norm would never be listed.
    platform::TTransaction unit;
    TADOCommand* ins = DataModule6->Oper_ins;
    ins->ParamByName(QStringLiteral("oper_vid"))->Value = sel_oper_vid;
    ins->ParamByName(QStringLiteral("naimen"))->Value = qMax(0, ComboBox1->currentIndex());
    ins->ParamByName(QStringLiteral("i_id"))->Value = sel_i_id;
    ins->ParamByName(QStringLiteral("cena_new"))->Value = 0;
    ins->Execute();
    DataModule6->SQL_exec->SetCommandText(
        QStringLiteral("insert into accounts_dep.norm(o_id, norma, price, prize) select id, 0, %1, 0 "
                       "from accounts_dep.oper where ")
            .arg(price) +
        key);
    DataModule6->SQL_exec->Execute();
    unit.Commit();
  } else {
    TADOQuery* oper = DataModule6->Oper;
    const qlonglong id = oper->FieldByName(QStringLiteral("id")).AsLargeInt();
    if (DataModule6->CheckExists(QStringLiteral("select count(*) as cnt from accounts_dep.OPER where ") + key +
                                     QStringLiteral(" and id<>") + QString::number(id),
                                 kDuplicate))
      return;
    // Re-keying leaves the row's norms and its own price as they are.
    TADOCommand* ed = DataModule6->Oper_ed;
    ed->ParamByName(QStringLiteral("oper_vid"))->Value = sel_oper_vid;
    ed->ParamByName(QStringLiteral("naimen"))->Value = qMax(0, ComboBox1->currentIndex());
    ed->ParamByName(QStringLiteral("i_id"))->Value = sel_i_id;
    ed->ParamByName(QStringLiteral("id"))->Value = id;
    ed->Execute();
  }
  DataModule6->Oper->Refresh();
  Close(platform::mrOk);
}

void TForm10::Button2Click() { Close(platform::mrCancel); }
