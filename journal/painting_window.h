#pragma once
// TForm33: pay distribution of a painting operator. For now it holds what the worker
// picker hands back; the window itself comes with the distribution.
#include "platform/form.h"

class QLineEdit;

class TForm33 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm33(QWidget* parent = nullptr);
  ~TForm33() override;

  QLineEdit* Edit1;          // the paid worker's name
  qlonglong PayeeId = 0;     // the paid worker
};

extern TForm33* Form33;
