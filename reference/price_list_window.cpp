#include "reference/price_list_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "db/reserved_ids.h"
#include "journal/journal_window.h"
#include "journal/position_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_grid.h"
#include "platform/edit_keys.h"
#include "platform/filter.h"
#include "platform/number_text.h"
#include "reference/norms_window.h"
#include "reference/price_edit_window.h"
#include "reports/excel_export.h"

using platform::TADOQuery;

TForm4* Form4 = nullptr;

namespace {

const QString kFinished = QStringLiteral("Готовая продукция");
const QString kBlanks = QStringLiteral("Заготовки");

QString KindText(int naimen) { return naimen == 0 ? kFinished : kBlanks; }

// Prices in the list show at least two places and up to four ("0,95", "1,20", "1,425").
class PriceDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QString displayText(const QVariant& value, const QLocale&) const override {
    const QString text = value.toString();
    bool ok = false;
    const double v = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? platform::FormatNumber(v, 2, 4) : text;
  }
};


}  // namespace

TForm4::TForm4(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Цены (4)"));
  XLS_Rep = new TADOQuery(
      this, QStringLiteral(
                "select izdel.MARKA, vid_oper.VID, oper.NAIMEN,(SELECT (CASE naimen WHEN 0 THEN 'Готовая продукция' "
                "ELSE 'Заготовки' END)) as nmn, oper.CENA_new as cena, oper.id, oper.i_id,  oper.VID as oper_vid "
                "from accounts_dep.OPER,accounts_dep.IZDEL,accounts_dep.VID_OPER where OPER.i_id=IZDEL.id  and "
                "oper.vid=vid_oper.id order by izdel.marka, vid_oper.vid, oper.naimen"));
  CreateLayout();
}

TForm4::~TForm4() {
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);

  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  DBGrid1 = new platform::TDBGrid(this);
  DBGrid1->SetColumns({
      {"marka", QStringLiteral("Марка"), 200},
      {"s_caption", QStringLiteral("Ном. гр. "), 150},
      {"vid", QStringLiteral("Опреция"), 190},
      {"cena", QStringLiteral("Цена (min)"), 85, right},
      {"nmn", QStringLiteral("Вид"), 135},
      {"id", QStringLiteral("id"), 60, right, false},
      {"i_id", QStringLiteral("i_id"), 60, right, false},
      {"oper_vid", QStringLiteral("oper_vid"), 60, right, false},
      {"norma", QStringLiteral("Нормы (шт.)"), 100, right},
  });
  DBGrid1->setItemDelegateForColumn(3, new PriceDelegate(DBGrid1));
  if (DataModule6) DBGrid1->SetDataSet(DataModule6->Oper);
  connect(DBGrid1, &platform::TDBGrid::DblClick, this, platform::Guarded(this, &TForm4::DBGrid1DblClick));
  root->addWidget(DBGrid1, 1);

  auto* bar = new QHBoxLayout();
  Button1 = platform::AddButton(bar, this, QStringLiteral("Добавить"), &TForm4::Button1Click, true);
  Button2 = platform::AddButton(bar, this, QStringLiteral("Изменить"), &TForm4::Button2Click);
  Button3 = platform::AddButton(bar, this, QStringLiteral("Удалить"), &TForm4::Button3Click);
  Button5 = platform::AddButton(bar, this, QStringLiteral("Excel"), &TForm4::Button5Click);
  Button5->setMinimumWidth(110);  // room for the progress "Excel (k из N)"
  CheckBox1 = new QCheckBox(QStringLiteral("Цены"), this);
  CheckBox1->setToolTip(QStringLiteral("Двойной щелчок открывает нормативы строки"));
  bar->addWidget(CheckBox1);
  Edit1 = new QLineEdit(this);
  Edit1->setPlaceholderText(QStringLiteral("Поиск по марке"));
  Edit1->setClearButtonEnabled(true);
  connect(Edit1, &QLineEdit::textChanged, this, platform::Guarded(this, &TForm4::Edit1Change));
  platform::SetSearchKeys(
      Edit1, [] { platform::RunGuarded([] { DataModule6->Oper->Prior(); }); },
      [] { platform::RunGuarded([] { DataModule6->Oper->Next(); }); });
  bar->addWidget(Edit1, 1);
  Button4 = platform::AddButton(bar, this, QStringLiteral("Выход"), &TForm4::Button4Click);
  root->addLayout(bar);

  resize(920, 560);
}

