#include "reference/workers_list_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "hours/hours_entry_window.h"
#include "journal/journal_window.h"
#include "journal/painting_window.h"
#include "journal/position_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "reference/worker_edit_window.h"
#include "reference/worker_hours_dialog.h"

TForm5* Form5 = nullptr;

namespace {

// Modes the opener sets through Tag.
enum Mode {
  kBrowse = 0,          // the main window's menu: add, change, delete
  kPositionWorker = 1,  // the worker of a journal position
  kAuxWorker = 11,      // an auxiliary worker of a position, with his hours
  kHoursWorker = 24,    // the worker of maintenance or average-piecework hours
  kPaintingPayee = 33,  // the paid worker of a painting distribution
};

// Edit window modes.
constexpr int kAddWorker = 1;
constexpr int kChangeWorker = 2;

}  // namespace

TForm5::TForm5(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Список рабочих"));
  CreateLayout();
  if (DataModule6) DBGrid1->SetDataSet(DataModule6->Workers);
}

TForm5::~TForm5() {
  if (Form5 == this) Form5 = nullptr;
}

void TForm5::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);

  DBGrid1 = new platform::TDBGrid(this);
  DBGrid1->SetColumns({
      {"fio", QStringLiteral("ФИО"), 300},
      {"s_staffpos_hl", QStringLiteral("Должность"), 240},
  });
  connect(DBGrid1, &platform::TDBGrid::DblClick, this, platform::Guarded(this, &TForm5::Button2Click));
  root->addWidget(DBGrid1, 1);

  auto* bottom = new QHBoxLayout();
  Button1 = platform::AddButton(bottom, this, QStringLiteral("Добавить"), &TForm5::Button1Click);
  Button2 = platform::AddButton(bottom, this, QStringLiteral("Изменить"), &TForm5::Button2Click);
  Button3 = platform::AddButton(bottom, this, QStringLiteral("Удалить"), &TForm5::Button3Click);
  Edit1 = new QLineEdit(this);
  Edit1->setPlaceholderText(QStringLiteral("Поиск по ФИО"));
  Edit1->setMinimumWidth(160);
  connect(Edit1, &QLineEdit::textChanged, this, platform::Guarded(this, &TForm5::Edit1Change));
  platform::SetSearchKeys(
      Edit1, [this] { platform::RunGuarded([this] { Edit1KeyDown(Qt::Key_Up); }); },
      [this] { platform::RunGuarded([this] { Edit1KeyDown(Qt::Key_Down); }); });
  bottom->addWidget(Edit1);
  bottom->addStretch(1);
  Button4 = platform::AddButton(bottom, this, QStringLiteral("Выход"), &TForm5::Button4Click);
  root->addLayout(bottom);

  setFixedSize(600, 480);
}

void TForm5::showEvent(QShowEvent* event) {
  // Centred on the main window.
  if (Form1 && Form1->isVisible()) move(Form1->frameGeometry().center() - rect().center());
  TForm::showEvent(event);
}

void TForm5::FormActivate() {
  Chosen = 0;
  if (!Edit1->isHidden()) Edit1->setFocus();
}

void TForm5::Edit1Change() {
  // The text as typed, not trimmed: "Иванов " finds only full surnames.
  DataModule6->Workers->SearchByPrefix(QStringLiteral("fio"), Edit1->text());
}

void TForm5::Edit1KeyDown(int key) {
  if (key == Qt::Key_Up) DataModule6->Workers->Prior();
  if (key == Qt::Key_Down) DataModule6->Workers->Next();
}

void TForm5::ReadLookups() {
  for (TADOQuery* q : {Form2->staffpos, Form2->roles, Form2->department}) {
    q->Close();
    q->Open();
  }
}

void TForm5::Button1Click() {
  Form2->Edit1->clear();
  Form2->setWindowTitle(QStringLiteral("Заведение данных нового работника"));
  Form2->Tag = kAddWorker;
  ReadLookups();
  Form2->ShowModal();
  DataModule6->Workers->Close();
  DataModule6->Workers->Open();
}

void TForm5::Button2Click() {
  TADOQuery* workers = DataModule6->Workers;
  if (workers->IsEmpty()) return;
  const int recNo = workers->RecNo();
  const qlonglong id = workers->FieldByName(QStringLiteral("id")).AsLargeInt();
  const QString fio = workers->FieldByName(QStringLiteral("fio")).AsString();
  switch (Tag) {
    case kBrowse:
      Form2->setWindowTitle(QStringLiteral("Изменение данных работника"));
      Form2->Tag = kChangeWorker;
      ReadLookups();
      Form2->Edit1->setText(fio.trimmed());
      Form2->PersonId = id;
      Form2->ShowModal();
      workers->Close();
      workers->Open();
      if (!workers->IsEmpty()) workers->SetRecNo(recNo);
      break;
    case kPositionWorker:
      Form11->Edit1->setText(fio.trimmed());
      Form11->pos_w_id = id;
      break;
    case kHoursWorker:
      Form24->Edit1->setText(fio.trimmed());
      Form24->sel_id_p = id;
      break;
    case kPaintingPayee:
      Form33->Edit1->setText(fio.trimmed());
      Form33->PayeeId = id;
      break;
    case kAuxWorker:
      Form132->Label1->setText(fio);
      Form132->Edit1->setText(QString());
      if (Form132->ShowModal() != platform::mrOk) {
        // The list stays open for another choice.
        Chosen = 0;
        return;
      }
      Form11->aux_w_id = id;
      Form11->aux_hours = Form132->Hours();
      break;
    default:
      return;
  }
  Chosen = 1;
  Close(platform::mrOk);
}

void TForm5::Button3Click() {
  TADOQuery* workers = DataModule6->Workers;
  if (workers->IsEmpty()) return;
  const qlonglong id = workers->FieldByName(QStringLiteral("id")).AsLargeInt();
  if (platform::MessageDlg(QStringLiteral("Удалить работника?"), QStringLiteral("Удаление"),
                           platform::MsgIcon::Question, platform::mbYes | platform::mbNo) != platform::mrYes)
    return;
  Form2->cmd_person->SetCommandText(QStringLiteral("delete from accounts_dep.person where id =%1").arg(id));
  Form2->cmd_person->Execute();
  workers->Refresh(/*toLastWhenShorter=*/true);
}

void TForm5::Button4Click() { Close(platform::mrCancel); }

void TForm5::reject() { Button4Click(); }
