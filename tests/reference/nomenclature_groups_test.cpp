#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "app/data_module.h"
#include "hours/hours_entry_window.h"
#include "journal/journal_window.h"
#include "platform/sql_quote.h"
#include "reference/nomenclature_group_edit_window.h"
#include "reference/nomenclature_groups_window.h"
#include "tests/support/app_fixture.h"

namespace {

const QString kHostile = QStringLiteral("Д'Артаньян \\ '; drop table x; -- %2");

// Groups in name order with the reserved "Служебные": Корпуса (a product, its positions and
// hours), Крышки (not in use), Опоры (stored with blanks; hours only), Пружины, Служебные,
// Стойки. A level-1 entry is not a group.
const char* kFixture = R"sql(
insert into cmn_classifier.item(id, s_caption, b_excluded) values
  (100, 'Корпуса', 0), (101, 'Крышки', 1), (102, 'Опоры  ', 0), (103, 'Пружины', 0), (104, 'Стойки', 0);
insert into cmn_classifier.item(id, id_level, s_caption, b_excluded) values (105, 1, 'Изделия', 0);
insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, id_class_item) values (100, 'КП-12', 100);
insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, kol_vo) values ('2024-03-04', 1, 1, 100, 7777, 5);
insert into accounts_dep.fatigue(id_p, id_o, id_nom, d_date, i_mnth, i_year, cnt) values
  (1, 7777, 100, '2024-03-04', 3, 2024, 8), (1, 7778, 102, '2024-03-05', 3, 2024, 4);
)sql";

class GroupsTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kFixture);
  }

  TADOQuery* Item() { return Form26->item; }

  // The list opened from the journal's menu; play() acts while it is shown.
  void Browse(const std::function<void()>& play) {
    OnModal([play](QDialog* w) {
      EXPECT_EQ(w, Form26);
      play();
      return int(platform::mrCancel);
    });
    Form1->MenuGroupsClick();
  }

  // The next edit window: checks what the list put into it, types the name, sets the mark, saves.
  struct Edit {
    int tag;
    QString shown;
    bool shownExcluded;
    QString typed;
    bool excluded;
  };
  void Expect(const Edit& e, bool* closed) {
    OnModal([e, closed](QDialog* w) {
      EXPECT_EQ(w, Form29);
      EXPECT_EQ(Form29->Tag, e.tag);
      EXPECT_EQ(Form29->Edit1->text(), e.shown);
      EXPECT_EQ(Form29->CheckBox1->isChecked(), e.shownExcluded);
      Form29->setResult(0);
      Form29->Edit1->setText(e.typed);
      Form29->CheckBox1->setChecked(e.excluded);
      Form29->Button1Click();
      *closed = Form29->ModalResult() == platform::mrOk;
      return Form29->ModalResult();
    });
  }

  void SelectId(int id) { ASSERT_TRUE(Item()->Locate("id", id)) << id; }
  qlonglong Groups() { return Scalar("select count(*) from cmn_classifier.item where id_level=2"); }
  qlonglong Exists(int id) { return Scalar(QStringLiteral("select count(*) from cmn_classifier.item where id=%1").arg(id)); }
};

}  // namespace

TEST_F(GroupsTest, ChangeWritesNameAndMarkVerbatimAndStaysOnTheRow) {
  Browse([&] {
    ASSERT_EQ(Item()->RecordCount(), 6);
    EXPECT_EQ(Form26->DBGrid1->CellText(1, "s_caption"), "Крышки");
    EXPECT_EQ(Form26->DBGrid1->CellText(1, "s_excl"), "V");
    EXPECT_EQ(Form26->DBGrid1->CellText(0, "s_excl"), "");

    // A search in the list finds groups not in use too.
    Form26->Edit1->setText("кр");
    ASSERT_EQ(Item()->RecordCount(), 1);
    Form26->Edit1->clear();
    ASSERT_EQ(Item()->RecordCount(), 6);

    bool closed = false;
    Item()->SetRecNo(3);  // Опоры
    Expect({2, "Опоры", false, " Опоры литые ", true}, &closed);
    Form26->Button3Click();
    EXPECT_TRUE(closed);
    EXPECT_EQ(Scalar("select count(*) from cmn_classifier.item where id=102 and s_caption='Опоры литые' "
                     "and b_excluded=1 and id_level=2"),
              1);
    EXPECT_EQ(Item()->RecNo(), 3);
    EXPECT_EQ(Form26->DBGrid1->CellText(2, "s_excl"), "V");

    Item()->SetRecNo(2);  // Крышки, not in use
    Expect({2, "Крышки", true, kHostile, false}, &closed);
    emit Form26->DBGrid1->DblClick();  // a double click acts as the button
    EXPECT_TRUE(closed);
    EXPECT_EQ(Scalar("select count(*) from cmn_classifier.item where id=101 and b_excluded=0 and s_caption=" +
                     platform::QuotedStr(kHostile)),
              1);
    EXPECT_EQ(Item()->RecNo(), 2);
  });
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Groups(), 6);
  EXPECT_FALSE(Item()->Active());
}

