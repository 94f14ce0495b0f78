#pragma once
// TForm9: adds an operation type or renames the one selected in the list of operation types.
#include "platform/dataset.h"
#include "platform/form.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm9 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm9(QWidget* parent = nullptr);
  ~TForm9() override;

  // Controls.
  QGroupBox* GroupBox1;  // "Вид операции"
  QLabel* Label1;        // "Операция"
  QLineEdit* Edit1;      // the type's name
  QPushButton* Button1;  // "Записать"
  QPushButton* Button2;  // "Отмена"

  // Handlers. Tag 1 adds a type, Tag 2 renames the current row of DataModule6->Vid_oper.
  void FormActivate() override;
  void Button1Click();
  void Button2Click();

 private:
  void CreateLayout();
};

extern TForm9* Form9;
