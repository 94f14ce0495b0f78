#include "journal/position_window.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/edit_keys.h"
#include "platform/number_text.h"
#include "platform/sql_quote.h"
#include "reference/price_list_window.h"
#include "reference/workers_list_window.h"
#include "timesheet/hours_grid.h"

TForm11* Form11 = nullptr;

namespace {

// Largest values the journal's columns hold: defects are a smallint, quantity, colour
// and hours are read back as integers everywhere.
constexpr qulonglong kMaxInteger = std::numeric_limits<qint32>::max();
constexpr qulonglong kMaxDefects = std::numeric_limits<qint16>::max();
// Hours of one position: a shift's hours cannot exceed a day's.
constexpr qulonglong kMaxHours = 24;

// Runs a handler on a mouse click or on losing the focus of a box.
class EventHook : public QObject {
 public:
  EventHook(QObject* watched, QEvent::Type type, std::function<void()> handler)
      : QObject(watched), type_(type), handler_(std::move(handler)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_) {
      auto* box = qobject_cast<QWidget*>(watched);
      if (box && box->isEnabled()) QMetaObject::invokeMethod(this, [this] { platform::RunGuarded(handler_); },
                                                             Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QEvent::Type type_;
  std::function<void()> handler_;
};

bool ShowError(const QString& text) {
  platform::MessageDlg(text, QStringLiteral("Ошибка"), platform::MsgIcon::Error, platform::mbOK);
  return false;
}

// A whole number typed into a digit-only box; false when it is too long for any column.
bool ReadCount(const QLineEdit* box, qulonglong* value) {
  bool ok = false;
  *value = box->text().trimmed().toULongLong(&ok);
  return ok;
}

}  // namespace

QString TForm11::DisplayNumber(double value) {
  const QString point = QLocale().decimalPoint();
  return platform::FixedText(value, 0, 4, point.isEmpty() ? QLatin1Char('.') : point.at(0));
}

QString TForm11::PriceText(double price) { return platform::FixedText(price, 0, 4); }

TForm11::TForm11(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Заведение новой позиции (11)"));
  ins_smena = new platform::TADOQuery(this);
  SmenaIU = new platform::TADOCommand(this);
  person = new platform::TADOQuery(
      this, QStringLiteral("select pt.id as pt_id, pt.f_time, pt.f_time*pt.f_count as f_count,  p.* from "
                           "accounts_dep.person p, accounts_dep.person_temp pt where p.id=pt.id_person and "
                           "pt.id_smena =:s_id"));
  ins_person = new platform::TADOCommand(this);
  CreateLayout();
}

TForm11::~TForm11() {
  if (Form11 == this) Form11 = nullptr;
}

void TForm11::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 8, 8, 8);

  GroupBox1 = new QGroupBox(QStringLiteral("Закрыто мастером"), this);
  auto* g = new QGridLayout(GroupBox1);
  auto label = [this](const QString& text) { return new QLabel(text, this); };
  auto box = [this](bool readOnly) {
    auto* e = new QLineEdit(this);
    e->setReadOnly(readOnly);
    return e;
  };

  Edit1 = box(true);
  Edit1->setFocusPolicy(Qt::ClickFocus);
  Button3 = new QPushButton(QStringLiteral("..."), this);
  Edit2 = box(true);
  Edit2->setFocusPolicy(Qt::ClickFocus);
  Button4 = new QPushButton(QStringLiteral("..."), this);
  for (QPushButton* b : {Button3, Button4}) {
    b->setAutoDefault(false);
    b->setFixedWidth(32);
  }
  connect(Button3, &QPushButton::clicked, this, platform::Guarded(this, &TForm11::Button3Click));
  connect(Button4, &QPushButton::clicked, this, platform::Guarded(this, &TForm11::Button4Click));
  new EventHook(Edit1, QEvent::MouseButtonPress, [this] { Button3Click(); });
  new EventHook(Edit2, QEvent::MouseButtonPress, [this] { Button4Click(); });

  Edit3 = box(false);
  Edit6 = box(false);
  Edit5 = box(false);
  Edit4 = box(false);
  for (QLineEdit* e : {Edit3, Edit4, Edit5, Edit6}) {
    platform::DigitsOnly(e);
    e->setMaxLength(10);
    e->setAlignment(Qt::AlignRight);
  }
  new EventHook(Edit3, QEvent::FocusOut, [this] { Edit3Exit(); });
  new EventHook(Edit6, QEvent::FocusOut, [this] { Edit6Exit(); });
  Label6 = label(QStringLiteral("Цвет"));
  DTimeP = new QDateEdit(QDate::currentDate(), this);
  DTimeP->setCalendarPopup(true);
  DTimeP->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  Edit8 = box(true);
  Edit7 = box(true);
  Edit9 = box(true);
  for (QLineEdit* e : {Edit7, Edit8, Edit9}) {
    e->setFocusPolicy(Qt::NoFocus);
    e->setAlignment(Qt::AlignRight);
  }

