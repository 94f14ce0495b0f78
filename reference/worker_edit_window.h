#pragma once
// TForm2: adds a worker to the workers list or changes one (name and department).
#include "platform/dataset.h"
#include "platform/form.h"
#include "platform/lookup_combo.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWheelEvent;

class TForm2 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  // The worker being changed (Tag 2); Tag 1 adds a new one.
  qlonglong PersonId = 0;

  // Controls.
  QGroupBox* GroupBox1;                        // "Данные о работнике"
  QLabel* Label1;                              // "ФИО"
  QLineEdit* Edit1;
  QLabel* Label2;                              // "Подразделение"
  platform::TDBLookupComboBox* LCB_department;
  QLabel* Label3;                              // "Должность"
  platform::TDBLookupComboBox* LCB_staffpos;
  QLabel* Label4;                              // "Роль"
  platform::TDBLookupComboBox* LCB_roles;
  QPushButton* Button1;                        // "Записать"
  QPushButton* Button2;                        // "Отмена"

  // The lookup tables and the statement that writes the worker.
  platform::TADOQuery* staffpos;
  platform::TADOQuery* department;
  platform::TADOQuery* roles;
  platform::TADOCommand* cmd_person;

  // Handlers.
  void FormActivate() override;
  void FormMouseWheelDown();
  void FormMouseWheelUp();
  void Button1Click();
  void Button2Click();

 protected:
  // Esc and the window's close box act as "Отмена".
  void reject() override;
  // The wheel anywhere over the window moves the lookup that has the focus.
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateLayout();
  // The lookup that has the keyboard focus in this window, or none.
  platform::TDBLookupComboBox* FocusedLookup() const;
  void Wheel(QWheelEvent* event);
  int wheelAngle_ = 0;  // turned but not yet a whole notch (touchpads send fractions)
};

extern TForm2* Form2;
