#pragma once
// TForm132: asks how many hours an auxiliary worker worked when he is picked from the
// workers list for a journal position.
#include "platform/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TForm132 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm132(QWidget* parent = nullptr);
  ~TForm132() override;

  QLabel* Label1;       // the worker's name, set by the list
  QLabel* Label2;       // "Отработано (ч.)"
  QLineEdit* Edit1;     // the hours, digits only
  QPushButton* Button1;  // "Запись"
  QPushButton* Button2;  // "Отмена"

  // The hours typed in Edit1 (0 when the box holds no number).
  double Hours() const;

  void Button1Click();
  void Button2Click();

 protected:
  // Esc and the window's close box act as "Отмена".
  void reject() override;
};

extern TForm132* Form132;
