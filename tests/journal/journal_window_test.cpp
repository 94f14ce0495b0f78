#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QRadioButton>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "tests/support/app_fixture.h"

namespace {

// Monday 4 March 2024; Saturday 9 March 2024.
const QDate kMonday(2024, 3, 4);
const QDate kSaturday(2024, 3, 9);

// Two workers (one with a hostile name), a product, an operation type, a priced operation,
// and positions on 4 and 5 March in shifts 1 and 2.
const char* kFixture = R"sql(
insert into cmn_classifier.item(id, s_caption, b_excluded) values (100, 'Корпуса', 0);
insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, id_msm_bs, massa, id_class_item) values (100, 'КП-12', 6, 1, 100);
insert into accounts_dep.vid_oper(id, vid) values (100, 'Сборка');
insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new) values (100, 100, 100, 0, 2.5);
insert into accounts_dep.person(id, fio, s_staffpos_hl) values (101, 'Иванов И.И.', 'цех'),
  (102, 'Д''Артаньян \ ''; drop table x; --', 'цех');
insert into accounts_dep.smena(id, data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time, prize, ok, vvod) values
  (1, '2024-03-04', 1, 101, 100, 100, 2.5, 10, 1, 0, 4, 0, 'да', '2024-03-04'),
  (2, '2024-03-04', 1, 101, 100, 100, 2.5, 4, 0, 0, 3, 0, 'no', '2024-03-04'),
  (3, '2024-03-05', 1, 101, 100, 100, 2.5, 6, 0, 0, 8, 0, 'ok', '2024-03-05'),
  (4, '2024-03-04', 2, 102, 100, 100, 2.5, 7, 0, 0, 6, 0, 'no', '2024-03-04');
insert into accounts_dep.h_tabel(w_id, smena, month, year, d4, d5) values (101, 1, 3, 2024, 7, 8);
)sql";

class JournalTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kFixture);
    for (int s = 1; s <= 4; ++s) DataModule6->JournalQuery(s)->ParamByName("ok")->Value = QStringLiteral("ta");
    Form1->Password = "6240";
    Form1->FormActivate();
    GoTo(kMonday);
  }
  void GoTo(const QDate& d) {
    Form1->DateT->setDate(d);
    Form1->DateTCloseUp();
  }
  QString Ok(int id) {
    platform::TADOQuery q(nullptr, QStringLiteral("select ok from accounts_dep.smena where id=%1").arg(id));
    q.Open();
    return q.FieldByName("ok").AsString();
  }
};

}  // namespace

TEST_F(JournalTest, ShowsTheShiftOfTheDateAndSwitchesShiftsWithoutReRead) {
  ASSERT_EQ(Form1->DBGrid2->model()->rowCount(), 2);
  EXPECT_EQ(Form1->DBGrid2->CellText(0, "fio"), "Иванов И.И.");
  EXPECT_EQ(Form1->DBGrid2->CellText(0, "summa"), "22,50");  // (10-1)*2.5
  EXPECT_EQ(Form1->DBGrid2->CellText(0, "nmn"), "Готовая продукция");

  platform::ResetStatementCount();
  Form1->RadioButton2->setChecked(true);
  EXPECT_EQ(platform::StatementCount(), 0);
  EXPECT_EQ(Form1->Shift, 2);
  EXPECT_EQ(Form1->DBGrid2->DataSet(), DataModule6->Smena2);
  ASSERT_EQ(Form1->DBGrid2->model()->rowCount(), 1);
  EXPECT_EQ(Form1->DBGrid2->CellText(0, "fio"), "Д'Артаньян \\ '; drop table x; --");
  EXPECT_TRUE(Form1->RadioButton2->font().bold());
  EXPECT_FALSE(Form1->RadioButton1->font().bold());
  EXPECT_EQ(Form1->RadioButton2->palette().color(QPalette::Window), QColor(0, 128, 0));

  GoTo(kMonday.addDays(1));
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 1);
  EXPECT_EQ(DataModule6->Smena2->RecordCount(), 0);
}

