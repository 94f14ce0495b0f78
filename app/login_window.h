#pragma once
// TForm23: the login. The password chooses the role; before that the window checks
// this build against the newest build recorded in the database.
#include <QString>

#include "platform/form.h"

class QLineEdit;
class QPushButton;
class QTimer;

enum class Role { None, Viewing, Foreman, Storekeeper, Full };

// Removes leading and trailing blanks and control characters.
QString TrimPassword(const QString& text);
// The role of a trimmed password (exact, case-sensitive); Role::None when it is none.
Role RoleForPassword(const QString& trimmedPassword);

// What the build check decides about this build against the recorded one.
enum class BuildVerdict { Same, Newer, Older };
BuildVerdict CompareBuild(int buildDate, int buildTime, int recordedDate, int recordedTime);

class TForm23 : public platform::TForm {
  Q_OBJECT
 public:
  explicit TForm23(QWidget* parent = nullptr);
  ~TForm23() override;

  QLineEdit* Edit1;
  QPushButton* Button1;  // "Вход"
  QPushButton* Button2;  // "Отмена"
  QTimer* Timer1;        // ends the application 5 s after an older build was refused

  // The build stamp of this program; the start-up sets it before the window is shown.
  int BuildDate = 0;
  int BuildTime = 0;

  void FormActivate() override;  // the build check, once
  void Button1Click();
  void Button2Click();
  void Timer1Timer();

  // Enabled states of the journal window (and of the reports window once it exists) for a role.
  static void ApplyRole(Role role);

 private:
  bool checked_ = false;
};

extern TForm23* Form23;
