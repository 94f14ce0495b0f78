#pragma once
// TForm2: adds or changes one worker.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm2 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  QPushButton* Button1;
  QPushButton* Button2;
};

extern TForm2* Form2;
