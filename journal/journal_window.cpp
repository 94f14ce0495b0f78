#include "journal/journal_window.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "app/forms.h"
#include "app/login_window.h"
#include "db/reserved_ids.h"
#include "db/sql_texts.h"
#include "journal/position_window.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "reference/nomenclature_groups_window.h"
#include "reference/operation_types_window.h"
#include "reference/price_list_window.h"
#include "reference/products_list_window.h"
#include "reference/workers_list_window.h"
#include "timesheet/hours_grid.h"

using platform::TADOQuery;

TForm1* Form1 = nullptr;

namespace {

// Enter in the date box re-reads the journal, like closing the calendar.
class EnterFilter : public QObject {
 public:
  EnterFilter(QObject* parent, std::function<void()> onEnter) : QObject(parent), onEnter_(std::move(onEnter)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        onEnter_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onEnter_;
};

bool IsWeekend(const QDate& d) { return d.dayOfWeek() >= 6; }

}  // namespace

TForm1::TForm1(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Табель"));
  ver = new TADOQuery(this, QStringLiteral("select ctid::text as row_id, d, t, delim from accounts_dep.ver limit 1"));
  updtOK = new platform::TADOCommand(this, sqltext::updtOK());
  CreateLayout();

  // Creation: the data module and the connection named on the command line, then
  // the login window, which is shown at once and checks the build.
  try {
    DataModule6 = new TDataModule6();
    const QStringList args{platform::ParamStr(1), platform::ParamStr(2)};
    DataModule6->ADO_DB.Close();
    DataModule6->ADO_DB.SetSettings(ConnectionFromCommandLine(args));
    DataModule6->ADO_DB.Open();
    Form23 = new TForm23();
    if (ShowLoginAtCreation()) Form23->show();
  } catch (const std::exception&) {
    platform::MessageDlg(QStringLiteral("Подключение к БД отсутсвует!!!"), QStringLiteral("Ошибка!"),
                         platform::MsgIcon::Error, platform::mbOK);
    platform::Terminate();
    close();
  }
  CurrentQuery = DataModule6 ? DataModule6->Smena1 : nullptr;
  if (DataModule6) ConfigureGrid();
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 4, 6, 6);

  MainMenu1 = new QMenuBar(this);
  MenuReference = MainMenu1->addMenu(QStringLiteral("Справочники"));
  MenuTimesheet = MainMenu1->addMenu(QStringLiteral("Табель"));
  MenuReports = MainMenu1->addMenu(QStringLiteral("Отчеты"));
  MenuExit = MainMenu1->addAction(QStringLiteral("Выход"));
  root->setMenuBar(MainMenu1);

  // The windows behind these items come with their own subsystems; until a window
  // exists its item stays disabled.
  MenuWorkers = MenuReference->addAction(QStringLiteral("Рабочие"));
  MenuProducts = MenuReference->addAction(QStringLiteral("Изделия"));
  MenuPrices = MenuReference->addAction(QStringLiteral("Цены"));
  MenuOperTypes = MenuReference->addAction(QStringLiteral("Операции"));
  MenuGroups = MenuReference->addAction(QStringLiteral("Ном. группы"));
  connect(MenuWorkers, &QAction::triggered, this, platform::Guarded(this, &TForm1::MenuWorkersClick));
  connect(MenuProducts, &QAction::triggered, this, platform::Guarded(this, &TForm1::MenuProductsClick));
  connect(MenuPrices, &QAction::triggered, this, platform::Guarded(this, &TForm1::MenuPricesClick));
  connect(MenuOperTypes, &QAction::triggered, this, platform::Guarded(this, &TForm1::MenuOperTypesClick));
  connect(MenuGroups, &QAction::triggered, this, platform::Guarded(this, &TForm1::MenuGroupsClick));
  MenuTimesheet->addAction(QStringLiteral("Табель сделка"))->setEnabled(false);
  MenuTimesheet->addAction(QStringLiteral("Табель по сменам"))->setEnabled(false);
  QMenu* maint = MenuTimesheet->addMenu(QStringLiteral("Табель хоз. работ"));
  maint->addAction(QStringLiteral("По людям"))->setEnabled(false);
  maint->addAction(QStringLiteral("По номенклатуре"))->setEnabled(false);
  QMenu* avg = MenuTimesheet->addMenu(QStringLiteral("Табель ср. сдельная"));
  avg->addAction(QStringLiteral("По людям"))->setEnabled(false);
  avg->addAction(QStringLiteral("По номенклатуре"))->setEnabled(false);
  MenuTimesheet->addAction(QStringLiteral("Общий табель"))->setEnabled(false);
  MenuTimesheet->addAction(QStringLiteral("Общий табель ЗП"))->setEnabled(false);
  MenuReports->addAction(QStringLiteral("Сводные отчеты"))->setEnabled(false);
  connect(MenuExit, &QAction::triggered, this, platform::Guarded(this, &TForm1::Button4Click));

