#pragma once
// TForm10: creates a row of the operation price list or re-keys one (product, operation
// type, kind), with the product and operation-type pickers and the duplicate check.
#include "platform/form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

class TForm10 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm10(QWidget* parent = nullptr);
  ~TForm10() override;

  // Modes the opener sets through Tag.
  enum Mode { kNew = 1, kChange = 2 };

  // Controls.
  QGroupBox* GroupBox1;    // "Цена операции"
  QLineEdit* Edit1;        // "Марка изделия", read-only; filled by the product picker
  QPushButton* Button3;    // "..." choose the product
  QLineEdit* Edit2;        // "Операция", read-only; filled by the operation-type picker
  QPushButton* Button4;    // "..." choose the operation type
  QComboBox* ComboBox1;    // "Вид": "Готовая продукция" (0), "Заготовки" (1)
  QLabel* Label3;          // "min Цена"
  QLineEdit* Edit3;        // the price of a new row's first norm (shown for a new row only)
  QPushButton* Button1;    // "Записать"
  QPushButton* Button2;    // "Отмена"

  qlonglong sel_i_id = 0;      // the chosen product
  qlonglong sel_oper_vid = 0;  // the chosen operation type

  // Handlers.
  void FormActivate() override;
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc and the window's close box act as "Отмена".
  void reject() override;

 private:
  void CreateLayout();
  // The price field belongs to a new row only.
  void ShowPriceField();
  // Checks the first norm's price; on success *sqlNumber holds it as a number for SQL.
  bool PriceForSql(QString* sqlNumber);
};

extern TForm10* Form10;
