#pragma once
// TForm8: the list of operation types; also their picker.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm8 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm8(QWidget* parent = nullptr);
  ~TForm8() override;

  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
};

extern TForm8* Form8;
