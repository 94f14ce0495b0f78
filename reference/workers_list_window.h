#pragma once
// TForm5: the list of workers with a search box, where workers are added, changed and
// removed; also the worker picker of the position, hours entry and painting windows.
#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QLineEdit;
class QPushButton;

class TForm5 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);
  ~TForm5() override;

  // 1 once the list has closed itself after "Изменить"/"Выбрать" did its work; 0 while
  // it is shown. The auxiliary-workers panel reads it to learn whether a worker was taken.
  int Chosen = 0;

  // Controls.
  platform::TDBGrid* DBGrid1;
  QPushButton* Button1;  // "Добавить"
  QPushButton* Button2;  // "Изменить" or "Выбрать", as the opener sets it
  QPushButton* Button3;  // "Удалить"
  QLineEdit* Edit1;      // search by the start of the name
  QPushButton* Button4;  // "Выход"

  // Handlers.
  void FormActivate() override;
  void Edit1Change();
  void Edit1KeyDown(int key);
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();

 protected:
  // Esc and the window's close box act as "Выход".
  void reject() override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateLayout();
  // Re-reads the lookup tables of the edit window before it is shown.
  void ReadLookups();
};

extern TForm5* Form5;