void TForm4::showEvent(QShowEvent* event) {
  // Centred on the main window.
  if (Form1 && Form1->isVisible()) move(Form1->frameGeometry().center() - rect().center());
  TForm::showEvent(event);
}

void TForm4::reject() {
  platform::RunGuarded([this] { Button4Click(); });
}

void TForm4::FormActivate() {
  // As a plain list "Добавить" is the default button again after the chooser's "Выбрать".
  if (Tag == kList) Button1->setDefault(true);
  if (Edit1->isVisibleTo(this)) Edit1->setFocus();
}

void TForm4::Edit1Change() {
  TADOQuery* q = DataModule6->Oper;
  const QString text = Edit1->text();
  if (text.trimmed().isEmpty()) {
    q->SetFiltered(false);
    return;
  }
  q->SetFilter(platform::ContainsFilter(QStringLiteral("marka"), text));
  q->SetFiltered(true);
}

double TForm4::PriceWithFactors(double cena, bool dayOff, int shift) {
  if (dayOff) cena *= 2;
  if (shift == 3) cena *= 1.2;
  else if (shift == 4) cena *= 1.5;
  return cena;
}

void TForm4::Button1Click() {
  Form10->Edit1->clear();
  Form10->Edit2->clear();
  Form10->Edit3->clear();
  Form10->sel_i_id = 0;
  Form10->sel_oper_vid = 0;
  Form10->ComboBox1->setCurrentIndex(0);
  Form10->Edit3->setEnabled(true);
  Form10->setWindowTitle(QStringLiteral("Заведение новой цены за операцию"));
  Form10->Tag = TForm10::kNew;
  Form10->ShowModal();
}

void TForm4::Button2Click() {
  TADOQuery* q = DataModule6->Oper;
  if (!q->Active() || q->IsEmpty()) return;
  if (reserved::IsHourlyWork(q->FieldByName(QStringLiteral("id")).AsLargeInt())) return;
  if (Tag == kList) ChangeRow();
  else if (Tag == kChoose) ChooseRow();
}

void TForm4::ChangeRow() {
  TADOQuery* q = DataModule6->Oper;
  Form10->setWindowTitle(QStringLiteral("Изменение данных о цене за операцию"));
  Form10->Tag = TForm10::kChange;
  Form10->Edit1->setText(q->FieldByName(QStringLiteral("marka")).AsString().trimmed());
  Form10->Edit2->setText(q->FieldByName(QStringLiteral("vid")).AsString().trimmed());
  Form10->ComboBox1->setCurrentIndex(q->FieldByName(QStringLiteral("naimen")).AsInteger() == 0 ? 0 : 1);
  Form10->Edit3->setEnabled(true);
  Form10->Edit3->setText(q->FieldByName(QStringLiteral("cena")).AsString().trimmed());
  Form10->sel_i_id = q->FieldByName(QStringLiteral("i_id")).AsLargeInt();
  Form10->sel_oper_vid = q->FieldByName(QStringLiteral("oper_vid")).AsLargeInt();
  Form10->ShowModal();
}

void TForm4::ChooseRow() {
  TADOQuery* q = DataModule6->Oper;
  const qlonglong i_id = q->FieldByName(QStringLiteral("i_id")).AsLargeInt();
  Form11->pos_i_id = i_id;
  Form11->pos_o_id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  Form11->pos_cena =
      PriceWithFactors(q->FieldByName(QStringLiteral("cena")).AsFloat(), Form1->CBox1->isChecked(), Form1->Shift);

  TADOQuery* control = DataModule6->Control;
  control->Close();
  control->ClearSQL();
  control->AddSQL(QStringLiteral("select marka from accounts_dep.izdel where id=") + QString::number(i_id));
  control->Open();
  const QString marka = control->IsEmpty() ? QString() : control->FieldByName(QStringLiteral("marka")).AsString();
  control->Close();
  Form11->Edit2->setText(marka.trimmed() + QStringLiteral("; ") +
                         q->FieldByName(QStringLiteral("vid")).AsString().trimmed() + QStringLiteral("; ") +
                         KindText(q->FieldByName(QStringLiteral("naimen")).AsInteger()));
  Close(platform::mrOk);
}

