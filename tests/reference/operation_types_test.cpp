#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "platform/sql_quote.h"
#include "reference/operation_type_edit_window.h"
#include "reference/operation_types_window.h"
#include "reference/price_edit_window.h"
#include "tests/support/app_fixture.h"

namespace {

const QString kHostile = QStringLiteral("Д'Артаньян \\ '; drop table x; --");

// Four types beside the reserved ones; "Сборка" is priced, "Полировка" is stored with trailing blanks.
const char* kFixture = R"sql(
insert into accounts_dep.vid_oper(id, vid) values (100, 'Сборка'), (101, 'Сварка'), (102, 'Полировка  '), (103, 'Резка');
insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new) values (100, 100, 7777, 0, 2.5);
)sql";

class OperationTypesTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kFixture);
  }

  TADOQuery* VidOper() { return DataModule6->Vid_oper; }

  // The list opened from the journal's menu; play() acts while it is shown.
  void Browse(const std::function<void()>& play) {
    OnModal([play](QDialog* w) {
      EXPECT_EQ(w, Form8);
      play();
      return int(platform::mrCancel);
    });
    Form1->MenuOperTypesClick();
  }

  // The list as the operation price window opens it to pick a type (its steps before showing).
  void OpenAsPicker() {
    Form8->Tag = 1;
    VidOper()->Open();
    Form8->Button2->setText(QStringLiteral("Выбрать"));
    Form8->Button2->setDefault(true);
    Form8->Button1->setVisible(false);
    Form8->Button3->setVisible(false);
    Form8->Edit1->setVisible(true);
    Form8->Edit1->clear();
    Form8->setResult(0);
  }

  // The next edit window: types the name, saves, and reports whether the window closed.
  void SaveAs(const QString& typed, bool* closed = nullptr) {
    OnModal([typed, closed](QDialog* w) {
      EXPECT_EQ(w, Form9);
      Form9->setResult(0);
      Form9->Edit1->setText(typed);
      Form9->Button1Click();
      if (closed) *closed = Form9->ModalResult() == platform::mrOk;
      return Form9->ModalResult();
    });
  }

  void Select(const QString& vid) { ASSERT_TRUE(VidOper()->Locate("vid", vid)) << vid.toStdString(); }
  void SelectId(int id) { ASSERT_TRUE(VidOper()->Locate("id", id)) << id; }

  qlonglong Count(const QString& vid) {
    return Scalar("select count(*) from accounts_dep.vid_oper where vid=" + platform::QuotedStr(vid));
  }
  qlonglong Total() { return Scalar("select count(*) from accounts_dep.vid_oper"); }

  void Key(int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(Form8->Edit1, &press);
  }
};

}  // namespace