TEST_F(GroupsTest, AddMakesAListedGroupKeepsTheMarkAndRefusesAnEmptyName) {
  Browse([&] {
    Item()->SetRecNo(4);
    Form29->Edit1->setText("left from before");
    Form29->CheckBox1->setChecked(true);  // the mark stays as it was last left

    bool closed = true;
    Expect({1, "", true, "   ", true}, &closed);
    Form26->Button2Click();
    EXPECT_FALSE(closed);
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Все поля должны быть заполнены!");
    EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
    EXPECT_EQ(Groups(), 6);

    messages_.Clear();
    Expect({1, "", true, "  Абажуры  ", true}, &closed);
    Form26->Button2Click();
    EXPECT_TRUE(closed);
    EXPECT_TRUE(messages_.Calls().empty());
    EXPECT_EQ(Scalar("select count(*) from cmn_classifier.item where s_caption='Абажуры' and b_excluded=1 "
                     "and id_level=2"),
              1);
    ASSERT_EQ(Item()->RecordCount(), 7);
    EXPECT_EQ(Form26->DBGrid1->CellText(0, "s_caption"), "Абажуры");
    EXPECT_EQ(Form26->DBGrid1->CellText(0, "s_excl"), "V");
    EXPECT_EQ(Item()->RecNo(), 4);
  });
}

TEST_F(GroupsTest, DeleteIsRefusedWhileProductsOrHoursUseTheGroup) {
  struct Case {
    int id;
    const char* refusal;
  } cases[] = {
      {100, "В номенклатурной группе есть изделия."},   // products first, though hours and positions too
      {102, "В номенклатурной группе есть операции."},  // hours only
  };
  Browse([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.id);
      messages_.Clear();
      SelectId(c.id);
      Form26->Button1Click();
      ASSERT_EQ(messages_.Calls().size(), 1u);  // refused without asking
      EXPECT_EQ(messages_.Calls()[0].text, QString::fromUtf8(c.refusal));
      EXPECT_EQ(messages_.Calls()[0].caption, "Удаление");
      EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
      EXPECT_EQ(Exists(c.id), 1);
    }
  });
}

TEST_F(GroupsTest, DeleteAsksThenReReadsTheListOnTheSameRow) {
  Browse([&] {
    Item()->SetRecNo(4);  // Пружины
    Sql("insert into cmn_classifier.item(id, s_caption, b_excluded) values (106, 'Штоки', 0)");
    messages_.Answer(platform::mrNo);
    Form26->Button1Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Удалить позицию из списка?");
    EXPECT_EQ(messages_.Calls()[0].caption, "Удаление");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(messages_.Calls()[0].buttons, platform::mbYes | platform::mbNo);
    EXPECT_EQ(Exists(103), 1);
    EXPECT_EQ(Item()->RecordCount(), 7);  // re-read: the group added meanwhile is listed
    EXPECT_EQ(Item()->RecNo(), 4);

    Form26->Button1Click();  // answered Yes
    EXPECT_EQ(Exists(103), 0);
    ASSERT_EQ(Item()->RecordCount(), 6);
    EXPECT_EQ(Item()->RecNo(), 4);
    EXPECT_EQ(Item()->FieldByName("s_caption").AsString(), "Служебные");

    Item()->Last();  // Штоки
    Form26->Button1Click();
    EXPECT_EQ(Exists(106), 0);
    ASSERT_EQ(Item()->RecordCount(), 5);
    EXPECT_EQ(Item()->RecNo(), 5);
  });
}

TEST_F(GroupsTest, PickerOffersGroupsInUseAndHandsBackTheChoice) {
  const int wide = Form26->width();
  Form26->Edit1->setText("Ко");  // left from an earlier search
  Form26->PrepareChooseMode();
  EXPECT_EQ(Form26->Tag, 24);
  EXPECT_EQ(Form26->Button3->text(), "Выбрать");
  EXPECT_TRUE(Form26->Button1->isHidden());
  EXPECT_TRUE(Form26->Button2->isHidden());
  EXPECT_TRUE(Form26->DBGrid1->isColumnHidden(1));
  EXPECT_LT(Form26->width(), wide);
  ASSERT_TRUE(Item()->Active());
  EXPECT_EQ(Item()->RecordCount(), 5);
  EXPECT_FALSE(Item()->Locate("id", 101));

  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QCoreApplication::sendEvent(Form26->Edit1, &down);
  QCoreApplication::sendEvent(Form26->Edit1, &down);
  QCoreApplication::sendEvent(Form26->Edit1, &up);
  ASSERT_EQ(Item()->RecNo(), 2);  // Опоры, stored with blanks
  Form26->setResult(0);
  emit Form26->DBGrid1->DblClick();
  EXPECT_EQ(Form24->sel_id_nom, 102);
  EXPECT_EQ(Form24->Edit2->text(), "Опоры  ");
  EXPECT_EQ(Form26->ModalResult(), platform::mrOk);

  // Typing replaces the picker's filter: a search finds groups not in use as well, and
  // clearing the box lists every group.
  Form26->Edit1->setText("Кр");
  ASSERT_EQ(Item()->RecordCount(), 1);
  EXPECT_EQ(Item()->FieldByName("id").AsInteger(), 101);
  Form26->Edit1->clear();
  EXPECT_EQ(Item()->RecordCount(), 6);

  Form26->EndChooseMode();
  EXPECT_FALSE(Form26->Button1->isHidden());
  EXPECT_FALSE(Form26->Button2->isHidden());
  EXPECT_FALSE(Form26->DBGrid1->isColumnHidden(1));
  EXPECT_EQ(Form26->width(), wide);
  EXPECT_FALSE(Item()->Active());
  EXPECT_FALSE(Item()->Filtered());

  // Browsing again lists every group, the ones not in use included.
  Browse([&] {
    EXPECT_EQ(Form26->Button3->text(), "Изменить");
    EXPECT_EQ(Item()->RecordCount(), 6);
  });
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(ModalCount(), 1);
}