  g->addWidget(label(QStringLiteral("ФИО")), 0, 0);
  g->addWidget(Edit1, 0, 1, 1, 4);
  g->addWidget(Button3, 0, 5);
  g->addWidget(label(QStringLiteral("Операция")), 1, 0);
  g->addWidget(Edit2, 1, 1, 1, 4);
  g->addWidget(Button4, 1, 5);
  g->addWidget(label(QStringLiteral("Кол-во")), 2, 0);
  g->addWidget(Edit3, 2, 1);
  g->addWidget(label(QStringLiteral("Время")), 2, 2);
  g->addWidget(Edit6, 2, 3);
  g->addWidget(Label6, 3, 2);
  g->addWidget(Edit5, 3, 3);
  g->addWidget(label(QStringLiteral("Дата")), 4, 0);
  g->addWidget(DTimeP, 4, 1);
  g->addWidget(label(QStringLiteral("Брак")), 3, 0);
  g->addWidget(Edit4, 3, 1);
  g->addWidget(label(QStringLiteral("Цена база")), 5, 0);
  g->addWidget(Edit8, 5, 1);
  g->addWidget(label(QStringLiteral("Цена итог")), 5, 2);
  g->addWidget(Edit7, 5, 3);
  g->addWidget(label(QStringLiteral("Сумма")), 6, 2);
  g->addWidget(Edit9, 6, 3);
  g->setColumnStretch(1, 1);
  g->setColumnStretch(3, 1);
  g->setColumnStretch(4, 1);
  root->addWidget(GroupBox1);

  auto* panel = new QGroupBox(this);
  auto* p = new QGridLayout(panel);
  CheckBox1 = new QCheckBox(QStringLiteral("Подсобные рабочие"), this);
  DBGrid1 = new platform::TDBGrid(this);
  DBGrid1->SetColumns({
      {"fio", QStringLiteral("ФИО"), 170},
      {"s_staffpos_hl", QStringLiteral("Должность"), 120},
      {"f_time", QStringLiteral("Время (ч.)"), 80, Qt::AlignRight | Qt::AlignVCenter},
      {"f_count", QStringLiteral("Сумма (р.)"), 90, Qt::AlignRight | Qt::AlignVCenter, true, 2},
  });
  DBGrid1->SetDataSet(person);
  DBGrid1->setMinimumHeight(120);
  Button5 = new QPushButton(QStringLiteral("Добавить"), this);
  Button7 = new QPushButton(QStringLiteral("Удалить"), this);
  Button6 = new QPushButton(QStringLiteral("Сохранить"), this);
  for (QPushButton* b : {Button5, Button7, Button6}) b->setAutoDefault(false);
  p->addWidget(CheckBox1, 0, 0, 1, 3);
  p->addWidget(DBGrid1, 1, 0, 1, 3);
  p->addWidget(Button5, 2, 0);
  p->addWidget(Button7, 2, 1);
  p->addWidget(Button6, 2, 2);
  root->addWidget(panel, 1);

  auto* bar = new QHBoxLayout();
  Button1 = platform::AddButton(bar, this, QStringLiteral("Запись"), &TForm11::Button1Click, true);
  Button8 = platform::AddButton(bar, this, QStringLiteral("Новый"), &TForm11::Button8Click);
  bar->addStretch(1);
  Button2 = platform::AddButton(bar, this, QStringLiteral("Выход"), &TForm11::Button2Click);
  root->addLayout(bar);

  setTabOrder(Button3, Button4);
  setTabOrder(Button4, Edit3);
  setTabOrder(Edit3, Edit6);
  setTabOrder(Edit6, Edit5);
  setTabOrder(Edit5, DTimeP);
  setTabOrder(DTimeP, Edit4);

  setFixedSize(560, 520);
}

void TForm11::showEvent(QShowEvent* event) {
  // Centred on the main window.
  if (Form1 && Form1->isVisible()) move(Form1->frameGeometry().center() - rect().center());
  TForm::showEvent(event);
}

void TForm11::FormActivate() {
  Lock(false);
  PreparePanel();
  Button3->setFocus();
}

