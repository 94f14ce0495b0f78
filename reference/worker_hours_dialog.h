#pragma once
// TForm132: the hours an auxiliary worker worked, asked when he is picked.
#include "platform/dataset.h"
#include "platform/form.h"

class QPushButton;

class TForm132 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm132(QWidget* parent = nullptr);
  ~TForm132() override;

  QPushButton* Button1;
  QPushButton* Button2;
};

extern TForm132* Form132;
