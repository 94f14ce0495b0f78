#pragma once
// TForm22: the norms of one price-list row (output norm, piece price, bonus), edited in
// place; the last norm of a row cannot be deleted.
#include "platform/dataset.h"
#include "platform/edit_grid.h"
#include "platform/form.h"

class QPushButton;
class QShowEvent;

class TForm22 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm22(QWidget* parent = nullptr);
  ~TForm22() override;

  // The norms of one row (parameter o_id), sorted by norma; written through the query.
  platform::TADOQuery* norm;
  platform::TDBEditGrid* DBGrid1;
  QPushButton* Button1;  // "Сохранить" (Enter and Esc press it too)
  QPushButton* Button2;  // "Удалить"

  // The row being typed was started on the line for a new norm.
  bool norm_is_new = false;

  // Reads the norms of a price-list row; new norms typed in the grid belong to it.
  void OpenNorms(qlonglong o_id);
  qlonglong NormsOf() const { return o_id_; }

  // Handlers.
  void FormActivate() override;
  void Button1Click();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc and the window's close box save, like the button.
  void reject() override;

 private:
  void CreateLayout();
  qlonglong o_id_ = 0;
};

extern TForm22* Form22;
