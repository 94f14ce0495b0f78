#pragma once
// TForm5: the list of workers; also the worker picker of other windows.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm5 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);
  ~TForm5() override;

  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
};

extern TForm5* Form5;
