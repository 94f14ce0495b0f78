#pragma once
// TForm3: the list of products with a search box, where products are added, changed and
// deleted; opened with Tag 1 it is the product picker of the price-list row window.
#include <QDate>

#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QLineEdit;
class QPushButton;

class TForm3 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* parent = nullptr);
  ~TForm3() override;

  // Controls.
  platform::TDBGrid* DBGrid1;  // over DataModule6->Izdel
  QLineEdit* Edit1;            // search by the start of the mark
  QPushButton* Button1;        // "Добавить"
  QPushButton* Button2;        // "Изменить" / "Выбрать", caption set by the opener
  QPushButton* Button3;        // "Удалить"
  QPushButton* Button4;        // "Выход"

  // Counts asked before a product is deleted: its journal positions from a date on,
  // and its price-list rows.
  platform::TADOQuery* Izdel_Smena;
  platform::TADOQuery* ii_oper;

  // Handlers.
  void FormActivate() override;
  void Edit1Change();
  bool Edit1KeyDown(int key);  // true when the key is consumed
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void DBGrid1DblClick();

  // The date from which a product's journal positions are counted before its deletion:
  // the first of the month before today's month in the year 2000 (December for January).
  static QDate JournalCountFrom(const QDate& today);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateLayout();
};

extern TForm3* Form3;