  auto* top = new QHBoxLayout();
  RadioButton1 = new QRadioButton(QStringLiteral("Смена №1"), this);
  RadioButton2 = new QRadioButton(QStringLiteral("Смена №2"), this);
  RadioButton3 = new QRadioButton(QStringLiteral("Смена №3"), this);
  RadioButton4 = new QRadioButton(QStringLiteral("Переработка"), this);
  RadioButton1->setChecked(true);
  int shift = 1;
  for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3, RadioButton4}) {
    b->setAutoFillBackground(true);
    b->setMinimumWidth(110);
    top->addWidget(b);
    connect(b, &QRadioButton::toggled, this, [this, shift](bool on) {
      if (on) platform::RunGuarded([this, shift] { ShiftClick(shift); });
    });
    ++shift;
  }
  top->addSpacing(16);
  CBox1 = new QCheckBox(QStringLiteral("Выходной"), this);
  CBox1->setAutoFillBackground(true);
  connect(CBox1, &QCheckBox::toggled, this, platform::Guarded(this, &TForm1::CBox1Click));
  top->addWidget(CBox1);
  top->addSpacing(16);
  DateT = new QDateEdit(QDate::currentDate(), this);
  DateT->setCalendarPopup(true);
  DateT->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  DateT->setMinimumWidth(120);
  // Choosing a day in the calendar closes it; the journal is re-read after that.
  connect(DateT->calendarWidget(), &QCalendarWidget::clicked, this,
          [this] { QMetaObject::invokeMethod(this, [this] { platform::RunGuarded([this] { DateTCloseUp(); }); },
                                             Qt::QueuedConnection); });
  DateT->installEventFilter(new EnterFilter(this, [this] { platform::RunGuarded([this] { DateTCloseUp(); }); }));
  top->addWidget(DateT);
  top->addStretch(1);
  root->addLayout(top);

  DBGrid2 = new platform::TDBGrid(this);
  connect(DBGrid2, &platform::TDBGrid::DblClick, this, platform::Guarded(this, &TForm1::DBGrid2DblClick));
  root->addWidget(DBGrid2, 1);

  auto* bottom = new QHBoxLayout();
  Button1 = platform::AddButton(bottom, this, QStringLiteral("Добавить"), &TForm1::Button1Click);
  Button2 = platform::AddButton(bottom, this, QStringLiteral("Изменить"), &TForm1::Button2Click);
  Button3 = platform::AddButton(bottom, this, QStringLiteral("Удалить"), &TForm1::Button3Click);
  bottom->addSpacing(16);
  Button6 = platform::AddButton(bottom, this, QStringLiteral("Покраска"), &TForm1::Button6Click);
  Button7 = platform::AddButton(bottom, this, QStringLiteral("Бригада"), &TForm1::Button7Click);
  bottom->addStretch(1);
  Button8 = platform::AddButton(bottom, this, QStringLiteral("Обновить"), &TForm1::Button8Click);
  Button5 = platform::AddButton(bottom, this, QStringLiteral("Ср.сд./хоз. работы"), &TForm1::Button5Click);
  Button4 = platform::AddButton(bottom, this, QStringLiteral("Выход"), &TForm1::Button4Click);
  root->addLayout(bottom);

  PopupMenu1 = new QMenu(this);
  Copy1 = PopupMenu1->addAction(QStringLiteral("Копия"));
  connect(Copy1, &QAction::triggered, this, platform::Guarded(this, &TForm1::Copy1Click));
  Button1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Button1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { PopupMenu1->exec(Button1->mapToGlobal(p)); });

  // Their windows come with the distribution and hours subsystems.
  for (QPushButton* b : {Button5, Button6, Button7}) b->setEnabled(false);

  PaintShiftButtons();
  MarkDayOff(false);
  resize(1260, 660);
}