void TForm11::Lock(bool locked) {
  for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9,
                                                    DTimeP, Button1, Button3, Button4})
    w->setEnabled(!locked);
}

void TForm11::PreparePanel() {
  for (QWidget* w : std::initializer_list<QWidget*>{DBGrid1, CheckBox1, Button5, Button6, Button7})
    w->setEnabled(false);
  CheckBox1->setChecked(false);
}

bool TForm11::IsPainting(const QString& operationText) {
  return operationText.trimmed().toUpper().contains(QStringLiteral("КРАСКА"));
}

void TForm11::SetUpColour(const QString& operationText) {
  const bool painting = IsPainting(operationText);
  if (!painting) Edit5->clear();
  Edit5->setEnabled(painting);
  Label6->setEnabled(painting);
}

void TForm11::Edit3Exit() { PriceDisplays(); }

void TForm11::Edit6Exit() { PriceDisplays(); }

void TForm11::PriceDisplays() {
  if (Edit6->text().isEmpty()) Edit6->setText(QStringLiteral("0"));
  if (Edit3->text().isEmpty()) Edit3->setText(QStringLiteral("0"));
  Edit7->setText(DisplayNumber(pos_cena));
  TADOQuery* oper = DataModule6->Oper;
  const double base = oper->Active() && !oper->IsEmpty() ? oper->FieldByName(QStringLiteral("cena")).AsFloat() : 0;
  Edit8->setText(DisplayNumber(base));
  Edit9->setText(DisplayNumber(Edit3->text().trimmed().toDouble() * pos_cena));
}

void TForm11::Button3Click() {
  DataModule6->Workers->Open();
  platform::ShowAsPicker(Form5, Form5->Button2, {Form5->Button3, Form5->Button1}, Form5->Edit1);
  DataModule6->Workers->Close();
}

void TForm11::Button4Click() {
  TADOQuery* oper = DataModule6->Oper;
  oper->Open();
  TADOQuery* journal = Form1->CurrentQuery;
  if (Tag == kNew || !journal || !journal->Active() || journal->IsEmpty())
    oper->First();
  else
    oper->Locate(QStringLiteral("id"), journal->FieldByName(QStringLiteral("o_id")).AsLargeInt());
  platform::ShowAsPicker(Form4, Form4->Button2, {Form4->Button1, Form4->Button3}, Form4->Edit1);
  Form4->Button2->setDefault(false);
  oper->SetFiltered(false);
  // Switching the filter off moves to the first row; the base price shown is that of the
  // operation of the position.
  if (pos_o_id != 0) oper->Locate(QStringLiteral("id"), pos_o_id);
  SetUpColour(Edit2->text());
  PriceDisplays();
}

bool TForm11::CheckFields() {
  const bool painting = IsPainting(Edit2->text());
  for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6}) {
    if (e == Edit5 && !painting) continue;
    if (e->text().trimmed().isEmpty()) return ShowError(QStringLiteral("Все поля должны быть заполнены!"));
  }
  // Values the journal cannot hold, or that would make its sums wrong, are refused
  // before anything is written.
  qulonglong quantity = 0, defects = 0, hours = 0, colour = 0;
  if (!ReadCount(Edit3, &quantity) || quantity > kMaxInteger)
    return ShowError(QStringLiteral("Количество не может быть больше %1!").arg(kMaxInteger));
  if (!ReadCount(Edit4, &defects) || defects > quantity)
    return ShowError(QStringLiteral("Брак не может быть больше количества!"));
  if (defects > kMaxDefects) return ShowError(QStringLiteral("Брак не может быть больше %1!").arg(kMaxDefects));
  if (painting && (!ReadCount(Edit5, &colour) || colour > kMaxInteger))
    return ShowError(QStringLiteral("Код цвета не может быть больше %1!").arg(kMaxInteger));
  if (!ReadCount(Edit6, &hours) || hours > kMaxHours)
    return ShowError(QStringLiteral("Время не может быть больше %1 ч.!").arg(kMaxHours));
  return true;
}