TEST_F(OperationTypesTest, AddTrimsTheNameAndRefusesEmptyOrExistingNames) {
  const QString empty = QStringLiteral("Все поля должны быть заполнены!");
  const QString exists = QStringLiteral("Такая операция уже заведена!");
  struct Case {
    QString typed;
    QString refusal;  // empty: saved as `stored`
    QString stored;
  } cases[] = {
      {"  Шлифовка  ", {}, "Шлифовка"},
      {"   ", empty, {}},
      {"сборка", exists, {}},          // differs from "Сборка" in letter case only
      {" СВАРКА ", exists, {}},        // blanks and letter case
      {"ПОЛИРОВКА", exists, {}},       // the stored name has trailing blanks
      {"ХОЗ. РАБОТЫ", exists, {}},     // a reserved type
      {kHostile, {}, kHostile},
      {"Раскрой 100%1", {}, "Раскрой 100%1"},
  };
  Browse([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.typed.toStdString());
      messages_.Clear();
      const qlonglong before = Total();
      Form9->Edit1->setText(QStringLiteral("left from before"));
      bool closed = false;
      OnModal([&](QDialog*) {
        EXPECT_EQ(Form9->windowTitle(), "Заведение нового вида операций");
        EXPECT_EQ(Form9->Tag, 1);
        EXPECT_TRUE(Form9->Edit1->text().isEmpty());
        Form9->setResult(0);
        Form9->Edit1->setText(c.typed);
        Form9->Button1Click();
        closed = Form9->ModalResult() == platform::mrOk;
        return Form9->ModalResult();
      });
      Form8->Button1Click();
      if (c.refusal.isEmpty()) {
        EXPECT_TRUE(messages_.Calls().empty());
        EXPECT_TRUE(closed);
        EXPECT_EQ(Count(c.stored), 1);
        EXPECT_EQ(Total(), before + 1);
        // The list has been re-read and shows the new type as stored.
        ASSERT_TRUE(VidOper()->Active());
        EXPECT_EQ(VidOper()->RecNo(), 1);
        ASSERT_TRUE(VidOper()->Locate("vid", c.stored));
        EXPECT_EQ(Form8->DBGrid1->CellText(VidOper()->RecNo() - 1, "vid"), c.stored);
      } else {
        ASSERT_EQ(messages_.Calls().size(), 1u);
        EXPECT_EQ(messages_.Calls()[0].text, c.refusal);
        EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
        EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
        EXPECT_FALSE(closed);
        EXPECT_EQ(Total(), before);
      }
    }
  });
  EXPECT_FALSE(VidOper()->Active());
}

TEST_F(OperationTypesTest, RenameAcceptsItsOwnNameInOtherCaseAndRefusesAnotherTypesName) {
  Browse([&] {
    Select("Сборка");
    bool closed = false;
    OnModal([&](QDialog*) {
      EXPECT_EQ(Form9->windowTitle(), "Изменение данных вида операции");
      EXPECT_EQ(Form9->Tag, 2);
      EXPECT_EQ(Form9->Edit1->text(), "Сборка");
      Form9->setResult(0);
      Form9->Edit1->setText("  СБОРКА ");
      Form9->Button1Click();
      closed = Form9->ModalResult() == platform::mrOk;
      return Form9->ModalResult();
    });
    Form8->Button2Click();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(messages_.Calls().empty());
    EXPECT_EQ(Scalar("select count(*) from accounts_dep.vid_oper where id=100 and vid='СБОРКА'"), 1);

    // The edit box gets the name without its blanks; another type's name is refused.
    Select("Полировка  ");
    OnModal([&](QDialog*) {
      EXPECT_EQ(Form9->Edit1->text(), "Полировка");
      Form9->setResult(0);
      Form9->Edit1->setText("сварка");
      Form9->Button1Click();
      closed = Form9->ModalResult() == platform::mrOk;
      return Form9->ModalResult();
    });
    emit Form8->DBGrid1->DblClick();  // a double click acts as the button
    EXPECT_FALSE(closed);
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Такая операция уже заведена!");
    EXPECT_EQ(Count("Полировка  "), 1);

    Select("Резка");
    SaveAs(kHostile, &closed);
    Form8->Button2Click();
    EXPECT_TRUE(closed);
    EXPECT_EQ(Scalar("select count(*) from accounts_dep.vid_oper where id=103 and vid=" + platform::QuotedStr(kHostile)),
              1);
  });
  EXPECT_EQ(Total(), 9);
}

TEST_F(OperationTypesTest, ReservedTypesCanBeNeitherChangedChosenNorDeleted) {
  auto tryAll = [&] {
    for (int id : {7777, 7778}) {
      SCOPED_TRACE(id);
      SelectId(id);
      const int modals = ModalCount();
      Form8->Button2Click();
      emit Form8->DBGrid1->DblClick();
      Form8->Button3Click();
      EXPECT_EQ(ModalCount(), modals);
      EXPECT_TRUE(messages_.Calls().empty());
      EXPECT_EQ(Scalar(QStringLiteral("select count(*) from accounts_dep.vid_oper where id=%1").arg(id)), 1);
    }
  };
  Browse(tryAll);

  OpenAsPicker();
  tryAll();
  EXPECT_NE(Form8->ModalResult(), platform::mrOk);
  EXPECT_TRUE(Form10->Edit2->text().isEmpty());
  EXPECT_EQ(Form10->sel_oper_vid, 0);
}

