#pragma once
// TForm29: adds a nomenclature group, or changes the name and the "not in use" mark of the
// group selected in the list of groups.
#include "platform/dataset.h"
#include "platform/form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm29 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm29(QWidget* parent = nullptr);
  ~TForm29() override;

  // Controls.
  QGroupBox* GroupBox1;   // "Номенклатурная группа"
  QLabel* Label1;         // "Наименование"
  QLineEdit* Edit1;       // the group's name
  QCheckBox* CheckBox1;   // "Не используется"
  QPushButton* Button1;   // "Записать"
  QPushButton* Button6;   // "Выход"

  // Handlers. Tag 1 adds a group, Tag 2 changes the current group of Form26->item.
  void Button1Click();
  void Button6Click();

 private:
  void CreateLayout();
};

extern TForm29* Form29;
