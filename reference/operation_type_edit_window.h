#pragma once
// TForm9: adds or renames one operation type.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm9 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm9(QWidget* parent = nullptr);
  ~TForm9() override;

  QPushButton* Button1;
  QPushButton* Button2;
};

extern TForm9* Form9;