void TForm4::Button3Click() {
  TADOQuery* q = DataModule6->Oper;
  if (!q->Active() || q->IsEmpty()) return;
  const qlonglong id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  if (reserved::IsHourlyWork(id)) return;
  const QString key = QString::number(id);
  // Journal positions join their price-list row; without it they would drop out of the
  // journal and the timesheets.
  if (DataModule6->LookupInteger(QStringLiteral("select count(*) as cnt from accounts_dep.smena where o_id=") + key,
                                 QStringLiteral("cnt")) > 0) {
    platform::MessageDlg(QStringLiteral("По операции есть позиции в журнале, удалить её нельзя!"),
                         QStringLiteral("Удаление"), platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  if (platform::MessageDlg(QStringLiteral("Удалить операцию?"), QStringLiteral("Удаление"),
                           platform::MsgIcon::Question, platform::mbYes | platform::mbNo) != platform::mrYes)
    return;
  // The row goes together with its norms.
  platform::TTransaction unit;
  DataModule6->SQL_exec->SetCommandText(QStringLiteral("delete from accounts_dep.norm where o_id=") + key);
  DataModule6->SQL_exec->Execute();
  DataModule6->Oper_del->ParamByName(QStringLiteral("id"))->Value = id;
  DataModule6->Oper_del->Execute();
  unit.Commit();
  q->Refresh(true);
}

void TForm4::Button4Click() { Close(platform::mrCancel); }

void TForm4::DBGrid1DblClick() {
  if (!CheckBox1->isChecked() || Tag != kList) {
    Button2Click();
    return;
  }
  TADOQuery* q = DataModule6->Oper;
  if (!q->Active() || q->IsEmpty()) return;
  Form22->OpenNorms(q->FieldByName(QStringLiteral("id")).AsLargeInt());
  Form22->ShowModal();
}

void TForm4::Button5Click() {
  TExcelExport& excel = SharedExcelExport();
  platform::TBusyCursor hourglass;
  // The button shows the progress; it is disabled meanwhile so that the export, which
  // lets the window answer between lines, is not started a second time.
  Button5->setEnabled(false);
  struct Restore {
    QPushButton* button;
    TADOQuery* query;
    ~Restore() {
      button->setText(QStringLiteral("Excel"));
      button->setEnabled(true);
      query->Close();
    }
  } restore{Button5, XLS_Rep};

  XLS_Rep->Close();
  XLS_Rep->Open();
  if (excel.OpenWorkbook(QString()) == -1) return;
  const QStringList titles{QStringLiteral("Марка"), QStringLiteral("Операция"), QStringLiteral("Цена"),
                           QStringLiteral("Вид")};
  for (int c = 0; c < titles.size(); ++c) excel.WriteCell(1, c + 1, 1, titles[c]);

  const int total = XLS_Rep->RecordCount();
  int row = 2;
  for (XLS_Rep->First(); !XLS_Rep->Eof(); XLS_Rep->Next(), ++row) {
    excel.WriteCell(1, 1, row, XLS_Rep->FieldByName(QStringLiteral("marka")).AsString());
    excel.WriteCell(1, 2, row, XLS_Rep->FieldByName(QStringLiteral("vid")).AsString());
    excel.WriteCell(1, 3, row, platform::FixedText(XLS_Rep->FieldByName(QStringLiteral("cena")).AsFloat(), 0, 6));
    excel.WriteCell(1, 4, row, KindText(XLS_Rep->FieldByName(QStringLiteral("naimen")).AsInteger()));
    Button5->setText(QStringLiteral("Excel (%1 из %2)").arg(row - 1).arg(total));
    QCoreApplication::processEvents();
  }
  excel.SetVisible(true);
}
