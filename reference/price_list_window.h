#pragma once
// TForm4: the operation price list with its lowest norm prices; rows are added, changed,
// deleted, their norms opened and the list exported; opened with Tag 1 it is the
// operation chooser of the position window, applying the day-off and shift factors.
#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QShowEvent;

class TForm4 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);
  ~TForm4() override;

  // Modes the opener sets through Tag.
  enum Mode { kList = 0, kChoose = 1 };

  // Controls.
  platform::TDBGrid* DBGrid1;  // over DataModule6->Oper
  QPushButton* Button1;        // "Добавить"
  QPushButton* Button2;        // "Изменить", or "Выбрать" when the list is a chooser
  QPushButton* Button3;        // "Удалить"
  QPushButton* Button5;        // "Excel"
  QCheckBox* CheckBox1;        // "Цены": a double click opens the norms of the row
  QLineEdit* Edit1;            // search by mark
  QPushButton* Button4;        // "Выход"

  // Every price-list row with its own price, for the export.
  platform::TADOQuery* XLS_Rep;

  // Handlers.
  void FormActivate() override;
  void Edit1Change();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void DBGrid1DblClick();

  // The piece price of a position from a row's lowest norm price: doubled on a day off,
  // then raised by 1.2 in the night shift (3) or by 1.5 in overtime (4).
  static double PriceWithFactors(double cena, bool dayOff, int shift);

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc and the window's close box act as "Выход".
  void reject() override;

 private:
  void CreateLayout();
  void ChooseRow();
  void ChangeRow();
};

extern TForm4* Form4;
