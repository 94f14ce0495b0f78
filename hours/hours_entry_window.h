#pragma once
// TForm24: entry of maintenance and average-piecework hours. For now it holds what the
// worker and group pickers hand back; the window itself comes with the hours entry.
#include "platform/form.h"

class QLineEdit;

class TForm24 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm24(QWidget* parent = nullptr);
  ~TForm24() override;

  QLineEdit* Edit1;             // the worker's name
  QLineEdit* Edit2;             // the nomenclature group's name
  qlonglong sel_id_p = 0;       // the chosen worker
  qlonglong sel_id_nom = 0;     // the chosen group
};

extern TForm24* Form24;
