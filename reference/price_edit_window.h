#pragma once
// TForm10: a row of the operation price list. For now it holds what the product and
// operation-type pickers hand back; the window itself comes with the price list.
#include "platform/form.h"

class QLineEdit;

class TForm10 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm10(QWidget* parent = nullptr);
  ~TForm10() override;

  QLineEdit* Edit1;              // the product's mark
  QLineEdit* Edit2;              // the operation type's name
  qlonglong sel_i_id = 0;        // the chosen product
  qlonglong sel_oper_vid = 0;    // the chosen operation type
};

extern TForm10* Form10;
