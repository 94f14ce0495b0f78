#pragma once
// TForm11: entry and change of one journal position. For now it holds what the
// worker picker hands back; the window itself comes with position entry.
#include "platform/form.h"

class QLineEdit;

class TForm11 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm11(QWidget* parent = nullptr);
  ~TForm11() override;

  QLineEdit* Edit1;            // the worker's name
  qlonglong pos_w_id = 0;      // the worker of the position
  qlonglong aux_w_id = 0;      // an auxiliary worker picked for the position
  double aux_hours = 0;        // his hours
};

extern TForm11* Form11;
