#pragma once
// TForm26: the list of nomenclature groups, where groups are added, changed and removed
// while nothing uses them; also the picker that hands a group in use to the hours entry window.
#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QLineEdit;
class QPushButton;

class TForm26 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm26(QWidget* parent = nullptr);
  ~TForm26() override;

  // Controls.
  platform::TDBGrid* DBGrid1;  // the groups of item
  QPushButton* Button2;        // "Добавить"
  QPushButton* Button3;        // "Изменить", or "Выбрать" when the list is a picker
  QPushButton* Button1;        // "Удалить"
  QLineEdit* Edit1;            // search box
  QPushButton* Button4;        // "Выход"

  platform::TADOQuery* item;      // the groups shown (level-2 classifier entries)
  platform::TADOQuery* item_gds;  // what uses one group: products, hours, journal positions

  // Handlers.
  void Edit1Change();
  void Edit1KeyDown(int key);
  void Button2Click();
  void Button3Click();
  void DBGrid1DblClick();
  void Button1Click();
  void Button4Click();

  // The hours entry window opens the list as its picker (Tag 24) between these two steps:
  // before showing it, groups in use only, "Выбрать" and no add or delete, the narrow window
  // without the column "Не используется", item opened; after it has closed, the list as it
  // was, item closed. The search box keeps its text.
  void PrepareChooseMode();
  void EndChooseMode();

 private:
  void CreateLayout();
};

extern TForm26* Form26;
