#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/data_module.h"
#include "app/login_window.h"
#include "journal/journal_window.h"
#include "tests/support/app_fixture.h"

TEST(Password, TrimmedExactMatchChoosesTheRole) {
  struct Case {
    const char* typed;
    Role role;
  } cases[] = {
      {"pilvex", Role::Viewing},   {"drovkin", Role::Foreman},  {"quorn", Role::Storekeeper},
      {"63572140", Role::Full},    {"6240", Role::Full},        {"  6240 \t\r\n", Role::Full},
      {"\x01quorn\x1f", Role::Storekeeper},                     {"Pilvex", Role::None},
      {"DROVKIN", Role::None},     {"62 40", Role::None},       {"", Role::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(RoleForPassword(TrimPassword(QString::fromUtf8(c.typed))), c.role) << c.typed;
}

TEST(BuildStamp, ComparedByDateThenTime) {
  EXPECT_EQ(CompareBuild(20241015, 82262, 20241015, 82262), BuildVerdict::Same);
  EXPECT_EQ(CompareBuild(20241015, 82262, 20241014, 90000), BuildVerdict::Newer);
  EXPECT_EQ(CompareBuild(20241015, 82262, 20241015, 82261), BuildVerdict::Newer);
  EXPECT_EQ(CompareBuild(20241015, 82262, 20241015, 82263), BuildVerdict::Older);
  EXPECT_EQ(CompareBuild(20241015, 82262, 20241016, 0), BuildVerdict::Older);
}

class LoginTest : public testsupport::AppTest {
 protected:
  void RunBuildCheck(int date, int time) {
    Form23->BuildDate = date;
    Form23->BuildTime = time;
    Form23->FormActivate();
  }
  QString Ver() { return QString::number(Scalar("select d from accounts_dep.ver")) + "." +
                         QString::number(Scalar("select t from accounts_dep.ver")); }
};

TEST_F(LoginTest, NewerBuildIsRecordedSameBuildPassesOlderBuildIsRefused) {
  Sql("update accounts_dep.ver set d=20241015, t=82262, delim=','");
  RunBuildCheck(20241016, 100);
  EXPECT_EQ(Ver(), "20241016.100");
  EXPECT_EQ(DataModule6->Delim, ",");
  EXPECT_EQ(Form23->windowTitle(), "Авторизация (build: 20241016.100)");
  EXPECT_EQ(Form1->BuildDate, 20241016);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_FALSE(platform::TerminateRequested());
  EXPECT_FALSE(DataModule6->Control->Active());
}

TEST_F(LoginTest, SameBuildWritesNothing) {
  Sql("update accounts_dep.ver set d=20241015, t=82262");
  Sql("revoke update on accounts_dep.ver from sys");  // a write would now fail
  RunBuildCheck(20241015, 82262);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_FALSE(platform::TerminateRequested());
}

TEST_F(LoginTest, OlderBuildShowsTheMessageAndEndsWithinFiveSeconds) {
  for (auto [date, time] : {std::pair{20241014, 90000}, std::pair{20241015, 82000}}) {
    Sql("update accounts_dep.ver set d=20241015, t=82262");
    messages_.Clear();
    platform::ClearTerminateRequest();
    delete Form23;  // the check runs once per login window
    Form23 = new TForm23();
    RunBuildCheck(date, time);
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Версия программы не соответсвует БД! Запустите программу через 5 мин.");
    EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
    EXPECT_TRUE(platform::TerminateRequested());
    EXPECT_TRUE(Form23->Timer1->isActive());
    EXPECT_LE(Form23->Timer1->interval(), 5000);
    EXPECT_EQ(Ver(), "20241015.82262");
  }
  // The timer alone ends the application when nobody confirms the message.
  platform::ClearTerminateRequest();
  Form23->Timer1Timer();
  EXPECT_TRUE(platform::TerminateRequested());
}

TEST_F(LoginTest, EmptyBuildTableGetsThisBuildAndDelimStaysEmpty) {
  Sql("delete from accounts_dep.ver");
  RunBuildCheck(20241015, 82262);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.ver"), 1);
  EXPECT_EQ(Ver(), "20241015.82262");
  EXPECT_TRUE(DataModule6->Delim.isEmpty());
  EXPECT_EQ(DataModule6->NormalizeDecimalPoint("1,5"), "1.5");
  EXPECT_EQ(DataModule6->Delim, ".");
}

TEST_F(LoginTest, WrongPasswordStaysInTheLoginWindow) {
  Form23->Edit1->setText("Pilvex");
  Form23->Button1Click();
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Введены неверные данные.");
  EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
  EXPECT_EQ(ModalCount(), 0);
  EXPECT_FALSE(Form1->MenuTimesheet->menuAction()->isEnabled());
}

TEST_F(LoginTest, RoleTableOfTheJournal) {
  struct Case {
    const char* password;
    bool add, change, del, shifts, menus;
  } cases[] = {
      {"pilvex", false, false, false, false, false},
      {"drovkin", true, false, false, true, false},
      {"quorn", false, false, false, true, false},
      {" 6240 ", true, true, true, true, true},
  };
  for (const Case& c : cases) {
    TForm1* f = Form1;
    bool shown = false;
    OnModal([&](QDialog* w) {
      shown = w == f;
      EXPECT_EQ(f->Button1->isEnabled(), c.add) << c.password;
      EXPECT_EQ(f->Button2->isEnabled(), c.change) << c.password;
      EXPECT_EQ(f->Button3->isEnabled(), c.del) << c.password;
      for (QWidget* x : std::initializer_list<QWidget*>{f->RadioButton1, f->RadioButton4, f->CBox1, f->DateT,
                                                        f->Button8, f->DBGrid2})
        EXPECT_EQ(x->isEnabled(), c.shifts) << c.password;
      EXPECT_EQ(f->MenuReference->menuAction()->isEnabled(), c.menus) << c.password;
      EXPECT_EQ(f->MenuTimesheet->menuAction()->isEnabled(), c.menus) << c.password;
      EXPECT_TRUE(f->MenuReports->menuAction()->isEnabled());
      EXPECT_TRUE(f->Button4->isEnabled());
      EXPECT_EQ(f->Password, QString::fromUtf8(c.password).trimmed());
      EXPECT_EQ(DataModule6->Smena3->ParamByName("ok")->Value.toString(), "ta");
      return int(platform::mrCancel);
    });
    Form23->Edit1->setText(QString::fromUtf8(c.password));
    Form23->Button1Click();
    EXPECT_TRUE(shown) << c.password;
    EXPECT_TRUE(messages_.Calls().empty());
  }
}
