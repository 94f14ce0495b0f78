#include "reference/norms_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"

using platform::TEditColumn;

TForm22* Form22 = nullptr;

TForm22::TForm22(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Норматив"));
  // Only the norms of the row being edited are read; id breaks ties so that the rows keep
  // their order when they are read again after a write.
  norm = new platform::TADOQuery(
      this, QStringLiteral("select id, o_id, norma, price, prize from accounts_dep.norm where o_id=:o_id "
                           "order by norma, id"));
  norm->SetUpdateTable(QStringLiteral("accounts_dep.norm"), QStringLiteral("id"));
  CreateLayout();
}

TForm22::~TForm22() {
  if (Form22 == this) Form22 = nullptr;
}

void TForm22::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);

  DBGrid1 = new platform::TDBEditGrid(this);
  TEditColumn norma;
  norma.field = QStringLiteral("norma");
  norma.title = QStringLiteral("Норматив");
  norma.width = 100;
  norma.invalidText = QStringLiteral("Норматив должен быть целым неотрицательным числом!");
  TEditColumn price;
  price.field = QStringLiteral("price");
  price.title = QStringLiteral("Цена");
  price.width = 100;
  price.kind = TEditColumn::Kind::Decimal;
  price.minDecimals = 2;
  price.maxDecimals = 3;
  price.invalidText = QStringLiteral("Цена должна быть неотрицательным числом (с точкой или запятой)!");
  // A new norm needs its price: without one it would become the row's lowest price at 0.
  price.requiredForNew = true;
  price.missingText = QStringLiteral("У нового норматива должна быть указана цена!");
  TEditColumn prize;
  prize.field = QStringLiteral("prize");
  prize.title = QStringLiteral("Премия, %");
  prize.width = 100;
  prize.invalidText = QStringLiteral("Премия должна быть целым неотрицательным числом процентов!");
  DBGrid1->SetColumns({norma, price, prize});
  DBGrid1->SetDataSet(norm, QStringLiteral("id"));
  DBGrid1->OnEditStart = [this](bool isNew) { norm_is_new = isNew; };
  DBGrid1->OnBeforePost = [this](bool) {
    if (norm_is_new) norm->SetFieldValue(QStringLiteral("o_id"), o_id_);
    norm_is_new = false;
  };
  root->addWidget(DBGrid1, 1);

  auto* bar = new QHBoxLayout();
  Button2 = platform::AddButton(bar, this, QStringLiteral("Удалить"), &TForm22::Button2Click);
  bar->addStretch(1);
  Button1 = platform::AddButton(bar, this, QStringLiteral("Сохранить"), &TForm22::Button1Click, true);
  root->addLayout(bar);

  resize(380, 300);
}

void TForm22::showEvent(QShowEvent* event) {
  // Centred on the main window.
  if (Form1 && Form1->isVisible()) move(Form1->frameGeometry().center() - rect().center());
  TForm::showEvent(event);
}

void TForm22::reject() {
  platform::RunGuarded([this] { Button1Click(); });
}

void TForm22::OpenNorms(qlonglong o_id) {
  DBGrid1->CancelPending();
  norm_is_new = false;
  norm->Close();
  o_id_ = o_id;
  norm->ParamByName(QStringLiteral("o_id"))->Value = o_id;
  norm->Open();
}

void TForm22::FormActivate() { DBGrid1->setFocus(); }

void TForm22::Button1Click() {
  if (!DBGrid1->Post()) return;
  if (DataModule6->Oper->Active()) DataModule6->Oper->Refresh();
  Close(platform::mrOk);
}

void TForm22::Button2Click() {
  const int row = DBGrid1->CurrentRow();
  if (row < 0 || DBGrid1->IsNewRow(row)) {
    // On the line for a new norm: what was typed there is dropped.
    DBGrid1->CancelPending();
    norm_is_new = false;
    return;
  }
  const QVariant id = norm->FieldAt(row + 1, QStringLiteral("id")).Value();
  if (!DBGrid1->Post()) return;
  if (!norm->Locate(QStringLiteral("id"), id)) return;
  if (norm->RecordCount() <= 1) {
    platform::MessageDlg(QStringLiteral("Последний норматив операции удалить нельзя!"), QStringLiteral("Удаление"),
                         platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  norm->Delete();
  norm->Refresh(true);
}
