#pragma once
// TForm3: the list of products; also the product picker of the price list.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm3 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm3(QWidget* parent = nullptr);
  ~TForm3() override;

  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
};

extern TForm3* Form3;