TEST_F(JournalTest, WeekendDateChecksDayOff) {
  GoTo(kSaturday);
  EXPECT_TRUE(Form1->CBox1->isChecked());
  EXPECT_TRUE(Form1->CBox1->font().bold());
  EXPECT_EQ(Form1->CBox1->palette().color(QPalette::Window), QColor(255, 0, 0));
  GoTo(kMonday);
  EXPECT_FALSE(Form1->CBox1->isChecked());
  EXPECT_FALSE(Form1->CBox1->font().bold());
}

TEST_F(JournalTest, DoubleClickTogglesAcceptanceExceptForTheForeman) {
  // Row 1 is position 1 ("да", accepted): drawn green.
  EXPECT_EQ(Form1->DBGrid2->CellStyle(0, "ok").foreground, QColor(0, 128, 0));
  EXPECT_TRUE(Form1->DBGrid2->CellStyle(0, "ok").bold);
  EXPECT_FALSE(Form1->DBGrid2->CellStyle(0, "fio").bold);
  Form1->DBGrid2DblClick();
  EXPECT_EQ(Ok(1), "no");
  EXPECT_EQ(DataModule6->Smena1->RecNo(), 1);
  EXPECT_EQ(Form1->DBGrid2->CellStyle(0, "ok").foreground, QColor(255, 0, 0));
  Form1->DBGrid2DblClick();
  EXPECT_EQ(Ok(1), "ok");

  Form1->Password = "drovkin";
  Form1->DBGrid2DblClick();
  EXPECT_EQ(Ok(1), "ok");

  // An empty journal: nothing to toggle.
  Form1->Password = "6240";
  GoTo(kSaturday);
  Form1->DBGrid2DblClick();
}

TEST_F(JournalTest, DeleteAskedNoChangesNothing) {
  messages_.Answer(platform::mrNo);
  Form1->Button3Click();
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Удалить позицию из списка?");
  EXPECT_EQ(messages_.Calls()[0].caption, "Удаление");
  EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Question);
  EXPECT_EQ(messages_.Calls()[0].buttons, platform::mbYes | platform::mbNo);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena"), 4);
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel"), 7);
}

TEST_F(JournalTest, DeleteRecomputesTheDayAndKeepsOtherDays) {
  messages_.Answer(platform::mrYes);
  Form1->Button3Click();  // position 1: 4 of the worker's 7 hours that day
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena where id=1"), 0);
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel"), 3);
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 1);

  messages_.Answer(platform::mrYes);
  Form1->Button3Click();  // the last position of the day
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel"), 0);
  EXPECT_EQ(Scalar("select d5 from accounts_dep.h_tabel"), 8);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel"), 1);

  // Empty journal: no question at all.
  messages_.Clear();
  Form1->Button3Click();
  EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(JournalTest, DeleteOfAWorkerWithoutGridRowLeavesHimWithoutOne) {
  Form1->RadioButton2->setChecked(true);
  messages_.Answer(platform::mrYes);
  Form1->Button3Click();
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena where id=4"), 0);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where w_id=102"), 0);
}

TEST_F(JournalTest, PositionWithoutItsOperationIsNotListed) {
  Sql("insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new) values (101, 100, 100, 1, 3);"
      "insert into accounts_dep.smena(id, data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time, prize, ok)"
      " values (5, '2024-03-04', 1, 101, 100, 101, 3, 1, 0, 0, 1, 0, 'no')");
  Form1->Button8Click();
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 3);
  Sql("delete from accounts_dep.oper where id=101");
  Form1->Button8Click();
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 2);
}

TEST_F(JournalTest, DatabaseErrorInAHandlerIsShownAndTheWindowGoesOn) {
  Sql("revoke delete on accounts_dep.smena from sys");
  messages_.Answer(platform::mrYes);
  platform::RunGuarded([] { Form1->Button3Click(); });
  ASSERT_EQ(messages_.Calls().size(), 2u);
  EXPECT_EQ(messages_.Calls()[1].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(messages_.Calls()[1].text.contains("smena")) << messages_.Calls()[1].text.toStdString();
  Form1->Button8Click();
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 2);
}