void TForm11::Button1Click() {
  if (!CheckFields()) return;
  const QString cena = PriceText(pos_cena);
  const QString colourText = Edit5->text().trimmed();
  pos_color = colourText.isEmpty() ? 0 : colourText.toInt();

  const int shift = Form1->Shift;
  TADOQuery* journal = DataModule6->JournalQuery(shift);
  const QDate date = DTimeP->date();
  const QString dateText = platform::QuotedStr(platform::DateText(date));
  const QString today = platform::QuotedStr(platform::DateText(QDate::currentDate()));
  const QString kolVo = Edit3->text().trimmed();
  const QString brak = Edit4->text().trimmed();
  const QString time = Edit6->text().trimmed();
  const QString sameKey = QStringLiteral(
                              "select count(id) as cnt from accounts_dep.SMENA where w_id=%1 and o_id=%2 and i_id=%3 "
                              "and data=to_date(%4, 'DD.MM.YYYY') and smena=%5")
                              .arg(pos_w_id)
                              .arg(pos_o_id)
                              .arg(pos_i_id)
                              .arg(dateText)
                              .arg(shift);
  const QString duplicate = QStringLiteral("Позиция с такими параметрами уже заведена!");
  // The insert and the update write the same values in the places %1 to %11.
  const auto WithValues = [&](const QString& statement) {
    return statement.arg(pos_w_id)
        .arg(pos_i_id)
        .arg(pos_o_id)
        .arg(cena, kolVo, brak, dateText)
        .arg(shift)
        .arg(pos_color)
        .arg(time, today);
  };
  // The day the changed position leaves, when its worker, date or shift changes.
  qlonglong oldWorker = 0;
  int oldShift = 0;
  QDate oldDate;

  if (Tag == kNew || Tag == kCopy) {
    if (DataModule6->CheckExists(sameKey + QStringLiteral(" and color=%1").arg(pos_color), duplicate)) return;
    ins_smena->Close();
    ins_smena->ClearSQL();
    ins_smena->AddSQL(WithValues(
        QStringLiteral("insert into accounts_dep.SMENA(w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, time, "
                       "vvod,ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, id_cons_use) values(%1, %2, "
                       "%3, %4,%5, %6, to_date(%7, 'DD.MM.YYYY HH24:MI:SS'), %8, %9, %10, %11, 'no', 0, 0, 0, 0, "
                       "0, 0) returning id as cur_id")));
    ins_smena->Open();
    pos_id = ins_smena->FieldByName(QStringLiteral("cur_id")).AsLargeInt();
    ins_smena->Close();
  } else {
    const QString id = journal->FieldByName(QStringLiteral("id")).AsString();
    if (DataModule6->CheckExists(sameKey + QStringLiteral(" and id<>%1 and color=%2").arg(id).arg(pos_color),
                                 duplicate))
      return;
    SmenaIU->SetCommandText(
        WithValues(QStringLiteral("update accounts_dep.SMENA set w_id=%1, i_id=%2, o_id=%3, cena=%4, kol_vo=%5, brak=%6, "
                       "data=to_date(%7, 'DD.MM.YYYY'), smena=%8, color=%9, time=%10, vvod=%11, prize=0, id_doc=0, "
                       "id_doc_item=0, f_gds_qty_use=0, id_gds_use=0, id_cons_use=0 where id=%12"))
            .arg(id));
    oldWorker = journal->FieldByName(QStringLiteral("w_id")).AsLargeInt();
    oldShift = journal->FieldByName(QStringLiteral("smena")).AsInteger();
    oldDate = journal->FieldByName(QStringLiteral("data")).AsDate();
    SmenaIU->Execute();
  }

  journal->Refresh();
  for (TADOQuery* q : {DataModule6->H_Tabel_1, DataModule6->H_Tabel_2, DataModule6->H_Tabel_3}) q->Close();
  hoursgrid::ShiftCellSave(pos_w_id, shift, date);
  // The hours the position took away from its old worker, date or shift leave that day too.
  if (oldWorker != 0 && (oldWorker != pos_w_id || oldShift != shift || oldDate != date))
    hoursgrid::ShiftCellDelete(oldWorker, oldShift, oldDate);

  Lock(true);
  person->Close();
  person->ParamByName(QStringLiteral("s_id"))->Value = pos_id;
  person->Open();
  DBGrid1->setEnabled(true);
  CheckBox1->setEnabled(true);
}

void TForm11::Button8Click() {
  Edit1->clear();
  Edit2->clear();
  Edit3->clear();
  Edit5->clear();
  Edit4->setText(QStringLiteral("0"));
  Edit6->setText(QStringLiteral("0"));
  person->Close();
  setWindowTitle(QStringLiteral("Заведение новой позиции (11)"));
  Tag = kNew;
  pos_w_id = pos_o_id = pos_i_id = pos_id = 0;
  pos_color = 0;
  aux_w_id = 0;
  aux_hours = aux_rate = 0;
  pos_cena = 0;
  Lock(false);
  PreparePanel();
  Button3->setFocus();
}

void TForm11::Button2Click() { Close(platform::mrCancel); }