void TForm1::ConfigureGrid() {
  const Qt::Alignment center = Qt::AlignCenter;
  const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
  DBGrid2->SetColumns({
      {"fio", QStringLiteral("Фамилия И.О."), 200},
      {"marka", QStringLiteral("Марка изделия"), 220},
      {"vid", QStringLiteral("Операция"), 190},
      {"nmn", QStringLiteral("Вид"), 130},
      {"color", QStringLiteral("Цвет"), 50, center},
      {"time", QStringLiteral("Часы"), 50, right},
      {"kol_vo", QStringLiteral("Кол-во"), 70, right},
      {"brak", QStringLiteral("Брак"), 50, right},
      {"summa", QStringLiteral("Итого (р.)"), 90, right, true, 2},
      {"prize", QStringLiteral("Премия (%)"), 70, right, false},
      {"ok", QStringLiteral("OK"), 40, center},
      {"vvod", QStringLiteral("Заведен"), 85, center},
  });
  DBGrid2->SetOnDrawColumnCell([this](const QString& field, int recNo, platform::TCellStyle& style) {
    if (field != QLatin1String("ok") || !DBGrid2->DataSet()) return;
    const bool accepted = IsAccepted(DBGrid2->DataSet()->FieldAt(recNo, QStringLiteral("ok")).AsString());
    style.bold = true;
    style.foreground = accepted ? AcceptedColor() : RejectedColor();
  });
  DBGrid2->SetDataSet(DataModule6->Smena1);
}

bool TForm1::IsAccepted(const QString& ok) {
  return ok == QLatin1String("ok") || ok == QStringLiteral("да");
}

QDate TForm1::JournalDate() const { return DateT->date(); }

TADOQuery* TForm1::ShiftQuery() const { return DataModule6->JournalQuery(Shift); }

void TForm1::OpenJournal() {
  for (int s = 1; s <= 4; ++s) {
    TADOQuery* q = DataModule6->JournalQuery(s);
    q->Close();
    q->ParamByName(QStringLiteral("data"))->Value = JournalDate();
    q->Open();
  }
}

void TForm1::FormActivate() {
  DateT->setDate(QDate::currentDate());
  if (IsWeekend(QDate::currentDate())) CBox1->setChecked(true);
  for (int s = 1; s <= 4; ++s) {
    DataModule6->JournalQuery(s)->Close();
    DataModule6->JournalQuery(s)->SetFiltered(false);
  }
  OpenJournal();
}

void TForm1::DateTCloseUp() {
  {
    platform::TBusyCursor busy;
    OpenJournal();
    CBox1->setChecked(IsWeekend(JournalDate()));
  }
  DBGrid2->setFocus();
}

void TForm1::ShiftClick(int shift) {
  Shift = shift;
  DBGrid2->SetDataSet(DataModule6 ? DataModule6->JournalQuery(shift) : nullptr);
  PaintShiftButtons();
}

