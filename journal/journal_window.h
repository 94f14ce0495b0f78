#pragma once
// TForm1: the production journal of one date and shift, and the application's main
// working window: positions are accepted and deleted here, and every other window
// is opened from its buttons and menu.
#include <QDate>

#include "platform/data_grid.h"
#include "platform/dataset.h"
#include "platform/form.h"

class QAction;
class QCheckBox;
class QDateEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

class TForm1 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // State the other windows read and write.
  int Shift = 1;
  platform::TADOQuery* CurrentQuery = nullptr;
  QString Password;
  int BuildDate = 0;
  int BuildTime = 0;

  // The journal date (the date of DateT, without time).
  QDate JournalDate() const;
  // The journal query of the current shift.
  platform::TADOQuery* ShiftQuery() const;

  // Controls.
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QRadioButton* RadioButton4;
  QCheckBox* CBox1;
  QDateEdit* DateT;
  platform::TDBGrid* DBGrid2;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button6;
  QPushButton* Button7;
  QPushButton* Button8;
  QPushButton* Button5;
  QPushButton* Button4;
  QMenuBar* MainMenu1;
  QMenu* MenuReference;
  QMenu* MenuTimesheet;
  QMenu* MenuReports;
  QAction* MenuExit;
  QAction* MenuWorkers;      // "Рабочие"
  QAction* MenuProducts;     // "Изделия"
  QAction* MenuPrices;       // "Цены"
  QAction* MenuOperTypes;    // "Операции"
  QAction* MenuGroups;       // "Ном. группы"
  QMenu* PopupMenu1;  // context menu of "Добавить"
  QAction* Copy1;     // "Копия"

  // The build record of the database, read by the build check.
  platform::TADOQuery* ver;
  // Acceptance mark of one position.
  platform::TADOCommand* updtOK;

  // Handlers.
  void FormActivate() override;
  void DateTCloseUp();
  void ShiftClick(int shift);
  void CBox1Click();
  void Button8Click();
  void DBGrid2DblClick();
  void Button1Click();
  void Button2Click();
  void Copy1Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void MenuWorkersClick();
  void MenuProductsClick();
  void MenuPricesClick();
  void MenuOperTypesClick();
  void MenuGroupsClick();

  // Colours of the column "OK" and of the chosen controls.
  static QColor AcceptedColor() { return QColor(0, 128, 0); }
  static QColor RejectedColor() { return QColor(255, 0, 0); }
  static bool IsAccepted(const QString& ok);

 private:
  void CreateLayout();
  void ConfigureGrid();
  void OpenJournal();
  // Shows a reference list in its browse mode over an opened query, closed afterwards.
  void BrowseReference(platform::TForm* list, QPushButton* editButton, QPushButton* addButton,
                       QPushButton* deleteButton, platform::TADOQuery* query);
  void PaintShiftButtons();
  void MarkDayOff(bool dayOff);
};

extern TForm1* Form1;
