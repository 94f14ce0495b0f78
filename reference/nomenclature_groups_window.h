#pragma once
// TForm26: the list of nomenclature groups; also their picker.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm26 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm26(QWidget* parent = nullptr);
  ~TForm26() override;

  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  platform::TADOQuery* item;  // the groups shown
};

extern TForm26* Form26;
