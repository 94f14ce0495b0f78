#pragma once
// TForm8: the list of operation types, where they are added, renamed and deleted; also the
// picker that hands the chosen type back to the operation price window.
#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QLineEdit;
class QPushButton;
class QShowEvent;

class TForm8 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm8(QWidget* parent = nullptr);
  ~TForm8() override;

  // Controls.
  platform::TDBGrid* DBGrid1;  // the types of DataModule6->Vid_oper
  QLineEdit* Edit1;            // search box; shown only when the list is a picker
  QPushButton* Button1;        // "Добавить"
  QPushButton* Button2;        // "Изменить", or "Выбрать" when the list is a picker
  QPushButton* Button3;        // "Удалить"
  QPushButton* Button4;        // "Выход"

  // Handlers.
  void FormActivate() override;
  void Edit1Change();
  void Edit1KeyDown(int key);
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void DBGrid1DblClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateLayout();
};

extern TForm8* Form8;