void TForm1::PaintShiftButtons() {
  const QRadioButton* chosen[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4};
  for (int i = 0; i < 4; ++i) {
    QRadioButton* b = const_cast<QRadioButton*>(chosen[i]);
    const bool on = Shift == i + 1;
    QPalette pal = palette();
    if (on) {
      pal.setColor(QPalette::Window, AcceptedColor());
      pal.setColor(QPalette::WindowText, Qt::white);
    }
    b->setPalette(pal);
    QFont f = font();
    f.setBold(on);
    b->setFont(f);
    // The style sheet paints the fill on every platform style; the palette tells the colour.
    b->setStyleSheet(on ? QStringLiteral("QRadioButton { background-color: rgb(0,128,0); color: white; }")
                        : QString());
  }
}

void TForm1::CBox1Click() { MarkDayOff(CBox1->isChecked()); }

void TForm1::MarkDayOff(bool dayOff) {
  QPalette pal = palette();
  if (dayOff) pal.setColor(QPalette::Window, RejectedColor());
  CBox1->setPalette(pal);
  QFont f = font();
  f.setBold(dayOff);
  CBox1->setFont(f);
  CBox1->setStyleSheet(dayOff ? QStringLiteral("QCheckBox { background-color: rgb(255,0,0); }") : QString());
}

void TForm1::Button8Click() {
  platform::TBusyCursor busy;
  for (int s = 1; s <= 4; ++s) DataModule6->JournalQuery(s)->Close();
  for (int s = 1; s <= 4; ++s) DataModule6->JournalQuery(s)->Open();
}

void TForm1::DBGrid2DblClick() {
  if (RoleForPassword(Password) == Role::Foreman) return;
  CurrentQuery = ShiftQuery();
  if (CurrentQuery->IsEmpty()) return;
  const QString ok = CurrentQuery->FieldByName(QStringLiteral("ok")).AsString();
  updtOK->ParamByName(QStringLiteral("ok"))->Value =
      (ok != QStringLiteral("да") && ok != QLatin1String("ok")) ? QStringLiteral("ok") : QStringLiteral("no");
  updtOK->ParamByName(QStringLiteral("id"))->Value = CurrentQuery->FieldByName(QStringLiteral("id")).AsLargeInt();
  updtOK->Execute();
  CurrentQuery->Refresh();
}

void TForm1::Button1Click() {
  CurrentQuery = ShiftQuery();
  Form11->DTimeP->setDate(JournalDate());
  for (QLineEdit* e : {Form11->Edit1, Form11->Edit2, Form11->Edit3, Form11->Edit5}) e->clear();
  // The price displays of the previous position would otherwise stay on show.
  for (QLineEdit* e : {Form11->Edit7, Form11->Edit8, Form11->Edit9}) e->clear();
  Form11->Edit4->setText(QStringLiteral("0"));
  Form11->Edit6->setText(QStringLiteral("0"));
  Form11->person->Close();
  Form11->setWindowTitle(QStringLiteral("Заведение новой позиции (11)"));
  Form11->Tag = TForm11::kNew;
  Form11->pos_id = 0;
  Form11->ShowModal();
}

