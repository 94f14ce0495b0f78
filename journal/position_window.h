#pragma once
// TForm11: entry, change and copy of one journal position (worker, priced operation,
// quantity, defects, hours, colour), with the worker's day kept in the monthly hours
// grid; after a save the position can be given auxiliary workers.
#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm11 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm11(QWidget* parent = nullptr);
  ~TForm11() override;

  // Modes the opener sets through Tag.
  enum Mode { kNew = 1, kChange = 2, kCopy = 3 };

  // The position ("Закрыто мастером").
  QGroupBox* GroupBox1;
  QLineEdit* Edit1;      // "ФИО", read-only; a click chooses the worker
  QPushButton* Button3;  // "..." choose the worker
  QLineEdit* Edit2;      // "Операция", read-only; a click chooses the operation
  QPushButton* Button4;  // "..." choose the operation
  QLineEdit* Edit3;      // "Кол-во", digits only
  QLineEdit* Edit6;      // "Время", digits only
  QLabel* Label6;        // "Цвет"
  QLineEdit* Edit5;      // colour code, digits only; for painting operations
  QDateEdit* DTimeP;     // "Дата"
  QLineEdit* Edit4;      // "Брак", digits only
  QLineEdit* Edit8;      // "Цена база", read-only
  QLineEdit* Edit7;      // "Цена итог", read-only
  QLineEdit* Edit9;      // "Сумма", read-only

  // Auxiliary workers of the saved position.
  QCheckBox* CheckBox1;        // "Подсобные рабочие"
  platform::TDBGrid* DBGrid1;  // over person
  QPushButton* Button5;        // "Добавить"
  QPushButton* Button7;        // "Удалить"
  QPushButton* Button6;        // "Сохранить"

  QPushButton* Button1;  // "Запись"
  QPushButton* Button8;  // "Новый"
  QPushButton* Button2;  // "Выход"

  // The insert that returns the new id as cur_id, and the update.
  platform::TADOQuery* ins_smena;
  platform::TADOCommand* SmenaIU;
  // The auxiliary workers of the position (parameter s_id) and their scratch-row insert.
  platform::TADOQuery* person;
  platform::TADOCommand* ins_person;

  // The position being entered.
  qlonglong pos_w_id = 0;  // worker
  qlonglong pos_o_id = 0;  // price-list row
  qlonglong pos_i_id = 0;  // product of that row
  double pos_cena = 0;     // final piece price with the day-off and shift factors
  int pos_color = 0;       // colour code, 0 for none
  qlonglong pos_id = 0;    // the position last inserted here

  // The auxiliary worker being added.
  qlonglong aux_w_id = 0;
  double aux_hours = 0;
  double aux_rate = 0;

  // Handlers.
  void FormActivate() override;
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button8Click();
  void Edit3Exit();
  void Edit6Exit();

  // Sets the colour box up for the operation text: enabled for painting operations.
  void SetUpColour(const QString& operationText);
  // Whether an operation text names a painting operation (any letter case).
  static bool IsPainting(const QString& operationText);
  // A price or sum rounded to 4 places as the workstation writes numbers, for the displays.
  static QString DisplayNumber(double value);
  // A piece price rounded to 4 places with a decimal point, for SQL.
  static QString PriceText(double price);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateLayout();
  void PriceDisplays();
  bool CheckFields();
  void Lock(bool locked);
  void PreparePanel();
};

extern TForm11* Form11;
