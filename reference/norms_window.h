#pragma once
// TForm22: the norms of one price-list row (output norm, piece price, bonus), edited in
// place; the last norm of a row cannot be deleted.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;
class QTableView;

class TForm22 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm22(QWidget* parent = nullptr);
  ~TForm22() override;

  // The norms of one row, sorted by norma; the opener sets which row.
  platform::TADOQuery* norm;
  QTableView* DBGrid1;
  QPushButton* Button1;  // "Сохранить"
  QPushButton* Button2;  // "Удалить"

  bool norm_is_new = false;

  // Handlers.
  void Button1Click();
  void Button2Click();

 private:
  void CreateLayout();
};

extern TForm22* Form22;