void TForm1::Button2Click() {
  CurrentQuery = ShiftQuery();
  const int recNo = CurrentQuery->RecNo();
  if (CurrentQuery->IsEmpty()) return;
  const auto field = [this](const char* name) { return CurrentQuery->FieldByName(QLatin1String(name)); };
  const int o_id = field("o_id").AsInteger();
  if (o_id == reserved::kAuxiliary || o_id == reserved::kPainting) return;

  Form11->setWindowTitle(QStringLiteral("Изменение данных о позиции (11)"));
  if (Form11->Tag != TForm11::kCopy) Form11->Tag = TForm11::kChange;
  Form11->pos_cena = field("cena").AsFloat();
  Form11->Edit7->setText(TForm11::DisplayNumber(Form11->pos_cena));
  Form11->Edit9->setText(TForm11::DisplayNumber(field("kol_vo").AsFloat() * Form11->pos_cena));
  Form11->Edit8->clear();
  Form11->DTimeP->setDate(field("data").AsDate());
  Form11->Edit1->setText(field("fio").AsString().trimmed());
  const QString vid = field("vid").AsString().trimmed();
  Form11->Edit2->setText(field("marka").AsString().trimmed() + QStringLiteral("; ") + vid + QStringLiteral("; ") +
                         (field("naimen").AsInteger() == 0 ? QStringLiteral("Готовая продукция")
                                                            : QStringLiteral("Заготовки")));
  Form11->Edit3->setText(field("kol_vo").AsString().trimmed());
  Form11->Edit4->setText(field("brak").AsString().trimmed());
  Form11->pos_w_id = field("w_id").AsLargeInt();
  Form11->pos_i_id = field("i_id").AsLargeInt();
  Form11->pos_o_id = o_id;
  Form11->Edit6->setText(QString::number(field("time").AsInteger()));
  // The price list stays closed: its base price is shown once an operation is chosen.
  DataModule6->Oper->Close();
  Form11->SetUpColour(vid);
  if (TForm11::IsPainting(vid)) Form11->Edit5->setText(field("color").AsString().trimmed());
  Form11->ShowModal();
  CurrentQuery->SetRecNo(recNo);
}

void TForm1::Copy1Click() {
  Form11->Tag = TForm11::kCopy;
  Button2Click();
  Form11->Tag = 0;
}

void TForm1::Button3Click() {
  const QDate date = JournalDate();
  TADOQuery* q = ShiftQuery();
  if (!q->Active() || q->IsEmpty() || q->FieldByName(QStringLiteral("id")).IsNull()) return;
  const int answer = platform::MessageDlg(QStringLiteral("Удалить позицию из списка?"), QStringLiteral("Удаление"),
                                          platform::MsgIcon::Question, platform::mbYes | platform::mbNo);
  if (answer != platform::mrYes) {
    q->Requery();
    return;
  }
  const qlonglong w_id = q->FieldByName(QStringLiteral("w_id")).AsLargeInt();
  const qlonglong id = q->FieldByName(QStringLiteral("id")).AsLargeInt();
  DataModule6->DelSmena->SetCommandText(QStringLiteral("delete from accounts_dep.smena where id=%1").arg(id));
  DataModule6->DelSmena->Execute();
  q->Requery();
  hoursgrid::ShiftCellDelete(w_id, Shift, date);
}

void TForm1::Button4Click() { Close(platform::mrCancel); }

void TForm1::Button5Click() {
  // Opens the day list of maintenance and average-piecework hours once it exists.
}

void TForm1::Button6Click() {
  // Opens the painting distribution once it exists.
}

void TForm1::Button7Click() {
  // Opens the brigade distribution once it exists.
}

void TForm1::BrowseReference(platform::TForm* list, QPushButton* editButton, QPushButton* addButton,
                             QPushButton* deleteButton, TADOQuery* query) {
  list->Tag = 0;
  query->Open();
  editButton->setText(QStringLiteral("Изменить"));
  editButton->setDefault(false);
  addButton->setVisible(true);
  deleteButton->setVisible(true);
  list->ShowModal();
  query->Close();
}

void TForm1::MenuWorkersClick() {
  BrowseReference(Form5, Form5->Button2, Form5->Button1, Form5->Button3, DataModule6->Workers);
}

void TForm1::MenuProductsClick() {
  BrowseReference(Form3, Form3->Button2, Form3->Button1, Form3->Button3, DataModule6->Izdel);
}

void TForm1::MenuPricesClick() {
  BrowseReference(Form4, Form4->Button2, Form4->Button1, Form4->Button3, DataModule6->Oper);
}

void TForm1::MenuOperTypesClick() {
  DataModule6->Vid_oper->SetFiltered(false);
  BrowseReference(Form8, Form8->Button2, Form8->Button1, Form8->Button3, DataModule6->Vid_oper);
}

void TForm1::MenuGroupsClick() {
  BrowseReference(Form26, Form26->Button3, Form26->Button2, Form26->Button1, Form26->item);
}