TEST_F(OperationTypesTest, DeleteAsksFirstAndTheDatabaseKeepsAPricedType) {
  Browse([&] {
    Select("Резка");
    messages_.Answer(platform::mrNo);
    Form8->Button3Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    const platform::MessageCall& ask = messages_.Calls()[0];
    EXPECT_EQ(ask.text, "Удалить вид операции?");
    EXPECT_EQ(ask.caption, "Удаление");
    EXPECT_EQ(ask.icon, platform::MsgIcon::Question);
    EXPECT_EQ(ask.buttons, platform::mbYes | platform::mbNo);
    EXPECT_EQ(Count("Резка"), 1);

    messages_.Clear();
    Form8->Button3Click();  // answered Yes
    EXPECT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(Count("Резка"), 0);
    EXPECT_TRUE(VidOper()->Active());
    EXPECT_EQ(VidOper()->RecordCount(), 8);
    EXPECT_FALSE(VidOper()->Locate("vid", "Резка"));

    // The database keeps a priced type: its prices and positions would drop out of every
    // list. The refusal is shown in the standard error box.
    messages_.Clear();
    Select("Сборка");
    platform::RunGuarded([] { Form8->Button3Click(); });  // answered Yes
    ASSERT_EQ(messages_.Calls().size(), 2u);
    EXPECT_EQ(messages_.Calls()[1].icon, platform::MsgIcon::Error);
    EXPECT_TRUE(messages_.Calls()[1].text.contains("расценках")) << messages_.Calls()[1].text.toStdString();
    EXPECT_EQ(Count("Сборка"), 1);
  });
}

TEST_F(OperationTypesTest, PickerSearchNarrowsTheListAndHandsBackTheTrimmedName) {
  OpenAsPicker();
  ASSERT_EQ(VidOper()->RecordCount(), 9);

  Form8->Edit1->setText("по");  // "покраска" and "Полировка  ", whatever the letter case
  ASSERT_EQ(VidOper()->RecordCount(), 2);
  EXPECT_EQ(Form8->DBGrid1->model()->rowCount(), 2);
  Form8->Edit1->setText("Д'");  // a quote in the search is just a character
  EXPECT_EQ(VidOper()->RecordCount(), 0);
  EXPECT_TRUE(messages_.Calls().empty());
  Form8->Edit1->clear();
  EXPECT_FALSE(VidOper()->Filtered());
  EXPECT_EQ(VidOper()->RecordCount(), 9);

  // Up and Down move the list and leave the text alone; typed letters still edit it.
  Form8->Edit1->setText("С");
  ASSERT_EQ(VidOper()->RecordCount(), 3);  // Сборка, Сварка, ср. сдельная
  ASSERT_EQ(VidOper()->RecNo(), 1);
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(VidOper()->RecNo(), 3);
  Key(Qt::Key_Up);
  EXPECT_EQ(VidOper()->RecNo(), 2);
  EXPECT_EQ(Form8->Edit1->text(), "С");
  Form8->Edit1->setText("По");
  Key(Qt::Key_L, "л");
  EXPECT_EQ(Form8->Edit1->text(), "Пол");
  ASSERT_EQ(VidOper()->RecordCount(), 1);

  Form8->Button2Click();
  EXPECT_EQ(Form10->Edit2->text(), "Полировка");
  EXPECT_EQ(Form10->sel_oper_vid, 102);
  EXPECT_EQ(Form8->ModalResult(), platform::mrOk);
  EXPECT_EQ(ModalCount(), 0);
}
