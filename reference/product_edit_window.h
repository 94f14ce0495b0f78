#pragma once
// TForm7: adds or changes one product.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm7 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm7(QWidget* parent = nullptr);
  ~TForm7() override;

  QPushButton* Button1;
  QPushButton* Button2;
};

extern TForm7* Form7;
