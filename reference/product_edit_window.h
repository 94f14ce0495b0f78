#pragma once
// TForm7: adds a product (Tag 1) or changes the product selected in the products list
// (Tag 2): its mark, its per-piece factor and its nomenclature group.
#include "platform/dataset.h"
#include "platform/form.h"
#include "platform/lookup_combo.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TForm7 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm7(QWidget* parent = nullptr);
  ~TForm7() override;

  // Controls.
  QGroupBox* GroupBox1;                  // "Данные об изделии"
  QLabel* Label1;                        // "Марка"
  QLineEdit* Edit1;                      // the mark
  QLabel* Label2;                        // "Расценка"
  QLineEdit* Edit2;                      // the per-piece factor (massa)
  platform::TDBLookupComboBox* cb_item;  // the nomenclature group, over item
  QPushButton* Button1;                  // "Записать"
  QPushButton* Button2;                  // "Отмена"

  // Nomenclature groups in use, opened by the products list around each showing.
  platform::TADOQuery* item;

  // Handlers.
  void FormActivate() override;
  void Button1Click();
  void Button2Click();

  // Whether a text is a number the save writes: digits with at most one decimal
  // separator (a point or a comma) and at least one digit.
  static bool IsNumberText(const QString& text);

 private:
  void CreateLayout();
};

extern TForm7* Form7;
