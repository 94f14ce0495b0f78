#include "reference/product_edit_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "platform/sql_quote.h"

using platform::QuotedStr;

TForm7* Form7 = nullptr;

namespace {

void ShowError(const QString& text) {
  platform::MessageDlg(text, QStringLiteral("Ошибка"), platform::MsgIcon::Error, platform::mbOK);
}

}  // namespace

TForm7::TForm7(QWidget* parent) : TForm(parent) {
  item = new platform::TADOQuery(
      this, QStringLiteral("select id_classifier, id_level, s_code, s_caption, s_description, d_excluded_date, "
                           "id_parent, id, b_excluded from cmn_classifier.item "
                           "where id_level=2 and b_excluded=0 order by s_caption"));
  CreateLayout();
}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}

void TForm7::CreateLayout() {
  auto* root = new QVBoxLayout(this);

  GroupBox1 = new QGroupBox(QStringLiteral("Данные об изделии"), this);
  auto* fields = new QGridLayout(GroupBox1);
  Label1 = new QLabel(QStringLiteral("Марка"), GroupBox1);
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setMaxLength(254);  // the register keeps marks of up to 254 characters
  Label1->setBuddy(Edit1);
  Label2 = new QLabel(QStringLiteral("Расценка"), GroupBox1);
  Edit2 = new QLineEdit(GroupBox1);
  platform::DecimalPointOnly(Edit2);
  Label2->setBuddy(Edit2);
  cb_item = new platform::TDBLookupComboBox(GroupBox1);
  cb_item->SetListSource(item, QStringLiteral("id"), QStringLiteral("s_caption"));
  cb_item->SetDropDownCount(16);
  fields->addWidget(Label1, 0, 0);
  fields->addWidget(Edit1, 0, 1);
  fields->addWidget(Label2, 1, 0);
  fields->addWidget(Edit2, 1, 1);
  fields->addWidget(cb_item, 2, 0, 1, 2);
  fields->setColumnStretch(1, 1);
  root->addWidget(GroupBox1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = platform::AddButton(buttons, this, QStringLiteral("Записать"), &TForm7::Button1Click, true);
  Button2 = platform::AddButton(buttons, this, QStringLiteral("Отмена"), &TForm7::Button2Click);
  root->addLayout(buttons);

  setFixedSize(400, 190);
}

bool TForm7::IsNumberText(const QString& text) {
  static const QRegularExpression number(QStringLiteral("^(\\d+[.,]?\\d*|[.,]\\d+)$"));
  return number.match(text).hasMatch();
}

void TForm7::FormActivate() { Edit1->setFocus(); }

void TForm7::Button1Click() {
  const QString mark = Edit1->text().trimmed();
  const QString massa = Edit2->text().trimmed();
  const QVariant group = cb_item->KeyValue();
  // A changed product may keep a group no longer offered (the box then shows no caption);
  // a new product gets only a group the box shows.
  const bool groupChosen =
      !group.isNull() && group.toLongLong() != 0 && (Tag == 2 || cb_item->currentIndex() >= 0);
  if (mark.isEmpty() || massa.isEmpty() || !groupChosen) {
    ShowError(QStringLiteral("Все поля должны быть заполнены!"));
    return;
  }
  // The box takes digits and points only, but a lone point or two points are no number.
  if (!IsNumberText(massa)) {
    ShowError(QStringLiteral("Расценка должна быть числом!"));
    return;
  }

  // The same mark in another letter case is the same mark.
  QString check = QStringLiteral("select count(*) as cnt from accounts_dep.izdel where upper(marka)=upper(%1)")
                      .arg(QuotedStr(mark.toUpper()));
  qlonglong id = 0;
  if (Tag == 2) {
    id = DataModule6->Izdel->FieldByName(QStringLiteral("id")).AsLargeInt();
    check += QStringLiteral(" and id<>%1").arg(id);
  }
  if (DataModule6->CheckExists(check, QStringLiteral("Такая марка изделия уже заведена!"))) return;

  const QString number = DataModule6->NormalizeDecimalPoint(massa);
  const QString groupId = QString::number(group.toLongLong());
  QString statement;
  if (Tag == 1) {
    statement = QStringLiteral(
                    "INSERT INTO cmn_gds_and_srv.gds_and_srv(s_caption, s_description, id_msm_bs, massa, "
                    "id_class_item)VALUES(%1, '', 6, %2,%3)")
                    .arg(QuotedStr(mark), number, groupId);
  } else if (Tag == 2) {
    statement = QStringLiteral(
                    "UPDATE cmn_gds_and_srv.gds_and_srv SET s_caption=%1, s_description='', id_msm_bs=6, "
                    "massa=%2, id_class_item=%3 where id=%4")
                    .arg(QuotedStr(mark), number, groupId, QString::number(id));
  } else {
    return;
  }
  DataModule6->SQL_exec->SetCommandText(statement);
  DataModule6->SQL_exec->Execute();
  DataModule6->Izdel->Close();
  DataModule6->Izdel->Open();
  Close(platform::mrOk);
}

void TForm7::Button2Click() { Close(platform::mrCancel); }
