#pragma once
// TForm29: adds or changes one nomenclature group.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm29 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm29(QWidget* parent = nullptr);
  ~TForm29() override;

  QPushButton* Button1;
  QPushButton* Button6;
};

extern TForm29* Form29;
